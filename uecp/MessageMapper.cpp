#include "uecp/MessageMapper.h"

#include "uecp/MessageRegisters.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <optional>

namespace korvel::uecp {

namespace {

using kxio::at;
using kxio::bitSet;
using kxio::index;
using kxio::Register;
using kxio::RegisterMemory;

using kxio::kPsLength;
using kxio::kRadiotextLength;
constexpr std::size_t kMaxAfRegisters = kxio::kAfCapacity;
constexpr std::uint8_t kCarriageReturn = kxio::kRadiotextEnd;
constexpr unsigned kRadiotextAbBit = 1;
constexpr int kMjdOfUnixEpoch = 40587; // 1 January 1970

using Build = std::optional<Message> (*)(const RegisterMemory& wanted, const EncoderMirror& held,
                                         Service service);

std::uint16_t word(const RegisterMemory& memory, Register high) {
    return static_cast<std::uint16_t>((at(memory, high) << 8) | at(memory, high, 1));
}

std::optional<Message> buildPi(const RegisterMemory& wanted, const EncoderMirror&, Service service) {
    return Pi{service, word(wanted, Register::PiHigh)};
}

// While the dynamic PS runs, its sender puts every label on air, the static PS between loops included.
std::optional<Message> buildPs(const RegisterMemory& wanted, const EncoderMirror&, Service service) {
    if (at(wanted, Register::DpsLength) != 0) {
        return std::nullopt;
    }
    Ps ps{service};
    std::copy_n(wanted.begin() + static_cast<std::ptrdiff_t>(index(Register::ProgrammeService)), kPsLength,
                ps.name.begin());
    return ps;
}

std::optional<Message> buildTaTp(const RegisterMemory& wanted, const EncoderMirror&, Service service) {
    return TaTp{service, bitSet(wanted, Register::TrafficAnnouncement),
                bitSet(wanted, Register::TrafficProgramme)};
}

std::optional<Message> buildDi(const RegisterMemory& wanted, const EncoderMirror&, Service service) {
    return Di{service, static_cast<std::uint8_t>(at(wanted, Register::DecoderIdentification) & kDiMask)};
}

std::optional<Message> buildMs(const RegisterMemory& wanted, const EncoderMirror&, Service service) {
    return Ms{service, bitSet(wanted, Register::MusicSpeech)};
}

std::optional<Message> buildPty(const RegisterMemory& wanted, const EncoderMirror&, Service service) {
    return Pty{service, static_cast<std::uint8_t>(at(wanted, Register::ProgrammeType) & kFiveBits)};
}

// Radiotext off clears the encoder's buffer. The A/B flag flips on the encoder when the control
// register's flag differs from the one it holds; the text ends before its first carriage return.
std::optional<Message> buildRt(const RegisterMemory& wanted, const EncoderMirror& held, Service service) {
    if (!bitSet(wanted, Register::RadiotextControl)) {
        return Rt{service};
    }
    const auto first = wanted.begin() + static_cast<std::ptrdiff_t>(index(Register::RadiotextText));
    const auto end = std::find(first, first + kRadiotextLength, kCarriageReturn);
    const std::size_t control = index(Register::RadiotextControl);
    const bool toggle =
        held.known[control] && bitSet(held.memory, Register::RadiotextControl, kRadiotextAbBit) !=
                                   bitSet(wanted, Register::RadiotextControl, kRadiotextAbBit);
    // An empty text still goes out as one space: MEL 0 would switch radiotext off. The text is
    // made whole at once; a push_back on the empty vector trips GCC 12's free-nonheap-object at -O2.
    static constexpr std::array<std::uint8_t, 1> kSpace{' '};
    return Rt{service, 0, 0, toggle,
              first == end ? std::vector<std::uint8_t>(kSpace.begin(), kSpace.end())
                           : std::vector<std::uint8_t>(first, end)};
}

// The codes the stand-in puts on air: those in 1..204 among the first count registers.
std::optional<Message> buildAf(const RegisterMemory& wanted, const EncoderMirror&, Service service) {
    const std::size_t count = std::min<std::size_t>(at(wanted, Register::AfCount), kMaxAfRegisters);
    const auto first = wanted.begin() + static_cast<std::ptrdiff_t>(index(Register::AfCodes));
    Af af{service};
    std::copy_if(first, first + static_cast<std::ptrdiff_t>(count), std::back_inserter(af.codes),
                 [](std::uint8_t code) { return code >= kMinAfCode && code <= kMaxAfCode; });
    return af;
}

// The user group register holds the type in bits 7..4 and version B in bit 3; byte 4 keeps its
// five low bits, as on air.
std::optional<Message> buildUserGroup(const RegisterMemory& wanted, const EncoderMirror&, Service service) {
    if (at(wanted, Register::UserGroupEnable) == 0) {
        return FreeFormat{service, FreeFormatMode::Stop};
    }
    const std::uint8_t type = at(wanted, Register::UserGroupType);
    return FreeFormat{service,
                      FreeFormatMode::Cyclic,
                      {static_cast<std::uint8_t>(type >> 4), (type & 0x08) != 0},
                      static_cast<std::uint8_t>(at(wanted, Register::UserGroupType, 1) & kFiveBits),
                      word(wanted, static_cast<Register>(index(Register::UserGroupType) + 2)),
                      word(wanted, static_cast<Register>(index(Register::UserGroupType) + 4))};
}

// The 4A group's bytes 4..8 as the program writes them: MJD (17 bits), UTC hour (5), minute (6),
// offset sign (1) and half hours (5), from the top of 40 bits. The group names the minute that
// begins at the trigger, so its seconds are 0.
std::optional<Message> buildClockTime(const RegisterMemory& wanted, const EncoderMirror&, Service) {
    std::uint64_t field = 0;
    for (std::size_t i = 0; i < 5; ++i) {
        field = field << 8 | at(wanted, Register::ClockTimeType, 1 + i);
    }
    using namespace std::chrono;
    const auto mjd = static_cast<int>(field >> 17);
    const year_month_day date{sys_days{days{mjd - kMjdOfUnixEpoch}}};
    const auto halfHours = static_cast<std::int8_t>(field & 0x1F);
    ClockTime time;
    time.year = static_cast<std::uint8_t>(static_cast<int>(date.year()) % 100);
    time.month = static_cast<std::uint8_t>(static_cast<unsigned>(date.month()));
    time.day = static_cast<std::uint8_t>(static_cast<unsigned>(date.day()));
    time.hour = static_cast<std::uint8_t>((field >> 12) & 0x1F);
    time.minute = static_cast<std::uint8_t>((field >> 6) & 0x3F);
    time.offsetHalfHours = (field & 0x20) != 0 ? static_cast<std::int8_t>(-halfHours) : halfHours;
    return time;
}

struct Row {
    Code code; // the registers are its span
    Build build;
    std::optional<Register> also; // a register that decides whether the message goes at all
    bool always = false;          // every write is an event, not a value
};

// clang-format off
constexpr std::array kRows{
    Row{Code::Pi,         buildPi},
    Row{Code::Ps,         buildPs, Register::DpsLength},
    Row{Code::Pty,        buildPty},
    Row{Code::Di,         buildDi},
    Row{Code::Ms,         buildMs},
    Row{Code::TaTp,       buildTaTp},
    Row{Code::Af,         buildAf},
    Row{Code::Rt,         buildRt},
    Row{Code::FreeFormat, buildUserGroup},
    Row{Code::ClockTime,  buildClockTime, std::nullopt, true},
};
// clang-format on
static_assert(kRows.size() == kMessageSpans.size());

struct Refusal {
    std::uint8_t command;
    const char* reason;
};

// clang-format off
constexpr std::array kRefusals{
    Refusal{'E', "Store: UECP has no message to store an encoder's settings; a UECP encoder keeps what it was sent"},
    Refusal{'R', "Reset: UECP has no message to reset an encoder"},
    Refusal{'0', "Carrier off: UECP has no message to switch the RDS carrier"},
    Refusal{'1', "Carrier on: UECP has no message to switch the RDS carrier"},
};
// clang-format on

bool fires(const Row& row, const RegisterMemory& wanted, const EncoderMirror& held, std::size_t first,
           std::size_t count) {
    const auto touched = [&](std::size_t r) { return r >= first && r < first + count; };
    const auto stale = [&](std::size_t r) { return !held.known[r] || held.memory[r] != wanted[r]; };
    const MessageSpan& span = spanOf(row.code);
    const std::size_t begin = index(span.first);
    bool written = false;
    bool changed = row.always;
    for (std::size_t r = begin; r < begin + span.count; ++r) {
        written = written || touched(r);
        changed = changed || stale(r);
    }
    if (row.also) {
        written = written || touched(index(*row.also));
        changed = changed || stale(index(*row.also));
    }
    return written && changed;
}

} // namespace

MessageMapper::Result MessageMapper::map(const RegisterMemory& wanted, const EncoderMirror& held,
                                         std::size_t first, std::size_t count) const {
    Result result;
    const std::size_t command = index(Register::Command);
    if (command >= first && command < first + count) {
        const auto refused = std::find_if(kRefusals.begin(), kRefusals.end(),
                                          [&](const Refusal& r) { return r.command == wanted[command]; });
        if (refused != kRefusals.end()) {
            result.refusal = refused->reason;
            return result;
        }
    }
    for (const Row& row : kRows) {
        if (fires(row, wanted, held, first, count)) {
            if (auto message = row.build(wanted, held, m_service)) {
                result.messages.push_back(std::move(*message));
            }
        }
    }
    return result;
}

} // namespace korvel::uecp
