// Register writes as the program makes them, and the messages they become.
#include "uecp/MessageMapper.h"

#include <gtest/gtest.h>

namespace korvel::uecp {
namespace {

using kxio::RegisterMemory;
using Bytes = std::vector<std::uint8_t>;

constexpr Service kService{2, 5};

// Registers every test starts from, as the encoder acknowledged them: PI D3C2, PS "RADIO 1 ",
// PTY 10, TP on, radiotext on with "News\r" and A/B flag A, AF 2 codes.
EncoderMirror held() {
    EncoderMirror mirror;
    const Bytes start{0xD3, 0xC2, 'R', 'A', 'D', 'I', 'O', ' ', '1', ' ', 10, 0x09, 1, 1, 0, 2, 1, 204};
    std::copy(start.begin(), start.end(), mirror.memory.begin());
    mirror.memory[0x1F] = 0x01;
    const Bytes text{'N', 'e', 'w', 's', '\r'};
    std::copy(text.begin(), text.end(), mirror.memory.begin() + 0x20);
    mirror.known.set();
    return mirror;
}

struct WriteCase {
    const char* name;
    std::uint8_t address;
    Bytes data;
    std::vector<Message> expected;
    bool unknown = false; // the encoder holds nothing yet
};

Ps ps(const char* name) {
    Ps message{kService};
    std::copy_n(name, 8, message.name.begin());
    return message;
}

// clang-format off
const std::vector<WriteCase> kWrites{
    {"PI changed",            0x00, {0x12, 0x34},              {Pi{kService, 0x1234}}},
    {"PI rewritten as held",  0x00, {0xD3, 0xC2},              {}},
    {"PI rewritten, unknown", 0x00, {0xD3, 0xC2},              {Pi{kService, 0xD3C2}}, true},
    {"PS",                    0x02, {'K', 'O', 'R', 'V', 'E', 'L', ' ', ' '}, {ps("KORVEL  ")}},
    {"PS while dynamic PS on",0x02, {'K', 'O', 'R', 'V', 'E', 'L', ' ', ' '}, {}},
    {"PTY cut to 5 bits",     0x0A, {0x25},                    {Pty{kService, 5}}},
    {"DI",                    0x0B, {0x01},                    {Di{kService, 0x01}}},
    {"M/S speech",            0x0C, {0},                       {Ms{kService, false}}},
    {"TA on",                 0x0E, {1},                       {TaTp{kService, true, true}}},
    {"TP off",                0x0D, {0},                       {TaTp{kService, false, false}}},
    // codes 0 and 205 are not frequencies, and the count stops at 3
    {"AF",                    0x0F, {4, 1, 0, 205, 100, 7},    {Af{kService, {1, 100}}}},
    {"RT text to the CR",     0x20, {'H', 'i', '\r', 'x'},     {Rt{kService, 0, 0, false, {'H', 'i'}}}},
    {"RT A/B flipped",        0x1F, {0x03},                    {Rt{kService, 0, 0, true, {'N', 'e', 'w', 's'}}}},
    {"RT A/B unknown",        0x1F, {0x03},                    {Rt{kService, 0, 0, false, {'N', 'e', 'w', 's'}}}, true},
    {"RT off clears",         0x1F, {0x00},                    {Rt{kService}}},
    {"RT empty is a space",   0x20, {'\r'},                    {Rt{kService, 0, 0, false, {' '}}}},
    // type 11A (0xB0), block B 0x3F cut to 0x1F, C 0x1234, D 0x5678
    {"user group on",         0x60, {1, 0xB0, 0x3F, 0x12, 0x34, 0x56, 0x78},
     {FreeFormat{kService, FreeFormatMode::Cyclic, {11, false}, 0x1F, 0x1234, 0x5678}}},
    {"user group off",        0x60, {0},                       {FreeFormat{kService, FreeFormatMode::Stop}}, true},
    // MJD 61383 = 2026-12-09, 21:05 UTC, offset -10 half hours
    {"clock trigger",         0x67, {0x40, 0x01, 0xDF, 0x8F, 0x51, 0x6A, 1},
     {ClockTime{26, 12, 9, 21, 5, 0, 0, -10}}},
    {"CT bytes alone",        0x67, {0x40, 0x01, 0xDF, 0x8F, 0x51, 0x6A}, {}},
    {"phase: no message",     0x6F, {3},                       {}},
    {"unknown command",       0x71, {'X'},                     {}},
    {"dynamic PS off: PS",    0x76, {0},                       {ps("RADIO 1 ")}, true},
};
// clang-format on

TEST(MessageMapperTest, EachWriteBecomesTheMessagesForWhatItChanged) {
    const MessageMapper mapper(kService);
    for (const auto& c : kWrites) {
        SCOPED_TRACE(c.name);
        EncoderMirror mirror = held();
        if (c.unknown) {
            mirror.known.reset();
        }
        RegisterMemory wanted = mirror.memory;
        if (std::string_view(c.name) == "PS while dynamic PS on") {
            wanted[0x76] = 10;
        }
        std::copy(c.data.begin(), c.data.end(), wanted.begin() + c.address);
        const auto result = mapper.map(wanted, mirror, c.address, c.data.size());
        EXPECT_TRUE(result.refusal.empty());
        EXPECT_EQ(result.messages, c.expected);
    }
}

TEST(MessageMapperTest, CommandsWithoutAUecpMessageAreRefusedByName) {
    const MessageMapper mapper(kService);
    for (const auto& [command, word] :
         {std::pair{'E', "Store"}, {'R', "Reset"}, {'0', "Carrier"}, {'1', "Carrier"}}) {
        RegisterMemory wanted = held().memory;
        wanted[0x71] = static_cast<std::uint8_t>(command);
        const auto result = mapper.map(wanted, held(), 0x71, 1);
        EXPECT_NE(result.refusal.find(word), std::string::npos) << command;
        EXPECT_TRUE(result.messages.empty());
    }
}

TEST(MessageMapperTest, AWholeBlockToAFreshEncoderSendsEveryMessageOnce) {
    const MessageMapper mapper(kService);
    const EncoderMirror fresh;
    const auto result = mapper.map(held().memory, fresh, 0, 0x67);
    std::vector<std::size_t> kinds;
    for (const auto& m : result.messages) {
        kinds.push_back(m.index());
    }
    // PI, PS, PTY, DI, MS, TA/TP, AF, RT, free format (stop), in the order of the registers
    EXPECT_EQ(kinds, (std::vector<std::size_t>{0, 1, 5, 3, 4, 2, 8, 6, 12}));
}

} // namespace
} // namespace korvel::uecp
