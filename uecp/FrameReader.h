#pragma once

#include "uecp/Frame.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace korvel::uecp {

// Turns a byte stream, split anywhere, into frames. Bytes outside a frame are skipped; a bad frame
// gives a fault and the reader waits for the next STA, so no input can wedge it. The buffer holds
// at most one frame at its longest stuffed size.
class FrameReader {
public:
    enum class Fault : std::uint8_t {
        BadCrc,      // the check does not match
        BadLength,   // MFL differs from the MSG field, or the frame is too short to hold one
        Cut,         // a new STA before the STP: the frame was cut off
        BadStuffing, // FD followed by anything but 00, 01, 02
        Oversize,    // longer than any frame can be
    };

    // One frame or one fault. address and sequence are read from the bytes even for a fault, when
    // there are enough of them, so that a NAK can name the frame's SQC.
    struct Result {
        std::optional<Frame> frame;
        std::optional<Fault> fault;
        Address address;
        std::uint8_t sequence = 0;
    };

    // ADD, SQC, MFL, the longest MSG and CRC, every byte stuffed to two.
    static constexpr std::size_t kMaxStuffed = 2 * (2 + 1 + 1 + kMaxMessages + 2);

    [[nodiscard]] std::vector<Result> feed(std::span<const std::uint8_t> bytes);
    void reset();

private:
    void accept(std::uint8_t byte, std::vector<Result>& results);
    [[nodiscard]] Result finish() const;

    std::vector<std::uint8_t> m_stuffed; // the bytes since STA, still stuffed
    bool m_inFrame = false;
};

} // namespace korvel::uecp
