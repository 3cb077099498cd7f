#include "text/TitleCleanup.h"

#include "model/StationSettings.h"
#include "text/CodePage.h"

#include <gtest/gtest.h>
#include <string>

namespace korvel::text {
namespace {

struct Options {
    bool numbering = false; // CBRSN
    bool brackets = false;  // CBREIB
    bool capitals = false;  // CBCTC
};

struct Case {
    Options options;
    std::string title;
    std::string expected;
};

class TitleCleanupTest : public ::testing::Test {
protected:
    void choose(const Options& options) {
        m_settings.setFlag("CBRSN", options.numbering);
        m_settings.setFlag("CBREIB", options.brackets);
        m_settings.setFlag("CBCTC", options.capitals);
    }

    void check(const CodePage& codePage, const Case& c) {
        const TitleCleanup cleanup(m_settings, codePage);
        choose(c.options);
        EXPECT_EQ(cleanup.CharReplace(c.title), c.expected)
            << "title '" << c.title << "' numbering " << c.options.numbering << " brackets "
            << c.options.brackets << " capitals " << c.options.capitals;
    }

    model::StationSettings m_settings;
    CodePage m_western{1252};
    CodePage m_centralEuropean{1250};
};

constexpr Options kNumbering{true, false, false};
constexpr Options kBrackets{false, true, false};
constexpr Options kCapitals{false, false, true};
constexpr Options kAll{true, true, true};

TEST_F(TitleCleanupTest, RemovesTrackNumbers) {
    const Case cases[] = {
        {kNumbering, "12. Title", "Title"},
        {kNumbering, "(03) Title", "Title"},
        {kNumbering, "7-Title", "Title"},
        {kNumbering, "05 - Title", "Title"},
        {kNumbering, "1. - Title", "Title"}, // ". - " is tried before ". "
        {kNumbering, "1 -Title", "Title"},
        {kNumbering, "123.-Title", "Title"},
        {kNumbering, "12. ", ""},                   // numbering only
        {kNumbering, "1234 Title", "1234 Title"},   // a fourth digit stays, no separator follows
        {kNumbering, "1234. Title", "1234. Title"}, // likewise
        {kNumbering, "Track 5", "Track 5"},
        {kNumbering, "12", "12"},
        {kNumbering, "1-", "1-"}, // two characters: too short to lose a number
        {kNumbering, "12-", ""},  // three characters: the shortest title that does
        {kNumbering, "1-A", "A"}, // likewise
        {kNumbering, "- Title", "- Title"},
        {kNumbering, "9 Title", "9 Title"},
        {kNumbering, "(Intro) Song", "(Intro) Song"}, // the "(" goes only with a number
        {Options{}, "12. Title", "12. Title"},
    };
    for (const auto& c : cases) {
        check(m_western, c);
    }
}

TEST_F(TitleCleanupTest, RemovesTheLastBracketedRemark) {
    const Case cases[] = {
        {kBrackets, "Song (Radio Edit)", "Song"},
        {kBrackets, "Song (Live) Remix", "Song  Remix"},
        {kBrackets, "Song(Mix)", "Song"},
        {kBrackets, "Hit (x)", "Hit"},
        {kBrackets, "(Intro) Song", "(Intro) Song"},
        {kBrackets, "(Mix)", "(Mix)"}, // brackets only: the "(" at the start is not found
        {kBrackets, "Hit ()", "Hit ()"},
        {kBrackets, "A (B) (C)", "A (B)"},
        {kBrackets, "(B)", "(B)"},
        {Options{}, "Song (Radio Edit)", "Song (Radio Edit)"},
    };
    for (const auto& c : cases) {
        check(m_western, c);
    }
}

TEST_F(TitleCleanupTest, AppliesTheOptionsInTheirFixedOrder) {
    const Case cases[] = {
        {kAll, "12. Velmora - Catch (Vocal Mix)", "VELMORA - CATCH"},
        // Numbering first leaves "(Live)", whose "(" opens the text and so is not found.
        {Options{true, true, false}, "12. (Live)", "(Live)"},
        {kAll, "", ""},
        {kNumbering, "", ""},
        {kBrackets, "", ""},
        {kCapitals, "", ""},
    };
    for (const auto& c : cases) {
        check(m_western, c);
    }
}

TEST_F(TitleCleanupTest, CapitalsFollowTheDesktopCodePage) {
    // é ÿ š œ become É Ÿ Š Œ; ß and µ have no capital in 1252; ¹ ³ are no letters there.
    check(m_western,
          {kCapitals, "caf\xE9 \xFF\x9A\x9C \xDF\xB5 \xB9\xB3", "CAF\xC9 \x9F\x8A\x8C \xDF\xB5 \xB9\xB3"});
    // In 1250 the same bytes 0xB9 0xB3 are ą ł; ž ť ů ň ő č and the dot above (0xFF).
    check(m_centralEuropean,
          {kCapitals, "\x9E\x9D\xF9\xF2\xF5\xE8 \xB9\xB3 \xFF", "\x8E\x8D\xD9\xD2\xD5\xC8 \xA5\xA3 \xFF"});
    check(m_centralEuropean,
          {kAll, "01. \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2 (remix)", "\x8ELU\x8DOU\xC8K\xDD K\xD9\xD2"});
}

TEST_F(TitleCleanupTest, ExampleShowsTheSampleTitleCleanedUp) {
    const Case cases[] = {
        {Options{false, false, false}, "", "12. Velmora - Catch (Vocal Mix)"},
        {Options{true, false, false}, "", "Velmora - Catch (Vocal Mix)"},
        {Options{false, true, false}, "", "12. Velmora - Catch"},
        {Options{true, true, false}, "", "Velmora - Catch"},
        {Options{false, false, true}, "", "12. VELMORA - CATCH (VOCAL MIX)"},
        {Options{true, false, true}, "", "VELMORA - CATCH (VOCAL MIX)"},
        {Options{false, true, true}, "", "12. VELMORA - CATCH"},
        {Options{true, true, true}, "", "VELMORA - CATCH"},
    };
    TitleCleanup cleanup(m_settings, m_western);
    for (const auto& c : cases) {
        choose(c.options);
        cleanup.GBMOClick();
        EXPECT_EQ(m_settings.text("STEXMP"), c.expected);
    }
}

} // namespace
} // namespace korvel::text
