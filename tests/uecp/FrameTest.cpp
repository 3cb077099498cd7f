// The frame as it travels: the standard's example both ways, and stuffing of every special byte in
// every field.
#include "uecp/Crc.h"
#include "uecp/FrameReader.h"
#include "uecp/FrameWriter.h"

#include <gtest/gtest.h>

namespace korvel::uecp {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Site 0x345, encoder 0x12, SQC 1, MFL 11: PS for data set 3, service 6, " PS RDS ", CRC 0x25F4.
const Bytes kVector{0xFE, 0xD1, 0x52, 0x01, 0x0B, 0x02, 0x03, 0x06, 0x20, 0x50,
                    0x53, 0x20, 0x52, 0x44, 0x53, 0x20, 0x25, 0xF4, 0xFF};
const Frame kVectorFrame{{0x345, 0x12}, 1, {0x02, 0x03, 0x06, ' ', 'P', 'S', ' ', 'R', 'D', 'S', ' '}};

TEST(FrameTest, TheStandardsExampleIsWrittenByteForByte) {
    EXPECT_EQ(encodeFrame(kVectorFrame), kVector);
}

TEST(FrameTest, TheStandardsExampleIsReadBack) {
    FrameReader reader;
    const auto results = reader.feed(kVector);
    ASSERT_EQ(results.size(), 1u);
    ASSERT_TRUE(results[0].frame);
    EXPECT_EQ(*results[0].frame, kVectorFrame);
}

TEST(FrameTest, TheCheckCoversAddToMsg) {
    const Bytes covered(kVector.begin() + 1, kVector.end() - 3);
    EXPECT_EQ(crc(covered), 0x25F4);
}

// Each special byte in each field: where its escape lands in the written frame (STA at 0).
struct StuffingCase {
    std::uint8_t special;
    const char* field;
    Frame frame;
    std::size_t position;
};

std::vector<StuffingCase> stuffingCases() {
    std::vector<StuffingCase> cases;
    for (const std::uint8_t special : Bytes{0xFD, 0xFE, 0xFF}) {
        const auto low6 = static_cast<std::uint8_t>(special & 0x3F);
        // ADD: site 0x3FF with encoder 0x3D..0x3F gives FF FD..FF FF; the high byte's escape comes first.
        cases.push_back({special, "ADD", Frame{{0x3FF, low6}, 0, {}}, 3});
        cases.push_back({special, "SQC", Frame{{}, special, {}}, 3});
        cases.push_back({special, "MFL", Frame{{}, 0, Bytes(special, 0x20)}, 4});
        cases.push_back({special, "MSG", Frame{{}, 0, Bytes{0x01, special}}, 6});
        // CRC: two MSG bytes below 0xFD chosen so that the check's high byte, then its low byte, is special.
        for (const bool high : {true, false}) {
            for (unsigned value = 0; value < 0xFD00; ++value) {
                const Bytes messages{static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
                const std::uint16_t check = crc(Bytes{0, 0, 0, 2, messages[0], messages[1]});
                const bool highSpecial = (check >> 8) >= 0xFD;
                if (messages[1] < 0xFD &&
                    (high ? (check >> 8) == special : (check & 0xFF) == special && !highSpecial)) {
                    cases.push_back(
                        {special, high ? "CRC high" : "CRC low", Frame{{}, 0, messages}, high ? 7u : 8u});
                    break;
                }
            }
        }
    }
    return cases;
}

TEST(FrameTest, EverySpecialByteIsStuffedInEveryFieldAndComesBack) {
    const auto cases = stuffingCases();
    ASSERT_EQ(cases.size(), 18u);
    for (const auto& c : cases) {
        const Bytes written = encodeFrame(c.frame);
        SCOPED_TRACE(testing::Message() << c.field << " " << int(c.special));
        ASSERT_GT(written.size(), c.position + 1);
        EXPECT_EQ(written[c.position], 0xFD);
        EXPECT_EQ(written[c.position + 1], c.special - 0xFD);
        EXPECT_EQ(std::count(written.begin(), written.end(), 0xFE), 1);
        EXPECT_EQ(std::count(written.begin(), written.end(), 0xFF), 1);
        FrameReader reader;
        const auto results = reader.feed(written);
        ASSERT_EQ(results.size(), 1u);
        EXPECT_EQ(results[0].frame, c.frame);
    }
}

} // namespace
} // namespace korvel::uecp
