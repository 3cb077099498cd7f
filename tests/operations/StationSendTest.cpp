#include "OperationsFixture.h"
#include "operations/AfList.h"

namespace korvel::operations {
namespace {

using std::chrono::milliseconds;

class StationSendTest : public OperationsFixture {
protected:
    void setAf(const std::vector<std::string>& rows) {
        for (std::size_t row = 0; row < rows.size(); ++row) {
            settings.setCell("SGAF", static_cast<int>(row), 1, rows[row]);
        }
    }
    std::vector<std::string> afRows() const {
        std::vector<std::string> rows;
        for (int row = 0; row < 15; ++row) {
            rows.push_back(settings.cell("SGAF", row, 1));
        }
        return rows;
    }
};

TEST_F(StationSendTest, WritesTheStationInItsOrderWithAPauseAfterTheProgramData) {
    settings.setText("PI", "2F0A");
    settings.setText("PSDEF", "KORVEL");
    settings.setChoice("PTY", 10);
    settings.setChecked("DI", 0, true);
    settings.setChecked("DI", 3, true);
    settings.setFlag("TP", true);
    settings.setCell("SGAF", 0, 1, "98.5");
    settings.setText("RT1", "NOW ON AIR");
    settings.setFlag("CBRTEN", true);
    settings.setChoice("CBGRTYP", 9); // 4B
    settings.setText("DB3", "1F");
    settings.setText("DB7", "A0");
    settings.setChoice("RGCS", 1);
    settings.setDecimal("SEPHASE", 28.41);
    std::string statusWhilePausing;
    clock.duringPause = [&] { statusWhilePausing = settings.text("StatusBar1"); };
    send.BSEND1Click();

    EXPECT_EQ(addresses(), (std::vector<int>{0x00, 0x1F, 0x1F, 0x6E, 0x76, 0x72}));
    EXPECT_EQ(block(0),
              (Bytes{0x00, 0x2F, 0x0A, 'K', 'O', 'R', 'V', 'E', 'L', ' ', ' ', 10, 0x09, 1, 1, 0, 1, 110}));
    EXPECT_EQ(library.writes[1].count, 72);
    EXPECT_EQ(block(1)[1], 0) << "radiotext off while it loads";
    EXPECT_EQ(text(1, 2, 64), "NOW ON AIR" + std::string(54, ' '));
    EXPECT_EQ((Bytes(block(1).begin() + 66, block(1).end())), (Bytes{0, 0x48, 0x1F, 0, 0, 0, 0xA0}));
    EXPECT_EQ(block(2), (Bytes{0x1F, 3})) << "on, with the first automatic flag B";
    EXPECT_EQ(block(3), (Bytes{0x6E, 1, 3}));
    EXPECT_EQ(block(4), (Bytes{0x76, 0, ' '})) << "no dynamic PS text, then the closing space";
    EXPECT_EQ(block(5), (Bytes{0x72, 8, 2, 4, 1})) << "no length while the dynamic PS is off";
    EXPECT_EQ(clock.pauses, std::vector<milliseconds>{milliseconds(500)});
    EXPECT_EQ(statusWhilePausing, "Sending Data...");
    EXPECT_EQ(library.calls.size(), 6u);
    EXPECT_EQ(settings.program().lastDeviceActionTime, clock.time.timeOfDay());
    EXPECT_EQ(settings.text("StatusBar1"), "Ready");
}

TEST_F(StationSendTest, TheAfListIsValidatedCodedAndCompacted) {
    setAf({"87.6", "abc", "", "107.9", "108.0", "98.55"});
    send.BSEND1Click();
    EXPECT_EQ((Bytes(block(0).begin() + 16, block(0).end())), (Bytes{2, 1, 204}));
    std::vector<std::string> expected(15);
    expected[0] = "87.6";
    expected[1] = "107.9";
    EXPECT_EQ(afRows(), expected);
}

TEST_F(StationSendTest, AfTextsAreReadWithEitherSeparator) {
    struct Case {
        const char* typed;
        char separator;
        int code; // 0: not valid
    };
    const Case cases[] = {
        {"98,5", ',', 110}, {"98.5", ',', 110},  {"98,5", '.', 0},  {"100", '.', 125}, {"87.5", '.', 0},
        {"87.6", '.', 1},   {"107.9", '.', 204}, {"108", '.', 0},   {"9", '.', 0},     {"100000", '.', 0},
        {"98.5.", '.', 0},  {"1o5", '.', 175},   {"10x", '.', 125}, {"98.50", '.', 0}, {"9.85", '.', 0},
    };
    for (const Case& c : cases) {
        const auto code = AfList::code(c.typed, c.separator);
        EXPECT_EQ(code.value_or(0), c.code) << c.typed << " with " << c.separator;
    }
}

TEST_F(StationSendTest, TextsArePaddedCutAndConverted) {
    settings.setChoice("RBANSIC", 2);
    settings.setText("RT1", std::string(70, 'x') + "\xe9");
    send.BSEND1Click();
    EXPECT_EQ(text(0, 3, 8), std::string(8, ' ')) << "an empty PS is eight spaces";
    EXPECT_EQ(text(1, 2, 64), std::string(64, 'x')) << "cut at 64";

    library.writes.clear();
    clock.advance(std::chrono::seconds(1));
    settings.setText("PSDEF", "Caf\xe9");
    send.BSEND1Click();
    EXPECT_EQ(text(0, 3, 8), "Caf\x82    ");
}

TEST_F(StationSendTest, DynamicPsLengthOnlyWhileEnabled) {
    struct Case {
        bool enabled;
        const char* text;
        Bytes parameters;
    };
    const Case cases[] = {
        {false, "HELLO", {0x72, 8, 2, 4, 1}},
        {true, "HELLO", {0x72, 8, 2, 4, 1, 5}},
        {true, "", {0x72, 8, 2, 4, 1, 0}},
    };
    for (const Case& c : cases) {
        library.writes.clear();
        clock.advance(std::chrono::seconds(2));
        settings.setFlag("DPS1EN", c.enabled);
        settings.setText("DPS1B", c.text);
        send.BSEND1Click();
        EXPECT_EQ(text(4, 2, std::string(c.text).size()), c.text);
        EXPECT_EQ(block(4)[1], 0) << "the length register is cleared with the text";
        EXPECT_EQ(block(5), c.parameters) << c.enabled << c.text;
    }
}

TEST_F(StationSendTest, TheUserGroupIsSwitchedOnRightAfterTheRadiotextControl) {
    settings.setFlag("CBUDGEN", true);
    send.BSEND1Click();
    EXPECT_EQ(addresses(), (std::vector<int>{0x00, 0x1F, 0x1F, 0x60, 0x6E, 0x76, 0x72}));
    EXPECT_EQ(block(1)[66], 0) << "off while the group loads";
    EXPECT_EQ(block(3), (Bytes{0x60, 1}));
}

TEST_F(StationSendTest, EachSendTakesOneRadiotextFlag) {
    send.BSEND1Click();
    clock.advance(std::chrono::seconds(1));
    send.BSEND1Click();
    EXPECT_EQ(block(2)[1], 2) << "B, radiotext off";
    EXPECT_EQ(block(8)[1], 0) << "then A";
}

TEST_F(StationSendTest, ASendWithinASecondOfTheLastDeviceActionDoesNothing) {
    setAf({"abc", "98.5"});
    settings.program().lastDeviceActionTime = clock.time.timeOfDay() - milliseconds(999);
    send.BSEND1Click();
    EXPECT_TRUE(library.calls.empty());
    EXPECT_EQ(settings.cell("SGAF", 0, 1), "abc") << "the AF list is left as it was";
    settings.program().lastDeviceActionTime = clock.time.timeOfDay() + milliseconds(1000);
    send.BSEND1Click();
    EXPECT_FALSE(library.calls.empty()) << "a whole second either way";
}

TEST_F(StationSendTest, AnUnreadableHexadecimalFieldStopsTheSequenceUnsent) {
    struct Case {
        model::ControlName field;
        const char* text;
        std::size_t writes; // sent before the field's transaction
    };
    const Case cases[] = {{"PI", "XY12", 0}, {"PI", "", 0}, {"DB5", "G1", 1}, {"DB3", "1Z", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field.str());
        settings.reset();
        library.writes.clear();
        clock.advance(std::chrono::seconds(1));
        settings.setText(c.field, c.text);
        EXPECT_THROW(send.BSEND1Click(), std::invalid_argument);
        EXPECT_EQ(library.writes.size(), c.writes);
    }
}

TEST_F(StationSendTest, AFailedTransactionLeavesNotReadyWhateverFollows) {
    library.duringTransfer = [this] { library.sendSucceeds = library.writes.size() != 1; }; // the first fails
    send.BSEND1Click();
    EXPECT_EQ(library.writes.size(), 6u) << "Send goes on";
    EXPECT_EQ(settings.text("StatusBar1"), "!Ready");
    EXPECT_EQ(settings.program().lastDeviceActionTime, clock.time.timeOfDay());
}

} // namespace
} // namespace korvel::operations
