#include "encoder/MemoryMap.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>

namespace korvel::encoder {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The text a spin edit would show for `value`, read back as a number.
double viaText(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return std::strtod(text, nullptr);
}

TEST(MemoryMapTest, AfCodeFromFrequency) {
    struct Row {
        double mhz;
        std::optional<std::uint8_t> code;
    };
    for (const auto& [mhz, code] : {Row{87.6, 1}, Row{107.9, 204}, Row{98.5, 110}, Row{100.0, 125},
                                    Row{87.59, 1}, Row{87.5, std::nullopt}, Row{108.0, std::nullopt},
                                    Row{-98.5, std::nullopt}, Row{kNaN, std::nullopt}}) {
        EXPECT_EQ(afCodeFromMHz(mhz), code) << mhz;
    }
}

TEST(MemoryMapTest, AfTextHasOneDecimalAndReadsBackAsTheSameCode) {
    EXPECT_EQ(afFrequencyText(110), "98.5");
    EXPECT_EQ(afFrequencyText(110, ','), "98,5");
    EXPECT_EQ(afFrequencyText(0), "87.5"); // not range-checked on read
    for (int code = 1; code <= 204; ++code) {
        const auto text = afFrequencyText(static_cast<std::uint8_t>(code));
        EXPECT_EQ(afCodeFromMHz(std::strtod(text.c_str(), nullptr)), code) << text;
    }
}

TEST(MemoryMapTest, ReadCountsAreLimited) {
    EXPECT_EQ(afCountFromByte(15), 15);
    EXPECT_EQ(afCountFromByte(16), 0);
    EXPECT_EQ(dpsLengthFromByte(72), 72u);
    EXPECT_EQ(dpsLengthFromByte(200), 72u);
}

TEST(MemoryMapTest, GroupTypeByte) {
    EXPECT_EQ(groupTypeByte(8), 0x40);  // 4A
    EXPECT_EQ(groupTypeByte(31), 0xF8); // 15B
    for (int index = 0; index < 32; ++index) {
        EXPECT_EQ(groupTypeIndex(groupTypeByte(index)), index);
    }
}

TEST(MemoryMapTest, ClockSourceBothWays) {
    for (int rgcs = 0; rgcs < 2; ++rgcs) {
        for (int rgpllr = 0; rgpllr < 2; ++rgpllr) {
            const ClockSource source{rgcs, rgpllr};
            EXPECT_EQ(clockSourceByte(source), rgcs + 2 * rgpllr);
            EXPECT_EQ(clockSourceFromByte(clockSourceByte(source)), source);
        }
    }
    EXPECT_EQ(clockSourceFromByte(0xFD), (ClockSource{1, 0}));
}

TEST(MemoryMapTest, SteppedValuesFromTheOperatorsUnits) {
    EXPECT_EQ(phaseByte(170.46), 18);
    EXPECT_EQ(dpsDelayByte(18.9), 7);
    EXPECT_EQ(dpsDelayByte(21.6), 8);
    EXPECT_EQ(dpsDelayByte(40.5), 15);
    EXPECT_EQ(dpsDelayByte(688.5), 255);
    EXPECT_EQ(dpsLabelPeriodByte(2.5), 4);
    EXPECT_EQ(dpsLabelPeriodByte(0.5), 0);
    EXPECT_EQ(dpsLabelPeriodByte(128.0), 255);
    // Outside the register's range, and nonsense, stay inside it.
    EXPECT_EQ(phaseByte(400.0), 18);
    EXPECT_EQ(dpsDelayByte(700.0), 255);
    EXPECT_EQ(dpsDelayByte(kNaN), 0);
    EXPECT_EQ(dpsLabelPeriodByte(0.0), 0);
    EXPECT_DOUBLE_EQ(phaseDegrees(25), 170.46);
}

TEST(MemoryMapTest, SteppedBytesSurviveReadAndSendAgain) {
    struct Stepped {
        const char* name;
        int maxByte;
        int decimals;
        double (*toValue)(std::uint8_t);
        std::uint8_t (*toByte)(double);
    };
    for (const auto& s : {Stepped{"phase", 18, 2, phaseDegrees, phaseByte},
                          Stepped{"delay", 255, 1, dpsDelaySeconds, dpsDelayByte},
                          Stepped{"label period", 255, 1, dpsLabelPeriodSeconds, dpsLabelPeriodByte}}) {
        for (int b = 0; b <= s.maxByte; ++b) {
            const auto byte = static_cast<std::uint8_t>(b);
            const double value = s.toValue(byte);
            EXPECT_EQ(s.toByte(value), byte) << s.name << " " << value;
            EXPECT_EQ(s.toByte(viaText(value, s.decimals)), byte) << s.name << " shown " << value;
        }
    }
}

TEST(MemoryMapTest, ClockTimeField) {
    struct Row {
        ClockTime time;
        std::array<std::uint8_t, 5> bytes;
    };
    // 60000 = 0xEA60: 0xEA60 << 17 | 12 << 12 | 34 << 6 = 0x1D4C0C880, then sign and half hours.
    const Row rows[] = {
        {{60000, 12, 34, 4}, {0x01, 0xD4, 0xC0, 0xC8, 0x84}},
        {{60000, 12, 34, -11}, {0x01, 0xD4, 0xC0, 0xC8, 0xAB}},
        {{61406, 3, 5, -10}, {0x01, 0xDF, 0xBC, 0x31, 0x6A}},
        {{0x1FFFF, 23, 59, -28}, {0x03, 0xFF, 0xFF, 0x7E, 0xFC}},
    };
    for (const auto& [time, expected] : rows) {
        const auto bytes = ctBytes(time);
        EXPECT_EQ(bytes, expected) << time.mjd;
        std::uint64_t field = 0;
        for (const auto byte : bytes) {
            field = field << 8 | byte;
        }
        EXPECT_EQ(field >> 34, 0u);
        EXPECT_EQ((field >> 17) & 0x1FFFF, time.mjd);
        EXPECT_EQ(static_cast<int>((field >> 12) & 0x1F), time.utcHour);
        EXPECT_EQ(static_cast<int>((field >> 6) & 0x3F), time.minute);
        const int halfHours = static_cast<int>(field & 0x1F);
        EXPECT_EQ((field >> 5) & 1 ? -halfHours : halfHours, time.localOffset_halfHours);
    }
}

TEST(MemoryMapTest, ClockTimeFieldsNeverSpillIntoTheirNeighbours) {
    EXPECT_EQ(ctBytes({0x20000, 0, 0, 0}), (std::array<std::uint8_t, 5>{}));
    EXPECT_EQ(ctBytes({0, 32, 64, 32}), (std::array<std::uint8_t, 5>{}));
}

TEST(MemoryMapTest, BitOn) {
    struct Row {
        int value;
        int bit;
        bool on;
    };
    for (const auto& [value, bit, on] : {Row{0x85, 0, true}, Row{0x85, 1, false}, Row{0x85, 7, true},
                                         Row{0x40000000, 30, true}, Row{-1, 31, false}, Row{1, -1, false}}) {
        EXPECT_EQ(BitOn(value, bit), on) << value << " bit " << bit;
    }
}

TEST(MemoryMapTest, StatusBits) {
    EXPECT_EQ(statusFromByte(0x85), (EncoderStatus{true, false, true, true}));
    EXPECT_EQ(statusFromByte(0x02), (EncoderStatus{false, true, false, false}));
    EXPECT_EQ(statusFromByte(0x78), EncoderStatus{});
}

TEST(MemoryMapTest, PiAndDi) {
    EXPECT_EQ(piText(0x2F, 0x0A), "2F0A");
    EXPECT_EQ(piText(0xFF, 0xFF), "FFFF");
    EXPECT_EQ(piText(0x00, 0x05), "0005");
    EXPECT_EQ(diByte({true, false, false, true}), 0x09);
    EXPECT_EQ(diItems(0xF9), (std::array<bool, 4>{true, false, false, true}));
    for (int b = 0; b < 16; ++b) {
        EXPECT_EQ(diByte(diItems(static_cast<std::uint8_t>(b))), b);
    }
    EXPECT_EQ(rtControlByte(true, true), 3);
    EXPECT_EQ(rtControlByte(false, true), 2);
}

TEST(MemoryMapTest, RegisterTexts) {
    EXPECT_EQ(registerText("ABC", kPsLength), "ABC     ");
    EXPECT_EQ(registerText("", kPsLength), "        ");
    EXPECT_EQ(registerText("\xC8\xE9STINATION", kPsLength), "\xC8\xE9STINAT");
    EXPECT_EQ(registerText(std::string(70, 'x'), kRtLength), std::string(64, 'x'));
    struct Row {
        std::string_view read;
        std::string_view text;
    };
    for (const auto& [read, text] : {Row{"        ", ""}, Row{"RADIO   ", "RADIO"}, Row{" ", ""}, Row{"", ""},
                                     Row{" A B  ", " A B"}, Row{"ABCDEFGH", "ABCDEFGH"}}) {
        EXPECT_EQ(trimmedRegisterText(read), text) << '"' << read << '"';
    }
}

} // namespace
} // namespace korvel::encoder
