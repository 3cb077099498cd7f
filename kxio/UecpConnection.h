#pragma once

#include "kxio/FileDescriptor.h"
#include "kxio/UecpSession.h"

#include <chrono>
#include <cstdint>
#include <vector>

namespace korvel::kxio {

// One TCP client of the listener. It reads only while its replies have all gone out, so what it
// holds is bounded by the replies to one read; a client that takes no replies for a while is
// dropped instead of holding its place.
class UecpConnection {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::size_t kReadSize = 1024;
    static constexpr std::chrono::seconds kStallLimit{10};

    UecpConnection(FileDescriptor socket, const UecpConfig& config, UecpSession::Apply apply);

    [[nodiscard]] int fd() const { return m_socket.get(); }
    // What to wait for: input while nothing waits to go out, else room to send it.
    [[nodiscard]] short events() const;

    // Each takes what the socket has for it; false when the connection is over.
    [[nodiscard]] bool onReadable();
    [[nodiscard]] bool onWritable();
    // False once replies have waited longer than the limit.
    [[nodiscard]] bool alive(Clock::time_point now) const;

private:
    void queue(const UecpSession::Replies& replies);

    FileDescriptor m_socket;
    UecpSession m_session;
    std::vector<std::uint8_t> m_output;
    Clock::time_point m_lastProgress = Clock::now();
    bool m_ended = false; // the client sent its last byte; close once the replies are out
};

} // namespace korvel::kxio
