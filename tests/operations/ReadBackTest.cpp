#include "OperationsFixture.h"

namespace korvel::operations {
namespace {

class ReadBackTest : public OperationsFixture {
protected:
    // The encoder's memory: what the read image holds.
    void put(int address, const std::string& bytes) {
        std::copy(bytes.begin(), bytes.end(), library.memory.begin() + address);
    }
    void put(int address, std::uint8_t byte) { library.memory.at(static_cast<std::size_t>(address)) = byte; }

    // An encoder holding a typical station.
    void holdStation() {
        put(0x00, std::string("\x2F\x0A", 2));
        put(0x02, "KORVEL  ");
        put(0x0A, 10);
        put(0x0B, 0x09);
        put(0x0C, 1);
        put(0x0D, 1);
        put(0x0F, 2);
        put(0x10, std::string("\x01\xCC", 2));
        put(0x1F, 3);
        put(0x20, "NOW ON AIR" + std::string(54, ' '));
        put(0x60, 1);
        put(0x61, 0x48); // 4B
        put(0x62, std::string("\xFF\x01\x02\x03\xA0", 5));
        put(0x6E, 3);
        put(0x6F, 3);
        put(0x72, std::string("\x08\x02\x04\x01\x05", 5));
        put(0x77, "HELLO ");
    }

    std::vector<std::string> afRows() const {
        std::vector<std::string> rows;
        for (int row = 0; row < 15; ++row) {
            rows.push_back(settings.cell("SGAF", row, 1));
        }
        return rows;
    }
};

TEST_F(ReadBackTest, ReadPutsTheEncodersStationIntoTheSettings) {
    holdStation();
    readBack.BREC1Click();
    EXPECT_EQ(library.calls, std::vector<std::string>{"Receive(0,192)"});
    EXPECT_EQ(settings.text("PI"), "2F0A");
    EXPECT_EQ(settings.text("PSDEF"), "KORVEL");
    EXPECT_EQ(settings.choice("PTY"), 10);
    EXPECT_TRUE(settings.checked("DI", 0));
    EXPECT_FALSE(settings.checked("DI", 1));
    EXPECT_TRUE(settings.checked("DI", 3));
    EXPECT_EQ(settings.choice("MS"), 1);
    EXPECT_TRUE(settings.flag("TP"));
    EXPECT_FALSE(settings.flag("TA"));
    std::vector<std::string> af(15);
    af[0] = "87.6";
    af[1] = "107.9";
    EXPECT_EQ(afRows(), af);
    EXPECT_TRUE(settings.flag("CBRTEN"));
    EXPECT_EQ(settings.text("RT1"), "NOW ON AIR");
    EXPECT_TRUE(settings.flag("CBUDGEN"));
    EXPECT_EQ(settings.choice("CBGRTYP"), 9);
    EXPECT_EQ(settings.text("DB3"), "1F") << "byte 4 keeps five bits";
    EXPECT_EQ(settings.text("DB3D"), "31");
    EXPECT_EQ(settings.text("DB7"), "A0");
    EXPECT_EQ(settings.text("DB7D"), "160");
    EXPECT_EQ(settings.choice("RGCS"), 1);
    EXPECT_EQ(settings.choice("RGPLLR"), 1);
    EXPECT_DOUBLE_EQ(settings.decimal("SEPHASE"), 28.41);
    EXPECT_DOUBLE_EQ(settings.decimal("SEDPS1DL"), 21.6);
    EXPECT_EQ(settings.choice("RGDPS1M"), 2);
    EXPECT_DOUBLE_EQ(settings.decimal("SEDPSLP"), 2.5);
    EXPECT_EQ(settings.choice("RGDLD"), 1);
    EXPECT_TRUE(settings.flag("DPS1EN"));
    EXPECT_EQ(settings.text("DPS1B"), "HELLO") << "the length counts, not the spaces";
    EXPECT_EQ(settings.program().lastDeviceActionTime, clock.time.timeOfDay());
}

TEST_F(ReadBackTest, ReadBringsTheDependentControlsIntoLine) {
    holdStation();
    settings.setFlag("RTSA", true);
    readBack.BREC1Click();
    EXPECT_FALSE(settings.enabled("DB4")) << "a group of version B has no byte 5";
    EXPECT_TRUE(settings.enabled("SEPHASE"));
    EXPECT_FALSE(settings.enabled("RGPLLR")) << "Corvid";
    EXPECT_TRUE(settings.timerEnabled("Timer2")) << "rotation runs with radiotext read as on";
    EXPECT_TRUE(settings.enabled("DPS1B"));
    EXPECT_FALSE(settings.enabled("DPS1"));
}

TEST_F(ReadBackTest, OddBytesAreKeptOrLimitedAndDoNotHarmTheWindow) {
    put(0x0A, 40);  // PTY beyond its 32 items
    put(0x0C, 7);   // M/S beyond its two
    put(0x0F, 16);  // AF count beyond 15
    put(0x6F, 200); // phase beyond 18 steps
    put(0x73, 9);   // mode beyond 3
    put(0x76, 200); // DPS length beyond 72
    put(0x77, std::string(80, 'D'));
    readBack.BREC1Click();
    EXPECT_EQ(settings.choice("PTY"), 40);
    EXPECT_EQ(settings.choice("MS"), 7);
    EXPECT_EQ(afRows(), std::vector<std::string>(15)) << "an AF count above 15 counts as none";
    EXPECT_DOUBLE_EQ(settings.decimal("SEPHASE"), 170.46);
    EXPECT_EQ(settings.choice("RGDPS1M"), 9);
    EXPECT_EQ(settings.text("DPS1B"), std::string(72, 'D'));

    // A later Send writes back what it can: the kept indexes as they were read.
    clock.advance(std::chrono::seconds(1));
    library.writes.clear();
    send.BSEND1Click();
    EXPECT_EQ(block(0)[11], 40) << "PTY";
    EXPECT_EQ(block(0)[13], 7) << "M/S";
    EXPECT_EQ(block(3)[2], 18) << "the phase's top step";
    EXPECT_EQ(block(5)[2], 9) << "mode";
    EXPECT_EQ(block(5)[5], 72) << "DPS length";
}

TEST_F(ReadBackTest, PsAndDynamicPsTextsAsTheyReadBack) {
    struct Case {
        const char* ps;
        int mode;
        int length;
        const char* expectedPs;
        bool enabled;
    };
    const Case cases[] = {{"        ", 0, 0, "", false}, {"RADIO   ", 2, 20, "RADIO", true}};
    for (const Case& c : cases) {
        clock.advance(std::chrono::seconds(1));
        put(0x02, c.ps);
        put(0x73, static_cast<std::uint8_t>(c.mode));
        put(0x76, static_cast<std::uint8_t>(c.length));
        put(0x77, "ABCDEFGHIJKLMNOPQRST");
        readBack.BREC1Click();
        EXPECT_EQ(settings.text("PSDEF"), c.expectedPs);
        EXPECT_EQ(settings.flag("DPS1EN"), c.enabled);
        if (c.mode == 0) {
            for (int row = 0; row < 9; ++row) {
                EXPECT_EQ(settings.cell("DPS1", row), "") << row;
            }
        } else {
            EXPECT_EQ(settings.text("DPS1B"), "ABCDEFGHIJKLMNOPQRST");
        }
    }
}

TEST_F(ReadBackTest, ModeZeroSpreadsTheTextOverTheLabelGrid) {
    put(0x73, 0);
    put(0x76, 20);
    put(0x77, "ABCDEFGHIJKLMNOPQRST");
    readBack.BREC1Click();
    EXPECT_EQ(settings.cell("DPS1", 0), "ABCDEFGH");
    EXPECT_EQ(settings.cell("DPS1", 1), "IJKLMNOP");
    EXPECT_EQ(settings.cell("DPS1", 2), "QRST");
    EXPECT_EQ(settings.cell("DPS1", 3), "");
}

TEST_F(ReadBackTest, AFailedOrTooEarlyReadChangesNothing) {
    holdStation();
    library.receiveSucceeds = false;
    readBack.BREC1Click();
    EXPECT_EQ(settings.text("PSDEF"), "");
    EXPECT_EQ(settings.text("StatusBar1"), "!Ready");
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_EQ(settings.program().lastDeviceActionTime, std::chrono::milliseconds(0));

    library.receiveSucceeds = true;
    library.calls.clear();
    settings.program().lastDeviceActionTime = clock.time.timeOfDay();
    readBack.BREC1Click();
    EXPECT_TRUE(library.calls.empty()) << "less than a second after the last device action";
}

TEST_F(ReadBackTest, ReadStatusReportsEachBit) {
    struct Case {
        std::uint8_t status;
        int hardware;
        const char* report;
    };
    const Case cases[] = {
        {0x85, 1,
         "Status byte value: 133\rPilot tone: 1\rTA: 0\rShowing: Dynamic PS\rRDS generator: Enabled"},
        {0x85, 0, "Status byte value: 133\rPilot tone: 1\rTA: 0\rShowing: Dynamic PS"},
        {0x00, 0, "Status byte value: 0\rPilot tone: 0\rTA: 0\rShowing: Static PS"},
        {0x02, 1, "Status byte value: 2\rPilot tone: 0\rTA: 1\rShowing: Static PS\rRDS generator: Disabled"},
    };
    for (const Case& c : cases) {
        dialogs.information.clear();
        put(0x70, c.status);
        settings.setChoice("RGHTYP", c.hardware);
        readBack.BSTATClick();
        EXPECT_EQ(dialogs.information, std::vector<std::string>{c.report});
    }
    EXPECT_EQ(library.calls.back(), "Receive(112,1)");
}

TEST_F(ReadBackTest, AnUnreadableStatusIsAnError) {
    library.receiveSucceeds = false;
    readBack.BSTATClick();
    EXPECT_EQ(dialogs.errors,
              std::vector<std::string>{
                  "Unable to read data from the RDS encoder.\rCheck the Hardware configuration and "
                  "cable connection or follow the device's manual for solution."});
    EXPECT_TRUE(dialogs.information.empty());
}

} // namespace
} // namespace korvel::operations
