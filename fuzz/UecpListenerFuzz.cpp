// Any bytes as a playout system's UECP stream into the emulated encoder's listener, split into
// reads anywhere: the frame reader, the message decoder and the applier working on a register
// memory. Checks that nothing is written where no message may write, that every reply is one whole
// frame from the encoder, and that every frame asking for an answer gets exactly one, in order,
// carrying its sequence counter, and a NAK when it was broken.
#include "FuzzInput.h"
#include "kxio/UecpApplier.h"
#include "kxio/UecpSession.h"
#include "uecp/FrameReader.h"

#include <algorithm>
#include <array>
#include <vector>

namespace korvel::fuzz {
namespace {

// The registers a message may change: PI to the radiotext, the user group and the clock time's
// group. The clock source, phase, status, command and the dynamic PS are the program's alone.
constexpr std::size_t kLastWritable = 0x6C;

struct Expected {
    std::uint8_t sequence;
    bool broken;
};

// What the session must answer: the frames a reader of its own finds in the same stream.
std::vector<Expected> expectedAnswers(const kxio::UecpConfig& config,
                                      const std::vector<std::uint8_t>& stream) {
    uecp::FrameReader reader;
    std::vector<Expected> expected;
    std::vector<std::uint8_t> ended = stream;
    ended.push_back(uecp::kStart);
    for (const auto& result : reader.feed(ended)) {
        if (result.sequence != 0 && config.accepts(result.address.site, result.address.encoder)) {
            expected.push_back({result.sequence, !result.frame});
        }
    }
    return expected;
}

void checkReplies(const kxio::UecpSession::Replies& replies, const std::vector<Expected>& expected,
                  const kxio::UecpConfig& config) {
    std::size_t acks = 0;
    for (const std::vector<std::uint8_t>& bytes : replies) {
        uecp::FrameReader reader;
        const auto results = reader.feed(bytes);
        require(results.size() == 1 && results.front().frame.has_value(), "a reply is one whole frame");
        const uecp::Frame& frame = *results.front().frame;
        require(config.sites.empty() || frame.address.site == config.sites.front(),
                "replies carry the own site");
        const uecp::Decoded decoded = uecp::decode(frame.messages);
        require(!decoded.fault && decoded.messages.size() == 1, "a reply holds one message that decodes");
        const auto* ack = std::get_if<uecp::Ack>(&decoded.messages.front());
        if (ack == nullptr) {
            continue; // the answer to a request
        }
        require(acks < expected.size(), "no acknowledgement without a frame asking for it");
        require(ack->sequence == expected[acks].sequence && frame.sequence == ack->sequence,
                "an acknowledgement carries its frame's counter");
        require(!expected[acks].broken || ack->code != uecp::AckCode::Ok, "a broken frame gets a NAK");
        ++acks;
    }
    require(acks == expected.size(), "every frame asking for an answer gets one");
}

} // namespace
} // namespace korvel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvel;
    fuzz::FuzzInput input(data, size);
    kxio::UecpConfig config;
    if (input.flag()) {
        config.sites = {0x345};
        config.encoders = {0x12, 0x01};
    }
    const std::size_t split = 1 + input.choice(64);
    const std::string_view rest = input.rest();
    const std::vector<std::uint8_t> stream(rest.begin(), rest.end());

    kxio::RegisterMemory memory{};
    for (std::size_t i = 0; i < memory.size(); ++i) {
        memory[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    const kxio::RegisterMemory initial = memory;
    kxio::UecpSession session{config, [&](std::span<const uecp::Message> messages) {
                                  return kxio::UecpApplier::apply(messages, memory);
                              }};
    kxio::UecpSession::Replies replies;
    for (std::size_t at = 0; at < stream.size(); at += split) {
        const auto chunk = std::span{stream}.subspan(at, std::min(split, stream.size() - at));
        for (auto& reply : session.receive(chunk)) {
            replies.push_back(std::move(reply));
        }
    }
    for (auto& reply : session.end()) {
        replies.push_back(std::move(reply));
    }
    fuzz::checkReplies(replies, fuzz::expectedAnswers(config, stream), config);
    fuzz::require(std::equal(memory.begin() + fuzz::kLastWritable + 1, memory.end(),
                             initial.begin() + fuzz::kLastWritable + 1),
                  "nothing is written past the registers messages set");
    return 0;
}
