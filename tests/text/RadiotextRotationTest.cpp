#include "text/RadiotextRotation.h"

#include "fakes/RecordingLibrary.h"
#include "link/Transactions.h"
#include "model/StationSettings.h"
#include "text/CodePage.h"

#include <gtest/gtest.h>

namespace korvel::text {
namespace {

using Bytes = std::vector<std::uint8_t>;

class RadiotextRotationTest : public ::testing::Test {
protected:
    // The control byte of every second write: radiotext on plus the A/B flag.
    std::vector<int> controlBytes() const {
        std::vector<int> bytes;
        for (std::size_t i = 1; i < library.writes.size(); i += 2) {
            bytes.push_back(library.writes[i].block.at(1));
        }
        return bytes;
    }

    // The message text carried by write number `index` (a load of the RT registers).
    std::string loadedText(std::size_t index) const {
        const Bytes& block = library.writes.at(index).block;
        return std::string(block.begin() + 2, block.end());
    }

    static std::string padded(const std::string& text) { return text + std::string(64 - text.size(), ' '); }

    model::StationSettings settings;
    fakes::RecordingLibrary library;
    link::Transactions transactions{library, settings};
    CodePage codePage{1252};
    RdsConversion conversion{codePage};
    RadiotextRotation rotation{settings, transactions, conversion};
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
    ASSERT_EQ(library.writes.size(), 6u);
    EXPECT_EQ(library.writes[0].count, 65);
    EXPECT_EQ(library.writes[0].block[0], 0x1F);
    EXPECT_EQ(library.writes[0].block[1], 0) << "radiotext off while the text loads";
    EXPECT_EQ(loadedText(0), padded("THREE"));
    EXPECT_EQ(loadedText(2), padded("ONE"));
    EXPECT_EQ(library.writes[1].count, 1);
    EXPECT_EQ(library.writes[1].block[0], 0x1F);
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
        library.writes.clear();
        settings.setFlag("RBRT" + std::to_string(c.current), true);
        if (c.currentFilled) {
            settings.setText("RT" + std::to_string(c.current), "ONLY");
        }
        rotation.Timer2Timer();
        EXPECT_TRUE(library.writes.empty());
        EXPECT_EQ(rotation.current(), c.current);
    }
}

TEST_F(RadiotextRotationTest, AutomaticFlagsAlternateAndManualContinuesFromTheLastType) {
    settings.setText("RT1", "ONE");
    settings.setText("RT2", "TWO");
    for (int step = 0; step < 3; ++step) {
        rotation.Timer2Timer();
    }
    EXPECT_EQ(controlBytes(), (std::vector<int>{3, 1, 3})) << "B, A, B";

    library.writes.clear();
    settings.setFlag("CBAUTO", false);
    settings.setChoice("CBRTT1", 1);
    settings.setChoice("CBRTT2", 1);
    rotation.Timer2Timer();
    rotation.Timer2Timer();
    settings.setFlag("CBAUTO", true);
    rotation.Timer2Timer();
    EXPECT_EQ(controlBytes(), (std::vector<int>{3, 3, 1})) << "B, B, then A";
    EXPECT_EQ(settings.program().radiotextToggle, 0);
}

TEST_F(RadiotextRotationTest, MessagesAreConvertedAndCutToTheRegister) {
    settings.setChoice("RBANSIC", 2);
    settings.setText("RT2", "Caf\xe9 " + std::string(70, 'x'));
    rotation.Timer2Timer();
    ASSERT_EQ(library.writes.size(), 2u);
    EXPECT_EQ(loadedText(0), "Caf\x82 " + std::string(59, 'x'));
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
