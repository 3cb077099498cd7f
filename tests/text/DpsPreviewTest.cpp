#include "text/DpsPreview.h"

#include "model/StationSettings.h"
#include "text/DynamicPs.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace korvel::text {
namespace {

using std::chrono::milliseconds;
using Labels = std::vector<std::string>;

const std::string kPs = "KORVEL  "; // PSDEF as the display shows it
const std::string kBlank(8, ' ');

struct Timing {
    bool high = true;           // RGDLD "High"
    double labelPeriod_s = 2.5; // SEDPSLP
    double delay_s = 21.6;      // SEDPS1DL
};

class DpsPreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_settings.setText("PSDEF", "KORVEL");
        m_settings.setFlag("DPS1EN", true);
    }

    // Mode 0 lays the text into the grid, 8 characters a row; then the preview is reset.
    void start(int mode, const std::string& text, const Timing& timing) {
        m_settings.setChoice("RGDPS1M", mode);
        for (std::size_t row = 0; row < 9; ++row) {
            const bool used = mode == 0 && row * 8 < text.size();
            m_settings.setCell("DPS1", static_cast<int>(row), 0, used ? text.substr(row * 8, 8) : "");
        }
        m_settings.setText("DPS1B", mode == 0 ? "" : text);
        m_settings.setChoice("RGDLD", timing.high ? 0 : 1);
        m_settings.setDecimal("SEDPSLP", timing.labelPeriod_s);
        m_settings.setDecimal("SEDPS1DL", timing.delay_s);
        m_preview.ResetPreview();
    }

    Labels tick(std::size_t count) {
        Labels shown;
        for (std::size_t i = 0; i < count; ++i) {
            m_preview.TimerPreviewTimer();
            shown.push_back(m_settings.text("LP"));
        }
        return shown;
    }

    model::StationSettings m_settings;
    DynamicPs m_dps{m_settings};
    DpsPreview m_preview{m_settings, m_dps};
};

TEST_F(DpsPreviewTest, ShowsTheLabelSequenceOfEachMode) {
    struct Case {
        int mode;
        std::string text;
        Timing timing;
        std::vector<std::pair<std::string, int>> runs; // each label and for how many ticks
    };
    const Timing high{};
    const Timing low{false, 2.5, 21.6};
    const Timing quick{true, 0.5, 21.6};
    // clang-format off
    const Case cases[] = {
        {0, "RADIO   NEWS", high, {{kPs, 5}, {"RADIO   ", 5}, {"NEWS    ", 5}, {kPs, 40}, {"RADIO   ", 1}}},
        {1, "ABCDEFGHIJ", high, {{kPs, 5}, {"ABCDEFGH", 1}, {"BCDEFGHI", 1}, {"CDEFGHIJ", 1}, {kPs, 40}, {"ABCDEFGH", 1}}},
        {1, "ABCDEFGHIJ", low, {{kPs, 5}, {"ABCDEFGH", 2}, {"BCDEFGHI", 2}, {"CDEFGHIJ", 2}, {kPs, 40}}},
        {1, "ABCDEFGH", low, {{kPs, 5}, {"ABCDEFGH", 2}, {kPs, 40}, {"ABCDEFGH", 1}}},
        {1, "HI", high, {{kPs, 5}, {"HI      ", 1}, {kPs, 40}}},
        {3, "AB", high, {{kPs, 5}, {kBlank, 1}, {"       A", 1}, {"      AB", 1}, {"     AB ", 1}, {"    AB  ", 1},
                         {"   AB   ", 1}, {"  AB    ", 1}, {" AB     ", 1}, {"AB      ", 1}, {"B       ", 1},
                         {kBlank, 1}, {kPs, 40}, {kBlank, 1}}},
        {2, "THE QUICK BROWN FOX", quick, {{kPs, 5}, {"THE     ", 1}, {"QUICK   ", 1}, {"BROWN   ", 1}, {"FOX     ", 1},
                                           {kPs, 40}, {"THE     ", 1}}},
        {2, "THE QUICK", high, {{kPs, 5}, {"THE     ", 5}, {"QUICK   ", 5}, {kPs, 40}}},
        {2, "ABCDEFGHIJK", quick, {{kPs, 5}, {"ABCDEFGH", 1}, {"IJK     ", 1}, {kPs, 40}}},
        {2, "HELLO WORLD AB", quick, {{kPs, 5}, {"HELLO   ", 1}, {"WORLD AB", 1}, {kPs, 40}}},
        {2, "ABCDEFGH IJ", quick, {{kPs, 5}, {"ABCDEFGH", 1}, {"IJ      ", 1}, {kPs, 40}}},
        // No delay: the loops follow each other in the same tick; a short one starts the first loop early.
        {1, "ABCDEFGHIJ", {true, 2.5, 0.0}, {{"ABCDEFGH", 1}, {"BCDEFGHI", 1}, {"CDEFGHIJ", 1}, {"ABCDEFGH", 1}}},
        {0, "RADIO", {true, 0.5, 2.7}, {{kPs, 4}, {"RADIO   ", 1}, {kPs, 5}, {"RADIO   ", 1}}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        start(c.mode, c.text, c.timing);
        Labels expected;
        for (const auto& [label, ticks] : c.runs) {
            expected.insert(expected.end(), static_cast<std::size_t>(ticks), label);
        }
        EXPECT_EQ(tick(expected.size()), expected);
    }
}

TEST_F(DpsPreviewTest, ShowsTheStaticPsWhenOffOrEmpty) {
    m_settings.setText("PSDEF", "LONGER THAN EIGHT"); // a settings file may hold more
    m_settings.setFlag("CBRTEN", true);
    m_settings.setFlag("DPS1EN", false);
    start(1, "ABCDEFGHIJ", {true, 2.5, 0.0});
    EXPECT_EQ(tick(3), Labels(3, "LONGER T"));
    EXPECT_EQ(m_settings.interval("TimerPreview"), milliseconds{500});
    m_settings.setFlag("DPS1EN", true); // nothing moved while off: the first loop still lies ahead
    EXPECT_EQ(tick(1), Labels{"ABCDEFGH"});

    m_settings.setInterval("TimerPreview", milliseconds{500});
    start(2, "", {});
    EXPECT_EQ(tick(2), Labels(2, "LONGER T"));
    EXPECT_EQ(m_settings.interval("TimerPreview"), milliseconds{500});
}

TEST_F(DpsPreviewTest, TickPeriodGrowsWithRadiotextAndUserGroup) {
    const std::pair<std::pair<bool, bool>, int> cases[] = {
        {{false, false}, 350}, {{true, false}, 437}, {{false, true}, 437}, {{true, true}, 524}};
    start(2, "HELLO", {});
    for (const auto& [groups, period_ms] : cases) {
        m_settings.setFlag("CBRTEN", groups.first);
        m_settings.setFlag("CBUDGEN", groups.second);
        m_preview.TimerPreviewTimer();
        EXPECT_EQ(m_settings.interval("TimerPreview"), milliseconds{period_ms});
    }
}

TEST_F(DpsPreviewTest, TimingChangesActOnTheRunningLoop) {
    start(1, "ABCDEFGHIJ", {false, 2.5, 21.6});
    EXPECT_EQ(tick(6).back(), "ABCDEFGH");
    m_settings.setChoice("RGDLD", 0);
    m_preview.RGDLDClick();
    EXPECT_EQ(tick(3), (Labels{"BCDEFGHI", "CDEFGHIJ", kPs}));
    // A delay shortened below the ticks already waited starts the next loop at once.
    EXPECT_EQ(tick(10).back(), kPs);
    m_settings.setDecimal("SEDPS1DL", 2.7);
    m_preview.updateDelay();
    EXPECT_EQ(tick(1), Labels{"ABCDEFGH"});

    start(0, "RADIO   NEWS", {true, 2.5, 21.6});
    EXPECT_EQ(tick(6).back(), "RADIO   ");
    m_settings.setDecimal("SEDPSLP", 0.5);
    m_preview.SEDPSLPChange();
    EXPECT_EQ(tick(2), (Labels{"NEWS    ", kPs}));
}

TEST_F(DpsPreviewTest, TextChangesShowAfterARestart) {
    start(1, "ABCDEFGHIJ", {true, 2.5, 0.0});
    m_settings.setText("DPS1B", "KLMNOPQRS");
    EXPECT_EQ(tick(2), (Labels{"ABCDEFGH", "BCDEFGHI"}));
    m_preview.LPDblClick();
    EXPECT_EQ(tick(2), (Labels{"KLMNOPQR", "LMNOPQRS"}));
}

} // namespace
} // namespace korvel::text
