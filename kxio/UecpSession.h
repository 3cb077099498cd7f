#pragma once

#include "kxio/UecpApplier.h"
#include "kxio/UecpConfig.h"
#include "uecp/FrameReader.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace korvel::kxio {

// One client's UECP stream, from bytes in to the encoder's frames out: frames for another encoder
// are passed over, the rest applied, and a frame with a sequence counter other than 0 answered
// with an ACK or a NAK carrying that counter. The answers to requests go out before it.
class UecpSession {
public:
    // Applies a frame's messages to the encoder, all or none, under the encoder's lock.
    using Apply = std::function<UecpApplier::Outcome(std::span<const uecp::Message>)>;

    UecpSession(const UecpConfig& config, Apply apply);

    using Replies = std::vector<std::vector<std::uint8_t>>; // whole frames, as they travel

    // The encoder's frames in reply to these bytes, in order; the bytes may end anywhere.
    [[nodiscard]] Replies receive(std::span<const std::uint8_t> bytes);

    // The stream has ended (a connection closed for sending, a datagram's end): a frame begun and
    // not finished is a frame not received.
    [[nodiscard]] Replies end();

private:
    void answer(const uecp::FrameReader::Result& result, Replies& out);
    void acknowledge(const uecp::FrameReader::Result& result, uecp::AckCode code, Replies& out) const;
    void send(const uecp::FrameReader::Result& result, const uecp::Message& message, Replies& out) const;

    const UecpConfig& m_config;
    Apply m_apply;
    uecp::FrameReader m_reader;
};

} // namespace korvel::kxio
