#pragma once

#include "uecp/FrameReader.h"
#include "uecp/FrameWriter.h"
#include "uecp/Message.h"

#include <arpa/inet.h>
#include <chrono>
#include <cstdint>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace korvel::kxio::test {

// A playout system's end of a loopback link to the emulated encoder, over TCP or UDP.
class UecpClient {
public:
    using Bytes = std::vector<std::uint8_t>;
    static constexpr std::chrono::milliseconds kWait{1000};

    // A receive buffer of the size given (0: the system's) fills after that many bytes.
    UecpClient(int type, std::uint16_t port, int receiveBuffer = 0)
        : m_fd{::socket(AF_INET, type, 0)} {
        const timeval sendLimit{5, 0}; // a listener that stops reading fails the test, never hangs it
        ::setsockopt(m_fd, SOL_SOCKET, SO_SNDTIMEO, &sendLimit, sizeof sendLimit);
        if (receiveBuffer > 0) {
            ::setsockopt(m_fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
        }
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        m_connected =
            m_fd >= 0 && ::connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    UecpClient(const UecpClient&) = delete;
    UecpClient& operator=(const UecpClient&) = delete;
    ~UecpClient() { ::close(m_fd); }

    [[nodiscard]] bool connected() const { return m_connected; }

    bool send(const Bytes& bytes) {
        return ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
    }
    // Ends the link both ways; a send waiting on another thread returns.
    void hangUp() { ::shutdown(m_fd, SHUT_RDWR); }
    void endSending() { ::shutdown(m_fd, SHUT_WR); }

    // The next frame from the encoder, or nothing when none comes within the wait.
    std::optional<uecp::Frame> frame(std::chrono::milliseconds wait = kWait) {
        while (m_frames.empty()) {
            pollfd polled{m_fd, POLLIN, 0};
            std::uint8_t buffer[4096];
            if (::poll(&polled, 1, static_cast<int>(wait.count())) <= 0) {
                return std::nullopt;
            }
            const ssize_t got = ::recv(m_fd, buffer, sizeof buffer, 0);
            if (got <= 0) {
                m_closed = true;
                return std::nullopt;
            }
            for (const auto& result : m_reader.feed(std::span{buffer, static_cast<std::size_t>(got)})) {
                if (result.frame) {
                    m_frames.push_back(*result.frame);
                }
            }
        }
        uecp::Frame next = m_frames.front();
        m_frames.erase(m_frames.begin());
        return next;
    }

    // The one message of the next frame.
    std::optional<uecp::Message> message(std::chrono::milliseconds wait = kWait) {
        const std::optional<uecp::Frame> next = frame(wait);
        if (!next) {
            return std::nullopt;
        }
        const uecp::Decoded decoded = uecp::decode(next->messages);
        return decoded.messages.size() == 1 ? std::optional{decoded.messages.front()} : std::nullopt;
    }

    // The code of the next acknowledgement, which must carry the sequence counter.
    std::optional<uecp::AckCode> ack(std::uint8_t sequence, std::chrono::milliseconds wait = kWait) {
        const std::optional<uecp::Message> next = message(wait);
        const auto* ack = next ? std::get_if<uecp::Ack>(&*next) : nullptr;
        if (ack == nullptr || ack->sequence != sequence) {
            return std::nullopt;
        }
        return ack->code;
    }

    // Whether the encoder closed the link (waiting at most the wait for it).
    bool closedByEncoder(std::chrono::milliseconds wait = kWait) {
        while (!m_closed && frame(wait)) {
        }
        return m_closed;
    }

private:
    int m_fd;
    bool m_connected = false;
    bool m_closed = false;
    uecp::FrameReader m_reader;
    std::vector<uecp::Frame> m_frames;
};

// A frame of the messages given, as a playout system sends it.
inline std::vector<std::uint8_t> frameOf(const std::vector<uecp::Message>& messages,
                                         std::uint8_t sequence = 1, uecp::Address address = {}) {
    std::vector<std::uint8_t> field;
    for (const uecp::Message& message : messages) {
        const std::vector<std::uint8_t> bytes = uecp::encode(message);
        field.insert(field.end(), bytes.begin(), bytes.end());
    }
    return uecp::encodeFrame({address, sequence, field});
}

} // namespace korvel::kxio::test
