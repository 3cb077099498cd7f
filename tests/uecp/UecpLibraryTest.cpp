// The UECP build's calls, as the program makes them, against a fake encoder on loopback.
#include "uecp/UecpLibrary.h"

#include "FakeEncoder.h"
#include "kxio/kxio.h"
#include "uecp/kxioUecp.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <unistd.h>

namespace korvel::uecp {
namespace {

using test::FakeEncoder;
using Answer = FakeEncoder::Answer;
using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

class UecpLibraryTest : public testing::Test {
protected:
    void TearDown() override {
        Disconnect();
        std::filesystem::remove(m_ini);
    }

    // Writes the INI file and connects to the fake, or to the port given.
    bool connect(const std::string& extra = "", FakeEncoder::Protocol protocol = FakeEncoder::Protocol::Tcp) {
        m_fake.emplace(protocol);
        writeIni("transport = " + std::string(protocol == FakeEncoder::Protocol::Tcp ? "tcp" : "udp") +
                 "\nhost = 127.0.0.1\nport = " + std::to_string(m_fake->port()) +
                 "\nsite = 0x345\nencoder = 0x12\ntimeout_ms = 100\n" + extra);
        return Connect() != 0;
    }

    void writeIni(const std::string& text) {
        std::ofstream(m_ini) << text;
        ::setenv("KXIO_UECP_CONFIG", m_ini.c_str(), 1);
    }

    static bool send(std::uint8_t address, Bytes data) {
        data.insert(data.begin(), address);
        return Send(static_cast<std::int32_t>(data.size() - 1), data.data()) != 0;
    }

    static Bytes receive(std::uint8_t address, int count) {
        std::array<std::uint8_t, 256> block{};
        Receive(block.data(), address, count);
        if (block[1] == 0) {
            return {};
        }
        return Bytes(block.begin() + 2, block.begin() + 2 + count);
    }

    std::string m_ini =
        (std::filesystem::temp_directory_path() / ("uecp-test-" + std::to_string(::getpid()) + ".ini"))
            .string();
    std::optional<FakeEncoder> m_fake;
};

TEST_F(UecpLibraryTest, AWriteReachesTheEncoderOverTcpAndUdp) {
    for (const auto protocol : {FakeEncoder::Protocol::Tcp, FakeEncoder::Protocol::Udp}) {
        ASSERT_TRUE(connect("", protocol)) << KxioLastError();
        EXPECT_TRUE(send(0x00, {0x12, 0x34})) << KxioLastError();
        EXPECT_EQ(m_fake->messages(), std::vector<Message>{(Pi{{0, 0}, 0x1234})});
        EXPECT_STREQ(KxioLastError(), "");
        const std::string where = (protocol == FakeEncoder::Protocol::Tcp ? "TCP" : "UDP") +
                                  std::string(" 127.0.0.1:") + std::to_string(m_fake->port());
        EXPECT_EQ(std::string(KxioLibraryInfo()), "UECP over " + where + ", site 0x345, encoder 0x12");
        Disconnect();
    }
}

TEST_F(UecpLibraryTest, AWriteReachesTheEncoderOverASerialLine) {
    m_fake.emplace(FakeEncoder::Protocol::Serial);
    writeIni("transport = serial\ndevice = " + m_fake->device() + "\nspeed = 19200\ntimeout_ms = 200\n");
    ASSERT_NE(Connect(), 0u) << KxioLastError();
    EXPECT_TRUE(send(0x00, {0x12, 0x34})) << KxioLastError();
    EXPECT_EQ(m_fake->messages(), std::vector<Message>{(Pi{{0, 0}, 0x1234})});
    EXPECT_EQ(std::string(KxioLibraryInfo()).find("UECP over serial " + m_fake->device() + " at 19200 bit/s"),
              0u);
}

struct FaultCase {
    const char* name;
    std::vector<Answer> script;
    bool succeeds;
    const char* reason; // in KxioLastError
    int frames;         // how often the frame went out
};

// clang-format off
const std::vector<FaultCase> kFaults{
    {"NAK out of range: no repeat", {Answer::Nak},                                 false, "NAK code 6",   1},
    {"silence: repeated twice",     {Answer::Silence, Answer::Silence, Answer::Silence}, false, "no answer", 3},
    {"ACKs for other frames",       {Answer::StaleAck, Answer::StaleAck, Answer::StaleAck}, false, "no answer", 3},
    {"silence, then an ACK",        {Answer::Silence},                             true,  "",             2},
    {"garbage around the ACK",      {Answer::GarbageAndAck},                       true,  "",             1},
    {"half an ACK, then a whole",   {Answer::HalfAndAck},                          true,  "",             1},
    {"link dropped",                {Answer::Drop},                                false, "closed",       1},
};
// clang-format on

TEST_F(UecpLibraryTest, EachFaultOfTheEncoderEndsTheSendAsItShould) {
    for (const auto& c : kFaults) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(connect());
        m_fake->script(c.script);
        EXPECT_EQ(send(0x0A, {7}), c.succeeds);
        EXPECT_NE(std::string(KxioLastError()).find(c.reason), std::string::npos) << KxioLastError();
        EXPECT_EQ(m_fake->frames(), c.frames);
        Disconnect();
    }
}

TEST_F(UecpLibraryTest, ADamagedFrameIsSentAgain) {
    ASSERT_TRUE(connect());
    m_fake->script({Answer::Nak}, AckCode::Crc);
    EXPECT_TRUE(send(0x0A, {7})) << KxioLastError();
    EXPECT_EQ(m_fake->frames(), 2);
}

// The frame of a PTY write is 12 bytes or more; the link drops after each of its first 12 bytes. The Send
// fails, and the next one connects again and goes through.
TEST_F(UecpLibraryTest, ALinkDroppedAnywhereInASendFailsItAndTheNextSendReconnects) {
    ASSERT_TRUE(connect());
    for (std::size_t position = 1; position <= 12; ++position) {
        SCOPED_TRACE(position);
        m_fake->dropAfter(position);
        EXPECT_FALSE(send(0x0A, {static_cast<std::uint8_t>(position)}));
        EXPECT_NE(std::string(KxioLastError()), "");
        EXPECT_TRUE(send(0x0A, {static_cast<std::uint8_t>(position)})) << KxioLastError();
    }
    EXPECT_EQ(m_fake->connections(), 13); // the first, and one after each drop
}

TEST_F(UecpLibraryTest, NoCallWaitsLongerThanItsBudget) {
    // Three waits of 1.5 s would end at 4.5 s: the budget cuts the third short.
    ASSERT_TRUE(connect("timeout_ms = 1500\nretries = 5\n"));
    m_fake->script(std::vector<Answer>(6, Answer::Silence));
    const auto start = Clock::now();
    EXPECT_FALSE(send(0x0A, {7}));
    const auto took = Clock::now() - start;
    EXPECT_GE(took, UecpLibrary::kCallBudget - std::chrono::milliseconds(50));
    EXPECT_LT(took, UecpLibrary::kCallBudget + std::chrono::milliseconds(300));
}

TEST_F(UecpLibraryTest, WithoutAcknowledgementsAWrittenFrameIsEnough) {
    ASSERT_TRUE(connect("acknowledge = no\n"));
    m_fake->script({Answer::Silence});
    const auto start = Clock::now();
    EXPECT_TRUE(send(0x0A, {7}));
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(50));
}

TEST_F(UecpLibraryTest, ReadsGiveWhatTheEncoderAcknowledged) {
    ASSERT_TRUE(connect());
    EXPECT_EQ(receive(0x02, 8), Bytes(8, ' ')); // a fresh encoder
    ASSERT_TRUE(send(0x00, {0xD3, 0xC2}));
    m_fake->script({Answer::Nak});
    EXPECT_FALSE(send(0x00, {0x11, 0x11}));
    EXPECT_EQ(receive(0x00, 2), (Bytes{0xD3, 0xC2}));
}

TEST_F(UecpLibraryTest, WithRequestsReadsGiveWhatTheEncoderAnswers) {
    ASSERT_TRUE(connect("reads = request\n"));
    m_fake->replyWith(Pi{{0, 0}, 0xABCD});
    EXPECT_EQ(receive(0x00, 2), (Bytes{0xAB, 0xCD})) << KxioLastError();
    EXPECT_EQ(m_fake->messages(), std::vector<Message>{(Request{Code::Pi, {0, 0}})});
}

TEST_F(UecpLibraryTest, AReadTheEncoderDoesNotAnswerFails) {
    ASSERT_TRUE(connect("reads = request\n"));
    EXPECT_EQ(receive(0x00, 2), Bytes{});
    EXPECT_NE(std::string(KxioLastError()).find("no answer"), std::string::npos) << KxioLastError();
}

// The library's own thread puts the dynamic PS on air, without a call of the program.
TEST_F(UecpLibraryTest, TheDynamicPsGoesOutAsPsMessagesOfItsOwn) {
    ASSERT_TRUE(connect());
    ASSERT_TRUE(send(0x72, {0, 0, 0, 0, 6, 'K', 'O', 'R', 'V', 'E', 'L'}));
    const auto until = Clock::now() + std::chrono::seconds(3);
    const Message label = Ps{{0, 0}, {'K', 'O', 'R', 'V', 'E', 'L', ' ', ' '}};
    const auto labelSent = [&] {
        const auto messages = m_fake->messages();
        return std::find(messages.begin(), messages.end(), label) != messages.end();
    };
    while (Clock::now() < until && !labelSent()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_TRUE(labelSent());
}

TEST_F(UecpLibraryTest, StoreIsRefusedWithItsReasonAndNothingIsSent) {
    ASSERT_TRUE(connect());
    EXPECT_FALSE(send(0x71, {'E'}));
    EXPECT_NE(std::string(KxioLastError()).find("Store"), std::string::npos);
    EXPECT_EQ(m_fake->frames(), 0);
}

TEST_F(UecpLibraryTest, ADataSetChosenInTheIniIsSelectedAtConnect) {
    ASSERT_TRUE(connect("dataset = 2\n"));
    ASSERT_TRUE(send(0x0A, {7}));
    EXPECT_EQ(m_fake->messages(), (std::vector<Message>{DataSetSelect{2}, Pty{{2, 0}, 7}}));
}

struct IniCase {
    const char* text;
    const char* reason;
};

// clang-format off
const std::vector<IniCase> kBadInis{
    {"transport = carrier pigeon\n",               "line 1: key 'transport'"},
    {"host = h\nport = 70000\n",                   "line 2: key 'port'"},
    {"[uecp]\nhost = h\nport = 1\ncolour = red\n", "line 4: unknown key 'colour'"},
    {"transport = serial\nspeed = 12345\n",        "line 2: key 'speed'"},
    {"host = h\n",                                 "key 'port' is missing"},
    {"transport = serial\n",                       "key 'device' is missing"},
    {"site = 1024\n",                              "line 1: key 'site'"},
};
// clang-format on

TEST_F(UecpLibraryTest, ABadIniFailsConnectNamingTheLineAndKey) {
    for (const auto& c : kBadInis) {
        writeIni(c.text);
        EXPECT_EQ(Connect(), 0u);
        EXPECT_NE(std::string(KxioLastError()).find(c.reason), std::string::npos) << KxioLastError();
    }
}

TEST_F(UecpLibraryTest, AnEncoderThatIsNotThereFailsConnect) {
    ASSERT_TRUE(connect());
    const std::uint16_t port = m_fake->port();
    Disconnect();
    m_fake.reset();
    writeIni("host = 127.0.0.1\nport = " + std::to_string(port) + "\n");
    EXPECT_EQ(Connect(), 0u);
    EXPECT_NE(std::string(KxioLastError()).find("cannot connect"), std::string::npos) << KxioLastError();
    EXPECT_EQ(Send(0, std::array<std::uint8_t, 1>{0}.data()), 0u);
}

} // namespace
} // namespace korvel::uecp
