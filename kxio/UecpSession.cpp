#include "kxio/UecpSession.h"

#include "uecp/FrameWriter.h"

#include <array>

namespace korvel::kxio {

namespace {

using uecp::AckCode;
using Fault = uecp::FrameReader::Fault;

struct FaultAnswer {
    Fault fault;
    AckCode code;
};

// A broken escape is damage in transit, like a wrong check; a frame longer than MFL allows is a
// length error.
// clang-format off
constexpr std::array kFaultAnswers{
    FaultAnswer{Fault::BadCrc,      AckCode::Crc},
    FaultAnswer{Fault::BadStuffing, AckCode::Crc},
    FaultAnswer{Fault::Cut,         AckCode::NotReceived},
    FaultAnswer{Fault::BadLength,   AckCode::Length},
    FaultAnswer{Fault::Oversize,    AckCode::Length},
};
// clang-format on
static_assert(kFaultAnswers.size() == 5);

AckCode codeFor(Fault fault) {
    for (const FaultAnswer& answer : kFaultAnswers) {
        if (answer.fault == fault) {
            return answer.code;
        }
    }
    return AckCode::NotReceived;
}

} // namespace

UecpSession::UecpSession(const UecpConfig& config, Apply apply)
    : m_config{config}
    , m_apply{std::move(apply)} {}

UecpSession::Replies UecpSession::receive(std::span<const std::uint8_t> bytes) {
    Replies out;
    for (const uecp::FrameReader::Result& result : m_reader.feed(bytes)) {
        answer(result, out);
    }
    return out;
}

UecpSession::Replies UecpSession::end() {
    // A start byte cuts whatever frame is open, with its address and counter as far as they came.
    Replies out = receive(std::array{uecp::kStart});
    m_reader.reset();
    return out;
}

void UecpSession::answer(const uecp::FrameReader::Result& result, Replies& out) {
    if (!m_config.accepts(result.address.site, result.address.encoder)) {
        return; // another encoder's frame, or one whose address was damaged: not ours to answer
    }
    if (!result.frame) {
        acknowledge(result, codeFor(result.fault.value_or(Fault::Cut)), out);
        return;
    }
    const uecp::Decoded decoded = uecp::decode(result.frame->messages);
    if (decoded.fault) {
        acknowledge(result, *decoded.fault, out);
        return;
    }
    const UecpApplier::Outcome outcome = m_apply(decoded.messages);
    for (const uecp::Message& message : outcome.answers) {
        send(result, message, out);
    }
    acknowledge(result, outcome.fault.value_or(AckCode::Ok), out);
}

// Only a frame with a sequence counter asks for an answer.
void UecpSession::acknowledge(const uecp::FrameReader::Result& result, AckCode code, Replies& out) const {
    if (result.sequence != 0) {
        send(result, uecp::Ack{code, result.sequence}, out);
    }
}

void UecpSession::send(const uecp::FrameReader::Result& result, const uecp::Message& message,
                       Replies& out) const {
    const uecp::Address own{m_config.ownSite(result.address.site),
                            m_config.ownEncoder(result.address.encoder)};
    out.push_back(uecp::encodeFrame({own, result.sequence, uecp::encode(message)}));
}

} // namespace korvel::kxio
