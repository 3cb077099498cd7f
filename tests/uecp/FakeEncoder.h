#pragma once

#include "uecp/FrameReader.h"
#include "uecp/Message.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace korvel::uecp::test {

// A UECP encoder on loopback for the library's tests: it takes frames over TCP or UDP, keeps the
// messages of every frame it acknowledged, and answers each frame as scripted (by default an ACK).
class FakeEncoder {
public:
    enum class Protocol : std::uint8_t { Tcp, Udp, Serial }; // Serial: a pseudo-terminal
    enum class Answer : std::uint8_t {
        Ack,
        Nak,           // with nakCode
        Silence,       // no answer at all
        StaleAck,      // an ACK for another sequence counter
        GarbageAndAck, // bytes outside any frame, then the ACK
        HalfAndAck,    // the first half of an ACK frame, then a whole one
        Drop,          // closes the connection instead of answering
    };

    explicit FakeEncoder(Protocol protocol);
    FakeEncoder(const FakeEncoder&) = delete;
    FakeEncoder& operator=(const FakeEncoder&) = delete;
    ~FakeEncoder();

    [[nodiscard]] std::uint16_t port() const { return m_port; }
    [[nodiscard]] const std::string& device() const { return m_device; } // the terminal's path

    // Answers for the next frames, in order; after them every frame gets an ACK.
    void script(std::vector<Answer> answers, AckCode nakCode = AckCode::OutOfRange);
    // Closes the connection once this many bytes of it have arrived (TCP).
    void dropAfter(std::size_t bytes);
    // What to answer a request with.
    void replyWith(Message message);

    [[nodiscard]] std::vector<Message> messages() const; // of the acknowledged frames
    [[nodiscard]] int frames() const;                    // every good frame, answered or not
    [[nodiscard]] int connections() const { return m_connections.load(); }
    void clear();

private:
    void run();
    void serve(int descriptor);
    void receive(std::span<const std::uint8_t> bytes, int descriptor);
    void answer(const Frame& frame, int descriptor);
    void reply(int descriptor, const std::vector<std::uint8_t>& bytes);

    Protocol m_protocol;
    int m_listener = -1;
    int m_wakePipe[2] = {-1, -1};
    std::uint16_t m_port = 0;
    std::string m_device;
    std::thread m_thread;
    std::atomic<int> m_connections{0};

    mutable std::mutex m_mutex;
    FrameReader m_reader;
    std::deque<Answer> m_script;
    AckCode m_nakCode = AckCode::OutOfRange;
    std::optional<std::size_t> m_dropAfter;
    std::size_t m_received = 0;
    std::optional<Message> m_reply;
    std::vector<Message> m_messages;
    int m_frames = 0;
    bool m_drop = false;
    std::vector<std::uint8_t> m_peer; // the UDP sender's address
};

} // namespace korvel::uecp::test
