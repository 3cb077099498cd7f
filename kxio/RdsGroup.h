#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace korvel::kxio {

// One RDS group: four 16-bit information words, blocks 1..4 (IEC 62106). Block 2 names the group
// type; a version B group carries the PI again in block 3, under the offset word C'.
struct RdsGroup {
    static constexpr std::size_t kBlocks = 4;
    static constexpr std::uint16_t kVersionB = 0x0800;

    std::array<std::uint16_t, kBlocks> blocks{};

    [[nodiscard]] constexpr bool versionB() const { return (blocks[1] & kVersionB) != 0; }
    // Type number 0..15 in the top four bits of block 2.
    [[nodiscard]] constexpr unsigned type() const { return blocks[1] >> 12u; }

    friend constexpr bool operator==(const RdsGroup&, const RdsGroup&) = default;
};

} // namespace korvel::kxio
