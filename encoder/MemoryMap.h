#pragma once

// The encoder seen as a flat memory of byte registers: every address the program uses, and the
// pure conversions between station values and register bytes. Texts are raw bytes (the desktop
// code page or the RDS character set), never assumed to be UTF-8.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvel::encoder {

// clang-format off
enum class Reg : std::uint8_t {
    Pi              = 0x00,
    Ps              = 0x02,
    Pty             = 0x0A,
    Di              = 0x0B,
    Ms              = 0x0C,
    Tp              = 0x0D,
    Ta              = 0x0E,
    AfCount         = 0x0F,
    AfTable         = 0x10,
    RtControl       = 0x1F,
    RtText          = 0x20,
    UserGroupEnable = 0x60,
    UserGroupType   = 0x61,
    UserGroupBytes  = 0x62,
    CtGroupType     = 0x67,
    CtGroupBytes    = 0x68,
    CtTrigger       = 0x6D,
    ClockSource     = 0x6E,
    Phase           = 0x6F,
    Status          = 0x70,
    Command         = 0x71,
    DpsDelay        = 0x72,
    DpsMode         = 0x73,
    DpsLabelPeriod  = 0x74,
    DpsSpeed        = 0x75,
    DpsLength       = 0x76,
    DpsText         = 0x77,
};
// clang-format on

// Characters written to Reg::Command.
enum class Command : std::uint8_t {
    Store = 'E', // keep the current data in the encoder's non-volatile memory
    Reset = 'R',
    CarrierOff = '0',
    CarrierOn = '1',
};

[[nodiscard]] constexpr std::uint8_t addr(Reg reg) {
    return static_cast<std::uint8_t>(reg);
}
[[nodiscard]] constexpr std::uint8_t byteOf(Command command) {
    return static_cast<std::uint8_t>(command);
}

inline constexpr std::size_t kPiLength = 2;
inline constexpr std::size_t kPsLength = 8;
inline constexpr std::size_t kRtLength = 64;
inline constexpr std::size_t kDpsTextMax = 72;
inline constexpr std::size_t kAfMax = 15;
inline constexpr std::size_t kGroupBytes = 5; // bytes 4..8 of a group, user and CT group alike
inline constexpr std::size_t kDiItems = 4;
inline constexpr std::size_t kReadImageLength = 192;
inline constexpr std::uint8_t kCtGroupType = 0x40; // group 4A
inline constexpr std::uint8_t kCtTrigger = 1;
inline constexpr std::uint8_t kDpsTextEnd = 0x20; // the space that always follows the DPS text
inline constexpr std::uint8_t kPhaseMaxByte = 18;
inline constexpr double kPhaseStep_deg = 9.47;
inline constexpr double kDpsDelayStep_s = 2.7;
inline constexpr double kLabelPeriodStep_s = 0.5;

struct RegisterSpan {
    Reg reg;
    std::size_t length; // the most the register holds
};

// The registers in address order; each one ends where the next begins and the last one ends at
// the end of the read image.
// clang-format off
inline constexpr std::array<RegisterSpan, 27> kRegisters{{
    {Reg::Pi,              kPiLength},
    {Reg::Ps,              kPsLength},
    {Reg::Pty,             1},
    {Reg::Di,              1},
    {Reg::Ms,              1},
    {Reg::Tp,              1},
    {Reg::Ta,              1},
    {Reg::AfCount,         1},
    {Reg::AfTable,         kAfMax},
    {Reg::RtControl,       1},
    {Reg::RtText,          kRtLength},
    {Reg::UserGroupEnable, 1},
    {Reg::UserGroupType,   1},
    {Reg::UserGroupBytes,  kGroupBytes},
    {Reg::CtGroupType,     1},
    {Reg::CtGroupBytes,    kGroupBytes},
    {Reg::CtTrigger,       1},
    {Reg::ClockSource,     1},
    {Reg::Phase,           1},
    {Reg::Status,          1},
    {Reg::Command,         1},
    {Reg::DpsDelay,        1},
    {Reg::DpsMode,         1},
    {Reg::DpsLabelPeriod,  1},
    {Reg::DpsSpeed,        1},
    {Reg::DpsLength,       1},
    {Reg::DpsText,         kDpsTextMax + 1},
}};
// clang-format on

[[nodiscard]] consteval bool registersAreContiguous() {
    for (std::size_t i = 0; i + 1 < kRegisters.size(); ++i) {
        if (addr(kRegisters[i].reg) + kRegisters[i].length != addr(kRegisters[i + 1].reg)) {
            return false;
        }
    }
    return addr(kRegisters.back().reg) + kRegisters.back().length == kReadImageLength;
}
static_assert(registersAreContiguous(), "register addresses and lengths disagree");

// True when bit `bit` (0..30) of `value` is set; any other bit number is never set.
[[nodiscard]] constexpr bool BitOn(int value, int bit) {
    return bit >= 0 && bit <= 30 && ((value >> bit) & 1) != 0;
}

// --- AF: code = frequency in 100 kHz steps above 87.5 MHz (1 = 87.6 MHz .. 204 = 107.9 MHz).
[[nodiscard]] std::optional<std::uint8_t> afCodeFromMHz(double frequency_MHz);
// Not range-checked: every byte read from the encoder is shown.
[[nodiscard]] std::string afFrequencyText(std::uint8_t code, char decimalSeparator = '.');
[[nodiscard]] std::uint8_t afCountFromByte(std::uint8_t byte); // above kAfMax counts as 0

// --- Group type byte: version in bit 3, type number in bits 7..4; index = 2 * type + version.
[[nodiscard]] std::uint8_t groupTypeByte(int index); // index 0..31, taken modulo 32
[[nodiscard]] int groupTypeIndex(std::uint8_t byte);

// --- Clock source: the indexes of RGCS (bit 0) and RGPLLR (bit 1), each 0 or 1.
struct ClockSource {
    int rgcsIndex = 0;
    int rgpllrIndex = 0;
    friend bool operator==(const ClockSource&, const ClockSource&) = default;
};
[[nodiscard]] std::uint8_t clockSourceByte(ClockSource source);
[[nodiscard]] ClockSource clockSourceFromByte(std::uint8_t byte);

// --- Stepped values: the nearest whole step, limited to the register's range.
[[nodiscard]] std::uint8_t phaseByte(double phase_deg);  // 0..18 steps of 9.47 degrees
[[nodiscard]] double phaseDegrees(std::uint8_t byte);    // above 18 reads as 18
[[nodiscard]] std::uint8_t dpsDelayByte(double delay_s); // 0..255 steps of 2.7 s
[[nodiscard]] double dpsDelaySeconds(std::uint8_t byte);
[[nodiscard]] std::uint8_t dpsLabelPeriodByte(double period_s); // 0.5..128 s as 2 * s - 1
[[nodiscard]] double dpsLabelPeriodSeconds(std::uint8_t byte);

// --- Clock time: the 40-bit field of an RDS group 4A after its type byte (IEC 62106).
struct ClockTime {
    std::uint32_t mjd = 0; // Modified Julian Day of the UTC date
    int utcHour = 0;
    int minute = 0;
    int localOffset_halfHours = 0; // negative when local time is behind UTC
};
// Each value is limited to the width of its field, so none can spill into its neighbours.
[[nodiscard]] std::array<std::uint8_t, kGroupBytes> ctBytes(const ClockTime& time);

// --- Status register.
struct EncoderStatus {
    bool pilotTone = false;
    bool trafficAnnouncement = false;
    bool dynamicPsShowing = false; // false: the static PS is on air
    bool rdsGeneratorEnabled = false;
    friend bool operator==(const EncoderStatus&, const EncoderStatus&) = default;
};
[[nodiscard]] EncoderStatus statusFromByte(std::uint8_t byte);

// --- Simple registers.
[[nodiscard]] std::string hexByteText(std::uint8_t byte);              // two upper-case hex digits
[[nodiscard]] std::string piText(std::uint8_t high, std::uint8_t low); // 0x2F, 0x0A -> "2F0A"
// Item i of DI ("Stereo", "Artificial Head", "Compressed", "Dynamic PTY") is bit i.
[[nodiscard]] std::uint8_t diByte(const std::array<bool, kDiItems>& items);
[[nodiscard]] std::array<bool, kDiItems> diItems(std::uint8_t byte);
[[nodiscard]] std::uint8_t rtControlByte(bool radiotextOn, bool flagB);
[[nodiscard]] std::size_t dpsLengthFromByte(std::uint8_t byte); // above kDpsTextMax counts as 72

// Fills `text` with spaces up to `length` and cuts what is longer (PS, radiotext).
[[nodiscard]] std::string registerText(std::string_view text, std::size_t length);
// A PS or radiotext as read: trailing spaces removed, a text of spaces only becomes empty.
[[nodiscard]] std::string trimmedRegisterText(std::string_view bytes);

} // namespace korvel::encoder
