#include "OperationsFixture.h"
#include "text/HexText.h"

#include <functional>

namespace korvel::operations {
namespace {

using std::chrono::milliseconds;

class DeviceCommandsTest : public OperationsFixture {};

TEST_F(DeviceCommandsTest, CommandsWriteTheirByteToTheCommandRegister) {
    struct Case {
        const char* name;
        std::function<void(DeviceCommands&)> command;
        std::uint8_t byte;
    };
    const Case cases[] = {
        {"off", &DeviceCommands::BSWOFFClick, '0'},
        {"on", &DeviceCommands::BSWONClick, '1'},
        {"reset", [](DeviceCommands& c) { EXPECT_EQ(c.BRESETClick(), Outcome::Succeeded); }, 'R'},
        {"store", &DeviceCommands::BSTOR1Click, 'E'}};
    for (const Case& c : cases) {
        library.writes.clear();
        c.command(commands);
        EXPECT_EQ(library.writes.size(), 1u) << c.name;
        EXPECT_EQ(block(0), (Bytes{0x71, c.byte})) << c.name;
    }
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{"Reset the RDS encoder?"});
}

TEST_F(DeviceCommandsTest, ResetAnsweredNoWritesNothing) {
    dialogs.answer = false;
    commands.BRESETClick();
    EXPECT_TRUE(library.calls.empty());
}

TEST_F(DeviceCommandsTest, StoreWaitsThenSavesTheSettingsAndIgnoresASaveThatFails) {
    store.fails = true;
    commands.BSTOR1Click();
    EXPECT_EQ(clock.pauses, std::vector<milliseconds>{milliseconds(500)});
    EXPECT_EQ(store.saves, 1);
    EXPECT_EQ(settings.program().lastDeviceActionTime, clock.time.timeOfDay()) << "after the pause";
    EXPECT_EQ(settings.text("StatusBar1"), "Ready");
}

TEST_F(DeviceCommandsTest, AFailedStoreEndsNotReady) {
    library.sendSucceeds = false;
    commands.BSTOR1Click();
    EXPECT_EQ(settings.text("StatusBar1"), "!Ready") << "not the pause's own status";
}

TEST_F(DeviceCommandsTest, TrafficAnnouncementFlipsAndGoesOutAtOnce) {
    commands.BSETTAClick();
    library.sendSucceeds = false;
    commands.BSETTAClick();
    EXPECT_FALSE(settings.flag("TA")) << "flipped even when its write fails";
    EXPECT_EQ(block(0), (Bytes{0x0E, 1}));
    EXPECT_EQ(block(1), (Bytes{0x0E, 0}));
}

TEST(MakeHexTest, NormalisesToExactlyNDigits) {
    struct Case {
        const char* text;
        std::size_t n;
        const char* hex;
    };
    const Case cases[] = {{"", 2, "00"},        {"7", 2, "07"},       {"1G", 2, "1F"},
                          {"1a", 2, "1F"},      {"12345", 4, "2345"}, {"ABC", 4, "0ABC"},
                          {"xyz12", 4, "yz12"}, {"ffff", 4, "FFFF"}};
    for (const Case& c : cases) {
        EXPECT_EQ(text::MakeHEX(c.text, c.n), c.hex) << c.text;
    }
}

class DeviceSettingsTest : public OperationsFixture {};

TEST_F(DeviceSettingsTest, ByteEditorsNormaliseAndEchoInDecimal) {
    struct Case {
        std::size_t byte;
        const char* typed;
        const char* hex;
        const char* decimal;
    };
    const Case cases[] = {{0, "FF", "1F", "31"}, {0, "E5", "05", "5"},   {0, "3A", "1A", "26"},
                          {0, "", "00", "0"},    {1, "FF", "FF", "255"}, {4, "a", "0F", "15"}};
    constexpr std::array<model::ControlName, 5> kHex{"DB3", "DB4", "DB5", "DB6", "DB7"};
    constexpr std::array<model::ControlName, 5> kDecimal{"DB3D", "DB4D", "DB5D", "DB6D", "DB7D"};
    for (const Case& c : cases) {
        settings.setText(kHex[c.byte], c.typed);
        deviceSettings.DBExit(c.byte);
        EXPECT_EQ(settings.text(kHex[c.byte]), c.hex) << c.typed;
        EXPECT_EQ(settings.text(kDecimal[c.byte]), c.decimal) << c.typed;
    }
}

TEST_F(DeviceSettingsTest, AnUnreadableByteFromAFileIsReported) {
    settings.setText("DB6", "1XY");
    EXPECT_THROW(deviceSettings.DBExit(3), std::invalid_argument);
}

TEST_F(DeviceSettingsTest, VersionBGroupsLockBytesFiveAndSixKeepingTheirValues) {
    settings.setText("DB4", "12");
    settings.setChoice("CBGRTYP", 5); // 2B
    deviceSettings.CBGRTYPChange();
    EXPECT_FALSE(settings.enabled("DB4"));
    EXPECT_FALSE(settings.enabled("DB5"));
    EXPECT_TRUE(settings.enabled("DB6"));
    settings.setChoice("CBGRTYP", 4); // 2A
    deviceSettings.CBGRTYPChange();
    EXPECT_TRUE(settings.enabled("DB4"));
    EXPECT_EQ(settings.text("DB4"), "12");
}

TEST_F(DeviceSettingsTest, SubcarrierControlsFollowClockSourceAndHardware) {
    struct Case {
        int clockSource;
        int hardware;
        bool phase;
        bool pllRange;
    };
    const Case cases[] = {
        {1, 1, true, false}, {1, 0, true, true}, {0, 0, false, false}, {0, 1, false, false}};
    for (const Case& c : cases) {
        settings.setChoice("RGCS", c.clockSource);
        settings.setChoice("RGHTYP", c.hardware);
        deviceSettings.RGCSClick();
        EXPECT_EQ(settings.enabled("SEPHASE"), c.phase) << c.clockSource << c.hardware;
        EXPECT_EQ(settings.enabled("RGPLLR"), c.pllRange) << c.clockSource << c.hardware;
    }
}

TEST_F(DeviceSettingsTest, PiBecomesFourHexadecimalDigits) {
    struct Case {
        const char* loaded;
        const char* pi;
    };
    for (const Case& c : {Case{"abcd", "FFFF"}, {"12345", "2345"}, {"", "0000"}, {"C2", "00C2"}}) {
        settings.setText("PI", c.loaded);
        deviceSettings.PIExit();
        EXPECT_EQ(settings.text("PI"), c.pi) << c.loaded;
    }
}

TEST(PiKeyPressTest, TakesHexadecimalDigitsUpperCasedAndBackspace) {
    const std::string typed = "09afAFgG x\b\x16-";
    const std::string kept = "09AFAF\b";
    std::string result;
    for (char key : typed) {
        DeviceSettings::PIKeyPress(key);
        if (key != '\0') {
            result += key;
        }
    }
    EXPECT_EQ(result, kept);
}

} // namespace
} // namespace korvel::operations
