#include "uecp/MessageRegisters.h"

#include <algorithm>

namespace korvel::uecp {

namespace {

using kxio::index;
using kxio::Register;
using kxio::RegisterMemory;

constexpr std::uint8_t kSpace = 0x20;
constexpr std::uint8_t kRadiotextOn = 0x01;
constexpr std::size_t kMaxAfRegisters = kxio::kAfCapacity;

std::uint8_t& reg(RegisterMemory& memory, Register r, std::size_t offset = 0) {
    return memory[index(r) + offset];
}

// Copies bytes into the registers from first on, the rest of count filled with fill.
void fillFrom(RegisterMemory& memory, Register first, std::span<const std::uint8_t> bytes, std::size_t count,
              std::uint8_t fill) {
    const auto start = memory.begin() + static_cast<std::ptrdiff_t>(index(first));
    std::fill_n(start, count, fill);
    std::copy_n(bytes.begin(), std::min(bytes.size(), count), start);
}

struct Apply {
    RegisterMemory& memory;

    void operator()(const Pi& m) const {
        reg(memory, Register::PiHigh) = static_cast<std::uint8_t>(m.code >> 8);
        reg(memory, Register::PiLow) = static_cast<std::uint8_t>(m.code & 0xFF);
    }
    void operator()(const Ps& m) const {
        fillFrom(memory, Register::ProgrammeService, m.name, m.name.size(), kSpace);
    }
    void operator()(const TaTp& m) const {
        reg(memory, Register::TrafficAnnouncement) = m.announcement ? 1 : 0;
        reg(memory, Register::TrafficProgramme) = m.programme ? 1 : 0;
    }
    void operator()(const Di& m) const { reg(memory, Register::DecoderIdentification) = m.flags; }
    void operator()(const Ms& m) const { reg(memory, Register::MusicSpeech) = m.music ? 1 : 0; }
    void operator()(const Pty& m) const { reg(memory, Register::ProgrammeType) = m.type; }
    // The A/B flag stays as it is: an answer does not say which flag is on air.
    void operator()(const Rt& m) const {
        std::uint8_t& control = reg(memory, Register::RadiotextControl);
        control = static_cast<std::uint8_t>((control & ~kRadiotextOn) | (m.text.empty() ? 0 : kRadiotextOn));
        fillFrom(memory, Register::RadiotextText, m.text, kMaxRadiotext, kSpace);
    }
    void operator()(const Af& m) const {
        const std::size_t count = std::min(m.codes.size(), kMaxAfRegisters);
        reg(memory, Register::AfCount) = static_cast<std::uint8_t>(count);
        fillFrom(memory, Register::AfCodes, std::span(m.codes).first(count), kMaxAfRegisters, 0);
    }
    template <typename Other> void operator()(const Other&) const {}
};

} // namespace

const MessageSpan& spanOf(Code code) {
    return *std::find_if(kMessageSpans.begin(), kMessageSpans.end(),
                         [code](const auto& s) { return s.code == code; });
}

std::vector<Code> requestsFor(std::size_t first, std::size_t count) {
    std::vector<Code> codes;
    for (const MessageSpan& span : kMessageSpans) {
        const std::size_t begin = index(span.first);
        if (span.requestable && begin < first + count && first < begin + span.count) {
            codes.push_back(span.code);
        }
    }
    return codes;
}

void applyToRegisters(const Message& message, RegisterMemory& memory) {
    std::visit(Apply{memory}, message);
}

} // namespace korvel::uecp
