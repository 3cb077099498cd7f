#include "app/panel/Panel.h"

#include "app/panel/PanelFixture.h"
#include "fakes/ManualClock.h"
#include "fakes/PanelSurroundings.h"
#include "fakes/RecordingLibrary.h"
#include "fakes/RecordingView.h"
#include "fakes/ScriptedDialogs.h"
#include "fakes/TempFolder.h"
#include "model/StationSettings.h"
#include "settings/SettingsFile.h"
#include "text/CodePage.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace korvel::app {
namespace {

using std::chrono::milliseconds;

class PanelTest : public PanelFixture {};

// --- Start-up -------------------------------------------------------------------------------

TEST_F(PanelTest, ALoadedRotationStartsOnceWithTheLoadedInterval) {
    std::vector<std::pair<bool, milliseconds>> starts; // each time Timer2 starts running
    bool running = false;
    model::Subscription watch;
    start([&](model::StationSettings& s) {
        watch = s.subscribe("Timer2", [&](model::Aspect) {
            if (s.timerEnabled("Timer2") && !running) {
                starts.emplace_back(true, s.interval("Timer2"));
            }
            if (running && s.timerEnabled("Timer2")) {
                starts.emplace_back(false, s.interval("Timer2")); // a restart while running
            }
            running = s.timerEnabled("Timer2");
        });
        s.setFlag("RTSA", true);
        s.setFlag("CBRTEN", true);
        s.setDecimal("SERTSW", 2);
    });
    EXPECT_EQ(starts, (std::vector<std::pair<bool, milliseconds>>{{true, milliseconds(120000)}}));
}

struct LoadedCase {
    const char* name;
    Load load;
    std::function<void(Panel&, fakes::RecordingLibrary&)> check;
};

// Each loaded value is brought into line by its start-up step, since the reactions are held
// while loading.
TEST_F(PanelTest, StartUpAlignsTheControlsWithTheLoadedValues) {
    const LoadedCase cases[] = {
        {"manual radiotext types", [](auto& s) { s.setFlag("CBAUTO", false); },
         [](Panel& p, auto&) { EXPECT_TRUE(p.settings().enabled("CBRTT2")); }},
        {"automatic radiotext types", [](auto&) {},
         [](Panel& p, auto&) { EXPECT_FALSE(p.settings().enabled("CBRTT2")); }},
        {"saved port",
         [](auto& s) {
             s.setChoice("CBPORT", 3);
             s.setFlag("CBBI", true);
         },
         [](Panel& p, fakes::RecordingLibrary& l) {
             EXPECT_EQ(l.calls, (std::vector<std::string>{"ConnectionSetup(1,2,1,1)", "Connect"}));
             EXPECT_EQ(p.settings().text("LS"), "Port COM2 opened");
             EXPECT_TRUE(p.settings().enabled("BREC1"));
         }},
        {"mode 0", [](auto& s) { s.setChoice("RGDPS1M", 0); },
         [](Panel& p, auto&) {
             EXPECT_TRUE(p.settings().enabled("DPS1"));
             EXPECT_TRUE(p.settings().enabled("LM0"));
             EXPECT_FALSE(p.settings().enabled("DPS1B"));
         }},
        {"clean-up options", [](auto& s) { s.setFlag("CBCTC", true); },
         [](Panel& p, auto&) { EXPECT_EQ(p.settings().text("STEXMP"), "12. VELMORA - CATCH (VOCAL MIX)"); }},
        {"dynamic PS from a file",
         [](auto& s) {
             s.setFlag("DPS1EN", true);
             s.setFlag("CBD1FF", true);
         },
         [](Panel& p, auto&) {
             EXPECT_FALSE(p.settings().enabled("DPS1"));
             EXPECT_FALSE(p.settings().enabled("DPS1B"));
         }},
        {"radiotext from a file", [](auto& s) { s.setFlag("CBR1FF", true); },
         [](Panel& p, auto&) { EXPECT_FALSE(p.settings().enabled("RT1")); }},
        {"rotation interval", [](auto& s) { s.setDecimal("SERTSW", 0); },
         [](Panel& p, auto&) { EXPECT_EQ(p.settings().interval("Timer2"), milliseconds(30000)); }},
        {"label period", [](auto& s) { s.setDecimal("SEDPSLP", 5.0); },
         [](Panel& p, auto&) { EXPECT_EQ(p.preview().labelTicks(), 9); }},
        {"clock source", [](auto& s) { s.setChoice("RGCS", 1); },
         [](Panel& p, auto&) { EXPECT_TRUE(p.settings().enabled("SEPHASE")); }},
        {"stored skin picture", [](auto& s) { s.setText("LImageFile", "/srv/skins/studio.png"); },
         [](Panel& p, auto&) { EXPECT_EQ(p.settings().text("LOGO"), "/srv/skins/studio.png"); }},
        {"no skin picture", [](auto&) {}, [](Panel& p, auto&) { EXPECT_EQ(p.settings().text("LOGO"), ""); }},
        {"Fennel device", [](auto& s) { s.setChoice("RGHTYP", 0); },
         [](Panel& p, auto&) {
             EXPECT_TRUE(p.settings().visible("LHDES0"));
             EXPECT_FALSE(p.settings().visible("LHDES1a"));
         }},
        {"RBDS names", [](auto& s) { s.setChoice("RBPTYC", 1); },
         [](Panel& p, auto&) { EXPECT_EQ(p.settings().items("PTY").at(5), "Rock"); }},
        {"internal clock source", [](auto&) {},
         [](Panel& p, auto&) { EXPECT_FALSE(p.settings().enabled("SEPHASE")); }},
        {"group type", [](auto& s) { s.setChoice("CBGRTYP", 3); },
         [](Panel& p, auto&) { EXPECT_FALSE(p.settings().enabled("DB5")); }},
        {"PI", [](auto& s) { s.setText("PI", "c2"); },
         [](Panel& p, auto&) { EXPECT_EQ(p.settings().text("PI"), "00F2"); }},
        {"clock time was on", [](auto& s) { s.setCaption("BSETCT", "Start"); },
         [](Panel& p, fakes::RecordingLibrary& l) {
             EXPECT_EQ(p.settings().caption("BSETCT"), "Stop");
             EXPECT_TRUE(p.settings().timerEnabled("Timer3"));
             ASSERT_FALSE(l.writes.empty());
             EXPECT_EQ(l.writes.back().block.at(0), 0x67) << "the coming minute is loaded at once";
         }},
        {"clock time was off", [](auto&) {},
         [](Panel& p, auto&) {
             EXPECT_EQ(p.settings().caption("BSETCT"), "Start");
             EXPECT_FALSE(p.settings().timerEnabled("Timer3"));
             EXPECT_FALSE(p.settings().visible("LCT"));
         }},
    };
    for (const LoadedCase& c : cases) {
        SCOPED_TRACE(c.name);
        library.calls.clear();
        library.writes.clear();
        start(c.load);
        c.check(panel(), library);
    }
}

TEST_F(PanelTest, AFirstStartOpensOnTheHardwarePageWithVisibleMenuAndKeepAlive) {
    start();
    EXPECT_EQ(settings().choice("PageControl1"), model::kHardwarePage);
    EXPECT_EQ(settings().text("LS"), "Not connected");
    EXPECT_TRUE(settings().visible("Hide1"));
    EXPECT_FALSE(settings().visible("Show1"));
    EXPECT_TRUE(panel().transactions().KeepAliveActive());
    EXPECT_FALSE(settings().timerEnabled("Timer2"));
    EXPECT_EQ(settings().program().portIndex, model::kPortNone);
}

TEST_F(PanelTest, StartUpReadsTheSummerTimeAndCountsAsADeviceAction) {
    clock.time.daylightSaving = true;
    start();
    EXPECT_TRUE(settings().flag("STMEN"));
    panel().events().click("BSEND1");
    EXPECT_TRUE(library.writes.empty()) << "less than a second after start-up";
    clock.advance(std::chrono::seconds(1));
    panel().events().click("BSEND1");
    EXPECT_FALSE(library.writes.empty());
}

TEST_F(PanelTest, TheWindowHidesToTheTrayOnlyWhereThereIsOne) {
    struct Case {
        bool tray;
        bool startVisible;
        bool shown;
    };
    for (const Case& c : {Case{true, true, true}, Case{true, false, false}, Case{false, false, true}}) {
        SCOPED_TRACE(testing::Message() << "tray " << c.tray << ", saved visible " << c.startVisible);
        tray = c.tray;
        start([&c](auto& s) { s.program().startVisible = c.startVisible; });
        EXPECT_EQ(settings().visible("Form1"), c.shown);
        EXPECT_EQ(settings().visible("Hide1"), c.shown) << "the menu offers what can be done";
        EXPECT_EQ(settings().visible("Show1"), !c.shown);
        panel().events().click("Hide1");
        EXPECT_EQ(settings().visible("Form1"), !c.tray && c.shown) << "without a tray the window stays";
        panel().events().click("Show1");
        EXPECT_TRUE(settings().visible("Form1"));
        EXPECT_FALSE(settings().visible("Show1"));
    }
}

TEST_F(PanelTest, MinimisingGoesToTheTrayWithThatOptionAndATray) {
    struct Case {
        bool option;
        bool tray;
        bool hidden;
    };
    for (const Case& c : {Case{true, true, true}, Case{false, true, false}, Case{true, false, false}}) {
        tray = c.tray;
        start([&c](auto& s) { s.setFlag("CBMITR", c.option); });
        panel().events().click("Form1");
        EXPECT_EQ(settings().visible("Form1"), !c.hidden) << c.option << c.tray;
    }
}

TEST_F(PanelTest, HighPriorityAsksTheSystemAndReportsARefusal) {
    start();
    operatorSets([](auto& s) { s.setFlag("CBHPRI", true); });
    EXPECT_EQ(priorities, std::vector<bool>{true});
    EXPECT_EQ(settings().text("StatusBar1"), "Not connected") << "taken: nothing to say";
    refusePriority = true;
    operatorSets([](auto& s) { s.setFlag("CBHPRI", false); });
    operatorSets([](auto& s) { s.setFlag("CBHPRI", true); });
    EXPECT_EQ(settings().text("StatusBar1"), "The system refused the high priority: Permission denied");
}

TEST_F(PanelTest, AStoredHighPriorityIsTakenAtStartUp) {
    for (const bool stored : {true, false}) {
        SCOPED_TRACE(stored);
        priorities.clear();
        start([stored](auto& s) { s.setFlag("CBHPRI", stored); });
        EXPECT_EQ(priorities, stored ? std::vector<bool>{true} : std::vector<bool>{})
            << "normal is what the process started with";
    }
}

TEST_F(PanelTest, TheSkinPictureIsTakenWhenItsFileExists) {
    start();
    const auto picture = std::filesystem::temp_directory_path() / "korvel-skin-test.png";
    std::ofstream(picture) << "png";
    dialogs.chosenFile = picture.string();
    panel().events().click("BR1");
    EXPECT_EQ(settings().text("LImageFile"), picture.string());
    EXPECT_EQ(settings().text("LOGO"), picture.string());
    dialogs.chosenFile = "/no/such/picture.png";
    panel().events().click("BR1");
    EXPECT_EQ(settings().text("LImageFile"), "(none)");
    EXPECT_EQ(settings().text("LOGO"), picture.string()) << "the picture shown stays";
    EXPECT_EQ(settings().program().skinPicturePath, "(none)");
    std::filesystem::remove(picture);
}

TEST_F(PanelTest, AFailingStartUpStepShowsItsErrorAndTheProgramGoesOn) {
    start([](model::StationSettings&) { throw std::runtime_error("Unable to read korvel.rds"); });
    EXPECT_EQ(settings().text("StatusBar1"), "Unable to read korvel.rds");
    EXPECT_TRUE(settings().visible("Form1")) << "the window comes up all the same";
    operatorSets([](auto& s) { s.setFlag("CBR1FF", true); });
    EXPECT_FALSE(settings().enabled("RT1")) << "the reactions still run";
}

TEST_F(PanelTest, CloseDisconnectsAndStopsTheKeepAlive) {
    start();
    library.calls.clear();
    EXPECT_TRUE(panel().FormClose());
    EXPECT_EQ(library.calls, std::vector<std::string>{"Disconnect"});
    EXPECT_EQ(settings().text("StatusBar1"), "Save and Exit...");
    EXPECT_FALSE(panel().transactions().KeepAliveActive());
}

TEST_F(PanelTest, StartUpRunsTheWindowsStepsAndTheLinksCallsInTheirOrder) {
    fakes::RecordingView ordered(library.calls);
    start(
        [this](model::StationSettings& s) {
            library.calls.push_back("load");
            EXPECT_EQ(s.program().dataFolder, dataFolder) << "the folders are known before loading";
            EXPECT_EQ(s.program().programFolder, programFolder);
            EXPECT_EQ(s.program().portIndex, -1);
            EXPECT_EQ(s.caption("BSETCT"), "Stop") << "clock time stays off unless the file says it ran";
            s.setChoice("CBPORT", 3);
            s.setCaption("BSETCT", "Start");
        },
        ordered);
    const std::vector<std::string> expected{"applyTranslation(/opt/studio/)",
                                            "load",
                                            "ConnectionSetup(1,2,0,1)",
                                            "Connect",
                                            "ALONTOPClick",
                                            "clearDecoderIdentificationSelection",
                                            "Send",
                                            "show"};
    EXPECT_EQ(library.calls, expected);
    ASSERT_EQ(library.writes.size(), 1u);
    EXPECT_EQ(library.writes[0].block.at(0), 0x67) << "the clock time of the coming minute";
    EXPECT_EQ(settings().program().portIndex, 3);
}

TEST_F(PanelTest, HandEditedGroupBytesAreCheckedAtStartUpAsAfterRead) {
    start([](model::StationSettings& s) {
        s.setText("DB3", "3F");
        s.setText("DB4", "7");
        s.setText("DB5", "XYZ");
        s.setText("DB6", "c");
        s.setCaption("BSETCT", "Start");
    });
    EXPECT_EQ(settings().text("DB3"), "1F") << "byte 4 has five bits";
    EXPECT_EQ(settings().text("DB3D"), "31");
    EXPECT_EQ(settings().text("DB4"), "07");
    EXPECT_EQ(settings().text("DB4D"), "7");
    EXPECT_EQ(settings().text("DB6"), "0F") << "a byte after a broken one is checked too";
    EXPECT_EQ(settings().text("DB6D"), "15");
    EXPECT_EQ(settings().text("DB7D"), "0");
    EXPECT_TRUE(settings().timerEnabled("Timer3")) << "start-up goes on after a broken byte";
    EXPECT_TRUE(panel().transactions().KeepAliveActive());
}

TEST_F(PanelTest, AnErrorInStartUpSkipsTheRestAndTheWindowStillComesUp) {
    start([](model::StationSettings& s) {
        s.program().startVisible = false;
        s.setCaption("BSETCT", "Start");
        throw std::runtime_error("Unable to read korvel.rds");
    });
    EXPECT_EQ(windowSteps.back(), "show");
    EXPECT_EQ(settings().text("StatusBar1"), "Unable to read korvel.rds");
    EXPECT_FALSE(settings().timerEnabled("Timer3")) << "the steps after the error are skipped";
    EXPECT_FALSE(panel().transactions().KeepAliveActive());
}

TEST_F(PanelTest, AHiddenStartStaysHiddenOnlyWhereATrayCanBringItBack) {
    const auto hidden = [](model::StationSettings& s) { s.program().startVisible = false; };
    for (const bool withTray : {true, false}) {
        SCOPED_TRACE(withTray ? "with a tray" : "without a tray");
        windowSteps.clear();
        tray = withTray;
        start(hidden);
        EXPECT_EQ(windowSteps.back(), tray ? "leave hidden" : "show");
        EXPECT_EQ(settings().visible("Show1"), tray);
        EXPECT_EQ(settings().visible("Hide1"), !tray);
    }
}

TEST_F(PanelTest, TheHelpButtonShowsOnlyWhenTheManualLiesInTheProgramsFolder) {
    const fakes::TempFolder folder;
    programFolder = folder.path();
    start();
    EXPECT_FALSE(settings().visible("GBHELP"));
    fakes::TempFolder::writeFile(folder / "korvel.pdf", "%PDF");
    start();
    EXPECT_TRUE(settings().visible("GBHELP"));
}

struct CloseCase {
    const char* name;
    bool confirmExit;
    Panel::CloseBy by;
    bool answer;
    bool closes;
    std::vector<std::string> questions;
};

TEST_F(PanelTest, CloseAsksOnlyTheOperatorAndOnlyWithConfirmExit) {
    const std::vector<std::string> asked{"Exit the Korvel?"};
    const CloseCase cases[] = {
        {"no confirmation", false, Panel::CloseBy::Operator, false, true, {}},
        {"confirmed", true, Panel::CloseBy::Operator, true, true, asked},
        {"refused", true, Panel::CloseBy::Operator, false, false, asked},
        {"the system is not asked", true, Panel::CloseBy::System, false, true, {}},
    };
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.name);
        int saves = 0;
        save = [&saves](model::StationSettings&) { ++saves; };
        start([&c](model::StationSettings& s) { s.setFlag("CBCOEX", c.confirmExit); });
        library.calls.clear();
        dialogs.questions.clear();
        dialogs.answer = c.answer;
        EXPECT_EQ(panel().FormClose(c.by), c.closes);
        EXPECT_EQ(dialogs.questions, c.questions);
        EXPECT_EQ(saves, c.closes ? 1 : 0);
        EXPECT_EQ(library.calls,
                  c.closes ? std::vector<std::string>{"Disconnect"} : std::vector<std::string>{});
        EXPECT_EQ(panel().transactions().KeepAliveActive(), !c.closes);
        EXPECT_EQ(settings().text("StatusBar1"), c.closes ? "Save and Exit..." : "Not connected");
    }
}

TEST_F(PanelTest, AFailingSaveAtCloseShowsItsMessageAndTheCloseGoesOn) {
    save = [](model::StationSettings&) { throw std::runtime_error("Unable to write to /x/korvel.rds"); };
    start();
    EXPECT_TRUE(panel().FormClose());
    EXPECT_EQ(settings().text("StatusBar1"), "Unable to write to /x/korvel.rds");
    EXPECT_FALSE(panel().transactions().KeepAliveActive());
}

// The panel with the settings file, as the program runs it: what the operator changed is there
// again after closing and starting again.
class StoredPanelTest : public PanelTest {
protected:
    void restart() {
        if (started) {
            ASSERT_TRUE(panel().FormClose());
        }
        library.calls.clear();
        library.writes.clear();
        start([this](model::StationSettings& s) { file.LoadRDSFN(s); });
        started = true;
    }

    fakes::TempFolder temp;
    const settings::SettingsFile file{settings::ProgramFolder("/opt/studio/korvel"),
                                      {temp.root().string(), {}}};
    bool started = false;

    void SetUp() override {
        save = [this](model::StationSettings& s) { file.SaveRDSFN(s); };
    }
};

TEST_F(StoredPanelTest, WhatTheOperatorChangedIsThereAfterARestart) {
    restart();
    clock.advance(std::chrono::seconds(2));
    operatorSets([](auto& s) {
        s.setText("PSDEF", " STUDIO ");
        s.setChoice("CBPORT", 3);
        s.setFlag("CBR1FF", true);
        s.setDecimal("SEDPS1DL", 18.9);
    });
    panel().events().click("BCUPD");
    panel().events().click("BSETCT");
    operatorSets([](auto& s) { s.setChoice("CBPORT", 7); }); // chosen, but Update not pressed
    restart();
    EXPECT_EQ(settings().text("PSDEF"), " STUDIO ");
    EXPECT_EQ(settings().decimalText("SEDPS1DL"), "18.9");
    EXPECT_FALSE(settings().enabled("RT1")) << "start-up locks the radiotext fed from a file";
    EXPECT_EQ(library.calls.at(0), "ConnectionSetup(1,2,0,0)") << "the port in use, not the row chosen";
    EXPECT_TRUE(settings().timerEnabled("Timer3")) << "clock time runs again";
    EXPECT_EQ(settings().caption("BSETCT"), "Stop");
    operatorSets([](auto& s) { s.setFlag("TA", true); });
    panel().events().click("BSETCT");
    restart();
    EXPECT_FALSE(settings().flag("TA"));
    EXPECT_FALSE(settings().timerEnabled("Timer3"));
}

TEST_F(StoredPanelTest, StoreSavesTheSettingsToo) {
    restart();
    clock.advance(std::chrono::seconds(2));
    operatorSets([](auto& s) { s.setText("RT2", "stored"); });
    panel().events().click("BSTOR1");
    model::StationSettings loaded;
    file.LoadRDSFN(loaded);
    EXPECT_EQ(loaded.text("RT2"), "stored");
}

// --- Reactions to the operator's changes ----------------------------------------------------

struct ReactionCase {
    const char* control;
    std::function<void(model::StationSettings&)> change;
    std::function<void(Panel&)> check;
};

TEST_F(PanelTest, EveryReactionFollowsTheOperator) {
    const ReactionCase cases[] = {
        {"RGDLD", [](auto& s) { s.setChoice("RGDLD", 0); },
         [](Panel& p) { EXPECT_EQ(p.preview().speed(), 1); }},
        {"SEDPSLP", [](auto& s) { s.setDecimal("SEDPSLP", 1.5); },
         [](Panel& p) { EXPECT_EQ(p.preview().labelTicks(), 2); }},
        {"SEDPS1DL", [](auto& s) { s.setDecimal("SEDPS1DL", 2.7); },
         [](Panel& p) { EXPECT_EQ(p.preview().delayTicks(), 5); }},
        {"DPS1EN",
         [](auto& s) {
             s.setFlag("CBD1FF", true);
             s.setFlag("DPS1EN", true);
         },
         [](Panel& p) { EXPECT_FALSE(p.settings().enabled("DPS1B")); }},
        {"CBD1FF",
         [](auto& s) {
             s.setFlag("DPS1EN", true);
             s.setFlag("CBD1FF", true);
         },
         [](Panel& p) { EXPECT_FALSE(p.settings().enabled("DPS1B")); }},
        {"RGDPS1M", [](auto& s) { s.setChoice("RGDPS1M", 0); },
         [](Panel& p) {
             EXPECT_TRUE(p.settings().enabled("DPS1"));
             EXPECT_FALSE(p.settings().enabled("DPS1B"));
         }},
        {"CBAUTO", [](auto& s) { s.setFlag("CBAUTO", false); },
         [](Panel& p) { EXPECT_TRUE(p.settings().enabled("CBRTT4")); }},
        {"CBR1FF", [](auto& s) { s.setFlag("CBR1FF", true); },
         [](Panel& p) { EXPECT_FALSE(p.settings().enabled("RT1")); }},
        {"CBRSN", [](auto& s) { s.setFlag("CBRSN", true); },
         [](Panel& p) { EXPECT_EQ(p.settings().text("STEXMP"), "Velmora - Catch (Vocal Mix)"); }},
        {"CBREIB", [](auto& s) { s.setFlag("CBREIB", true); },
         [](Panel& p) { EXPECT_EQ(p.settings().text("STEXMP"), "12. Velmora - Catch"); }},
        {"CBCTC", [](auto& s) { s.setFlag("CBCTC", true); },
         [](Panel& p) { EXPECT_EQ(p.settings().text("STEXMP"), "12. VELMORA - CATCH (VOCAL MIX)"); }},
        {"RTSA",
         [](auto& s) {
             s.setFlag("CBRTEN", true);
             s.setFlag("RTSA", true);
         },
         [](Panel& p) { EXPECT_TRUE(p.settings().timerEnabled("Timer2")); }},
        {"CBRTEN",
         [](auto& s) {
             s.setFlag("RTSA", true);
             s.setFlag("CBRTEN", true);
         },
         [](Panel& p) { EXPECT_TRUE(p.settings().timerEnabled("Timer2")); }},
        {"SERTSW", [](auto& s) { s.setDecimal("SERTSW", 3); },
         [](Panel& p) { EXPECT_EQ(p.settings().interval("Timer2"), milliseconds(180000)); }},
    };
    for (const ReactionCase& c : cases) {
        SCOPED_TRACE(c.control);
        start();
        operatorSets(c.change);
        c.check(panel());
    }
}

TEST_F(PanelTest, ModeChangeAfterStartUpFollowsTheModeUnlessFedFromAFile) {
    start([](auto& s) {
        s.setFlag("DPS1EN", true);
        s.setFlag("CBD1FF", true);
    });
    operatorSets([](auto& s) { s.setChoice("RGDPS1M", 0); });
    EXPECT_FALSE(settings().enabled("DPS1")) << "a text from a file keeps both editors locked";
    operatorSets([](auto& s) { s.setFlag("CBD1FF", false); });
    EXPECT_TRUE(settings().enabled("DPS1"));
    EXPECT_FALSE(settings().enabled("DPS1B")) << "mode 0 edits the grid only";
}

// --- Events ---------------------------------------------------------------------------------

class PreviewEventTest : public PanelTest {
protected:
    void SetUp() override {
        start([](auto& s) {
            s.setText("PSDEF", "STATION");
            s.setFlag("DPS1EN", true);
            s.setChoice("RGDPS1M", 1);
            s.setText("DPS1B", "ABCDEFGHIJKL");
            s.setDecimal("SEDPS1DL", 2.7); // the static PS stands for five ticks between loops
        });
        // The first loop starts after a few ticks and scrolls on.
        ASSERT_NE(previewAfter(12), "STATION ");
        ASSERT_TRUE(panel().preview().running());
    }
};

TEST_F(PreviewEventTest, LeavingAnEditorOrDoubleClickingTheDisplayStartsThePreviewOver) {
    for (const model::ControlName control : {model::ControlName("DPS1"), model::ControlName("DPS1B")}) {
        SCOPED_TRACE(control.str());
        ASSERT_NE(previewAfter(12), "STATION ");
        panel().events().exit(control);
        EXPECT_FALSE(panel().preview().running());
        EXPECT_EQ(previewAfter(1), "STATION ") << "the static PS until the next loop";
    }
    ASSERT_NE(previewAfter(12), "STATION ");
    panel().events().doubleClick("LP");
    EXPECT_EQ(previewAfter(1), "STATION ");
}

TEST_F(PanelTest, TheRotationTimerWritesTheNextMessage) {
    start([](auto& s) {
        s.setText("RT1", "FIRST");
        s.setText("RT2", "SECOND");
    });
    panel().events().tick("Timer2");
    EXPECT_TRUE(settings().flag("RBRT2"));
    ASSERT_EQ(library.writes.size(), 2u);
    EXPECT_EQ(library.writes[0].block[0], 0x1F);
    EXPECT_EQ(std::string(library.writes[0].block.begin() + 2, library.writes[0].block.begin() + 8),
              "SECOND");
}

TEST_F(PanelTest, TimerTicksDuringAnOperationsPauseAreDropped) {
    start([](auto& s) {
        s.setText("RT1", "FIRST");
        s.setText("RT2", "SECOND");
    });
    clock.advance(std::chrono::seconds(1));
    clock.duringPause = [this] { panel().events().tick("Timer2"); };
    panel().events().click("BSEND1");
    EXPECT_EQ(library.writes.size(), 6u) << "only Send's own transactions";
    EXPECT_TRUE(settings().flag("RBRT1"));
    clock.duringPause = nullptr;
    panel().events().tick("Timer2");
    EXPECT_TRUE(settings().flag("RBRT2")) << "a tick after the operation runs";
}

// A box left open must not stop the timers: they run while a handler waits for the operator.
TEST_F(PanelTest, TimerTicksRunWhileADialogWaitsForTheOperator) {
    struct Case {
        const char* name;
        std::function<void(Panel&)> open;
    };
    const Case cases[] = {
        {"Reset question", [](Panel& p) { p.events().click("BRESET"); }},
        {"status report", [](Panel& p) { p.events().click("BSTAT"); }},
        {"port list", [](Panel& p) { p.events().click("BitBtn1"); }},
        {"file chooser", [](Panel& p) { p.events().click("BR9"); }},
        {"picture chooser", [](Panel& p) { p.events().click("BR1"); }},
        {"exit question", [](Panel& p) { static_cast<void>(p.FormClose()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start([](auto& s) {
            s.setText("RT1", "FIRST");
            s.setText("RT2", "SECOND");
            s.setFlag("CBCOEX", true);
        });
        dialogs.answer = false;
        int shown = 0;
        dialogs.whileOpen = [this, &shown] {
            ++shown;
            panel().events().tick("Timer2");
            EXPECT_TRUE(settings().flag("RBRT2")) << "the rotation went on";
        };
        c.open(panel());
        dialogs.whileOpen = nullptr;
        EXPECT_EQ(shown, 1);
        clock.advance(std::chrono::seconds(1));
        clock.duringPause = [this] { panel().events().tick("Timer2"); };
        panel().events().click("BSEND1");
        clock.duringPause = nullptr;
        EXPECT_TRUE(settings().flag("RBRT2")) << "ticks in a pause are dropped again afterwards";
    }
}

TEST_F(PanelTest, AnErrorInAHandlerEndsInTheStatusBarAndTheNextEventWorks) {
    start([](auto& s) {
        s.setText("RT1", "FIRST");
        s.setText("RT2", "SECOND");
    });
    library.duringTransfer = [] { throw std::runtime_error("The port went away"); };
    panel().events().tick("Timer2");
    EXPECT_EQ(settings().text("StatusBar1"), "The port went away");
    library.duringTransfer = nullptr;
    panel().events().tick("Timer2");
    EXPECT_EQ(settings().text("StatusBar1"), "Ready");
}

TEST_F(PanelTest, TheLptAddressTakesDigitsAndBackspaceOnly) {
    start();
    std::string kept;
    for (char key : std::string("1a2-\b ")) {
        static_cast<void>(panel().events().keyPress("ELPTA", key));
        if (key != '\0') {
            kept += key;
        }
    }
    EXPECT_EQ(kept, "12\b");
}

} // namespace
} // namespace korvel::app
