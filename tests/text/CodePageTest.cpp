#include "text/CodePage.h"

#include "AllBytes.h"
#include "DesktopPages.h"
#include "IconvReference.h"

#include <array>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>
#include <string>

namespace korvel::text {
namespace {

class CodePageTest : public ::testing::Test {};

constexpr char32_t kFirstUndefinedByteCodePoint = CodePage::kUndefinedByteBase + 0x80;
constexpr char32_t kLastUndefinedByteCodePoint = CodePage::kUndefinedByteBase + 0xFF;

std::string pageName(int number) {
    return "CP" + std::to_string(number);
}

TEST_F(CodePageTest, ChoosesThePageFromTheLocaleName) {
    struct Case {
        const char* locale;
        int page;
    };
    const Case cases[] = {
        {"cs_CZ.UTF-8", 1250},
        {"pl_PL", 1250},
        {"sk_SK", 1250},
        {"hu_HU.UTF-8", 1250},
        {"sl_SI", 1250},
        {"hr_HR", 1250},
        {"ro_RO", 1250},
        {"sq_AL", 1250},
        {"bs_BA", 1250},
        {"cs_CZ@euro", 1250},
        {"CS_CZ", 1250},
        {"sr_RS@latin", 1250},
        {"sr_RS.UTF-8@latin", 1250},
        {"sr_RS.UTF-8", 1251},
        {"ru_RU.UTF-8", 1251},
        {"uk_UA", 1251},
        {"be_BY", 1251},
        {"bg_BG", 1251},
        {"mk_MK", 1251},
        {"kk_KZ", 1251},
        {"ky_KG", 1251},
        {"tt_RU", 1251},
        {"mn_MN", 1251},
        {"el_GR.UTF-8", 1253},
        {"tr_TR", 1254},
        {"az_AZ", 1254},
        {"lt_LT", 1257},
        {"lv_LV", 1257},
        {"et_EE", 1257},
        {"de_DE@euro", 1252},
        {"en_US.UTF-8", 1252},
        {"trv_TW", 1252},
        {"C", 1252},
        {"POSIX", 1252},
        {"", 1252},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CodePage::numberForLocale(c.locale), c.page) << c.locale;
    }
}

class LocaleEnvironmentTest : public ::testing::Test {
protected:
    static constexpr std::array<const char*, 3> kNames{"LC_ALL", "LC_CTYPE", "LANG"};

    void SetUp() override {
        for (std::size_t i = 0; i < kNames.size(); ++i) {
            if (const char* value = std::getenv(kNames[i])) {
                m_saved[i] = value;
            }
        }
    }
    void TearDown() override { set(m_saved); }

    static void set(const std::array<std::optional<std::string>, 3>& values) {
        for (std::size_t i = 0; i < kNames.size(); ++i) {
            if (values[i]) {
                setenv(kNames[i], values[i]->c_str(), 1);
            } else {
                unsetenv(kNames[i]);
            }
        }
    }

private:
    std::array<std::optional<std::string>, 3> m_saved;
};

TEST_F(LocaleEnvironmentTest, TakesTheFirstNonEmptyOfLcAllLcCtypeLang) {
    struct Case {
        std::array<std::optional<std::string>, 3> values; // LC_ALL, LC_CTYPE, LANG
        std::string expected;
    };
    const Case cases[] = {
        {{"pl_PL", "ru_RU", "de_DE"}, "pl_PL"},           {{"", "ru_RU", "de_DE"}, "ru_RU"},
        {{std::nullopt, "ru_RU", "de_DE"}, "ru_RU"},      {{"", "", "de_DE"}, "de_DE"},
        {{std::nullopt, std::nullopt, "el_GR"}, "el_GR"}, {{"", "", ""}, ""},
        {{std::nullopt, std::nullopt, std::nullopt}, ""},
    };
    for (const auto& c : cases) {
        set(c.values);
        EXPECT_EQ(CodePage::localeFromEnvironment(), c.expected);
    }
    set({"", "cs_CZ.UTF-8", "en_US"});
    EXPECT_EQ(CodePage::desktopNumber(), 1250);
}

TEST_F(CodePageTest, RefusesAPageIconvDoesNotKnow) {
    EXPECT_THROW(CodePage(99999), std::runtime_error);
    EXPECT_EQ(CodePage(1250).number(), 1250);
}

TEST_F(CodePageTest, MapsBytesOfWindows1252) {
    const CodePage page(1252);
    struct Case {
        std::uint8_t byte;
        std::optional<char32_t> character;
    };
    const Case cases[] = {
        {0x00, U'\0'},        {0x41, U'A'},      {0x7F, U'\x7F'},      {0x80, U'\u20AC'},
        {0x81, std::nullopt}, {0x82, U'\u201A'}, {0x8D, std::nullopt}, {0x8A, U'\u0160'},
        {0x9F, U'\u0178'},    {0xA3, U'\u00A3'}, {0xE9, U'\u00E9'},    {0xFF, U'\u00FF'},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(page.toUnicode(c.byte), c.character) << int{c.byte};
        if (c.character) {
            EXPECT_EQ(page.fromUnicode(*c.character), c.byte) << int{c.byte};
        }
    }
}

TEST_F(CodePageTest, MapsLettersOfWindows1250) {
    const CodePage page(1250);
    struct Case {
        std::uint8_t byte;
        char32_t character;
    };
    const Case cases[] = {
        {0x8A, U'\u0160'}, {0x8D, U'\u0164'}, {0x9A, U'\u0161'}, {0x9D, U'\u0165'}, {0xA3, U'\u0141'},
        {0xB9, U'\u0105'}, {0xC8, U'\u010C'}, {0xD8, U'\u0158'}, {0xE0, U'\u0155'}, {0xEC, U'\u011B'},
        {0xF2, U'\u0148'}, {0xF5, U'\u0151'}, {0xF9, U'\u016F'}, {0xFF, U'\u02D9'},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(page.toUnicode(c.byte), c.character) << int{c.byte};
        EXPECT_EQ(page.fromUnicode(c.character), c.byte) << int{c.byte};
    }
    EXPECT_EQ(page.toUnicode(0x81), std::nullopt);
    EXPECT_EQ(page.fromUnicode(U'\u00E0'), std::nullopt); // à: 0xE0 is ŕ here
    EXPECT_EQ(page.encode(U"Příliš žluťoučký kůň"), "P\xF8\xEDli\x9A \x9El"
                                                    "u\x9Do"
                                                    "u\xE8k\xFD k\xF9\xF2");
    EXPECT_EQ(page.decode("\x8A\x9A\xE8"), U"\u0160\u0161\u010D");
}

TEST_F(CodePageTest, UndefinedBytesSurviveDecodeAndEncode) {
    for (const int number : kDesktopPages) {
        const CodePage page(number);
        EXPECT_EQ(page.encode(page.decode(allBytes())), allBytes()) << number;
    }
    const CodePage page(1252);
    EXPECT_EQ(page.decode("a\x81"
                          "b\x90"),
              U"a\uF781b\uF790");
}

TEST_F(CodePageTest, EncodeRefusesACharacterThePageLacks) {
    const CodePage page(1252);
    EXPECT_EQ(page.encode(U"Caf\u00E9 \u20AC"), "Caf\xE9 \x80");
    EXPECT_EQ(page.encode(U"ab\u0416"), std::nullopt);
    // 0x80 is the euro sign here, so the C1 control U+0080 stands for no byte; nor does U+0081,
    // although 0x81 is undefined.
    EXPECT_EQ(page.encode(U"\u0080"), std::nullopt);
    EXPECT_EQ(page.encode(U"\u0081"), std::nullopt);
    EXPECT_EQ(page.encode(U""), "");
}

// Latin-1 characters whose byte number the page leaves undefined: refused, not sent as that byte.
TEST_F(CodePageTest, EncodeRefusesLatin1LettersOfOtherPages) {
    struct Case {
        int page;
        std::u32string text;
    };
    const Case cases[] = {
        {1253, U"\u00D2"}, // Ò: 0xD2 is undefined in Greek
        {1253, U"\u00AA"}, // ª: 0xAA likewise
        {1253, U"\u00FF"}, // ÿ: 0xFF likewise
        {1257, U"\u00A1"}, // ¡: 0xA1 is undefined in Baltic
        {1257, U"\u00A5"}, // ¥: 0xA5 likewise
    };
    for (const auto& c : cases) {
        const CodePage page(c.page);
        EXPECT_EQ(page.encode(c.text), std::nullopt) << c.page << " U+" << std::hex << int(c.text[0]);
        EXPECT_EQ(page.encode(U"ok" + c.text), std::nullopt) << c.page;
    }
}

// Every character of the Basic Multilingual Plane is encoded exactly as glibc iconv converts it to
// the page: the page's own characters to their bytes, nothing else at all. The private-use code
// points that stand for undefined bytes are checked on their own below.
TEST_F(CodePageTest, EncodeAgreesWithIconvOnEveryCharacter) {
    constexpr char32_t kLastCodePoint = 0xFFFF;
    constexpr char32_t kFirstSurrogate = 0xD800;
    constexpr char32_t kLastSurrogate = 0xDFFF;
    for (const int number : kDesktopPages) {
        const CodePage page(number);
        const IconvReference reference(pageName(number).c_str(), "UTF-32LE");
        const IconvReference decoder("UTF-32LE", pageName(number).c_str());
        int defined = 0;
        for (const char byte : allBytes()) {
            defined += decoder.convert(std::string(1, byte)) ? 1 : 0;
        }
        int accepted = 0;
        for (char32_t codePoint = 0; codePoint <= kLastCodePoint; ++codePoint) {
            if ((codePoint >= kFirstSurrogate && codePoint <= kLastSurrogate) ||
                (codePoint >= kFirstUndefinedByteCodePoint && codePoint <= kLastUndefinedByteCodePoint)) {
                continue;
            }
            const std::optional<std::string> expected = reference.convert(IconvReference::utf32le(codePoint));
            const std::optional<std::string> encoded = page.encode(std::u32string(1, codePoint));
            if (encoded != expected) {
                ADD_FAILURE() << "CP" << number << " U+" << std::hex << int(codePoint) << ": encode "
                              << ::testing::PrintToString(encoded) << ", iconv "
                              << ::testing::PrintToString(expected);
            }
            accepted += encoded ? 1 : 0;
        }
        // One character for each byte the page defines: the comparison above did not pass vacuously.
        EXPECT_EQ(accepted, defined) << number;
    }
}

// U+F780..U+F7FF stand for the bytes 0x80..0xFF that the page leaves undefined, and only for those:
// each decodes to its own code point and encodes back, a defined byte's code point is refused.
TEST_F(CodePageTest, PrivateUseCodePointsStandOnlyForUndefinedBytes) {
    for (const int number : kDesktopPages) {
        const CodePage page(number);
        const IconvReference reference("UTF-32LE", pageName(number).c_str());
        int undefined = 0;
        for (int b = 0x80; b <= 0xFF; ++b) {
            SCOPED_TRACE(::testing::Message() << "CP" << number << " byte 0x" << std::hex << b);
            const std::string byte(1, static_cast<char>(b));
            const bool defined = reference.convert(byte).has_value();
            const char32_t codePoint = CodePage::kUndefinedByteBase + static_cast<char32_t>(b);
            EXPECT_EQ(page.encode(std::u32string(1, codePoint)),
                      defined ? std::nullopt : std::optional(byte));
            EXPECT_EQ(page.decode(byte) == std::u32string(1, codePoint), !defined);
            undefined += defined ? 0 : 1;
        }
        EXPECT_GT(undefined, 0) << number;
    }
}

} // namespace
} // namespace korvel::text
