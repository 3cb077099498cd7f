#include "OperationsFixture.h"

namespace korvel::operations {
namespace {

using model::LocalTime;
using std::chrono::milliseconds;

LocalTime at(int year, int month, int day, int hour, int minute, int second = 0, bool dst = false) {
    return {.year = year,
            .month = month,
            .day = day,
            .hour = hour,
            .minute = minute,
            .second = second,
            .daylightSaving = dst};
}

// The offsets as the operator types them; the system's time zone is tried with the panel.
class ClockTimeTest : public OperationsFixture {
protected:
    ClockTimeTest() { settings.setFlag("CBCTTZ", false); }

    // The bytes after the group type byte of write number `index`, a clock-time load.
    Bytes ctField(std::size_t index) const { return Bytes(block(index).begin() + 2, block(index).end()); }
};

TEST_F(ClockTimeTest, TheWorkedExamplesGiveTheirBytes) {
    struct Case {
        LocalTime local; // already the coming minute
        int offset_h;
        std::uint32_t mjd;
        int utcHour;
        Bytes field;
    };
    const Case cases[] = {
        {at(2026, 12, 8, 10, 30), 1, 61382, 9, {0x01, 0xDF, 0x8C, 0x97, 0x82}},
        {at(2026, 1, 1, 0, 15), 1, 61040, 23, {0x01, 0xDC, 0xE1, 0x73, 0xC2}},
        {at(2026, 12, 31, 22, 5), -5, 61406, 3, {0x01, 0xDF, 0xBC, 0x31, 0x6A}},
        {at(2028, 3, 1, 0, 30), 1, 61830, 23, {}}, // the UTC date is 29 February 2028
        {at(2027, 3, 1, 0, 30), 1, 61464, 23, {}}, // and 28 February 2027
        {at(2026, 6, 1, 1, 10), 2, 61191, 23, {}},
        {at(2026, 6, 1, 12, 0), 0, 61192, 12, {}},
    };
    for (const Case& c : cases) {
        const encoder::ClockTime time = ClockTime::clockTimeFor(c.local, c.offset_h);
        EXPECT_EQ(time.mjd, c.mjd) << c.local.day << "." << c.local.month << "." << c.local.year;
        EXPECT_EQ(time.utcHour, c.utcHour);
        EXPECT_EQ(time.localOffset_halfHours, 2 * c.offset_h);
        if (!c.field.empty()) {
            const auto bytes = encoder::ctBytes(time);
            EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), c.field);
        }
    }
}

TEST_F(ClockTimeTest, OneMinuteLaterCrossesDaysMonthsAndYears) {
    struct Case {
        LocalTime now;
        LocalTime later;
    };
    const Case cases[] = {
        {at(2026, 12, 8, 10, 29, 40), at(2026, 12, 8, 10, 30, 40)},
        {at(2026, 12, 31, 23, 59, 59), at(2027, 1, 1, 0, 0, 59)},
        {at(2028, 2, 28, 23, 59), at(2028, 2, 29, 0, 0)},
        {at(2027, 2, 28, 23, 59), at(2027, 3, 1, 0, 0)},
    };
    for (const Case& c : cases) {
        const LocalTime later = ClockTime::oneMinuteLater(c.now);
        EXPECT_EQ((std::array{later.year, later.month, later.day, later.hour, later.minute}),
                  (std::array{c.later.year, c.later.month, c.later.day, c.later.hour, c.later.minute}));
    }
}

TEST_F(ClockTimeTest, StartLoadsTheComingMinuteAtOnceAndStopWritesNothing) {
    clock.time = at(2026, 12, 8, 10, 29, 40);
    settings.setInteger("SEUTCO", 1);
    clockTime.BSETCTClick();
    EXPECT_EQ(settings.caption("BSETCT"), "Stop");
    EXPECT_TRUE(settings.timerEnabled("Timer3"));
    EXPECT_TRUE(settings.visible("LCT"));
    ASSERT_EQ(library.writes.size(), 1u);
    EXPECT_EQ(block(0)[0], 0x67);
    EXPECT_EQ(block(0)[1], 0x40);
    EXPECT_EQ(ctField(0), (Bytes{0x01, 0xDF, 0x8C, 0x97, 0x82}));

    clockTime.BSETCTClick();
    EXPECT_EQ(settings.caption("BSETCT"), "Start");
    EXPECT_FALSE(settings.timerEnabled("Timer3"));
    EXPECT_FALSE(settings.visible("LCT"));
    EXPECT_EQ(library.writes.size(), 1u);
}

TEST_F(ClockTimeTest, TheTriggerFallsOnSecondZeroAndTheNextMinuteLoadsAfterIt) {
    clock.time = at(2026, 12, 8, 10, 29, 40);
    settings.setInteger("SEUTCO", 1);
    clockTime.BSETCTClick(); // loads 10:30
    clock.advance(milliseconds(100));
    clockTime.Timer3Timer(); // the first tick sees a new minute: 10:30 once more, no trigger
    EXPECT_EQ(addresses(), (std::vector<int>{0x67, 0x67}));
    clock.advance(milliseconds(100));
    clockTime.Timer3Timer(); // the same minute: nothing
    EXPECT_EQ(library.writes.size(), 2u);

    clock.time = at(2026, 12, 8, 10, 30, 0);
    clockTime.Timer3Timer();
    EXPECT_EQ(addresses(), (std::vector<int>{0x67, 0x67, 0x6D, 0x67}));
    EXPECT_EQ(block(2), (Bytes{0x6D, 1}));
    EXPECT_EQ(clock.pauses, std::vector<milliseconds>{milliseconds(200)});
    const auto next = encoder::ctBytes(ClockTime::clockTimeFor(at(2026, 12, 8, 10, 31), 1));
    EXPECT_EQ(ctField(3), Bytes(next.begin(), next.end())) << "the minute after the trigger";

    clock.time = at(2026, 12, 8, 10, 31, 2); // noticed late
    clockTime.Timer3Timer();
    EXPECT_EQ(addresses().back(), 0x67) << "no trigger for a minute noticed after its second 0";
    EXPECT_EQ(library.writes.size(), 5u);
}

TEST_F(ClockTimeTest, SummerTimeAddsItsOffsetAndShowsInTheCheckBox) {
    struct Case {
        bool dst;
        int utc;
        int summer;
        Bytes field; // at 1:09 local, sent as 1:10
    };
    const Case cases[] = {
        {true, 1, 1, {}},  // offset +2: UTC 23:10 the day before
        {false, 1, 1, {}}, // offset +1: UTC 00:10
        {false, 0, 1, {}}, // offset 0: UTC = local
    };
    for (const Case& c : cases) {
        library.writes.clear();
        clock.time = at(2026, 6, 1, 1, 9, 30, c.dst);
        settings.setInteger("SEUTCO", c.utc);
        settings.setInteger("SESMTO", c.summer);
        clockTime.SendCT();
        EXPECT_EQ(settings.flag("STMEN"), c.dst);
        const int offset = c.utc + (c.dst ? c.summer : 0);
        const auto expected = encoder::ctBytes(ClockTime::clockTimeFor(at(2026, 6, 1, 1, 10), offset));
        EXPECT_EQ(ctField(0), Bytes(expected.begin(), expected.end()));
        EXPECT_EQ(ctField(0)[4] & 0x3F, 2 * offset) << "sign 0 and the half hours";
    }
}

} // namespace
} // namespace korvel::operations
