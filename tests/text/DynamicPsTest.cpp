#include "text/DynamicPs.h"

#include "model/StationSettings.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace korvel::text {
namespace {

enum class Justify { None, Left, Center };

class DynamicPsTest : public ::testing::Test {
protected:
    void setGrid(const std::array<std::string, 9>& rows) {
        for (int row = 0; row < 9; ++row) {
            m_settings.setCell("DPS1", row, 0, rows[static_cast<std::size_t>(row)]);
        }
    }

    void setLayout(Justify justify, const std::string& customFill) {
        m_settings.setFlag(justify == Justify::None   ? model::ControlName("RBJUST0")
                           : justify == Justify::Left ? model::ControlName("RBJUST1")
                                                      : model::ControlName("RBJUST2"),
                           true);
        m_settings.setFlag(customFill.empty() ? model::ControlName("RBFILSP") : model::ControlName("RBFILCU"),
                           true);
        m_settings.setText("ECUSCH", customFill);
    }

    model::StationSettings m_settings;
    DynamicPs m_dps{m_settings};
};

TEST_F(DynamicPsTest, ComposesTheTextOfEachMode) {
    struct Case {
        int mode;
        std::array<std::string, 9> grid;
        std::string freeText;
        std::string expected;
    };
    std::string nineLabels;
    for (char c = '0'; nineLabels.size() < 72; ++c) {
        nineLabels += c;
    }
    const Case cases[] = {
        {0, {"RADIO", "", "NEWS"}, "IGNORED", "RADIO           NEWS    "},
        {0, {}, "IGNORED", ""},
        {0, {"", "", "", "", "", "", "", "", "LAST"}, "", std::string(64, ' ') + "LAST    "},
        {0, {"ABCDEFGHIJ"}, "", "ABCDEFGH"},
        {1, {"RADIO"}, "HELLO", "HELLO   "},
        {2, {"RADIO"}, "HELLO", "HELLO"},
        {3, {"RADIO"}, "HELLO", "HELLO"},
        {1, {"RADIO"}, "", ""},
        {1, {}, "ABCDEFGHI", "ABCDEFGHI"},
        {2, {}, nineLabels + "TOO LONG", nineLabels}, // a longer text from the settings file
    };
    for (const auto& c : cases) {
        m_settings.setChoice("RGDPS1M", c.mode);
        setGrid(c.grid);
        m_settings.setText("DPS1B", c.freeText);
        EXPECT_EQ(m_dps.GetDPSText(), c.expected) << "mode " << c.mode << " text " << c.freeText;
    }
}

TEST_F(DynamicPsTest, CutsOverlongGridRowsInTheGridToo) {
    m_settings.setChoice("RGDPS1M", 0);
    setGrid({"ABCDEFGHIJ", "SHORT"});
    EXPECT_EQ(m_dps.GetDPSText(), "ABCDEFGHSHORT   ");
    EXPECT_EQ(m_settings.cell("DPS1", 0), "ABCDEFGH");
    EXPECT_EQ(m_settings.cell("DPS1", 1), "SHORT");

    m_settings.setChoice("RGDPS1M", 1);
    setGrid({"ABCDEFGHIJ"});
    (void)m_dps.GetDPSText();
    EXPECT_EQ(m_settings.cell("DPS1", 0), "ABCDEFGHIJ"); // the grid is only read in mode 0
}

TEST_F(DynamicPsTest, JustifiesIntoRows) {
    struct Case {
        Justify justify;
        std::string fill; // empty: "Space"
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {Justify::Center, "", "HELLO WORLD", " HELLO   WORLD  "},
        {Justify::Left, "", "HELLO WORLD", "HELLO   WORLD"},
        {Justify::Center, "+", "HELLO WORLD", "+HELLO+++WORLD++"},
        {Justify::None, "", "HELLO WORLD", "HELLO WORLD"},
        {Justify::None, "+", "HELLO WORLD", "HELLO WORLD"},
        {Justify::Center, "", "ABCDEFGHI", "ABCDEFGH   I    "},
        {Justify::Left, "", "  LEADING spaces here", "LEADING spaces  here"},
        {Justify::Left, "", "ABCDEFGH ", "ABCDEFGH "},           // a lone last space is no leading space
        {Justify::Left, "", "A BCDEFGHIJ", "A       BCDEFGHIJ"}, // six insertions move the word on
        {Justify::Center, "", "", ""},
        {Justify::Center, "*", "", ""},
        // The fill takes whole rows only, and at most three spaces from the front.
        {Justify::None, "*", "ABCDEFGH        IJ", "ABCDEFGH********IJ"},
        {Justify::None, "*", "    AB  ", "*** AB**"},
        {Justify::Left, "*", "HELLO WORLD", "HELLO***WORLD"},
    };
    for (const auto& c : cases) {
        setLayout(c.justify, c.fill);
        EXPECT_EQ(m_dps.DPSJustify(c.text), c.expected) << "'" << c.text << "' fill '" << c.fill << "'";
    }
}

TEST_F(DynamicPsTest, CentresEachRowByHalfItsTrailingSpaces) {
    const std::string expected[] = {
        "ABCDEFGH", "ABCDEFG ", " ABCDEF ", " ABCDE  ", "  ABCD  ", "  ABC   ", "   AB   ", "   A    ",
    };
    setLayout(Justify::Center, "");
    for (std::size_t spaces = 0; spaces < 8; ++spaces) {
        const std::string word = std::string("ABCDEFGH").substr(0, 8 - spaces);
        EXPECT_EQ(m_dps.DPSJustify(word), expected[spaces]) << word;
    }
}

TEST_F(DynamicPsTest, EndsAnOverlongTextInDots) {
    // Twelve 5-letter words: wrapping gives each its own row, so the text outgrows 72 characters.
    std::string text;
    std::string left;
    std::string centred;
    for (char letter = 'A'; letter < 'A' + 12; ++letter) {
        const std::string word(5, letter);
        text += (text.empty() ? "" : " ") + word;
        if (letter < 'A' + 8) {
            left += word + "   ";
            centred += " " + word + "  ";
        }
    }
    // The ninth row keeps its place: centring skips it once the text is longer than 72.
    left += "IIIII...";
    centred += "IIIII...";
    setLayout(Justify::Left, "");
    EXPECT_EQ(m_dps.DPSJustify(text), left);
    setLayout(Justify::Center, "");
    EXPECT_EQ(m_dps.DPSJustify(text), centred);
    setLayout(Justify::None, "");
    EXPECT_EQ(m_dps.DPSJustify(text), text); // 71 characters: within the limit unwrapped
    EXPECT_EQ(m_dps.DPSJustify(text + " MMMMM"), text.substr(0, 69) + "...");
}

} // namespace
} // namespace korvel::text
