#include "text/RdsConversion.h"

#include "AllBytes.h"
#include "text/CodePage.h"

#include <gtest/gtest.h>
#include <string>

namespace korvel::text {
namespace {

constexpr AnsiConversion kModes[] = {AnsiConversion::None, AnsiConversion::SimilarBasic,
                                     AnsiConversion::EbuLatin};
constexpr AnsiConversion kConvertingModes[] = {AnsiConversion::SimilarBasic, AnsiConversion::EbuLatin};

// A desktop text and what it becomes in modes SimilarBasic and EbuLatin.
struct OutgoingCase {
    std::string desktop;
    std::string similarBasic;
    std::string ebuLatin;
};

// RDS bytes and the desktop text they become in modes SimilarBasic and EbuLatin alike.
struct IncomingCase {
    std::string rds;
    std::string desktop;
};

class RdsConversionTest : public ::testing::Test {
protected:
    static void checkOutgoing(const RdsConversion& conversion, const OutgoingCase& c) {
        SCOPED_TRACE(::testing::PrintToString(c.desktop));
        EXPECT_EQ(conversion.AnsiToRDS(c.desktop, AnsiConversion::SimilarBasic), c.similarBasic);
        EXPECT_EQ(conversion.AnsiToRDS(c.desktop, AnsiConversion::EbuLatin), c.ebuLatin);
    }

    static void checkIncoming(const RdsConversion& conversion, const IncomingCase& c) {
        SCOPED_TRACE(::testing::PrintToString(c.rds));
        for (const auto mode : kConvertingModes) {
            EXPECT_EQ(conversion.RDSToAnsi(c.rds, mode), c.desktop);
        }
    }

    CodePage m_western{1252};
    CodePage m_centralEuropean{1250};
};

TEST_F(RdsConversionTest, OutgoingWestern) {
    const RdsConversion conversion(m_western);
    const OutgoingCase cases[] = {
        {"Caf\xE9", "Cafe", "Caf\x82"},
        {"\x80", "\xA9", "\xA9"},       // euro: no similar letter, E.1 as fallback
        {"\xA3", "L", "\xAA"},          // pound: E.1 through the alternative column
        {"\x82", " ", " "},             // U+201A is in neither table
        {"\x83", " ", " "},             // ƒ likewise
        {"\xFF", "y", "y"},             // ÿ has no E.1 code
        {"\x81", "\x81", "\x81"},       // undefined in 1252: left alone
        {"\xB1", " ", "\xB4"},          // ± has a space in the similar table, which counts
        {"\xDF", "S", "\x8D"},          // ß
        {"\xB5", "u", "\xB8"},          // µ
        {"\x89", "\xA3", "\xA3"},       // ‰
        {"\xA0\xA4", " x", " x"},       // no-break space, currency sign
        {"\x8A\x9C", "So", "\xCC\xF3"}, // Š œ
        {"\xC0\xE0", "Aa", "\xC1\x81"}, // À à
        {"", "", ""},
    };
    for (const auto& c : cases) {
        checkOutgoing(conversion, c);
    }
}

TEST_F(RdsConversionTest, OutgoingCentralEuropean) {
    const RdsConversion conversion(m_centralEuropean);
    const OutgoingCase cases[] = {
        {"P\xF8\xEDli\x9A", "Prilis", "P\xDA\x84li\xDC"}, // Příliš
        {"\x9A\xE8\xD8", "scR", "\xDC\xDB\xCA"},          // š č Ř
        {"\xEC\xF2\xAA", "enS", "\xA5\xA6\x8C"},          // ě ň Ş
        {"\xF0\xF5\xFB", "dou", "\xDE\xA7\xB7"},          // đ ő ű
        {"\xA3\x8D\x9D", "LTt", "LTt"},                   // Ł Ť ť: no E.1 code
        {"\x80\xE9\xDF",
         "\xA9"
         "eS",
         "\xA9\x82\x8D"},                     // € é ß
        {"\xFF\x84", "  ", "  "},             // ˙ „ in neither table
        {"\x81\x98", "\x81\x98", "\x81\x98"}, // undefined in 1250
    };
    for (const auto& c : cases) {
        checkOutgoing(conversion, c);
    }
}

TEST_F(RdsConversionTest, IncomingWestern) {
    const RdsConversion conversion(m_western);
    const IncomingCase cases[] = {
        {"Caf\x82", "Caf\xE9"},
        {"\xA9\x8D\xB8", "\x80\xDF\xB5"}, // € ß µ: primary characters
        {"\xAA", "?"},                    // ₤ is missing; the alternative £ is not used
        {"\xA1\xFE\xCA", "???"},          // α ŧ Ř are missing
        {"\xCC\xDC\xE3", "\x8A\x9A\x8C"}, // Š š Œ
        {"\xA3\xB4\xAB", "\x89\xB1$"},    // ‰ ± $
        {"\xFF", "\xFF"},
        {"", ""},
    };
    for (const auto& c : cases) {
        checkIncoming(conversion, c);
    }
}

TEST_F(RdsConversionTest, IncomingCentralEuropean) {
    const RdsConversion conversion(m_centralEuropean);
    const IncomingCase cases[] = {
        {"P\xDA\x84li\xDC", "P\xF8\xEDli\x9A"}, // Příliš
        {"\xDB\xCA\xA5", "\xE8\xD8\xEC"},       // č Ř ě
        {"\x8C\xFA\x82", "\xAA\xE0\xE9"},       // Ş ŕ é
        {"\xA9\x8D", "\x80\xDF"},               // € ß
        {"\x81\xEE\xA1", "???"},                // à Ŧ α are missing
        {"\xFF", "\xFF"},
    };
    for (const auto& c : cases) {
        checkIncoming(conversion, c);
    }
}

TEST_F(RdsConversionTest, AsciiAndLengthAreKeptInEveryMode) {
    const std::string bytes = allBytes();
    const std::string ascii = bytes.substr(0, 0x80);
    for (const CodePage* page : {&m_western, &m_centralEuropean}) {
        const RdsConversion conversion(*page);
        for (const auto mode : kModes) {
            SCOPED_TRACE(static_cast<int>(mode));
            const std::string rds = conversion.AnsiToRDS(bytes, mode);
            const std::string ansi = conversion.RDSToAnsi(bytes, mode);
            ASSERT_EQ(rds.size(), bytes.size());
            ASSERT_EQ(ansi.size(), bytes.size());
            EXPECT_EQ(rds.substr(0, 0x80), ascii);
            EXPECT_EQ(ansi.substr(0, 0x80), ascii);
            EXPECT_EQ(ansi.back(), '\xFF');
        }
        EXPECT_EQ(conversion.AnsiToRDS(bytes, AnsiConversion::None), bytes);
        EXPECT_EQ(conversion.RDSToAnsi(bytes, AnsiConversion::None), bytes);
    }
}

TEST_F(RdsConversionTest, NeverSendsCodeFE) {
    const RdsConversion conversion(m_western);
    for (const auto mode : kConvertingModes) {
        EXPECT_EQ(RdsConversion::rdsCodeFor(U'ŧ', mode), 't');
        EXPECT_EQ(conversion.AnsiToRDS(allBytes(), mode).find('\xFE'), std::string::npos);
        for (char32_t u = 0x80; u < 0x3000; ++u) {
            ASSERT_NE(RdsConversion::rdsCodeFor(u, mode), 0xFE) << int(u);
        }
    }
    EXPECT_EQ(RdsConversion::rdsCodeFor(U'Ŧ', AnsiConversion::EbuLatin), 0xEE);
    EXPECT_EQ(RdsConversion::rdsCodeFor(U'Ŧ', AnsiConversion::SimilarBasic), 'T');
}

TEST_F(RdsConversionTest, Lookups) {
    struct Case {
        char32_t character;
        RdsLookup similar;
        RdsLookup ebuLatin;
    };
    const Case cases[] = {
        {U'\u009F', {false, ' '}, {false, ' '}}, {U'\u00A0', {true, ' '}, {false, ' '}},
        {U'£', {true, 'L'}, {true, 0xAA}},       {U'€', {false, ' '}, {true, 0xA9}},
        {U'₠', {false, ' '}, {true, 0xA9}},      {U'β', {false, ' '}, {true, 0x8D}},
        {U'μ', {false, ' '}, {true, 0xB8}},      {U'µ', {true, 'u'}, {true, 0xB8}},
        {U'ŧ', {true, 't'}, {true, 0xFE}},       {U'ſ', {true, 'S'}, {false, ' '}},
        {U'\u0180', {false, ' '}, {false, ' '}}, {U'Ж', {false, ' '}, {false, ' '}},
        {U'\0', {false, ' '}, {false, ' '}},     {U'$', {false, ' '}, {true, 0xAB}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.character));
        const RdsLookup similar = RdsConversion::similarBasicLookup(c.character);
        const RdsLookup ebuLatin = RdsConversion::ebuLatinLookup(c.character);
        EXPECT_EQ(similar.found, c.similar.found);
        EXPECT_EQ(similar.code, c.similar.code);
        EXPECT_EQ(ebuLatin.found, c.ebuLatin.found);
        EXPECT_EQ(ebuLatin.code, c.ebuLatin.code);
    }
}

} // namespace
} // namespace korvel::text
