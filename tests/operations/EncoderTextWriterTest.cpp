#include "operations/EncoderTextWriter.h"

#include "fakes/RecordingLibrary.h"
#include "link/Transactions.h"
#include "model/StationSettings.h"
#include "text/CodePage.h"
#include "text/RadiotextRotation.h"
#include "text/RdsConversion.h"

#include <gtest/gtest.h>

namespace korvel::operations {
namespace {

using Bytes = std::vector<std::uint8_t>;

class EncoderTextWriterTest : public ::testing::Test {
protected:
    // The message text carried by write number `index` (a load of the RT registers).
    std::string loadedText(std::size_t index) const {
        const Bytes& block = library.writes.at(index).block;
        return std::string(block.begin() + 2, block.end());
    }

    // The control byte of every second write: radiotext on plus the A/B flag.
    std::vector<int> controlBytes() const {
        std::vector<int> bytes;
        for (std::size_t i = 1; i < library.writes.size(); i += 2) {
            bytes.push_back(library.writes[i].block.at(1));
        }
        return bytes;
    }

    static std::string padded(const std::string& text) { return text + std::string(64 - text.size(), ' '); }

    model::StationSettings settings;
    fakes::RecordingLibrary library;
    link::Transactions transactions{library, settings};
    text::CodePage codePage{1252};
    text::RdsConversion conversion{codePage};
    EncoderTextWriter writer{settings, transactions, conversion};
    text::RadiotextRotation rotation{settings, writer};
};

TEST_F(EncoderTextWriterTest, RadiotextLoadsWithRadiotextOffThenSwitchesItOn) {
    writer.writeRadiotext("THREE", true);
    ASSERT_EQ(library.writes.size(), 2u);
    EXPECT_EQ(library.writes[0].count, 65);
    EXPECT_EQ(library.writes[0].block[0], 0x1F);
    EXPECT_EQ(library.writes[0].block[1], 0) << "radiotext off while the text loads";
    EXPECT_EQ(loadedText(0), padded("THREE"));
    EXPECT_EQ(library.writes[1].count, 1);
    EXPECT_EQ(library.writes[1].block[0], 0x1F);
    EXPECT_EQ(library.writes[1].block[1], 3) << "on, with B";
    writer.writeRadiotext("ONE", false);
    EXPECT_EQ(library.writes[3].block[1], 1) << "on, with A";
}

TEST_F(EncoderTextWriterTest, RotationWritesCarryAlternatingFlags) {
    settings.setText("RT1", "ONE");
    settings.setText("RT2", "TWO");
    for (int step = 0; step < 3; ++step) {
        rotation.Timer2Timer();
    }
    EXPECT_EQ(controlBytes(), (std::vector<int>{3, 1, 3})) << "B, A, B";
    EXPECT_EQ(loadedText(0), padded("TWO"));
    EXPECT_EQ(loadedText(2), padded("ONE"));
}

TEST_F(EncoderTextWriterTest, MessagesAreConvertedAndCutToTheRegister) {
    settings.setChoice("RBANSIC", 2);
    writer.writeRadiotext("Caf\xe9 " + std::string(70, 'x'), false);
    ASSERT_EQ(library.writes.size(), 2u);
    EXPECT_EQ(loadedText(0), "Caf\x82 " + std::string(59, 'x'));
}

// The text loads behind a length of 0 and the closing space; the length alone switches it on.
TEST_F(EncoderTextWriterTest, DynamicPsLoadsWithItsLengthZeroThenSetsIt) {
    struct Case {
        const char* name;
        std::string text;
        std::string loaded; // as RDS bytes
    };
    const Case cases[] = {
        {"short text", "Caf\xe9", "Caf\x82"},
        {"empty text switches it off", "", ""},
        {"cut to the register", std::string(80, 'x'), std::string(72, 'x')},
    };
    settings.setChoice("RBANSIC", 2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        library.writes.clear();
        EXPECT_TRUE(writer.writeDynamicPs(c.text));
        Bytes load(c.loaded.begin(), c.loaded.end());
        load.insert(load.begin(), {0x76, 0});
        load.push_back(0x20);
        ASSERT_EQ(library.writes.size(), 2u);
        EXPECT_EQ(library.writes[0].block, load);
        EXPECT_EQ(library.writes[1].block, (Bytes{0x76, static_cast<std::uint8_t>(c.loaded.size())}));
    }
}

TEST_F(EncoderTextWriterTest, AWriteThatTheLibraryRefusesIsReported) {
    library.sendSucceeds = false;
    EXPECT_FALSE(writer.writeRadiotext("ONE", false));
    EXPECT_FALSE(writer.writeDynamicPs("ONE"));
    EXPECT_EQ(settings.text("StatusBar1"), "!Ready");
    library.sendSucceeds = true;
    EXPECT_TRUE(writer.writeRadiotext("ONE", false));
    EXPECT_TRUE(writer.writeDynamicPs("ONE"));
}

} // namespace
} // namespace korvel::operations
