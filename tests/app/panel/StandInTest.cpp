#include "app/panel/Panel.h"
#include "fakes/ManualClock.h"
#include "fakes/PanelSurroundings.h"
#include "fakes/RecordingView.h"
#include "fakes/ScriptedDialogs.h"
#include "link/KxioLibrary.h"
#include "model/StationSettings.h"
#include "text/CodePage.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace korvel::app {
namespace {

// The panel against the stand-in encoder library the program ships with, on COM1, as an
// operator uses it: each device action a little more than a second after the one before.
class StandInTest : public ::testing::Test, protected fakes::PanelSurroundings<link::KxioLibrary> {
protected:
    void SetUp() override {
        m_image =
            std::filesystem::temp_directory_path() / ("korvel-standin-" + std::to_string(getpid()) + ".img");
        std::filesystem::remove(m_image);
        setenv("KXIO_IMAGE", m_image.c_str(), 1);
        panel = std::make_unique<Panel>(
            Panel::Services{codePage, '.', ':', library, dialogs, clock, {}, [](auto& s) {
                                s.setChoice("CBPORT", model::kFirstSerialPort);
                                s.setFlag("CBBI", true);
                            }});
        panel->FormCreate(view);
        ASSERT_EQ(settings().text("LS"), "Port COM1 opened");
    }
    void TearDown() override {
        EXPECT_TRUE(panel->FormClose());
        std::filesystem::remove(m_image);
    }

    model::StationSettings& settings() { return panel->settings(); }
    void press(model::ControlName button) {
        clock.advance(std::chrono::milliseconds(1100));
        panel->events().click(button);
    }

    // A station with a value in every register that Send writes.
    void fillStation() {
        auto& s = settings();
        s.setText("PI", "D3C4");
        s.setText("PSDEF", "KORVEL");
        s.setChoice("PTY", 26);
        s.setChecked("DI", 0, true);
        s.setChecked("DI", 2, true);
        s.setChoice("MS", 0);
        s.setFlag("TP", true);
        s.setCell("SGAF", 0, 1, "98.5");
        s.setCell("SGAF", 1, 1, "101.1");
        s.setText("RT1", "Korvel on air");
        s.setFlag("CBRTEN", true);
        s.setFlag("CBUDGEN", true);
        s.setChoice("CBGRTYP", 12);
        struct ByteText {
            model::ControlName name;
            const char* hex;
        };
        constexpr std::array<ByteText, 5> kBytes{
            {{"DB3", "1A"}, {"DB4", "B2"}, {"DB5", "C3"}, {"DB6", "D4"}, {"DB7", "E5"}}};
        for (const ByteText& byte : kBytes) {
            s.setText(byte.name, byte.hex);
        }
        s.setChoice("RGCS", 1);
        s.setDecimal("SEPHASE", 47.35);
        s.setFlag("DPS1EN", true);
        s.setChoice("RGDPS1M", 1);
        s.setText("DPS1B", "Listen to Korvel radio");
        s.setDecimal("SEDPS1DL", 5.4);
        s.setDecimal("SEDPSLP", 4.0);
        s.setChoice("RGDLD", 0);
    }

    // Every value that Send writes and Read brings back.
    std::vector<std::string> station() {
        auto& s = settings();
        std::vector<std::string> values{s.text("PI"),
                                        s.text("PSDEF"),
                                        std::to_string(s.choice("PTY")),
                                        std::to_string(s.choice("MS")),
                                        std::to_string(s.flag("TP")),
                                        std::to_string(s.flag("CBRTEN")),
                                        s.text("RT1"),
                                        std::to_string(s.flag("CBUDGEN")),
                                        std::to_string(s.choice("CBGRTYP")),
                                        std::to_string(s.choice("RGCS")),
                                        s.decimalText("SEPHASE"),
                                        std::to_string(s.flag("DPS1EN")),
                                        std::to_string(s.choice("RGDPS1M")),
                                        s.text("DPS1B"),
                                        s.decimalText("SEDPS1DL"),
                                        s.decimalText("SEDPSLP"),
                                        std::to_string(s.choice("RGDLD"))};
        for (int item = 0; item < 4; ++item) {
            values.push_back(std::to_string(s.checked("DI", item)));
        }
        for (const model::ControlName byte :
             {model::ControlName("DB3"), model::ControlName("DB4"), model::ControlName("DB5"),
              model::ControlName("DB6"), model::ControlName("DB7")}) {
            values.push_back(s.text(byte));
        }
        for (int row = 0; row < 15; ++row) {
            values.push_back(s.cell("SGAF", row, 1));
        }
        return values;
    }

    void clearStation() {
        const model::StationSettings::ReactionHold hold(settings());
        settings().reset();
    }

    std::unique_ptr<Panel> panel;

private:
    std::filesystem::path m_image;
};

TEST_F(StandInTest, SendThenReadGivesBackEverySettingSendWrote) {
    fillStation();
    const std::vector<std::string> sent = station();
    press("BSEND1");
    EXPECT_EQ(settings().text("StatusBar1"), "Ready");
    clearStation();
    press("BREC1");
    EXPECT_EQ(station(), sent);
}

TEST_F(StandInTest, StoreChangeResetAndReadGivesBackTheStoredData) {
    fillStation();
    press("BSEND1");
    press("BSTOR1");
    const std::vector<std::string> stored = station();
    settings().setText("PSDEF", "CHANGED");
    settings().setChoice("PTY", 3);
    press("BSEND1");
    press("BRESET");
    EXPECT_EQ(dialogs.questions.back(), "Reset the RDS encoder?");
    clearStation();
    press("BREC1");
    EXPECT_EQ(station(), stored);
}

TEST_F(StandInTest, ReadStatusAfterSwitchOffReportsTheCarrierOff) {
    press("BSWOFF");
    press("BSTAT");
    ASSERT_FALSE(dialogs.information.empty());
    EXPECT_NE(dialogs.information.back().find("RDS generator: Disabled"), std::string::npos);
    press("BSWON");
    press("BSTAT");
    EXPECT_NE(dialogs.information.back().find("RDS generator: Enabled"), std::string::npos);
}

TEST_F(StandInTest, ClockTimeLandsInItsRegisters) {
    clock.time = {
        .year = 2026, .month = 12, .day = 8, .hour = 10, .minute = 29, .second = 58, .utcOffset_min = 60};
    press("BSETCT"); // at 10:29:59.1: loads 10:30
    std::array<std::uint8_t, 256> block{};
    library.Receive(block.data(), 0x67, 7);
    EXPECT_EQ(std::vector<int>(block.begin() + 2, block.begin() + 9),
              (std::vector<int>{0x40, 0x01, 0xDF, 0x8C, 0x97, 0x82, 0}));
    clock.time.minute = 30;
    clock.time.second = 0;
    panel->events().tick("Timer3");
    library.Receive(block.data(), 0x67, 7);
    EXPECT_EQ(block[8], 1) << "the trigger";
    EXPECT_EQ(block[7] >> 6, 3) << "and the load of 10:31, whose minute ends the field";
}

} // namespace
} // namespace korvel::app
