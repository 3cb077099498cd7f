#include "text/RadiotextRotation.h"

#include "fakes/RecordingTextWriter.h"
#include "model/StationSettings.h"

#include <array>
#include <gtest/gtest.h>

namespace korvel::text {
namespace {

using Texts = std::vector<std::string>;

constexpr std::array<model::ControlName, 4> kSelectors{"RBRT1", "RBRT2", "RBRT3", "RBRT4"};
constexpr std::array<model::ControlName, 4> kMessages{"RT1", "RT2", "RT3", "RT4"};

class RadiotextRotationTest : public ::testing::Test {
protected:
    model::StationSettings settings;
    fakes::RecordingTextWriter writer;
    RadiotextRotation rotation{settings, writer};
};

TEST_F(RadiotextRotationTest, StepsSkipEmptyMessagesAndWriteTheNext) {
    settings.setText("RT1", "ONE");
    settings.setText("RT3", "THREE");
    std::vector<int> selected;
    for (int step = 0; step < 3; ++step) {
        rotation.Timer2Timer();
        selected.push_back(rotation.current());
    }
    EXPECT_EQ(selected, (std::vector<int>{3, 1, 3}));
    EXPECT_EQ(writer.radiotexts, (Texts{"THREE", "ONE", "THREE"}));
    EXPECT_EQ(writer.flags, (std::vector<bool>{true, false, true}))
        << "each write takes the next automatic flag";
}

TEST_F(RadiotextRotationTest, NothingElseToShowWritesNothing) {
    struct Case {
        const char* name;
        bool currentFilled;
        int current;
    };
    for (const Case& c : {Case{"only the current message", true, 2}, Case{"all empty", false, 4}}) {
        SCOPED_TRACE(c.name);
        settings.reset();
        writer.radiotexts.clear();
        settings.setFlag(kSelectors[c.current - 1], true);
        if (c.currentFilled) {
            settings.setText(kMessages[c.current - 1], "ONLY");
        }
        rotation.Timer2Timer();
        EXPECT_TRUE(writer.radiotexts.empty());
        EXPECT_EQ(rotation.current(), c.current);
    }
}

TEST_F(RadiotextRotationTest, AutomaticFlagsAlternateAndManualContinuesFromTheLastType) {
    std::vector<int> flags;
    for (int write = 0; write < 3; ++write) {
        flags.push_back(rotation.ActualRTType());
    }
    EXPECT_EQ(flags, (std::vector<int>{1, 0, 1})) << "B, A, B";

    flags.clear();
    settings.setFlag("CBAUTO", false);
    settings.setChoice("CBRTT1", 1);
    flags.push_back(rotation.ActualRTType());
    flags.push_back(rotation.ActualRTType());
    settings.setFlag("CBAUTO", true);
    flags.push_back(rotation.ActualRTType());
    EXPECT_EQ(flags, (std::vector<int>{1, 1, 0})) << "B, B, then A";
    EXPECT_EQ(settings.program().radiotextToggle, 0);
}

TEST_F(RadiotextRotationTest, TimerFollowsItsSettings) {
    struct Case {
        double minutes;
        long long interval_ms;
    };
    for (const Case& c : {Case{0, 30000}, Case{1, 60000}, Case{5, 300000}, Case{240, 14400000}}) {
        settings.setDecimal("SERTSW", c.minutes);
        rotation.SERTSWChange();
        EXPECT_EQ(settings.interval("Timer2").count(), c.interval_ms) << c.minutes;
    }
    struct Run {
        bool rtsa;
        bool enabled;
        bool runs;
    };
    for (const Run& r : {Run{false, false, false}, Run{true, false, false}, Run{false, true, false},
                         Run{true, true, true}}) {
        settings.setFlag("RTSA", r.rtsa);
        settings.setFlag("CBRTEN", r.enabled);
        rotation.RTSAClick();
        EXPECT_EQ(settings.timerEnabled("Timer2"), r.runs) << r.rtsa << r.enabled;
    }
}

TEST_F(RadiotextRotationTest, EditorsLockWhileAutomaticOrFedFromAFile) {
    rotation.CBAUTOClick();
    EXPECT_FALSE(settings.enabled("CBRTT3"));
    settings.setFlag("CBAUTO", false);
    rotation.CBAUTOClick();
    EXPECT_TRUE(settings.enabled("CBRTT3"));
    settings.setFlag("CBR1FF", true);
    rotation.RTSAClick();
    EXPECT_FALSE(settings.enabled("RT1"));
}

} // namespace
} // namespace korvel::text
