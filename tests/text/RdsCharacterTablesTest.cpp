#include "text/RdsCharacterTables.h"

#include "DesktopPages.h"
#include "IconvReference.h"
#include "text/CodePage.h"
#include "text/RdsConversion.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <locale.h>
#include <set>
#include <string>
#include <wctype.h>

namespace korvel::text {
namespace {

TEST(RdsCharacterTablesTest, EbuLatinCodesAscendWithoutGaps) {
    for (std::size_t i = 0; i < kEbuLatinTable.size(); ++i) {
        EXPECT_EQ(kEbuLatinTable[i].code, 0x80 + i);
    }
}

// Primaries and alternatives together: a character listed twice would be sent as one of its codes
// only, and a code would come back as a character that is not its own.
TEST(RdsCharacterTablesTest, EbuLatinCharactersAreUnique) {
    std::set<char16_t> characters;
    for (const auto& entry : kEbuLatinTable) {
        EXPECT_NE(entry.primary, 0) << int{entry.code};
        EXPECT_TRUE(characters.insert(entry.primary).second) << int{entry.code};
        if (entry.alternative != 0) {
            EXPECT_TRUE(characters.insert(entry.alternative).second) << int{entry.code};
        }
    }
}

TEST(RdsCharacterTablesTest, EveryEbuLatinCharacterLooksUpToItsOwnCode) {
    for (const auto& entry : kEbuLatinTable) {
        for (const char16_t character : {entry.primary, entry.alternative}) {
            if (character == 0) {
                continue;
            }
            const RdsLookup lookup = RdsConversion::ebuLatinLookup(character);
            EXPECT_TRUE(lookup.found) << int{entry.code};
            EXPECT_EQ(lookup.code, entry.code) << "U+" << std::hex << int{character};
        }
    }
}

// A desktop byte whose character is one of E.1 goes out as that code and comes back as the same
// byte, on every desktop page. Only primaries: an alternative comes back as its code's primary.
TEST(RdsCharacterTablesTest, EveryDesktopPageGetsItsEbuLatinCharactersBack) {
    for (const int number : kDesktopPages) {
        const CodePage page(number);
        const RdsConversion conversion(page);
        int checked = 0;
        for (int b = 0x80; b <= 0xFF; ++b) {
            const auto character = page.toUnicode(static_cast<std::uint8_t>(b));
            const bool inTable = character && std::any_of(kEbuLatinTable.begin(), kEbuLatinTable.end(),
                                                          [&](const EbuLatinEntry& entry) {
                                                              return entry.primary == *character;
                                                          });
            if (!inTable) {
                continue;
            }
            const std::string byte(1, static_cast<char>(b));
            const std::string rds = conversion.AnsiToRDS(byte, AnsiConversion::EbuLatin);
            EXPECT_EQ(conversion.RDSToAnsi(rds, AnsiConversion::EbuLatin), byte)
                << "CP" << number << " byte 0x" << std::hex << b << " sent as 0x"
                << int{static_cast<std::uint8_t>(rds[0])};
            ++checked;
        }
        EXPECT_GT(checked, 0) << number;
    }
}

// E.1 keeps a letter's capital and small forms in matching places: the rows 0x80 and 0x90 hold
// small letters whose capitals stand in the rows 0xC0 and 0xD0, and so on. Unicode's case mapping
// (glibc's C.UTF-8) is the independent judge.
TEST(RdsCharacterTablesTest, EbuLatinCapitalsAndSmallLettersPairUp) {
    struct Pairs {
        std::uint8_t firstSmall;
        std::uint8_t firstCapital;
        std::uint8_t count;
    };
    // clang-format off
    const Pairs pairs[] = {
        {0x80, 0xC0, 10}, // á à é è í ì ó ò ú ù
        {0x90, 0xD0, 10}, // â ä ê ë î ï ô ö û ü
        {0x9A, 0x8A,  3}, // ñ ç ş
        {0x9D, 0xA4,  1}, // ğ
        {0x9F, 0x8F,  1}, // ĳ
        {0xDA, 0xCA,  6}, // ř č š ž đ ŀ
        {0xF0, 0xE0,  4}, // ã å æ œ
        {0xF5, 0xE5, 10}, // ý õ ø þ ŋ ŕ ć ś ź ŧ
    };
    // clang-format on
    const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    ASSERT_NE(locale, static_cast<locale_t>(nullptr));
    for (const auto& p : pairs) {
        for (int i = 0; i < p.count; ++i) {
            const auto small =
                static_cast<wint_t>(kEbuLatinTable[p.firstSmall + i - kEbuLatinFirstCode].primary);
            const auto capital =
                static_cast<wint_t>(kEbuLatinTable[p.firstCapital + i - kEbuLatinFirstCode].primary);
            EXPECT_EQ(towupper_l(small, locale), capital) << "code 0x" << std::hex << p.firstSmall + i;
            EXPECT_EQ(towlower_l(capital, locale), small) << "code 0x" << std::hex << p.firstCapital + i;
        }
    }
    freelocale(locale);
}

// Some rows of E.1 as the standard prints them, typed as glyphs (UTF-8 source text) and decoded by
// iconv, so the table's code points are checked against the characters and not against themselves.
TEST(RdsCharacterTablesTest, EbuLatinRowsMatchTheirPrintedGlyphs) {
    struct Row {
        std::uint8_t firstCode;
        std::string glyphs; // sixteen characters
    };
    // clang-format off
    const Row rows[] = {
        {0x80, "áàéèíìóòúùÑÇŞß¡Ĳ"},
        {0x90, "âäêëîïôöûüñçşğıĳ"},
        {0xB0, "º¹²³±İńűµ¿÷°¼½¾§"},
        {0xC0, "ÁÀÉÈÍÌÓÒÚÙŘČŠŽĐĿ"},
        {0xD0, "ÂÄÊËÎÏÔÖÛÜřčšžđŀ"},
    };
    // clang-format on
    const IconvReference fromUtf8("UTF-32LE", "UTF-8");
    for (const auto& row : rows) {
        const auto utf32 = fromUtf8.convert(row.glyphs);
        ASSERT_TRUE(utf32.has_value());
        const std::u32string characters = IconvReference::fromUtf32le(*utf32);
        ASSERT_EQ(characters.size(), 16U) << "row 0x" << std::hex << int{row.firstCode};
        for (std::size_t i = 0; i < characters.size(); ++i) {
            const auto& entry = kEbuLatinTable[row.firstCode + i - kEbuLatinFirstCode];
            EXPECT_EQ(char32_t{entry.primary}, characters[i]) << "code 0x" << std::hex << int{entry.code};
        }
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
