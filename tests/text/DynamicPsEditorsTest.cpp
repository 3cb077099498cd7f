#include "text/DynamicPsEditors.h"

#include "model/StationSettings.h"
#include "text/DpsPreview.h"
#include "text/DynamicPs.h"

#include <gtest/gtest.h>
#include <string>

namespace korvel::text {
namespace {

class DynamicPsEditorsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_settings.setFlag("DPS1EN", true);
        m_settings.setDecimal("SEDPS1DL", 0.0); // loops back to back: a running preview stays running
        m_settings.setText("DPS1B", "FREE TEXT");
        m_settings.setCell("DPS1", 0, 0, "LABEL");
    }

    void runPreview() {
        m_preview.ResetPreview();
        m_preview.TimerPreviewTimer();
        ASSERT_TRUE(m_preview.running());
    }

    void expectEditors(bool grid, bool freeText) {
        EXPECT_EQ(m_settings.enabled("DPS1"), grid);
        EXPECT_EQ(m_settings.enabled("DPS1B"), freeText);
    }

    model::StationSettings m_settings;
    DynamicPs m_dps{m_settings};
    DpsPreview m_preview{m_settings, m_dps};
    DynamicPsEditors m_editors{m_settings, m_preview};
};

TEST_F(DynamicPsEditorsTest, ModeChoosesTheEditorAndRestartsThePreview) {
    struct Case {
        int mode;
        bool grid;
        DpsMode previewMode;
    };
    const Case cases[] = {{0, true, DpsMode::Fixed},
                          {1, false, DpsMode::Scrolling},
                          {2, false, DpsMode::WordAlignment},
                          {3, false, DpsMode::SpaceSeparated}};
    for (const auto& c : cases) {
        runPreview();
        m_settings.setChoice("RGDPS1M", c.mode);
        m_editors.RGDPS1MClick();
        expectEditors(c.grid, !c.grid);
        EXPECT_EQ(m_settings.enabled("LM0"), c.grid) << "the labels follow their editors";
        EXPECT_EQ(m_settings.enabled("LM123"), !c.grid);
        EXPECT_FALSE(m_preview.running());
        EXPECT_EQ(m_preview.mode(), c.previewMode);
    }
}

TEST_F(DynamicPsEditorsTest, EditorsFollowTheModeAndLockWhileFedFromAFile) {
    struct Case {
        bool enabled;  // DPS1EN
        bool fromFile; // CBD1FF
        int mode;
        bool grid;
        bool freeText;
    };
    const Case cases[] = {{true, true, 0, false, false},  {true, true, 2, false, false},
                          {true, false, 0, true, false},  {true, false, 2, false, true},
                          {false, true, 0, true, false},  {false, true, 3, false, true},
                          {false, false, 1, false, true}, {false, false, 0, true, false}};
    for (const Case& c : cases) {
        m_settings.setFlag("DPS1EN", true);
        runPreview();
        m_settings.setChoice("RGDPS1M", c.mode);
        m_settings.setFlag("DPS1EN", c.enabled);
        m_settings.setFlag("CBD1FF", c.fromFile);
        m_editors.DPS1ENClick();
        SCOPED_TRACE(testing::Message() << c.enabled << c.fromFile << c.mode);
        expectEditors(c.grid, c.freeText);
        EXPECT_EQ(m_settings.enabled("LM0"), c.grid) << "the labels follow their editors";
        EXPECT_EQ(m_settings.enabled("LM123"), c.freeText);
        EXPECT_FALSE(m_preview.running());
    }
}

TEST_F(DynamicPsEditorsTest, LeavingAnEditorRestartsThePreview) {
    runPreview();
    m_editors.DPS1Exit();
    EXPECT_FALSE(m_preview.running());
    runPreview();
    m_editors.DPS1BExit();
    EXPECT_FALSE(m_preview.running());
}

TEST_F(DynamicPsEditorsTest, DelayChangeReachesThePreviewWithoutRestart) {
    runPreview();
    const std::pair<double, int> cases[] = {{688.5, 1275}, {685.8, 1270}, {21.6, 40}};
    for (const auto& [delay_s, ticks] : cases) {
        m_settings.setDecimal("SEDPS1DL", delay_s);
        m_editors.SEDPS1DLChange();
        EXPECT_EQ(m_preview.delayTicks(), ticks);
        EXPECT_TRUE(m_preview.running());
    }
}

TEST_F(DynamicPsEditorsTest, KeysInTheGrid) {
    struct Case {
        int row;
        std::string cell;
        char key;
        char keyAfter;
        int rowAfter;
    };
    constexpr char kEnter = DynamicPsEditors::kEnter;
    constexpr char kBackspace = DynamicPsEditors::kBackspace;
    const Case cases[] = {
        {0, "", kEnter, '\0', 1},
        {8, "FULLFULL", kEnter, '\0', 0},
        {3, "SEVEN78", 'X', 'X', 3},
        {3, "EIGHT678", 'X', '\0', 3},
        {3, "NINE56789", ' ', '\0', 3}, // a longer row from a settings file refuses keys too
        {3, "EIGHT678", kBackspace, kBackspace, 3},
    };
    for (const auto& c : cases) {
        m_settings.setCell("DPS1", c.row, 0, c.cell);
        char key = c.key;
        EXPECT_EQ(m_editors.DPS1KeyPress(c.row, key), c.rowAfter) << c.row << " " << c.cell;
        EXPECT_EQ(key, c.keyAfter) << c.row << " " << c.cell;
    }
}

} // namespace
} // namespace korvel::text
