// What a new operator meets first: AF entries that cannot go to air, letters that reach the
// listener as others, the mark of values not yet sent, the LPT2 address field's range and the
// clock time's offset from the system's time zone.
#include "app/panel/PanelFixture.h"
#include "app/panel/SystemClock.h"
#include "fakes/TempFolder.h"
#include "link/Transactions.h"
#include "operations/ClockTime.h"

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

namespace korvel::app {
namespace {

using namespace std::chrono_literals;

class FirstUseTest : public PanelFixture {
protected:
    // The operator types into the AF entry box, as the window forwards it, and presses Enter.
    std::optional<model::ControlName> enterAf(int row, const std::string& typed) {
        settings().setRow("SGAF", row);
        panel().events().edit("CBAF", [&] { settings().setText("CBAF", typed); });
        char enter = FieldEditors::kEnter;
        return panel().events().keyPress("CBAF", enter);
    }
    std::string afRow(int row) { return settings().cell("SGAF", row, 1); }
    void sendNow() {
        clock.advance(1s); // Send keeps a second from the last device action
        panel().events().click("BSEND1");
    }
};

TEST_F(FirstUseTest, AnAfEntryThatCannotGoToAirIsRefusedWithItsReason) {
    struct Case {
        const char* typed;
        const char* row;    // what row 2 holds afterwards
        const char* status; // the status bar; empty: the status is left as it was
    };
    const std::string band = "the FM band, 87.6 to 107.9 MHz: not taken";
    const Case cases[] = {
        {"98.5", "98.5", ""},
        {"100", "100.0", ""}, // written out in full
        {"87.6", "87.6", ""},
        {"107.9", "107.9", ""},
        {"", "", ""}, // an emptied row is no entry
        {"120.0", "92.4", "AF 120.0 is outside "},
        {"108.1", "92.4", "AF 108.1 is outside "},
        {"87.5", "92.4", "AF 87.5 is outside "},
        {"95,3", "92.4", "AF \"95,3\" is not a frequency of "},
        {"1o5", "92.4", "AF \"1o5\" is not a frequency of "},
        {"98.55", "92.4", "AF \"98.55\" is not a frequency of "},
        {"99.1", "92.4", "AF 99.1 is in row 1 already: not taken"},
    };
    for (const Case& c : cases) {
        start([](model::StationSettings& s) {
            s.setCell("SGAF", 0, 1, "99.1");
            s.setCell("SGAF", 2, 1, "92.4");
        });
        settings().setText("StatusBar1", "before");
        const auto focus = enterAf(2, c.typed);
        const bool refused = *c.status != '\0';
        EXPECT_EQ(afRow(2), c.row) << c.typed;
        std::string status = c.status;
        if (refused && status.back() == ' ') {
            status += band;
        }
        EXPECT_EQ(settings().text("StatusBar1"), refused ? status : "before") << c.typed;
        // A refused entry stays in the box for correction; a taken one moves on to the next row.
        EXPECT_EQ(focus.has_value(), !refused) << c.typed;
        EXPECT_EQ(settings().text("CBAF"), refused ? c.typed : afRow(3)) << c.typed;
        // Leaving the box then shows the row again.
        panel().events().exit("CBAF");
        EXPECT_EQ(settings().text("CBAF"), afRow(settings().row("SGAF"))) << c.typed;
    }
}

TEST_F(FirstUseTest, LeavingTheAfBoxRefusesItsEntryToo) {
    start([](model::StationSettings& s) { s.setCell("SGAF", 4, 1, "101.1"); });
    settings().setRow("SGAF", 4);
    panel().events().edit("CBAF", [&] { settings().setText("CBAF", "130"); });
    EXPECT_EQ(afRow(4), "130") << "the row follows the typing";
    panel().events().exit("CBAF");
    EXPECT_EQ(afRow(4), "101.1");
    EXPECT_EQ(settings().text("CBAF"), "101.1");
    EXPECT_EQ(settings().text("StatusBar1"), "AF 130 is outside the FM band, 87.6 to 107.9 MHz: not taken");
}

TEST_F(FirstUseTest, SendTellsOfStoredAfEntriesItLeavesOut) {
    start([](model::StationSettings& s) {
        const std::vector<std::string> rows{"98.5", "120.0", "98.5", "87.6"};
        for (std::size_t row = 0; row < rows.size(); ++row) {
            s.setCell("SGAF", static_cast<int>(row), 1, rows[row]);
        }
    });
    sendNow();
    const std::vector<std::uint8_t>& program = library.writes.at(0).block;
    // From 0x10: the count, then the codes of 98.5 (110) and 87.6 (1), each once.
    EXPECT_EQ(std::vector<std::uint8_t>(program.begin() + 16, program.begin() + 19),
              (std::vector<std::uint8_t>{2, 110, 1}));
    EXPECT_EQ(afRow(0), "98.5");
    EXPECT_EQ(afRow(1), "87.6");
    EXPECT_EQ(afRow(2), "");
    EXPECT_EQ(settings().text("StatusBar1"),
              "Ready, but AF 120.0 is outside the FM band, 87.6 to 107.9 MHz: left out (and 1 more)");
}

TEST_F(FirstUseTest, TheUnsentMarkFollowsWhatTheEncoderWasGiven) {
    struct Case {
        const char* name;
        std::function<void()> act;
        bool unsent;
    };
    const auto edit = [this](model::ControlName name) {
        panel().events().edit(name, [&] { settings().setText(name, "NEW"); });
    };
    const auto failingSend = [this] {
        library.sendSucceeds = false;
        sendNow();
    };
    const auto reset = [this](bool confirmed) {
        dialogs.answer = confirmed;
        panel().events().click("BRESET");
    };
    const auto read = [this] { panel().events().click("BREC1"); };
    // A new title from the radiotext source's file, sent at once or kept for the next Send.
    const fakes::TempFolder folder;
    const auto title = [this, &folder](bool sendOnChange) {
        fakes::TempFolder::writeFile(folder / "title.txt", "Velmora - Catch\n");
        settings().setText("ER1F", (folder / "title.txt").string());
        settings().setFlag("CBR1SC", sendOnChange);
        settings().setFlag("CBRTEN", true);
        settings().setFlag("CBR1FF", true);
        panel().events().tick("Timer1");
        ASSERT_EQ(settings().text("RT1"), "Velmora - Catch");
    };
    // clang-format off
    const Case cases[] = {
        {"a start",                            [] {},                                      true},
        {"a Send",                             [] {},                                      false},
        {"a Send, then a PS typed",            [&] { edit("PSDEF"); },                     true},
        {"a Send, then a radiotext typed",     [&] { edit("RT3"); },                       true},
        {"a Send, then a source prefix typed", [&] { edit("ER1PR"); },                     false},
        {"a Send, then one that fails",        failingSend,                                true},
        {"a Send, then a Reset",               [&] { reset(true); },                       true},
        {"a Send, then a Reset declined",      [&] { reset(false); },                      false},
        {"a Send, then a Read",                read,                                       false},
        {"a Send, then a title sent on change", [&] { title(true); },                      false},
        {"a Send, then a title kept for Send", [&] { title(false); },                      true},
        {"a Send, then a PS, then a Read",     [&] { edit("PSDEF"); clock.advance(1s); read(); }, false},
        {"a Send, then a PS, a failed Read",   [&] { edit("PSDEF"); library.receiveSucceeds = false;
                                                     clock.advance(1s); read(); },          true},
    };
    // clang-format on
    for (const Case& c : cases) {
        library = {};
        start();
        if (c.name != std::string("a start")) {
            sendNow();
        }
        c.act();
        EXPECT_EQ(settings().flag("UNSENT"), c.unsent) << c.name;
    }
}

TEST_F(FirstUseTest, ALetterThatReachesTheListenerAsAnotherIsToldOnce) {
    struct Case {
        int conversion;
        const char* typed; // desktop code page 1252
        const char* status;
    };
    const Case cases[] = {
        {0, "Caf\xe9",
         "\"\xc3\xa9\" goes to air as \"\xc5\x8a\" with \"No conversion\" (Text Sources, Options)"},
        {0,
         "Stra\xdf"
         "e",
         "\"\xc3\x9f\" goes to air as \"\xc5\x80\" with \"No conversion\" (Text Sources, Options)"},
        {1, "Caf\xe9",
         "\"\xc3\xa9\" goes to air as \"e\" with \"Convert ext. 128-255 to similar basic 32-127\" (Text "
         "Sources, "
         "Options)"},
        {2, "Caf\xe9", "before"},
        {2, "\x80uro", "before"}, // the euro sign is in the RDS character set
        {2, "Plain", "before"},
    };
    for (const Case& c : cases) {
        start([&](model::StationSettings& s) { s.setChoice("RBANSIC", c.conversion); });
        settings().setText("StatusBar1", "before");
        panel().events().edit("PSDEF", [&] { settings().setText("PSDEF", c.typed); });
        EXPECT_EQ(settings().text("StatusBar1"), c.status) << c.typed;
        // The same letter again, in another text: the operator was told already.
        settings().setText("StatusBar1", "before");
        panel().events().edit("RT2", [&] { settings().setText("RT2", c.typed); });
        EXPECT_EQ(settings().text("StatusBar1"), "before") << c.typed;
    }
}

TEST_F(FirstUseTest, TheLpt2AddressFieldHoldsOnlyAPortAddress) {
    struct Case {
        const char* text;
        bool held;
    };
    const Case cases[] = {{"", true},       {"632", true},    {"65535", true},
                          {"65536", false}, {"99999", false}, {"1000000", false}};
    start();
    for (const Case& c : cases) {
        settings().setText("StatusBar1", "before");
        EXPECT_EQ(panel().events().holds("ELPTA", c.text), c.held) << c.text;
        EXPECT_EQ(settings().text("StatusBar1"),
                  c.held ? "before"
                         : "The LPT2 address is a decimal number up to 65535: " + std::string(c.text) +
                               " is not taken")
            << c.text;
    }
    EXPECT_TRUE(panel().events().holds("PI", "ZZZZZ")) << "other fields keep their own filters";
}

// The clock time with the offsets from the system's time zone, through both changes of summer
// time in Central Europe: a POSIX rule, so that no time-zone database is needed.
class ZoneClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* before = std::getenv("TZ");
        m_before = before ? std::optional<std::string>(before) : std::nullopt;
        ::setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
        ::tzset();
    }
    void TearDown() override {
        if (m_before) {
            ::setenv("TZ", m_before->c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
        ::tzset();
    }

private:
    std::optional<std::string> m_before;
};

TEST_F(ZoneClockTest, TheOffsetIsTheOneInForceAtTheComingMinute) {
    using namespace std::chrono;
    struct Case {
        sys_days date;
        seconds utc; // the wall clock, UTC
        // The clock-time field of the coming minute, IEC 62106: MJD, UTC hour and minute, the
        // local offset in half hours.
        std::uint32_t mjd;
        int hour;
        int minute;
        int halfHours;
        bool summerNow; // what the Summertime box shows: the time of now, not of the coming minute
    };
    constexpr auto spring = sys_days{2026y / March / 29};
    constexpr auto autumn = sys_days{2026y / October / 25};
    const Case cases[] = {
        {spring, 0h + 58min + 30s, 61128, 0, 59, 2, false}, // 01:58:30 CET: winter time still
        {spring, 0h + 59min + 30s, 61128, 1, 0, 4, false},  // its next minute is 03:00 CEST
        {spring, 1h + 0min + 30s, 61128, 1, 1, 4, true},
        {autumn, 0h + 58min + 30s, 61338, 0, 59, 4, true}, // 02:58:30 CEST
        {autumn, 0h + 59min + 30s, 61338, 1, 0, 2, true},  // its next minute is 02:00 CET
        {autumn, 1h + 0min + 30s, 61338, 1, 1, 2, false},
        {sys_days{2026y / December / 8}, 9h + 29min + 40s, 61382, 9, 30, 2, false},
        {sys_days{2026y / December / 31}, 23h + 59min + 30s, 61406, 0, 0, 2, false}, // into 1 January 2027
    };
    for (const Case& c : cases) {
        SystemClock clock({}, [&] { return system_clock::time_point(c.date + c.utc); });
        model::StationSettings settings;
        fakes::RecordingLibrary library;
        link::Transactions transactions(library, settings);
        operations::ClockTime clockTime(settings, transactions, clock);
        settings.setInteger("SEUTCO", 5); // the hand-typed offsets no longer count
        clockTime.SendCT();
        const encoder::ClockTime expected{
            .mjd = c.mjd, .utcHour = c.hour, .minute = c.minute, .localOffset_halfHours = c.halfHours};
        const auto field = encoder::ctBytes(expected);
        std::vector<std::uint8_t> block{0x67, 0x40};
        block.insert(block.end(), field.begin(), field.end());
        ASSERT_EQ(library.writes.size(), 1U);
        EXPECT_EQ(library.writes[0].block, block) << c.hour << ":" << c.minute;
        EXPECT_EQ(settings.flag("STMEN"), c.summerNow) << c.hour << ":" << c.minute;
    }
}

TEST_F(FirstUseTest, TheHandTypedOffsetsCountOnlyWithoutTheTimeZone) {
    for (const bool zone : {true, false}) {
        start([&](model::StationSettings& s) { s.setFlag("CBCTTZ", zone); });
        EXPECT_EQ(settings().enabled("SEUTCO"), !zone);
        EXPECT_EQ(settings().enabled("SESMTO"), !zone);
        panel().events().edit("CBCTTZ", [&] { settings().setFlag("CBCTTZ", !zone); });
        EXPECT_EQ(settings().enabled("SEUTCO"), zone);
    }
}

} // namespace
} // namespace korvel::app
