#include "kxio/BlockCoder.h"

namespace korvel::kxio {

namespace {

constexpr std::uint32_t kGenerator = 0x5B9; // x^10+x^8+x^7+x^5+x^4+x^3+1
constexpr unsigned kCheckBits = 10;
constexpr unsigned kInformationBits = 16;

// IEC 62106 offset words, in the order of the Offset enumeration.
// clang-format off
constexpr std::array<std::uint16_t, 5> kOffsetWords{
    0x0FC, // A
    0x198, // B
    0x168, // C
    0x350, // C'
    0x1B4, // D
};
// clang-format on
static_assert(kOffsetWords.size() == static_cast<std::size_t>(Offset::D) + 1);

constexpr std::uint16_t remainder(std::uint16_t information) {
    std::uint32_t value = static_cast<std::uint32_t>(information) << kCheckBits;
    for (int bit = kInformationBits + kCheckBits - 1; bit >= static_cast<int>(kCheckBits); --bit) {
        if ((value & (1u << bit)) != 0) {
            value ^= kGenerator << (bit - static_cast<int>(kCheckBits));
        }
    }
    return static_cast<std::uint16_t>(value);
}

} // namespace

std::uint16_t BlockCoder::offsetWord(Offset offset) {
    return kOffsetWords[static_cast<std::size_t>(offset)];
}

std::uint16_t BlockCoder::checkword(std::uint16_t information, Offset offset) {
    return static_cast<std::uint16_t>(remainder(information) ^ offsetWord(offset));
}

std::uint32_t BlockCoder::encode(std::uint16_t information, Offset offset) {
    return (static_cast<std::uint32_t>(information) << kCheckBits) | checkword(information, offset);
}

std::array<Offset, RdsGroup::kBlocks> BlockCoder::offsets(const RdsGroup& group) {
    return {Offset::A, Offset::B, group.versionB() ? Offset::CPrime : Offset::C, Offset::D};
}

std::array<std::uint8_t, BlockCoder::kGroupBits> BlockCoder::bits(const RdsGroup& group) {
    std::array<std::uint8_t, kGroupBits> out{};
    const std::array<Offset, RdsGroup::kBlocks> blockOffsets = offsets(group);
    std::size_t next = 0;
    for (std::size_t block = 0; block < RdsGroup::kBlocks; ++block) {
        const std::uint32_t word = encode(group.blocks[block], blockOffsets[block]);
        for (int bit = kBlockBits - 1; bit >= 0; --bit) {
            out[next++] = static_cast<std::uint8_t>((word >> bit) & 1u);
        }
    }
    return out;
}

} // namespace korvel::kxio
