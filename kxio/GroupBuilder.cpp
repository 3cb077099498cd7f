#include "kxio/GroupBuilder.h"

#include <algorithm>
#include <vector>

namespace korvel::kxio {

namespace {

constexpr unsigned kPsSegments = 4;
constexpr std::size_t kRadiotextLength = 64;
constexpr std::size_t kRadiotextSegmentLength = 4;
constexpr std::uint8_t kCarriageReturn = 0x0D;
constexpr std::size_t kMaxAfCodes = 15;

// AF codes of method A (IEC 62106): 1..204 are 87.6..107.9 MHz, 205 is the filler,
// 224 + n announces a list of n frequencies.
constexpr std::uint8_t kFirstFrequencyCode = 1;
constexpr std::uint8_t kLastFrequencyCode = 204;
constexpr std::uint8_t kFillerCode = 205;
constexpr std::uint8_t kCountCodeBase = 224;

// Block 2 fields.
constexpr unsigned kTypeShift = 12;
constexpr unsigned kTrafficProgrammeShift = 10;
constexpr unsigned kProgrammeTypeShift = 5;
constexpr std::uint8_t kProgrammeTypeMask = 0x1F;
constexpr unsigned kTrafficAnnouncementShift = 4;
constexpr unsigned kMusicSpeechShift = 3;
constexpr unsigned kDecoderIdentificationShift = 2;
constexpr unsigned kRadiotextFlagShift = 4;
constexpr std::uint16_t kGroupTypeBits = 0xF800; // type and version; the rest is filled in here
constexpr std::uint8_t kLowBitsOfBlock2 = 0x1F;  // what a group's byte 4 may carry below the PTY

enum class GroupType : std::uint16_t { BasicTuning = 0, Radiotext = 2 };

std::uint16_t word(std::uint8_t high, std::uint8_t low) {
    return static_cast<std::uint16_t>((high << 8u) | low);
}

std::uint16_t programmeIdentification(const RegisterMemory& memory) {
    return word(at(memory, Register::PiHigh), at(memory, Register::PiLow));
}

std::uint16_t flag(bool on, unsigned shift) {
    return static_cast<std::uint16_t>((on ? 1u : 0u) << shift);
}

// TP and PTY sit at the same place in block 2 of every group.
std::uint16_t commonBlock2(const RegisterMemory& memory) {
    const unsigned pty = at(memory, Register::ProgrammeType) & kProgrammeTypeMask;
    return static_cast<std::uint16_t>(
        flag(bitSet(memory, Register::TrafficProgramme), kTrafficProgrammeShift) |
        (pty << kProgrammeTypeShift));
}

std::uint16_t typeBits(GroupType type) {
    return static_cast<std::uint16_t>(static_cast<unsigned>(type) << kTypeShift);
}

// The method A list: the count code first, then the frequencies, a filler making up the last pair.
// Codes that name no FM frequency are left out.
std::vector<std::uint8_t> afList(const RegisterMemory& memory) {
    std::vector<std::uint8_t> codes{kCountCodeBase};
    const std::size_t count = std::min<std::size_t>(at(memory, Register::AfCount), kMaxAfCodes);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t code = at(memory, Register::AfCodes, i);
        if (code >= kFirstFrequencyCode && code <= kLastFrequencyCode) {
            codes.push_back(code);
        }
    }
    codes.front() = static_cast<std::uint8_t>(kCountCodeBase + codes.size() - 1);
    if (codes.size() % 2 != 0) {
        codes.push_back(kFillerCode);
    }
    return codes;
}

std::size_t radiotextSegments(const RegisterMemory& memory) {
    for (std::size_t i = 0; i < kRadiotextLength; ++i) {
        if (at(memory, Register::RadiotextText, i) == kCarriageReturn) {
            return i / kRadiotextSegmentLength + 1;
        }
    }
    return kRadiotextLength / kRadiotextSegmentLength;
}

} // namespace

RdsGroup GroupBuilder::basicTuning(const RegisterMemory& memory, const DynamicPsDisplay::Label& label) {
    const unsigned segment = m_psSegment;
    m_psSegment = (m_psSegment + 1) % kPsSegments;
    // The DI bits go out one per segment, d3 (dynamic PTY) first and d0 (stereo) last.
    const bool di = ((at(memory, Register::DecoderIdentification) >> (kPsSegments - 1 - segment)) & 1u) != 0;
    const std::uint16_t block2 = static_cast<std::uint16_t>(
        typeBits(GroupType::BasicTuning) | commonBlock2(memory) |
        flag(bitSet(memory, Register::TrafficAnnouncement), kTrafficAnnouncementShift) |
        flag(bitSet(memory, Register::MusicSpeech), kMusicSpeechShift) |
        flag(di, kDecoderIdentificationShift) | segment);

    const std::vector<std::uint8_t> afs = afList(memory);
    const std::size_t pairs = afs.size() / 2;
    const std::size_t pair = m_afPair % pairs;
    m_afPair = (pair + 1) % pairs;

    return {{programmeIdentification(memory), block2, word(afs[2 * pair], afs[2 * pair + 1]),
             word(label[2 * segment], label[2 * segment + 1])}};
}

RdsGroup GroupBuilder::radiotext(const RegisterMemory& memory) {
    const bool abFlag = bitSet(memory, Register::RadiotextControl, 1);
    if (m_rtFlag != abFlag) {
        m_rtFlag = abFlag;
        m_rtSegment = 0;
    }
    const unsigned segment = static_cast<unsigned>(m_rtSegment % radiotextSegments(memory));
    m_rtSegment = static_cast<unsigned>((segment + 1) % radiotextSegments(memory));
    const std::size_t first = segment * kRadiotextSegmentLength;
    const auto character = [&](std::size_t i) { return at(memory, Register::RadiotextText, first + i); };
    const std::uint16_t block2 = static_cast<std::uint16_t>(
        typeBits(GroupType::Radiotext) | commonBlock2(memory) | flag(abFlag, kRadiotextFlagShift) | segment);
    return {{programmeIdentification(memory), block2, word(character(0), character(1)),
             word(character(2), character(3))}};
}

RdsGroup GroupBuilder::fromBytes(const RegisterMemory& memory, Register typeByte) {
    const auto byte = [&](std::size_t i) { return at(memory, typeByte, i); };
    const std::uint16_t block2 = static_cast<std::uint16_t>(
        (word(byte(0), 0) & kGroupTypeBits) | commonBlock2(memory) | (byte(1) & kLowBitsOfBlock2));
    RdsGroup group{{programmeIdentification(memory), block2, word(byte(2), byte(3)), word(byte(4), byte(5))}};
    if (group.versionB()) {
        group.blocks[2] = group.blocks[0]; // a version B group repeats the PI in block 3
    }
    return group;
}

bool GroupBuilder::radiotextOn(const RegisterMemory& memory) {
    return bitSet(memory, Register::RadiotextControl);
}

bool GroupBuilder::userGroupOn(const RegisterMemory& memory) {
    return bitSet(memory, Register::UserGroupEnable);
}

} // namespace korvel::kxio
