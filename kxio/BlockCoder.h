#pragma once

#include "kxio/RdsGroup.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace korvel::kxio {

enum class Offset : std::uint8_t { A, B, C, CPrime, D };

// A block on air: the 16-bit information word followed by its 10-bit check word, which is the
// remainder of the word times x^10 divided by g(x) = x^10+x^8+x^7+x^5+x^4+x^3+1, added modulo 2
// to the offset word of the block's place in the group (IEC 62106).
class BlockCoder {
public:
    static constexpr std::size_t kBlockBits = 26;
    static constexpr std::size_t kGroupBits = kBlockBits * RdsGroup::kBlocks;

    [[nodiscard]] static std::uint16_t offsetWord(Offset offset);
    [[nodiscard]] static std::uint16_t checkword(std::uint16_t information, Offset offset);

    // The 26 bits of the block, most significant (first sent) at bit 25.
    [[nodiscard]] static std::uint32_t encode(std::uint16_t information, Offset offset);

    // The offsets of blocks 1..4: C' in place of C for version B groups.
    [[nodiscard]] static std::array<Offset, RdsGroup::kBlocks> offsets(const RdsGroup& group);

    // The 104 bits of a group in the order they are sent, one bit per byte.
    [[nodiscard]] static std::array<std::uint8_t, kGroupBits> bits(const RdsGroup& group);
};

} // namespace korvel::kxio
