// The emulated encoder behind the five calls: its memory, its command register and its status.
#include "KxioFixture.h"

#include <string>

namespace korvel::kxio::test {
namespace {

class EmulatedEncoderTest : public KxioFixture {
protected:
    void SetUp() override {
        KxioFixture::SetUp();
        connectCom1();
    }
};

Bytes sequence(std::size_t count, std::uint8_t first) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<std::uint8_t>(first + i);
    }
    return bytes;
}

TEST_F(EmulatedEncoderTest, WritesLandAtConsecutiveAddressesAndReadBack) {
    struct Case {
        std::uint8_t address;
        Bytes data;
    };
    const Case cases[] = {
        {0x00, {0x2F, 0x0A}},
        {0x1F, sequence(72, 0x01)},
        {0x77, sequence(73, 0x41)},
        {0xC0, sequence(64, 0x80)},
        {0xFF, {0x5A}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.address));
        ASSERT_TRUE(write(c.address, c.data));
        EXPECT_EQ(read(c.address, c.data.size()), c.data);
    }
    EXPECT_EQ(read(0x00, 2), (Bytes{0x2F, 0x0A})) << "later writes must not disturb earlier ones";
}

TEST_F(EmulatedEncoderTest, TransferThatWouldRunPastLastAddressIsRefusedWhole) {
    struct Case {
        std::uint8_t address;
        std::size_t count;
        bool fits;
    };
    const Case cases[] = {
        {0xFF, 1, true}, {0xFF, 2, false}, {0x80, 128, true}, {0x81, 128, false}, {0x06, 251, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.address) + "+" + std::to_string(c.count));
        kxioTestReset();
        connectCom1();
        EXPECT_EQ(write(c.address, Bytes(c.count, 0x33)), c.fits);
        EXPECT_EQ(read(c.address, c.count).has_value(), c.fits);
        // Nothing of a refused write lands, and nothing wraps round to the start.
        EXPECT_EQ(read(0xFF, 1), (Bytes{static_cast<std::uint8_t>(c.fits ? 0x33 : 0x00)}));
        EXPECT_EQ(read(0x00, 2), (Bytes{0x00, 0x00}));
    }
}

TEST_F(EmulatedEncoderTest, PowersOnWithBlankTextsAndZerosWhenNoImageExists) {
    Bytes expected(256, 0x00);
    std::fill_n(expected.begin() + 0x02, 8, 0x20);  // PS
    std::fill_n(expected.begin() + 0x20, 64, 0x20); // radiotext
    expected[kStatus] = kGenerator;
    EXPECT_EQ(read(0x00, 128), Bytes(expected.begin(), expected.begin() + 128));
    EXPECT_EQ(read(0x80, 128), Bytes(expected.begin() + 128, expected.end()));
}

TEST_F(EmulatedEncoderTest, ResetRestoresTheStoredImage) {
    const Bytes stored = sequence(100, 0x10);
    ASSERT_TRUE(write(0x00, stored));
    ASSERT_TRUE(command('E'));
    EXPECT_EQ(std::filesystem::file_size(imagePath()), 256u);

    ASSERT_TRUE(write(0x00, Bytes(100, 0xFF)));
    ASSERT_TRUE(command('R'));
    EXPECT_EQ(read(0x00, 100), stored);
}

TEST_F(EmulatedEncoderTest, StoredImageIsLoadedAtPowerOn) {
    ASSERT_TRUE(write(0x60, {0x01, 0x40, 0x1F, 0x22}));
    ASSERT_TRUE(command('E'));
    ASSERT_TRUE(write(0x60, {0x00, 0x00, 0x00, 0x00}));

    kxioTestReset();
    connectCom1();
    EXPECT_EQ(read(0x60, 4), (Bytes{0x01, 0x40, 0x1F, 0x22}));
}

TEST_F(EmulatedEncoderTest, ResetWithoutImageReturnsToPowerOnDefaults) {
    ASSERT_TRUE(write(0x00, Bytes(16, 0x77)));
    ASSERT_TRUE(command('R'));
    EXPECT_EQ(read(0x00, 12), (Bytes{0, 0, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0, 0}));
}

TEST_F(EmulatedEncoderTest, CarrierCommandsSwitchGeneratorBit) {
    struct Case {
        std::string commands;
        bool generatorOn;
    };
    const Case cases[] = {
        {"0", false}, {"01", true}, {"00", false}, {"0R", true}, {"0X", false}, {"1", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commands);
        kxioTestReset();
        connectCom1();
        for (const char command_ : c.commands) {
            ASSERT_TRUE(command(command_));
        }
        EXPECT_EQ(status(), c.generatorOn ? kGenerator : 0x00);
    }
}

TEST_F(EmulatedEncoderTest, StatusFollowsTheRegistersAndThePilot) {
    struct Case {
        std::uint8_t clockSource;
        bool pilotPresent;
        std::uint8_t trafficAnnouncement;
        std::uint8_t dpsLength;
        std::uint8_t expected;
    };
    // clang-format off
    const Case cases[] = {
        // clock  pilot  TA    DPS  status
        {0x00,    true,  0x00, 0,   kGenerator},
        {0x01,    true,  0x00, 0,   kGenerator | kPilot},
        {0x03,    true,  0x00, 0,   kGenerator | kPilot},
        {0x02,    true,  0x00, 0,   kGenerator},
        {0x01,    false, 0x00, 0,   kGenerator},
        {0x00,    true,  0x01, 0,   kGenerator | kTrafficAnnouncement},
        {0x00,    true,  0xFE, 0,   kGenerator},
        {0x00,    true,  0x00, 1,   kGenerator | kDynamicPs},
        {0x00,    true,  0x00, 72,  kGenerator | kDynamicPs},
        {0x01,    true,  0x01, 8,   kGenerator | kPilot | kTrafficAnnouncement | kDynamicPs},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.expected));
        kxioTestSetPilot(c.pilotPresent ? 1u : 0u);
        ASSERT_TRUE(write(0x0E, {c.trafficAnnouncement}));
        ASSERT_TRUE(write(0x6E, {c.clockSource}));
        ASSERT_TRUE(write(0x76, {c.dpsLength}));
        EXPECT_EQ(status(), c.expected);
    }
}

TEST_F(EmulatedEncoderTest, StatusAndCommandRegistersHoldNoWrittenValue) {
    ASSERT_TRUE(write(0x6E, {0x01, 0x05, 0x55, '0', 0x07}));
    EXPECT_EQ(read(0x6E, 5), (Bytes{0x01, 0x05, kPilot, 0x00, 0x07}));
}

} // namespace
} // namespace korvel::kxio::test
