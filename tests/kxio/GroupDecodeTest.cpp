// The groups the emulated encoder puts on air, read by an outside decoder (Debian's libv4l2rds):
// what a receiver makes of them is what the registers say.
#include "kxio/GroupScheduler.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <libv4l2rds.h>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace korvel::kxio::test {
namespace {

using Decoder = std::unique_ptr<v4l2_rds, decltype(&v4l2_rds_destroy)>;

void put(RegisterMemory& memory, Register reg, const std::string& bytes) {
    std::copy(bytes.begin(), bytes.end(), memory.begin() + static_cast<std::ptrdiff_t>(index(reg)));
}

void put(RegisterMemory& memory, Register reg, std::initializer_list<std::uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), memory.begin() + static_cast<std::ptrdiff_t>(index(reg)));
}

std::string text(const std::uint8_t* bytes) {
    return reinterpret_cast<const char*>(bytes);
}

// An encoder fresh from power-on, its groups fed block by block into a new decoder.
class GroupDecodeTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_state.memory.fill(0);
        put(m_state.memory, Register::ProgrammeService, std::string(8, ' '));
        put(m_state.memory, Register::RadiotextText, std::string(64, ' '));
        m_scheduler = GroupScheduler{};
        m_received.clear();
        m_radiotextSegments.clear();
        m_decoder = Decoder{v4l2_rds_create(false), &v4l2_rds_destroy};
    }

    RegisterMemory& memory() { return m_state.memory; }
    AirState& state() { return m_state; }
    v4l2_rds& decoded() { return *m_decoder; }

    // Sends count groups; returns how many the scheduler gave.
    int run(int count) {
        int sent = 0;
        for (int i = 0; i < count; ++i) {
            const std::optional<RdsGroup> group = m_scheduler.next(m_state);
            if (group) {
                feed(*group);
                ++sent;
            }
        }
        return sent;
    }

    // The radiotext segment addresses sent so far.
    [[nodiscard]] const std::set<int>& radiotextSegments() const { return m_radiotextSegments; }

    // How many groups of each type ("0A", "11B") the decoder has received.
    [[nodiscard]] const std::map<std::string, int>& received() const { return m_received; }

    // Sends count groups and records each PS the decoder shows anew.
    std::vector<std::string> psSequence(int count) {
        std::vector<std::string> shown;
        for (int i = 0; i < count; ++i) {
            const std::optional<RdsGroup> group = m_scheduler.next(m_state);
            EXPECT_TRUE(group);
            const std::uint32_t updated = group ? feed(*group) : 0;
            if ((updated & V4L2_RDS_PS) != 0 && (shown.empty() || shown.back() != text(m_decoder->ps))) {
                shown.push_back(text(m_decoder->ps));
            }
        }
        return shown;
    }

private:
    std::uint32_t feed(const RdsGroup& group) {
        const std::uint8_t third = group.versionB() ? V4L2_RDS_BLOCK_C_ALT : V4L2_RDS_BLOCK_C;
        const std::uint8_t ids[] = {V4L2_RDS_BLOCK_A, V4L2_RDS_BLOCK_B, third, V4L2_RDS_BLOCK_D};
        std::uint32_t updated = 0;
        for (std::size_t i = 0; i < RdsGroup::kBlocks; ++i) {
            v4l2_rds_data data{static_cast<std::uint8_t>(group.blocks[i] & 0xFF),
                               static_cast<std::uint8_t>(group.blocks[i] >> 8), ids[i]};
            updated |= v4l2_rds_add(m_decoder.get(), &data);
        }
        const v4l2_rds_group* decodedGroup = v4l2_rds_get_group(m_decoder.get());
        ++m_received[std::to_string(decodedGroup->group_id) + decodedGroup->group_version];
        if (decodedGroup->group_id == 2) {
            m_radiotextSegments.insert(decodedGroup->data_b_lsb & 0x0F);
        }
        return updated;
    }

    AirState m_state;
    std::map<std::string, int> m_received;
    std::set<int> m_radiotextSegments;
    GroupScheduler m_scheduler;
    Decoder m_decoder{v4l2_rds_create(false), &v4l2_rds_destroy};
};

TEST_F(GroupDecodeTest, StationDataDecodes) {
    struct Case {
        std::uint16_t pi;
        std::string ps;
        std::uint8_t pty;
        std::uint8_t di;
        bool music, tp, ta;
        std::vector<std::uint8_t> afs;
    };
    const Case cases[] = {
        {0x2F0A, "KORVEL 1", 10, 0x01, true, true, false, {1, 204, 110}},
        {0xD3C2, "NEWS 24 ", 3, 0x06, false, false, true, {}},
        {0x1234, "ABCDEFGH", 31, 0x0B, true, true, true, {50, 60, 70, 80}},
        {0xFFFF, "        ", 0, 0x08, false, false, false, {100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ps);
        SetUp();
        put(memory(), Register::PiHigh,
            {static_cast<std::uint8_t>(c.pi >> 8), static_cast<std::uint8_t>(c.pi)});
        put(memory(), Register::ProgrammeService, c.ps);
        put(memory(), Register::ProgrammeType,
            {c.pty, c.di, std::uint8_t{c.music}, std::uint8_t{c.tp}, std::uint8_t{c.ta},
             static_cast<std::uint8_t>(c.afs.size())});
        std::copy(c.afs.begin(), c.afs.end(), memory().begin() + index(Register::AfCodes));
        run(40);

        EXPECT_EQ(decoded().pi, c.pi);
        EXPECT_EQ(text(decoded().ps), c.ps);
        EXPECT_EQ(decoded().pty, c.pty);
        EXPECT_EQ(decoded().di, c.di);
        EXPECT_EQ(decoded().ms, c.music);
        EXPECT_EQ(decoded().tp, c.tp);
        EXPECT_EQ(decoded().ta, c.ta);
        EXPECT_EQ(decoded().rds_af.announced_af, c.afs.size());
        std::vector<std::uint32_t> frequencies;
        for (std::size_t i = 0; i < decoded().rds_af.size; ++i) {
            frequencies.push_back(decoded().rds_af.af[i]);
        }
        std::vector<std::uint32_t> expected;
        for (std::uint8_t code : c.afs) {
            expected.push_back((875u + code) * 100'000u);
        }
        EXPECT_EQ(frequencies, expected);
    }
}

TEST_F(GroupDecodeTest, AfCodesThatNameNoFrequencyAreLeftOut) {
    put(memory(), Register::AfCount, {4, 0, 101, 205, 250});
    run(40);
    EXPECT_EQ(decoded().rds_af.announced_af, 1);
    ASSERT_EQ(decoded().rds_af.size, 1);
    EXPECT_EQ(decoded().rds_af.af[0], 97'600'000u);
}

TEST_F(GroupDecodeTest, RadiotextEndsAtCarriageReturnOrAfter64Characters) {
    struct Case {
        std::string registers;
        std::uint8_t control;
        std::string shown;
        bool abFlag;
        int segments;
    };
    const std::string full = "Korvel on air: a radiotext that fills every one of the 64 places";
    ASSERT_EQ(full.size(), 64u);
    const Case cases[] = {
        {full, 0x01, full, false, 16},
        {"Now playing: Song\r" + std::string(46, 'x'), 0x03, "Now playing: Song", true, 5},
        {"\r" + std::string(63, 'y'), 0x01, "", false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        SetUp();
        put(memory(), Register::RadiotextControl, {c.control});
        put(memory(), Register::RadiotextText, c.registers);
        run(200);
        EXPECT_EQ(text(decoded().rt), c.shown);
        EXPECT_EQ(decoded().rt_ab_flag, c.abFlag);
        EXPECT_EQ(radiotextSegments().size(), static_cast<std::size_t>(c.segments))
            << "no segment after the end";
    }
}

TEST_F(GroupDecodeTest, RadiotextOffSendsNoRadiotextGroups) {
    put(memory(), Register::RadiotextText, std::string("Not on air"));
    run(120);
    EXPECT_EQ(received(), (std::map<std::string, int>{{"0A", 120}}));
}

TEST_F(GroupDecodeTest, NewAbFlagStartsTheNewTextFromItsFirstSegment) {
    put(memory(), Register::RadiotextControl, {0x01});
    put(memory(), Register::RadiotextText, std::string(64, 'A'));
    run(7 * 6); // part of the A text
    put(memory(), Register::RadiotextControl, {0x03});
    put(memory(), Register::RadiotextText, std::string("Second\r"));
    run(6 * 3);
    EXPECT_TRUE(decoded().rt_ab_flag);
    EXPECT_EQ(text(decoded().rt), "Second");
}

TEST_F(GroupDecodeTest, GroupsMixInTheirRatio) {
    struct Case {
        std::uint8_t radiotext, userGroup;
        std::map<std::string, int> received;
    };
    const Case cases[] = {
        {0, 0, {{"0A", 120}}},
        {1, 0, {{"0A", 96}, {"2A", 24}}},
        {0, 1, {{"0A", 96}, {"11A", 24}}},
        {1, 1, {{"0A", 80}, {"2A", 20}, {"11A", 20}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.radiotext) + std::to_string(c.userGroup));
        SetUp();
        put(memory(), Register::RadiotextControl, {c.radiotext});
        put(memory(), Register::UserGroupEnable, {c.userGroup, 0xB0, 0x01, 0x12, 0x34, 0x56, 0x78}); // 11A
        ASSERT_EQ(run(120), 120);
        EXPECT_EQ(received(), c.received);
    }
}

TEST_F(GroupDecodeTest, UserGroupGoesOutAsItsTypeAndBytes) {
    struct Case {
        std::vector<std::uint8_t> registers; // type byte, bytes 4..8
        std::uint8_t id;
        char version;
        std::uint8_t blockBLow, c1, c2, d1, d2;
    };
    const Case cases[] = {
        {{0xB0, 0x1F, 0x12, 0x34, 0x56, 0x78}, 11, 'A', 0x1F, 0x12, 0x34, 0x56, 0x78},
        {{0xF8, 0x05, 0x12, 0x34, 0xAB, 0xCD}, 15, 'B', 0x05, 0x2F, 0x0A, 0xAB, 0xCD},
        // Bits of byte 4 above 0x1F would spoil the programme type: they are not sent.
        {{0x10, 0xE3, 0x00, 0x01, 0x02, 0x03}, 1, 'A', 0x03, 0x00, 0x01, 0x02, 0x03},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.id));
        SetUp();
        put(memory(), Register::PiHigh, {0x2F, 0x0A});
        put(memory(), Register::UserGroupEnable, {1});
        std::copy(c.registers.begin(), c.registers.end(), memory().begin() + index(Register::UserGroupType));
        run(5); // one cycle: four 0A groups, then the user group
        const v4l2_rds_group* group = v4l2_rds_get_group(&decoded());
        EXPECT_EQ(group->group_id, c.id);
        EXPECT_EQ(group->group_version, c.version);
        EXPECT_EQ(group->data_b_lsb, c.blockBLow);
        EXPECT_EQ(group->data_c_msb, c.c1);
        EXPECT_EQ(group->data_c_lsb, c.c2);
        EXPECT_EQ(group->data_d_msb, c.d1);
        EXPECT_EQ(group->data_d_lsb, c.d2);
        EXPECT_EQ(decoded().pty, 0);
    }
}

// The clock-time registers as the control panel loads them, for the start of a minute. The decoder
// takes a date only when it comes twice; its local time is wrong for offsets other than zero, so
// with an offset the offset field is checked as the decoder splits the group up.
TEST_F(GroupDecodeTest, ClockTimeGoesOutOnceWhenTriggered) {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    struct Case {
        std::vector<std::uint8_t> bytes; // 0x68..0x6C
        std::time_t utc;
        std::uint8_t offset; // bit 5 negative, bits 4..0 half hours
    };
    const Case cases[] = {
        {{0x01, 0xDF, 0x8C, 0x97, 0x80}, 1796722200, 0x00}, // 8 Dec 2026 09:30 UTC
        {{0x01, 0xDC, 0xE1, 0x73, 0xC0}, 1767222900, 0x00}, // 31 Dec 2025 23:15 UTC
        {{0x01, 0xDF, 0xBC, 0x31, 0x40}, 1798772700, 0x00}, // 1 Jan 2027 03:05 UTC
        {{0x01, 0xDF, 0x8C, 0x97, 0x82}, 0, 0x02},          // the first, one hour ahead of UTC
        {{0x01, 0xDF, 0xBC, 0x31, 0x6A}, 0, 0x2A},          // the third, five hours behind UTC
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utc);
        SetUp();
        put(memory(), Register::ClockTimeType, {0x40});
        std::copy(c.bytes.begin(), c.bytes.end(), memory().begin() + index(Register::ClockTimeType) + 1);
        run(12);
        EXPECT_EQ(received().count("4A"), 0u) << "loading the clock time sends nothing";
        ++state().clockTimeTriggers;
        run(1);
        ASSERT_EQ(received().count("4A"), 1u) << "the trigger puts 4A into the next slot";
        run(120);
        EXPECT_EQ(received().at("4A"), 1) << "sent once per trigger";
        ++state().clockTimeTriggers;
        run(1);
        EXPECT_EQ(received().at("4A"), 2);
        ASSERT_NE(decoded().valid_fields & V4L2_RDS_TIME, 0u);
        EXPECT_EQ(v4l2_rds_get_group(&decoded())->data_d_lsb & 0x3F, c.offset);
        if (c.offset == 0) {
            // The decoder leaves the summer-time flag of its date uninitialised, which can cost an hour.
            const std::time_t time = decoded().time;
            EXPECT_TRUE(time == c.utc || time == c.utc - 3600) << time;
        }
    }
}

// The labels a receiver shows, in order, for each dynamic PS mode: the same sequences as the
// control panel's preview. One tick is four 0A groups here (no radiotext, no user group). The
// decoder takes a PS character only when it comes twice running, so every label here stays for at
// least two ticks ("Low" scrolling speed).
TEST_F(GroupDecodeTest, DynamicPsShowsTheLabelsOfItsMode) {
    struct Case {
        std::string text;
        std::uint8_t mode, labelPeriod, speed;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {"RADIO   NEWS    ", 0, 4, 1, {"STATIC  ", "RADIO   ", "NEWS    ", "STATIC  "}},
        {"ABCDEFGHIJ", 1, 4, 1, {"STATIC  ", "ABCDEFGH", "BCDEFGHI", "CDEFGHIJ", "STATIC  "}},
        {"ABCDEFGHIJ", 1, 0, 1, {"STATIC  ", "ABCDEFGH", "BCDEFGHI", "CDEFGHIJ", "STATIC  "}},
        {"THE QUICK BROWN FOX",
         2,
         1,
         1,
         {"STATIC  ", "THE     ", "QUICK   ", "BROWN   ", "FOX     ", "STATIC  "}},
        {"ABCDEFGHIJK", 2, 1, 1, {"STATIC  ", "ABCDEFGH", "IJK     ", "STATIC  "}},
        {"HELLO WORLD AB", 2, 1, 1, {"STATIC  ", "HELLO   ", "WORLD AB", "STATIC  "}},
        {"AB",
         3,
         4,
         1,
         {"STATIC  ", "        ", "       A", "      AB", "     AB ", "    AB  ", "   AB   ", "  AB    ",
          " AB     ", "AB      ", "B       ", "        ", "STATIC  "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " mode " + std::to_string(c.mode));
        SetUp();
        put(memory(), Register::ProgrammeService, std::string("STATIC  "));
        put(memory(), Register::DpsDelay,
            {1, c.mode, c.labelPeriod, c.speed, static_cast<std::uint8_t>(c.text.size())});
        put(memory(), Register::DpsText, c.text + " ");
        std::vector<std::string> shown = psSequence(4 * 60);
        ASSERT_GE(shown.size(), c.shown.size());
        shown.resize(c.shown.size());
        EXPECT_EQ(shown, c.shown);
    }
}

// The display moves on once per cycle: a label held for two ticks lasts 8, 10 or 12 groups, as the
// preview's tick is 350, 437 or 524 ms with radiotext and the user group off or on.
TEST_F(GroupDecodeTest, DynamicPsTickIsOneCycle) {
    struct Case {
        std::uint8_t radiotext, userGroup;
        int groupsPerLabel;
    };
    const Case cases[] = {{0, 0, 8}, {1, 0, 10}, {0, 1, 10}, {1, 1, 12}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.groupsPerLabel);
        SetUp();
        put(memory(), Register::RadiotextControl, {c.radiotext});
        put(memory(), Register::UserGroupEnable, {c.userGroup, 0xB0});
        put(memory(), Register::DpsDelay, {0, 0, 1, 1, 24}); // no delay, mode 0, 2 ticks a label
        put(memory(), Register::DpsText, std::string("FIRST   SECOND  THIRD    "));
        std::vector<int> changes;
        for (int i = 0; i < 10 * c.groupsPerLabel; ++i) {
            if (!psSequence(1).empty()) {
                changes.push_back(i);
            }
        }
        ASSERT_GE(changes.size(), 4u);
        for (std::size_t i = 2; i < changes.size(); ++i) { // from the first label on
            EXPECT_EQ(changes[i] - changes[i - 1], c.groupsPerLabel);
        }
    }
}

TEST_F(GroupDecodeTest, CarrierOffSendsNothing) {
    state().carrierOn = false;
    EXPECT_EQ(run(20), 0);
    state().carrierOn = true;
    EXPECT_EQ(run(20), 20);
}

} // namespace
} // namespace korvel::kxio::test
