// The five calls as a caller sees them: connection, transfer limits, bad arguments and injected faults.
#include "KxioFixture.h"

#include <algorithm>
#include <string>

extern "C" int kxioRoundTripFromC(void);

namespace korvel::kxio::test {
namespace {

class EmulatorTest : public KxioFixture {};

TEST_F(EmulatorTest, ConnectAcceptsEveryConfiguredPortAndNothingElse) {
    struct Case {
        const char* name;
        bool configured;
        std::int32_t hardwareType;
        std::int32_t port;
        bool connects;
    };
    // clang-format off
    const Case cases[] = {
        {"not configured", false, 0, 0,       false},
        {"LPT1",           true,  0, 888,     true},
        {"LPT2 address",   true,  0, 632,     true},
        {"COM1",           true,  1, 1,       true},
        {"COM255",         true,  1, 255,     true},
        {"no port",        true,  0, 0,       false},
        {"negative port",  true,  0, -1,      false},
        {"port too large", true,  0, 0x10000, false},
        {"unknown device", true,  2, 1,       false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kxioTestReset();
        if (c.configured) {
            ConnectionSetup(c.hardwareType, c.port, 1, 0);
        }
        EXPECT_EQ(Connect(), c.connects ? 1u : 0u);
        EXPECT_EQ(write(0x00, {0x01}), c.connects);
    }
}

TEST_F(EmulatorTest, TransfersFailCleanlyWhileNotConnected) {
    struct Case {
        const char* name;
        void (*prepare)();
    };
    const Case cases[] = {
        {"never connected", [] {}},
        {"disconnected",
         [] {
             connectCom1();
             Disconnect();
             Disconnect();
         }},
        {"failed reconnect",
         [] {
             connectCom1();
             ConnectionSetup(0, 0, 0, 0);
             (void)Connect();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kxioTestReset();
        c.prepare();
        EXPECT_FALSE(write(0x00, {0x01}));
        Bytes block(256, 0xAA);
        Receive(block.data(), 0x00, 4);
        EXPECT_EQ(block[1], 0x00);
        EXPECT_EQ(std::count(block.begin(), block.end(), 0xAA), 255) << "only byte 1 is written";
    }
}

TEST_F(EmulatorTest, ReceiveNeverWritesOutsideTheBlock) {
    constexpr std::size_t kGuard = 64;
    constexpr std::uint8_t kGuardByte = 0xA5;
    connectCom1();
    const auto pattern = [](std::size_t from, std::size_t to) {
        Bytes bytes;
        for (std::size_t address = from; address < to; ++address) {
            bytes.push_back(static_cast<std::uint8_t>(address ^ 0x5A));
        }
        return bytes;
    };
    ASSERT_TRUE(write(0x00, pattern(0x00, 0x70))); // around the status and command registers
    ASSERT_TRUE(write(0x72, pattern(0x72, 0x100)));
    Bytes memory = *read(0x00, 128);
    const Bytes upper = *read(0x80, 128);
    memory.insert(memory.end(), upper.begin(), upper.end());

    struct Case {
        std::int32_t address;
        std::int32_t count;
    };
    const Case cases[] = {{0x00, 255}, {0x01, 255}, {0x00, 254}, {0x02, 254}, {0xFF, 1}, {0x00, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.address) + "+" + std::to_string(c.count));
        Bytes buffer(kGuard + 256 + kGuard, kGuardByte);
        std::uint8_t* block = buffer.data() + kGuard;
        Receive(block, c.address, c.count);

        EXPECT_EQ(block[1], 1);
        EXPECT_EQ(block[0], kGuardByte) << "byte 0 is not the library's";
        const std::size_t delivered = std::min<std::size_t>(static_cast<std::size_t>(c.count), 254);
        const auto from = memory.begin() + c.address;
        EXPECT_TRUE(std::equal(from, from + static_cast<std::ptrdiff_t>(delivered), block + 2));
        const auto isGuard = [](std::uint8_t b) { return b == kGuardByte; };
        EXPECT_TRUE(std::all_of(buffer.data(), block, isGuard));
        EXPECT_TRUE(std::all_of(block + 2 + delivered, buffer.data() + buffer.size(), isGuard));
    }
}

TEST_F(EmulatorTest, BadArgumentsFailWithoutTouchingMemory) {
    connectCom1();
    ASSERT_TRUE(write(0x00, {0x2F, 0x0A}));

    for (const std::int32_t count : {-1, 252, 255, 100000}) {
        SCOPED_TRACE(count);
        Bytes block(256, 0x99);
        block[0] = 0x00;
        EXPECT_EQ(Send(count, block.data()), 0u);
    }
    EXPECT_TRUE(write(0x05, Bytes(251, 0x42))) << "251 is the largest count";
    EXPECT_EQ(read(0xFF, 1), (Bytes{0x42}));
    EXPECT_EQ(Send(1, nullptr), 0u);
    Receive(nullptr, 0x00, 10);

    struct ReceiveCase {
        std::int32_t address;
        std::int32_t count;
    };
    for (const ReceiveCase& c :
         {ReceiveCase{-1, 1}, ReceiveCase{256, 1}, ReceiveCase{0, -1}, ReceiveCase{0, 256}}) {
        SCOPED_TRACE(std::to_string(c.address) + "+" + std::to_string(c.count));
        Bytes block(256, 0xAA);
        Receive(block.data(), c.address, c.count);
        EXPECT_EQ(block[1], 0x00);
    }
    EXPECT_EQ(read(0x00, 2), (Bytes{0x2F, 0x0A}));
}

TEST_F(EmulatorTest, BooleanArgumentsUseOnlyTheLowestByte) {
    kxioTestRefuseConnect(0x100); // lowest byte zero: false
    ConnectionSetup(0, 888, 0, 0);
    EXPECT_EQ(Connect(), 1u);
    kxioTestRefuseConnect(0x101);
    EXPECT_EQ(Connect(), 0u);
}

TEST_F(EmulatorTest, RefusedConnectLastsUntilCleared) {
    ConnectionSetup(0, 888, 0, 0);
    kxioTestRefuseConnect(1);
    EXPECT_EQ(Connect(), 0u);
    EXPECT_EQ(Connect(), 0u);
    EXPECT_FALSE(write(0x00, {0x01}));
    kxioTestRefuseConnect(0);
    EXPECT_EQ(Connect(), 1u);
}

TEST_F(EmulatorTest, InjectedSendFailureFailsOnlyTheNextSend) {
    connectCom1();
    kxioTestFailNextSend();
    EXPECT_FALSE(write(0x00, {0x2F}));
    EXPECT_EQ(read(0x00, 1), (Bytes{0x00})) << "a failed Send writes nothing";
    EXPECT_TRUE(write(0x00, {0x2F}));
    EXPECT_EQ(read(0x00, 1), (Bytes{0x2F}));
}

TEST_F(EmulatorTest, InjectedReceiveFailureFailsOnlyTheNextReceive) {
    connectCom1();
    ASSERT_TRUE(write(0x00, {0x2F}));
    kxioTestFailNextReceive();
    Bytes block(256, 0xAA);
    Receive(block.data(), 0x00, 1);
    EXPECT_EQ(block[1], 0x00);
    EXPECT_EQ(block[2], 0xAA);
    EXPECT_EQ(read(0x00, 1), (Bytes{0x2F}));
}

TEST_F(EmulatorTest, HeaderServesCallersWrittenInC) {
    EXPECT_EQ(kxioRoundTripFromC(), 1);
}

} // namespace
} // namespace korvel::kxio::test
