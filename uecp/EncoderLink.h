#pragma once

#include "uecp/FrameReader.h"
#include "uecp/LinkConfig.h"
#include "uecp/Message.h"
#include "uecp/Transport.h"

#include <deque>
#include <optional>
#include <span>
#include <string>

namespace korvel::uecp {

// One encoder at the other end of a transport: messages go out in as few frames as fit, each
// frame waits for its ACK when acknowledgements are on and is sent again, a bounded number of
// times, while the encoder stays silent or reports a damaged frame. Every wait ends by the
// caller's deadline.
class EncoderLink {
public:
    explicit EncoderLink(LinkConfig config);

    [[nodiscard]] bool connect(Deadline deadline);
    void disconnect();
    [[nodiscard]] bool send(std::span<const Message> messages, Deadline deadline);
    // The message the encoder sends back for a request, or nothing (error() says why).
    [[nodiscard]] std::optional<Message> request(const Request& request, Deadline deadline);

    [[nodiscard]] const std::string& error() const { return m_error; }
    [[nodiscard]] const LinkConfig& config() const { return m_config; }

private:
    // What came back for one frame.
    struct Answer {
        std::optional<AckCode> ack;
        std::optional<Message> reply;
    };

    [[nodiscard]] bool exchange(std::span<const std::uint8_t> field, std::optional<Code> wanted,
                                Deadline deadline, std::optional<Message>* reply);
    [[nodiscard]] Answer await(std::uint8_t sequence, std::optional<Code> wanted, Deadline deadline);
    void take(const Frame& frame, std::uint8_t sequence, std::optional<Code> wanted, Answer& answer);
    [[nodiscard]] std::uint8_t nextSequence();
    bool fail(std::string reason);

    LinkConfig m_config;
    Transport m_transport;
    FrameReader m_reader;
    std::uint8_t m_sequence = 0;
    std::string m_error;
};

// The reason a NAK gives, in plain words.
[[nodiscard]] std::string describe(AckCode code);

} // namespace korvel::uecp
