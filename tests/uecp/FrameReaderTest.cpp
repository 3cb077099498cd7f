// The reader on a stream: any split, every kind of bad input, and always back in step at the
// next STA.
#include "uecp/FrameReader.h"

#include "uecp/FrameWriter.h"

#include <gtest/gtest.h>

namespace korvel::uecp {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Fault = FrameReader::Fault;

const Frame kFrame{{0x345, 0x12}, 7, {0x01, 0x00, 0x00, 0xD3, 0xFE}}; // PI D3FE: a stuffed byte inside
const Frame kOther{{0x001, 0x01}, 0, {0x07, 0x00, 0x00, 0x0A}};

Bytes cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

const Bytes kWritten = encodeFrame(kFrame);
const Bytes kOtherWritten = encodeFrame(kOther);

Bytes withByte(Bytes bytes, std::size_t at, std::uint8_t value) {
    bytes[at] = value;
    return bytes;
}

// What the reader gives: a frame (std::nullopt fault) or a fault, in order.
using Outcome = std::variant<Frame, Fault>;

std::vector<Outcome> outcomes(const std::vector<FrameReader::Result>& results) {
    std::vector<Outcome> out;
    for (const auto& r : results) {
        if (r.frame) {
            out.emplace_back(*r.frame);
        } else {
            out.emplace_back(r.fault.value_or(Fault::BadLength));
        }
    }
    return out;
}

struct StreamCase {
    const char* name;
    Bytes stream;
    std::vector<Outcome> expected;
};

std::vector<StreamCase> streamCases() {
    Bytes oversize{0xFE};
    oversize.resize(1 + FrameReader::kMaxStuffed + 1, 0x41);
    return {
        {"one frame", kWritten, {kFrame}},
        {"garbage before, between and after",
         cat({{0x00, 0x41, 0xFD, 0xFF}, kWritten, {0x12, 0xFF}, kOtherWritten, {0x99}}),
         {kFrame, kOther}},
        // The check's low byte flipped (the last before STP, never stuffed here).
        {"bad crc then a good frame",
         cat({withByte(kWritten, kWritten.size() - 2, kWritten[kWritten.size() - 2] ^ 1), kOtherWritten}),
         {Fault::BadCrc, kOther}},
        {"cut by a new STA",
         cat({Bytes(kWritten.begin(), kWritten.begin() + 6), kOtherWritten}),
         {Fault::Cut, kOther}},
        {"escape of 03", cat({withByte(kWritten, 10, 0x03), kOtherWritten}), {Fault::BadStuffing, kOther}},
        {"escape before STP",
         cat({Bytes{0xFE, 0x00, 0x00, 0x00, 0x00, 0xFD, 0xFF}, kOtherWritten}),
         {Fault::BadStuffing, kOther}},
        {"MFL too large", cat({withByte(kWritten, 4, 6), kOtherWritten}), {Fault::BadLength, kOther}},
        {"too short for a check",
         cat({Bytes{0xFE, 0x00, 0x00, 0xFF}, kOtherWritten}),
         {Fault::BadLength, kOther}},
        {"oversize then a frame", cat({oversize, kOtherWritten}), {Fault::Oversize, kOther}},
        {"STP alone", cat({Bytes{0xFF, 0xFF}, kOtherWritten}), {kOther}},
    };
}

TEST(FrameReaderTest, EveryStreamGivesItsFramesAndFaultsInOrder) {
    for (const auto& c : streamCases()) {
        SCOPED_TRACE(c.name);
        FrameReader reader;
        EXPECT_EQ(outcomes(reader.feed(c.stream)), c.expected);
    }
}

TEST(FrameReaderTest, EverySplitOfEveryStreamGivesTheSameResult) {
    for (const auto& c : streamCases()) {
        for (std::size_t split = 0; split <= c.stream.size(); ++split) {
            SCOPED_TRACE(testing::Message() << c.name << " split at " << split);
            FrameReader reader;
            auto results = reader.feed(std::span(c.stream).first(split));
            const auto rest = reader.feed(std::span(c.stream).subspan(split));
            results.insert(results.end(), rest.begin(), rest.end());
            EXPECT_EQ(outcomes(results), c.expected);
        }
    }
}

// A NAK names the faulted frame's SQC: read after unstuffing, so an SQC or ADD of FD, FE or FF
// (sent as FD 00, FD 01, FD 02) comes back as itself.
TEST(FrameReaderTest, AFaultStillNamesTheFramesAddressAndSequenceForTheNak) {
    const Frame stuffedHeader{{0x3FF, 0x3F}, 0xFE, {0x01, 0x00, 0x00, 0x12, 0x34}}; // ADD FF FF
    const Bytes written = encodeFrame(stuffedHeader);
    const struct {
        const char* name;
        Bytes stream;
        Fault fault;
        Address address;
        std::uint8_t sequence;
    } cases[] = {
        {"bad crc",
         withByte(kWritten, kWritten.size() - 2, kWritten[kWritten.size() - 2] ^ 1),
         Fault::BadCrc,
         {0x345, 0x12},
         7},
        {"stuffed header, cut",
         cat({Bytes(written.begin(), written.begin() + 9), {0xFE}}),
         Fault::Cut,
         {0x3FF, 0x3F},
         0xFE},
        {"stuffed header, bad escape later",
         withByte(withByte(written, 9, 0xFD), 10, 0x03),
         Fault::BadStuffing,
         {0x3FF, 0x3F},
         0xFE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FrameReader reader;
        const auto results = reader.feed(c.stream);
        ASSERT_FALSE(results.empty());
        EXPECT_EQ(results[0].fault, c.fault);
        EXPECT_EQ(results[0].sequence, c.sequence);
        EXPECT_EQ(results[0].address, c.address);
    }
}

TEST(FrameReaderTest, ResetDropsAHalfFrame) {
    FrameReader reader;
    (void)reader.feed(std::span(kWritten).first(5));
    reader.reset();
    EXPECT_EQ(outcomes(reader.feed(std::span(kWritten).subspan(5))), std::vector<Outcome>{});
}

} // namespace
} // namespace korvel::uecp
