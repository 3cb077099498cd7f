#pragma once

#include <cstdint>
#include <span>

namespace korvel::uecp {

// The frame check: CRC-16 with the polynomial x^16 + x^12 + x^5 + 1 (0x1021), starting from
// 0xFFFF, most significant bit first, the result inverted. It covers ADD..MSG before stuffing.
[[nodiscard]] std::uint16_t crc(std::span<const std::uint8_t> bytes);

} // namespace korvel::uecp
