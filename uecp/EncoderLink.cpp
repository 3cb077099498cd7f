#include "uecp/EncoderLink.h"

#include "uecp/FrameWriter.h"

#include <algorithm>
#include <array>

namespace korvel::uecp {

namespace {

using Clock = std::chrono::steady_clock;

// clang-format off
constexpr std::array<const char*, 10> kAckReasons{
    "accepted",
    "the frame arrived with a bad CRC",
    "the message was not received",
    "the message is unknown to it",
    "the data set number is wrong",
    "the programme service number is wrong",
    "a value is out of range",
    "the message has the wrong length",
    "a field has the wrong length",
    "the message is not acceptable now",
};
// clang-format on
static_assert(kAckReasons.size() == static_cast<std::size_t>(AckCode::NotAcceptable) + 1);

// A NAK for a frame damaged on the way: sending it again may get through.
bool worthRepeating(AckCode code) {
    return code == AckCode::Crc || code == AckCode::NotReceived;
}

// The messages split over MSG fields of at most 255 bytes; a message is never split.
std::vector<std::vector<std::uint8_t>> fields(std::span<const Message> messages) {
    std::vector<std::vector<std::uint8_t>> out;
    for (const Message& message : messages) {
        const auto bytes = encode(message);
        if (out.empty() || out.back().size() + bytes.size() > kMaxMessages) {
            out.emplace_back();
        }
        out.back().insert(out.back().end(), bytes.begin(), bytes.end());
    }
    return out;
}

} // namespace

std::string describe(AckCode code) {
    const auto index = static_cast<std::size_t>(code);
    return "NAK code " + std::to_string(index) + ": " +
           (index < kAckReasons.size() ? kAckReasons[index] : "unknown");
}

EncoderLink::EncoderLink(LinkConfig config)
    : m_config(config)
    , m_transport(std::move(config)) {}

bool EncoderLink::fail(std::string reason) {
    m_error = std::move(reason);
    return false;
}

std::uint8_t EncoderLink::nextSequence() {
    m_sequence = static_cast<std::uint8_t>(m_sequence == 0xFF ? 1 : m_sequence + 1); // 0 asks for no answer
    return m_sequence;
}

bool EncoderLink::connect(Deadline deadline) {
    m_reader.reset();
    if (!m_transport.open(deadline)) {
        return fail(m_transport.error());
    }
    if (m_config.dataSet) {
        const Message select = DataSetSelect{*m_config.dataSet};
        return send(std::span(&select, 1), deadline);
    }
    return true;
}

void EncoderLink::disconnect() {
    m_transport.close();
    m_reader.reset();
}

bool EncoderLink::send(std::span<const Message> messages, Deadline deadline) {
    m_error.clear();
    const auto split = fields(messages);
    return std::all_of(split.begin(), split.end(),
                       [&](const auto& field) { return exchange(field, std::nullopt, deadline, nullptr); });
}

std::optional<Message> EncoderLink::request(const Request& request, Deadline deadline) {
    m_error.clear();
    std::optional<Message> reply;
    if (!exchange(encode(request), request.code, deadline, &reply)) {
        return std::nullopt;
    }
    return reply;
}

bool EncoderLink::exchange(std::span<const std::uint8_t> field, std::optional<Code> wanted, Deadline deadline,
                           std::optional<Message>* reply) {
    // A link that dropped during an earlier call is opened again here, once per call; what was
    // left of a frame on the old one is forgotten.
    if (!m_transport.isOpen()) {
        m_reader.reset();
        if (!m_transport.open(deadline)) {
            return fail(m_transport.error());
        }
    }
    const std::uint8_t sequence = m_config.acknowledge ? nextSequence() : 0;
    const auto frame = encodeFrame(Frame{m_config.address, sequence, {field.begin(), field.end()}});
    std::string lastReason = "no answer from the encoder at " + m_config.where() + " within " +
                             std::to_string(m_config.timeout.count()) + " ms";
    for (int attempt = 0; attempt <= m_config.retries && Clock::now() < deadline; ++attempt) {
        if (!m_transport.write(frame, deadline)) {
            return fail(m_transport.error());
        }
        if (!m_config.acknowledge && !wanted) {
            return true;
        }
        const Answer answer = await(sequence, wanted, std::min(deadline, Clock::now() + m_config.timeout));
        if (!m_transport.isOpen()) {
            return fail(m_transport.error());
        }
        if (answer.reply && reply != nullptr) {
            *reply = answer.reply;
            return true;
        }
        if (answer.ack == AckCode::Ok && !wanted) {
            return true;
        }
        if (answer.ack && answer.ack != AckCode::Ok) {
            lastReason = "the encoder refused the frame (" + describe(*answer.ack) + ")";
            if (!worthRepeating(*answer.ack)) {
                return fail(lastReason);
            }
        }
    }
    return fail(lastReason + " (" + std::to_string(m_config.retries + 1) + " attempts at most)");
}

EncoderLink::Answer EncoderLink::await(std::uint8_t sequence, std::optional<Code> wanted, Deadline deadline) {
    Answer answer;
    while (Clock::now() < deadline) {
        const auto bytes = m_transport.read(deadline);
        if (!bytes) {
            return answer;
        }
        for (const auto& result : m_reader.feed(*bytes)) {
            if (result.frame) {
                take(*result.frame, sequence, wanted, answer);
            }
        }
        const bool refused = answer.ack && answer.ack != AckCode::Ok;
        if (refused || answer.reply || (answer.ack && !wanted)) {
            return answer;
        }
    }
    return answer;
}

// An ACK counts only for the frame it names; a request's reply is the first message of its type.
void EncoderLink::take(const Frame& frame, std::uint8_t sequence, std::optional<Code> wanted,
                       Answer& answer) {
    for (const Message& message : decode(frame.messages).messages) {
        if (const auto* ack = std::get_if<Ack>(&message)) {
            if (ack->sequence == sequence || frame.sequence == sequence) {
                answer.ack = ack->code;
            }
        } else if (wanted && !answer.reply && codeOf(message) == *wanted) {
            answer.reply = message;
        }
    }
}

} // namespace korvel::uecp
