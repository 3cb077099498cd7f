#include "uecp/Crc.h"

namespace korvel::uecp {

namespace {

constexpr std::uint16_t kPolynomial = 0x1021;
constexpr std::uint16_t kInitial = 0xFFFF;
constexpr std::uint16_t kTopBit = 0x8000;

} // namespace

std::uint16_t crc(std::span<const std::uint8_t> bytes) {
    std::uint16_t value = kInitial;
    for (const std::uint8_t byte : bytes) {
        value = static_cast<std::uint16_t>(value ^ (byte << 8));
        for (int bit = 0; bit < 8; ++bit) {
            const bool carry = (value & kTopBit) != 0;
            value = static_cast<std::uint16_t>(value << 1);
            if (carry) {
                value = static_cast<std::uint16_t>(value ^ kPolynomial);
            }
        }
    }
    return static_cast<std::uint16_t>(~value);
}

} // namespace korvel::uecp
