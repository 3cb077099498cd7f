// The emulated encoder driven by a playout system over UECP: real loopback sockets into the
// library's listener, the registers read back through Receive as the program reads them.
#include "KxioFixture.h"
#include "UecpClient.h"

#include <chrono>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <thread>

namespace korvel::kxio::test {
namespace {

using namespace std::chrono_literals;
using uecp::AckCode;

constexpr uecp::Address kOwnAddress{0x345, 0x12};
constexpr uecp::FreeFormatMode kCyclic = uecp::FreeFormatMode::Cyclic;

Bytes text(std::string_view characters) {
    return {characters.begin(), characters.end()};
}

std::array<std::uint8_t, 8> ps(std::string_view name) {
    std::array<std::uint8_t, 8> out{};
    std::copy_n(name.begin(), out.size(), out.begin());
    return out;
}

class UecpListenerTest : public KxioFixture {
protected:
    void SetUp() override {
        KxioFixture::SetUp();
        listen({});
    }

    // Power-on with these [uecp] keys as variables; both ports at the system's choice, the
    // encoder at site 0x345, address 0x12, unless the keys say otherwise.
    void listen(std::map<std::string, std::optional<std::string>> keys) {
        keys.try_emplace("TCP_PORT", "0");
        keys.try_emplace("UDP_PORT", "0");
        keys.try_emplace("SITE", "0x345");
        keys.try_emplace("ENCODER", "0x12");
        for (const char* key : {"TCP_PORT", "UDP_PORT", "BIND", "SITE", "ENCODER", "MAX_CONNECTIONS"}) {
            environment().set(std::string{"KXIO_UECP_"} + key, keys[key]);
        }
        kxioTestReset();
        connectCom1();
    }

    static UecpClient tcp() {
        return UecpClient{SOCK_STREAM, static_cast<std::uint16_t>(kxioTestUecpPort(0))};
    }
    static UecpClient udp() {
        return UecpClient{SOCK_DGRAM, static_cast<std::uint16_t>(kxioTestUecpPort(1))};
    }

    // Sends a frame of the messages with a sequence counter; the code it is answered with.
    static std::optional<AckCode> exchange(const std::vector<uecp::Message>& messages) {
        UecpClient client = tcp();
        client.send(frameOf(messages, 0x21));
        return client.ack(0x21);
    }
};

TEST_F(UecpListenerTest, MessagesSetTheRegistersTheProgramWrites) {
    struct Case {
        const char* name;
        std::vector<uecp::Message> messages;
        std::uint8_t address;
        Bytes registers;
    };
    const Bytes helloText = text("HELLO\r   ");
    // clang-format off
    const Case cases[] = {
        {"PI",          {uecp::Pi{{}, 0x2F0A}},                          0x00, {0x2F, 0x0A}},
        {"PS",          {uecp::Ps{{1, 1}, ps("ON AIR 1")}},              0x02, text("ON AIR 1")},
        {"TA and TP",   {uecp::TaTp{{255, 0}, true, true}},              0x0D, {0x01, 0x01}},
        {"TP only",     {uecp::TaTp{{}, false, true}},                   0x0D, {0x01, 0x00}},
        {"DI",          {uecp::Di{{}, 0x09}},                            0x0B, {0x09}},
        {"music",       {uecp::Ms{{}, true}},                            0x0C, {0x01}},
        {"PTY",         {uecp::Pty{{}, 10}},                             0x0A, {0x0A}},
        {"RT",          {uecp::Rt{.text = text("HELLO")}},               0x1F, {0x01, 'H', 'E', 'L', 'L', 'O', '\r', ' '}},
        {"RT toggled",  {uecp::Rt{.text = text("A")},
                         uecp::Rt{.toggle = true, .text = text("B")}},   0x1F, {0x03, 'B', '\r', ' '}},
        {"RT cleared",  {uecp::Rt{.text = text("A")}, uecp::Rt{}},       0x1F, {0x00, ' ', ' '}},
        {"RT all 64",   {uecp::Rt{.text = Bytes(64, 'x')}},              0x5F, {'x', 0x00}},
        {"AF",          {uecp::Af{{}, {1, 50, 204}}},                    0x0F, {0x03, 1, 50, 204, 0}},
        {"group in every cycle",
                        {uecp::FreeFormat{{}, kCyclic, {11, true}, 0x05, 0x1234, 0x5678}},
                                                                         0x60, {0x01, 0xB8, 0x05, 0x12, 0x34, 0x56, 0x78}},
        {"cyclic group stopped",
                        {uecp::FreeFormat{{}, kCyclic, {11, true}, 0, 0, 0},
                         uecp::FreeFormat{{}, uecp::FreeFormatMode::Stop}},
                                                                         0x60, {0x00, 0xB8}},
        {"group once",  {uecp::FreeFormat{{}, uecp::FreeFormatMode::Once, {9, false}, 0x1F, 0xABCD, 0xEF01}},
                                                                         0x60, {0x00, 0x00, 0, 0, 0, 0, 0, 0x90, 0x1F, 0xAB, 0xCD, 0xEF, 0x01}},
        {"clock time",  {uecp::ClockTime{26, 12, 9, 21, 30, 15, 0, 2}},  0x67, {0x40, 0x01, 0xDF, 0x8F, 0x57, 0x82}},
        {"leap day, west", {uecp::ClockTime{24, 2, 29, 0, 5, 0, 0, -3}}, 0x67, {0x40, 0x01, 0xD7, 0xA2, 0x01, 0x63}},
        {"DSN 254 changes nothing", {uecp::Pty{{254, 0}, 10}},          0x0A, {0x00}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kxioTestReset();
        connectCom1();
        EXPECT_EQ(exchange(c.messages), AckCode::Ok);
        EXPECT_EQ(read(c.address, c.registers.size()), c.registers);
    }
}

TEST_F(UecpListenerTest, RefusedFramesAreAnsweredWithTheirFaultAndChangeNothing) {
    const Bytes good = frameOf({uecp::Pty{{}, 10}}, 7);
    Bytes badCrc = good;
    badCrc[badCrc.size() - 2] ^= 0x01;
    Bytes badLength = good;
    badLength[4] = 2; // MFL one short
    const Bytes half(good.begin(), good.begin() + 6);
    Bytes cut = half;
    cut.push_back(uecp::kStart);
    struct Case {
        const char* name;
        Bytes sent;
        std::optional<AckCode> answer; // nothing: no answer at all
    };
    // clang-format off
    const Case cases[] = {
        {"bad CRC",             badCrc,                                                   AckCode::Crc},
        {"cut by a new start",  cut,                                                      AckCode::NotReceived},
        {"unknown message",     uecp::encodeFrame({{}, 7, {0x55, 0x00, 0x00, 0x01}}),     AckCode::Unknown},
        {"data set not served", frameOf({uecp::Ps{{3, 6}, ps("REFUSED ")}}, 7),           AckCode::DataSet},
        {"service not served",  frameOf({uecp::Ps{{0, 6}, ps("REFUSED ")}}, 7),           AckCode::Service},
        {"data set select",     frameOf({uecp::DataSetSelect{2}}, 7),                     AckCode::DataSet},
        {"PTY out of range",    uecp::encodeFrame({{}, 7, {0x07, 0x00, 0x00, 40}}),       AckCode::OutOfRange},
        {"16 AF codes",         frameOf({uecp::Af{{}, Bytes(16, 10)}}, 7),                AckCode::OutOfRange},
        {"30 February",         frameOf({uecp::ClockTime{26, 2, 30, 0, 0, 0, 0, 0}}, 7),  AckCode::OutOfRange},
        {"length error",        badLength,                                                AckCode::Length},
        {"RT field too long",   uecp::encodeFrame({{}, 7, {0x0A, 0x00, 0x00, 70, 0x00}}), AckCode::FieldLength},
        {"open data",           frameOf({uecp::OdaData{0x4BD7, 0, 0, 0}}, 7),             AckCode::NotAcceptable},
        {"PS then a refusal",   frameOf({uecp::Ps{{}, ps("REFUSED ")}, uecp::Pty{{9, 0}, 1}}, 7),
                                                                                          AckCode::DataSet},
        {"another encoder",     frameOf({uecp::Pty{{}, 10}}, 7, {0x345, 0x13}),          std::nullopt},
        {"another site",        frameOf({uecp::Pty{{}, 10}}, 7, {0x344, 0x12}),          std::nullopt},
        {"no sequence counter", uecp::encodeFrame({{}, 0, {0x07, 0x00, 0x00, 40}}),       std::nullopt},
    };
    // clang-format on
    const std::optional<Bytes> before = read(0x00, 0x70);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UecpClient client = tcp();
        client.send(c.sent);
        if (c.answer) {
            EXPECT_EQ(client.ack(7), c.answer);
        } else {
            EXPECT_EQ(client.frame(300ms), std::nullopt);
        }
        EXPECT_EQ(read(0x00, 0x70), before);
    }
}

// The standard's example frame is for this encoder (site 0x345, encoder 0x12, sequence 1), but
// for a data set it has not got: answered from the encoder's own address with NAK 4.
TEST_F(UecpListenerTest, StandardExampleIsReadAsAFrameForThisEncoder) {
    UecpClient client = tcp();
    client.send({0xFE, 0xD1, 0x52, 0x01, 0x0B, 0x02, 0x03, 0x06, 0x20, 0x50, 0x53, 0x20, 0x52, 0x44, 0x53,
                 0x20, 0x25, 0xF4, 0xFF});
    const std::optional<uecp::Frame> reply = client.frame();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->address, kOwnAddress);
    EXPECT_EQ(reply->sequence, 1);
    EXPECT_EQ(uecp::decode(reply->messages).messages,
              (std::vector<uecp::Message>{uecp::Ack{AckCode::DataSet, 1}}));
}

TEST_F(UecpListenerTest, FrameLeftHalfAtTheEndIsNotReceived) {
    const Bytes frame = frameOf({uecp::Pty{{}, 10}}, 9);
    UecpClient stream = tcp();
    stream.send(Bytes(frame.begin(), frame.begin() + 7));
    stream.endSending();
    EXPECT_EQ(stream.ack(9), AckCode::NotReceived);
    EXPECT_TRUE(stream.closedByEncoder());

    UecpClient datagrams = udp();
    datagrams.send(Bytes(frame.begin(), frame.begin() + 7));
    EXPECT_EQ(datagrams.ack(9), AckCode::NotReceived);
    datagrams.send(frame);
    EXPECT_EQ(datagrams.ack(9), AckCode::Ok);
    EXPECT_EQ(read(0x0A, 1), Bytes{10});
}

TEST_F(UecpListenerTest, RequestsAreAnsweredFromTheRegisters) {
    ASSERT_TRUE(
        write(0x00, {0x2F, 0x0A, 'K', 'O', 'R', 'V', 'E', 'L', ' ', ' ', 5, 0x0C, 1, 1, 0, 2, 1, 100}));
    ASSERT_TRUE(write(0x1F, {0x01, 'N', 'E', 'W', 'S', '\r'}));
    ASSERT_TRUE(write(0x60, {0x01, 0x38, 0x11, 0x22, 0x33, 0x44, 0x55}));
    ASSERT_EQ(exchange({uecp::ClockTime{26, 12, 9, 21, 30, 0, 0, 2}}), AckCode::Ok);
    struct Case {
        uecp::Code code;
        std::optional<uecp::Message> answer; // nothing: a NAK 9
    };
    // clang-format off
    const Case cases[] = {
        {uecp::Code::Pi,            uecp::Pi{{}, 0x2F0A}},
        {uecp::Code::Ps,            uecp::Ps{{}, ps("KORVEL  ")}},
        {uecp::Code::TaTp,          uecp::TaTp{{}, false, true}},
        {uecp::Code::Di,            uecp::Di{{}, 0x0C}},
        {uecp::Code::Ms,            uecp::Ms{{}, true}},
        {uecp::Code::Pty,           uecp::Pty{{}, 5}},
        {uecp::Code::Rt,            uecp::Rt{.text = text("NEWS")}},
        {uecp::Code::Af,            uecp::Af{{}, {1, 100}}},
        {uecp::Code::DataSetSelect, uecp::DataSetSelect{1}},
        {uecp::Code::ClockTime,     uecp::ClockTime{26, 12, 9, 21, 30, 0, 0, 2}},
        {uecp::Code::FreeFormat,    uecp::FreeFormat{{}, kCyclic, {3, true}, 0x11, 0x2233, 0x4455}},
        {uecp::Code::OdaConfig,     std::nullopt},
    };
    // clang-format on
    UecpClient client = tcp();
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.code));
        client.send(frameOf({uecp::Request{c.code, {}}}, 3));
        if (c.answer) {
            EXPECT_EQ(client.message(), c.answer);
        }
        EXPECT_EQ(client.ack(3), c.answer ? AckCode::Ok : AckCode::NotAcceptable);
    }
}

TEST_F(UecpListenerTest, ConnectionsBeyondTheLimitAreClosedAtOnce) {
    listen({{"MAX_CONNECTIONS", "2"}});
    UecpClient first = tcp();
    UecpClient second = tcp();
    UecpClient third = tcp();
    EXPECT_TRUE(third.closedByEncoder());
    for (UecpClient* client : {&first, &second}) {
        client->send(frameOf({uecp::Pty{{}, 3}}, 5));
        EXPECT_EQ(client->ack(5), AckCode::Ok);
    }
}

// Whatever comes before it, a good frame is still read and answered, on that connection and on
// others; and a client that never reads its answers holds up nobody.
TEST_F(UecpListenerTest, GarbageFloodsAndStallsLeaveTheListenerServing) {
    std::mt19937 random{22};
    Bytes noise(256 * 1024);
    std::generate(noise.begin(), noise.end(), [&] { return static_cast<std::uint8_t>(random()); });
    Bytes oversize{uecp::kStart};
    oversize.resize(2000, 0x41);
    // More answers than the system buffers for a connection (4 MiB), to a client that takes none.
    const Bytes requests = [] {
        Bytes many;
        const Bytes one = frameOf(std::vector<uecp::Message>(50, uecp::Request{uecp::Code::Rt, {}}), 1);
        for (int i = 0; i < 1500; ++i) {
            many.insert(many.end(), one.begin(), one.end());
        }
        return many;
    }();
    ASSERT_TRUE(write(0x1F, Bytes(65, 0x01))); // each RT answer 70 bytes long
    UecpClient staller{SOCK_STREAM, static_cast<std::uint16_t>(kxioTestUecpPort(0)), 4096};
    std::thread stalling{[&] { staller.send(requests); }};
    std::this_thread::sleep_for(1s); // until the answers fill every buffer on the way to the staller
    for (const Bytes& junk : {noise, oversize, Bytes(70'000, uecp::kStart)}) {
        UecpClient client = tcp();
        client.send(junk);
        client.send(frameOf({uecp::Pty{{}, 4}}, 0x5A));
        std::optional<AckCode> answer;
        for (std::optional<uecp::Message> next = client.message(); next && !answer; next = client.message()) {
            const auto* ack = std::get_if<uecp::Ack>(&*next);
            answer = ack != nullptr && ack->sequence == 0x5A ? std::optional{ack->code} : std::nullopt;
        }
        EXPECT_EQ(answer, AckCode::Ok);
        EXPECT_EQ(exchange({uecp::Pty{{}, 6}}), AckCode::Ok) << "another client is served meanwhile";
    }
    staller.hangUp();
    stalling.join();
}

TEST_F(UecpListenerTest, ConfigurationOpensThePorts) {
    struct Case {
        const char* ini;
        std::optional<std::string> tcpVariable;
        bool tcp, udp;
    };
    // clang-format off
    const Case cases[] = {
        {"",                                     std::nullopt, false, false},
        {"[uecp]\ntcp_port = 0\n",               std::nullopt, true,  false},
        {"[uecp]\nudp_port=0\nbind = ::1\n",     std::nullopt, false, true},
        {"[output]\ntcp_port = 0\n",             std::nullopt, false, false},
        {"[uecp]\ntcp_port = 0\n",               "",           false, false},
        {"",                                     "0",          true,  false},
        {"[uecp]\ntcp_port = 70000\n",           std::nullopt, false, false},
        {"[uecp]\ntcp_port = 0\nbind = 192.0.2.1\n", std::nullopt, false, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ini);
        std::ofstream{folder() / "kxio.ini"} << c.ini;
        listen({{"TCP_PORT", c.tcpVariable}, {"UDP_PORT", std::nullopt}});
        EXPECT_EQ(kxioTestUecpPort(0) != 0, c.tcp);
        EXPECT_EQ(kxioTestUecpPort(1) != 0, c.udp);
    }
}

// The groups follow as they do for the program's writes; a clock time and a group sent once go
// out once.
TEST_F(UecpListenerTest, OnAirGroupsFollowTheMessages) {
    const std::filesystem::path groups = folder() / "groups.txt";
    environment().set("KXIO_GROUPS", groups.string());
    listen({});
    std::this_thread::sleep_for(100ms); // a clock time from before the first group is not sent
    ASSERT_EQ(exchange({uecp::Pi{{}, 0x2F0A}, uecp::Rt{.text = text("NEWS")},
                        uecp::ClockTime{26, 12, 9, 21, 30, 0, 0, 2}}),
              AckCode::Ok);
    std::this_thread::sleep_for(300ms);
    ASSERT_EQ(exchange({uecp::FreeFormat{{}, uecp::FreeFormatMode::Once, {9, false}, 0x01, 0x2345, 0x6789}}),
              AckCode::Ok);
    std::this_thread::sleep_for(900ms);
    environment().set("KXIO_GROUPS", std::nullopt);
    kxioTestReset();

    std::ifstream file{groups};
    std::map<std::string, int> count;
    for (std::string line; std::getline(file, line);) {
        ++count[line];
    }
    EXPECT_EQ(count["2F0A 4001 DF8F 5782"], 1);
    EXPECT_EQ(count["2F0A 9001 2345 6789"], 1);
    EXPECT_GE(count["2F0A 2000 4E45 5753"], 1); // "NEWS"
    EXPECT_GE(count["2F0A 2001 0D20 2020"], 1); // the carriage return ends it
    EXPECT_EQ(count["2F0A 2002 2020 2020"], 0);
}

} // namespace
} // namespace korvel::kxio::test
