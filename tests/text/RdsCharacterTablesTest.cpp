#include "text/RdsCharacterTables.h"

#include <gtest/gtest.h>
#include <set>

namespace korvel::text {
namespace {

TEST(RdsCharacterTablesTest, EbuLatinCodesAscendWithoutGaps) {
    for (std::size_t i = 0; i < kEbuLatinTable.size(); ++i) {
        EXPECT_EQ(kEbuLatinTable[i].code, 0x80 + i);
    }
}

TEST(RdsCharacterTablesTest, EbuLatinCharactersAreUnique) {
    std::set<char16_t> primaries;
    for (const auto& entry : kEbuLatinTable) {
        EXPECT_TRUE(primaries.insert(entry.primary).second) << int{entry.code};
    }
    for (const auto& entry : kEbuLatinTable) {
        EXPECT_EQ(primaries.count(entry.alternative), 0U) << int{entry.code};
    }
}

TEST(RdsCharacterTablesTest, ExactlyFourCodesHaveAnAlternative) {
    struct Alternative {
        std::uint8_t code;
        char16_t character;
    };
    const Alternative expected[] = {{0x8D, u'β'}, {0xA9, u'₠'}, {0xAA, u'£'}, {0xB8, u'μ'}};
    std::size_t found = 0;
    for (const auto& entry : kEbuLatinTable) {
        if (entry.alternative == 0) {
            continue;
        }
        ASSERT_LT(found, std::size(expected));
        EXPECT_EQ(entry.code, expected[found].code);
        EXPECT_EQ(entry.alternative, expected[found].character);
        ++found;
    }
    EXPECT_EQ(found, std::size(expected));
}

TEST(RdsCharacterTablesTest, EbuLatinEntriesOfEveryRow) {
    struct Entry {
        std::uint8_t code;
        char16_t primary;
    };
    const Entry samples[] = {
        {0x80, u'á'}, {0x8A, u'Ñ'}, {0x8D, u'ß'}, {0x8F, u'Ĳ'}, {0x93, u'ë'}, {0x9E, u'ı'}, {0xA3, u'‰'},
        {0xA9, u'€'}, {0xAA, u'₤'}, {0xAB, u'$'}, {0xAF, u'↓'}, {0xB1, u'¹'}, {0xB5, u'İ'}, {0xB8, u'µ'},
        {0xBF, u'§'}, {0xC0, u'Á'}, {0xCA, u'Ř'}, {0xCF, u'Ŀ'}, {0xD9, u'Ü'}, {0xDC, u'š'}, {0xDE, u'đ'},
        {0xE4, u'ŷ'}, {0xE9, u'Ŋ'}, {0xEE, u'Ŧ'}, {0xEF, u'ð'}, {0xF3, u'œ'}, {0xF8, u'þ'}, {0xFE, u'ŧ'},
    };
    for (const auto& sample : samples) {
        EXPECT_EQ(kEbuLatinTable[sample.code - 0x80].primary, sample.primary) << int{sample.code};
    }
}

TEST(RdsCharacterTablesTest, SimilarBasicEntriesOfEveryRow) {
    struct Entry {
        char32_t character;
        char similar;
    };
    const Entry samples[] = {
        {U'\u00A0', ' '}, {U'£', 'L'}, {U'©', 'C'}, {U'\u00AD', ' '}, {U'±', ' '}, {U'·', '.'},
        {U'¿', '?'},      {U'Æ', 'A'}, {U'Ç', 'C'}, {U'×', 'x'},      {U'Þ', 'b'}, {U'ß', 'S'},
        {U'ç', 'c'},      {U'ï', 'i'}, {U'÷', ':'}, {U'ÿ', 'y'},      {U'ā', 'a'}, {U'Ď', 'D'},
        {U'đ', 'd'},      {U'ğ', 'g'}, {U'Ħ', 'H'}, {U'ı', 'i'},      {U'ĵ', 'J'}, {U'ĸ', 'k'},
        {U'Ŀ', 'L'},      {U'ŉ', 'n'}, {U'Ŋ', 'N'}, {U'Œ', 'O'},      {U'ř', 'r'}, {U'Ţ', 'T'},
        {U'ŧ', 't'},      {U'ů', 'u'}, {U'Ŵ', 'W'}, {U'Ÿ', 'Y'},      {U'ž', 'z'}, {U'ſ', 'S'},
    };
    for (const auto& sample : samples) {
        EXPECT_EQ(kSimilarBasicTable[sample.character - 0xA0], sample.similar) << int(sample.character);
    }
}

TEST(RdsCharacterTablesTest, SimilarBasicCharactersArePrintableAscii) {
    for (const char similar : kSimilarBasicTable) {
        EXPECT_GE(similar, ' ');
        EXPECT_LE(similar, '~');
    }
}

} // namespace
} // namespace korvel::text
