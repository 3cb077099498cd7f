// Every message written out byte for byte and read back, and every reason a MSG field is refused.
#include "uecp/Message.h"

#include <gtest/gtest.h>

namespace korvel::uecp {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct LayoutCase {
    const char* name;
    Message message;
    Bytes bytes;
};

// clang-format off
const std::vector<LayoutCase> kLayouts{
    // MEC, DSN 1, PSN 2, PI high, low
    {"PI", Pi{{1, 2}, 0xD3C2}, {0x01, 0x01, 0x02, 0xD3, 0xC2}},
    // MEC, DSN, PSN, eight characters
    {"PS", Ps{{3, 6}, {' ', 'P', 'S', ' ', 'R', 'D', 'S', ' '}}, {0x02, 0x03, 0x06, 0x20, 0x50, 0x53, 0x20, 0x52, 0x44, 0x53, 0x20}},
    // flags: TA bit 0 clear, TP bit 1 set
    {"TA/TP", TaTp{{0, 0}, false, true}, {0x03, 0x00, 0x00, 0x02}},
    // DI: stereo (d0) and dynamic PTY (d3)
    {"DI", Di{{0, 0}, 0x09}, {0x04, 0x00, 0x00, 0x09}},
    {"MS", Ms{{0, 0}, true}, {0x05, 0x00, 0x00, 0x01}},
    {"PTY", Pty{{0, 1}, 10}, {0x07, 0x00, 0x01, 0x0A}},
    // MEL 3 = configuration + 2 characters; configuration 0x45 = mode 2 (bits 6..5), 2 transmissions
    // (bits 4..1), toggle (bit 0)
    {"RT", Rt{{0, 0}, 2, 2, true, {'H', 'i'}}, {0x0A, 0x00, 0x00, 0x03, 0x45, 'H', 'i'}},
    // an empty text is MEL 0: the buffer is cleared
    {"RT clear", Rt{{2, 0}}, {0x0A, 0x02, 0x00, 0x00}},
    // 2026-12-09 21:05:30.50 UTC, local offset -5 h = 10 half hours with the sign bit 5: 0x2A
    {"CT", ClockTime{26, 12, 9, 21, 5, 30, 50, -10}, {0x0D, 26, 12, 9, 21, 5, 30, 50, 0x2A}},
    {"CT east", ClockTime{0, 1, 1, 0, 0, 0, 0, 2}, {0x0D, 0, 1, 1, 0, 0, 0, 0, 0x02}},
    // MEL 5 counts DSN, PSN, the count code 224 + 2 and the two codes
    {"AF", Af{{0, 0}, {1, 204}}, {0x13, 0x05, 0x00, 0x00, 0xE2, 0x01, 0xCC}},
    {"AF none", Af{{1, 0}, {}}, {0x13, 0x03, 0x01, 0x00, 0xE0}},
    // MEL 3: the PS of data set 1, service 0
    {"Request", Request{Code::Ps, {1, 0}}, {0x17, 0x03, 0x02, 0x01, 0x00}},
    // NAK code 6 (out of range) for SQC 0x22
    {"ACK", Ack{AckCode::OutOfRange, 0x22}, {0x18, 0x06, 0x22}},
    {"Data set", DataSetSelect{2}, {0x1C, 0x02}},
    // group 11A: type 11 in bits 4..1 = 0x16; block B 0x1F, C 0x1234, D 0xABCD
    {"Free format", FreeFormat{{0, 0}, FreeFormatMode::Once, {11, false}, 0x1F, 0x1234, 0xABCD}, {0x24, 0x00, 0x00, 0x16, 0x1F, 0x12, 0x34, 0xAB, 0xCD}},
    // cyclic (1 in bits 6..5) group 9B: 0x20 | 0x13
    {"Free format cyclic", FreeFormat{{0, 0}, FreeFormatMode::Cyclic, {9, true}, 0, 0, 0}, {0x24, 0x00, 0x00, 0x33, 0, 0, 0, 0, 0}},
    {"Free format stop", FreeFormat{{0, 0}, FreeFormatMode::Stop, {}, 0, 0, 0}, {0x24, 0x00, 0x00, 0x40, 0, 0, 0, 0, 0}},
    // AID 0x4BD7 in group 11A (0x16), message 0x0040 for 3A's block 3
    {"ODA config", OdaConfig{{0, 0}, 0x4BD7, {11, false}, 0x0040}, {0x40, 0x00, 0x00, 0x4B, 0xD7, 0x16, 0x00, 0x40}},
    // group 8B would be 0x11: version bit 0 set
    {"ODA config B", OdaConfig{{0, 0}, 0xCD46, {8, true}, 0}, {0x40, 0x00, 0x00, 0xCD, 0x46, 0x11, 0x00, 0x00}},
    {"ODA data", OdaData{0x4BD7, 0x01, 0x0203, 0x0405}, {0x46, 0x4B, 0xD7, 0x01, 0x02, 0x03, 0x04, 0x05}},
};
// clang-format on

TEST(MessageTest, EveryMessageHasItsLayoutAndReadsBack) {
    for (const auto& c : kLayouts) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(encode(c.message), c.bytes);
        EXPECT_EQ(static_cast<std::uint8_t>(codeOf(c.message)), c.bytes[0]);
        const Decoded decoded = decode(c.bytes);
        EXPECT_FALSE(decoded.fault);
        ASSERT_EQ(decoded.messages.size(), 1u);
        EXPECT_EQ(decoded.messages[0], c.message);
    }
}

TEST(MessageTest, EveryMessageTypeIsInTheTable) {
    std::vector<bool> seen(std::variant_size_v<Message>);
    for (const auto& c : kLayouts) {
        seen[c.message.index()] = true;
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), std::variant_size_v<Message>);
}

TEST(MessageTest, AFieldOfManyMessagesReadsBackInOrder) {
    Bytes field;
    std::vector<Message> expected;
    for (const auto& c : kLayouts) {
        field.insert(field.end(), c.bytes.begin(), c.bytes.end());
        expected.push_back(c.message);
    }
    const Decoded decoded = decode(field);
    EXPECT_FALSE(decoded.fault);
    EXPECT_EQ(decoded.messages, expected);
}

TEST(MessageTest, ValuesWiderThanTheirFieldsAreCut) {
    EXPECT_EQ(encode(Pty{{}, 0x3F}).back(), 0x1F);
    Rt rt{{}, 0, 0, false, Bytes(80, 'x')};
    EXPECT_EQ(encode(rt)[3], 65);
    EXPECT_EQ(encode(rt).size(), 4u + 65u);
    EXPECT_EQ(encode(Af{{}, Bytes(30, 1)})[1], 3 + 25);
}

struct RefusalCase {
    const char* name;
    Bytes field;
    AckCode fault;
};

// clang-format off
const std::vector<RefusalCase> kRefusals{
    {"unknown MEC",           {0x01, 0x00, 0x00, 0x12, 0x34, 0x99},   AckCode::Unknown},
    {"PI cut short",          {0x01, 0x00, 0x00, 0x12},               AckCode::Length},
    {"PS cut short",          {0x02, 0x00, 0x00, 'A', 'B'},           AckCode::Length},
    {"TA/TP bit 2",           {0x03, 0x00, 0x00, 0x04},               AckCode::OutOfRange},
    {"DI above 15",           {0x04, 0x00, 0x00, 0x10},               AckCode::OutOfRange},
    {"MS 2",                  {0x05, 0x00, 0x00, 0x02},               AckCode::OutOfRange},
    {"PTY 32",                {0x07, 0x00, 0x00, 0x20},               AckCode::OutOfRange},
    {"RT MEL 66",             {0x0A, 0x00, 0x00, 66, 0x00},           AckCode::FieldLength},
    {"RT text short",         {0x0A, 0x00, 0x00, 0x04, 0x00, 'a'},    AckCode::Length},
    {"RT configuration bit 7",{0x0A, 0x00, 0x00, 0x02, 0x80, 'a'},    AckCode::OutOfRange},
    {"CT month 13",           {0x0D, 26, 13, 1, 0, 0, 0, 0, 0},       AckCode::OutOfRange},
    {"CT hour 24",            {0x0D, 26, 1, 1, 24, 0, 0, 0, 0},       AckCode::OutOfRange},
    {"CT offset bit 6",       {0x0D, 26, 1, 1, 0, 0, 0, 0, 0x40},     AckCode::OutOfRange},
    {"AF count differs",      {0x13, 0x04, 0x00, 0x00, 0xE2, 0x01},   AckCode::FieldLength},
    {"AF 26 codes",           {0x13, 29, 0x00, 0x00},                 AckCode::FieldLength},
    {"AF code 0",             {0x13, 0x04, 0x00, 0x00, 0xE1, 0x00},   AckCode::OutOfRange},
    {"request MEL 2",         {0x17, 0x02, 0x01, 0x00},               AckCode::FieldLength},
    {"request unknown MEC",   {0x17, 0x01, 0x99},                     AckCode::Unknown},
    {"ACK code 10",           {0x18, 0x0A, 0x00},                     AckCode::OutOfRange},
    {"free format mode 3",    {0x24, 0, 0, 0x60, 0, 0, 0, 0, 0},      AckCode::OutOfRange},
    {"ODA data block B 0x20", {0x46, 0, 0, 0x20, 0, 0, 0, 0},         AckCode::OutOfRange},
};
// clang-format on

TEST(MessageTest, ARefusedFieldNamesItsReasonAndAppliesNothing) {
    for (const auto& c : kRefusals) {
        SCOPED_TRACE(c.name);
        const Decoded decoded = decode(c.field);
        EXPECT_EQ(decoded.fault, c.fault);
        EXPECT_TRUE(decoded.messages.empty());
    }
}

TEST(MessageTest, AShortRequestAsksForTheCurrentDataSet) {
    const Decoded decoded = decode(Bytes{0x17, 0x01, 0x0D});
    ASSERT_EQ(decoded.messages.size(), 1u);
    EXPECT_EQ(decoded.messages[0], Message(Request{Code::ClockTime, {0, 0}}));
}

} // namespace
} // namespace korvel::uecp
