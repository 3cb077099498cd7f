#include "kxio/UecpConnection.h"

#include <array>
#include <cerrno>
#include <poll.h>
#include <sys/socket.h>

namespace korvel::kxio {

namespace {

bool wouldBlock() {
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
}

} // namespace

UecpConnection::UecpConnection(FileDescriptor socket, const UecpConfig& config, UecpSession::Apply apply)
    : m_socket{std::move(socket)}
    , m_session{config, std::move(apply)} {}

short UecpConnection::events() const {
    return m_output.empty() ? POLLIN : POLLOUT;
}

bool UecpConnection::onReadable() {
    std::array<std::uint8_t, kReadSize> buffer{};
    const ssize_t got = ::recv(m_socket.get(), buffer.data(), buffer.size(), 0);
    if (got < 0) {
        return wouldBlock();
    }
    if (got == 0) {
        m_ended = true;
        queue(m_session.end());
        return !m_output.empty();
    }
    queue(m_session.receive(std::span{buffer}.first(static_cast<std::size_t>(got))));
    return true;
}

bool UecpConnection::onWritable() {
    const ssize_t sent = ::send(m_socket.get(), m_output.data(), m_output.size(), MSG_NOSIGNAL);
    if (sent < 0) {
        return wouldBlock();
    }
    m_output.erase(m_output.begin(), m_output.begin() + sent);
    m_lastProgress = Clock::now();
    return !(m_ended && m_output.empty());
}

bool UecpConnection::alive(Clock::time_point now) const {
    return m_output.empty() || now - m_lastProgress < kStallLimit;
}

void UecpConnection::queue(const UecpSession::Replies& replies) {
    if (m_output.empty()) {
        m_lastProgress = Clock::now();
    }
    for (const std::vector<std::uint8_t>& frame : replies) {
        m_output.insert(m_output.end(), frame.begin(), frame.end());
    }
}

} // namespace korvel::kxio
