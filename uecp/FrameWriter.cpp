#include "uecp/FrameWriter.h"

#include "uecp/Crc.h"

#include <algorithm>

namespace korvel::uecp {

namespace {

void putStuffed(std::vector<std::uint8_t>& out, std::uint8_t byte) {
    if (byte >= kEscape) {
        out.push_back(kEscape);
        out.push_back(static_cast<std::uint8_t>(byte - kEscape));
    } else {
        out.push_back(byte);
    }
}

} // namespace

std::vector<std::uint8_t> encodeFrame(const Frame& frame) {
    const std::size_t length = std::min(frame.messages.size(), kMaxMessages);
    const std::uint16_t address = packAddress(frame.address);
    std::vector<std::uint8_t> body{static_cast<std::uint8_t>(address >> 8),
                                   static_cast<std::uint8_t>(address & 0xFF), frame.sequence,
                                   static_cast<std::uint8_t>(length)};
    body.insert(body.end(), frame.messages.begin(),
                frame.messages.begin() + static_cast<std::ptrdiff_t>(length));
    const std::uint16_t check = crc(body);
    body.push_back(static_cast<std::uint8_t>(check >> 8));
    body.push_back(static_cast<std::uint8_t>(check & 0xFF));

    std::vector<std::uint8_t> out{kStart};
    out.reserve(2 * body.size() + 2);
    for (const std::uint8_t byte : body) {
        putStuffed(out, byte);
    }
    out.push_back(kStop);
    return out;
}

} // namespace korvel::uecp
