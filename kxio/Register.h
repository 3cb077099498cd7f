#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace korvel::kxio {

// The registers the emulated encoder gives a meaning to; every other address is plain memory.
enum class Register : std::uint8_t {
    PiHigh = 0x00,
    PiLow = 0x01,
    ProgrammeService = 0x02, // 8 characters
    ProgrammeType = 0x0A,
    DecoderIdentification = 0x0B,
    MusicSpeech = 0x0C,
    TrafficProgramme = 0x0D,
    TrafficAnnouncement = 0x0E,
    AfCount = 0x0F,
    AfCodes = 0x10,          // up to 15 codes
    RadiotextControl = 0x1F, // bit 0 on, bit 1 A/B flag
    RadiotextText = 0x20,    // 64 characters
    UserGroupEnable = 0x60,
    UserGroupType = 0x61, // followed by the group's bytes 4..8
    ClockTimeType = 0x67, // followed by the group's bytes 4..8
    ClockTimeTrigger = 0x6D,
    ClockSource = 0x6E,
    Phase = 0x6F, // steps of 9.47 degrees
    Status = 0x70,
    Command = 0x71,
    DpsDelay = 0x72,       // steps of 2.7 s between loops
    DpsMode = 0x73,        // 0..3
    DpsLabelPeriod = 0x74, // half seconds minus one
    DpsSpeed = 0x75,       // 0 high, 1 low
    DpsLength = 0x76,      // 0 = dynamic PS off
    DpsText = 0x77,        // up to 72 characters
};

// Where a group given as its type byte and bytes 4..8 (the user group, the clock time) keeps its
// blocks, counted from the type byte: the five low bits of block 2, then blocks 3 and 4, high byte
// first.
inline constexpr std::size_t kGroupBlockB = 1;
inline constexpr std::size_t kGroupBlockC = 2;
inline constexpr std::size_t kGroupBlockD = 4;
inline constexpr unsigned kGroupTypeShift = 4;    // in the type byte: the type in bits 7..4,
inline constexpr unsigned kGroupVersionShift = 3; // version B in bit 3

inline constexpr std::size_t kPsLength = 8;
inline constexpr std::size_t kRadiotextLength = 64;
inline constexpr std::size_t kAfCapacity = 15;
// A radiotext shorter than its 64 places ends with a carriage return.
inline constexpr std::uint8_t kRadiotextEnd = 0x0D;

inline constexpr std::size_t kRegisterCount = 256;
using RegisterMemory = std::array<std::uint8_t, kRegisterCount>;

[[nodiscard]] constexpr std::size_t index(Register reg) {
    return static_cast<std::size_t>(reg);
}

[[nodiscard]] constexpr std::uint8_t at(const RegisterMemory& memory, Register reg, std::size_t offset = 0) {
    return memory[index(reg) + offset];
}

[[nodiscard]] constexpr bool bitSet(const RegisterMemory& memory, Register reg, unsigned bit = 0) {
    return ((at(memory, reg) >> bit) & 1u) != 0;
}

} // namespace korvel::kxio
