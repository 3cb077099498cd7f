#include "text/RdsConversion.h"

#include "text/CodePage.h"
#include "text/RdsCharacterTables.h"

#include <algorithm>

namespace korvel::text {

namespace {

constexpr std::uint8_t kFirstNonAscii = 0x80;
// ŧ's code is never sent; the letter t stands in for it.
constexpr std::uint8_t kNeverSentCode = 0xFE;
constexpr std::uint8_t kNeverSentReplacement = 't';
// What a desktop code page that lacks a character gets instead: the usual substitute of code page
// conversions.
constexpr char kMissingCharacter = '?';

bool converts(AnsiConversion mode) {
    return mode == AnsiConversion::SimilarBasic || mode == AnsiConversion::EbuLatin;
}

template <typename Column> RdsLookup findInColumn(char32_t codePoint, Column column) {
    const auto match = std::find_if(kEbuLatinTable.begin(), kEbuLatinTable.end(), [&](const auto& entry) {
        return entry.*column != 0 && entry.*column == codePoint;
    });
    if (match == kEbuLatinTable.end()) {
        return {};
    }
    return {true, match->code};
}

} // namespace

RdsConversion::RdsConversion(const CodePage& codePage)
    : m_codePage(&codePage) {}

RdsLookup RdsConversion::similarBasicLookup(char32_t codePoint) {
    if (codePoint < kSimilarBasicFirst || codePoint > kSimilarBasicLast) {
        return {};
    }
    return {true, static_cast<std::uint8_t>(kSimilarBasicTable[codePoint - kSimilarBasicFirst])};
}

RdsLookup RdsConversion::ebuLatinLookup(char32_t codePoint) {
    const RdsLookup primary = findInColumn(codePoint, &EbuLatinEntry::primary);
    return primary.found ? primary : findInColumn(codePoint, &EbuLatinEntry::alternative);
}

std::uint8_t RdsConversion::rdsCodeFor(char32_t codePoint, AnsiConversion mode) {
    const bool ebuLatinFirst = mode == AnsiConversion::EbuLatin;
    RdsLookup result = ebuLatinFirst ? ebuLatinLookup(codePoint) : similarBasicLookup(codePoint);
    if (!result.found) {
        result = ebuLatinFirst ? similarBasicLookup(codePoint) : ebuLatinLookup(codePoint);
    }
    return result.code == kNeverSentCode ? kNeverSentReplacement : result.code;
}

std::string RdsConversion::AnsiToRDS(std::string_view text, AnsiConversion mode) const {
    std::string rds(text);
    if (!converts(mode)) {
        return rds;
    }
    for (char& c : rds) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte < kFirstNonAscii) {
            continue;
        }
        // A byte the code page leaves undefined (or decodes to U+0000) goes out unchanged.
        const auto codePoint = m_codePage->toUnicode(byte);
        if (codePoint && *codePoint != 0) {
            c = static_cast<char>(rdsCodeFor(*codePoint, mode));
        }
    }
    return rds;
}

std::string RdsConversion::RDSToAnsi(std::string_view text, AnsiConversion mode) const {
    std::string ansi(text);
    if (!converts(mode)) {
        return ansi;
    }
    for (char& c : ansi) {
        const auto code = static_cast<std::uint8_t>(c);
        if (code < kEbuLatinFirstCode || code > kEbuLatinLastCode) {
            continue;
        }
        // Only the primary character comes back; the alternatives are for the outgoing direction.
        const char16_t primary = kEbuLatinTable[code - kEbuLatinFirstCode].primary;
        const auto byte = m_codePage->fromUnicode(primary);
        c = byte ? static_cast<char>(*byte) : kMissingCharacter;
    }
    return ansi;
}

} // namespace korvel::text
