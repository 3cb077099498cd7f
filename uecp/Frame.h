#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvel::uecp {

// Where a frame goes: the site address in the 10 high bits of ADD, the encoder address in the
// 6 low bits. 0 addresses every site or every encoder.
struct Address {
    std::uint16_t site = 0;
    std::uint8_t encoder = 0;

    friend bool operator==(const Address&, const Address&) = default;
};

// One frame: SQC 0 asks for no acknowledgement; messages is the MSG field, unstuffed.
struct Frame {
    Address address;
    std::uint8_t sequence = 0;
    std::vector<std::uint8_t> messages;

    friend bool operator==(const Frame&, const Frame&) = default;
};

// The frame's fixed bytes, as they travel.
inline constexpr std::uint8_t kStart = 0xFE;     // STA
inline constexpr std::uint8_t kStop = 0xFF;      // STP
inline constexpr std::uint8_t kEscape = 0xFD;    // stuffing: FD 00, FD 01, FD 02 stand for FD, FE, FF
inline constexpr std::size_t kMaxMessages = 255; // MFL is one byte
inline constexpr unsigned kSiteBits = 10;
inline constexpr unsigned kEncoderBits = 6;
inline constexpr std::uint16_t kMaxSite = (1u << kSiteBits) - 1;
inline constexpr std::uint8_t kMaxEncoder = (1u << kEncoderBits) - 1;

[[nodiscard]] constexpr std::uint16_t packAddress(Address address) {
    return static_cast<std::uint16_t>(((address.site & kMaxSite) << kEncoderBits) |
                                      (address.encoder & kMaxEncoder));
}

[[nodiscard]] constexpr Address unpackAddress(std::uint16_t packed) {
    return {static_cast<std::uint16_t>(packed >> kEncoderBits),
            static_cast<std::uint8_t>(packed & kMaxEncoder)};
}

} // namespace korvel::uecp
