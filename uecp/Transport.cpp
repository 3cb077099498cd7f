#include "uecp/Transport.h"

#include "uecp/SerialSpeeds.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace korvel::uecp {

namespace {

constexpr std::size_t kReadChunk = 1024;

std::string systemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

bool isSocket(LinkConfig::Transport transport) {
    return transport != LinkConfig::Transport::Serial;
}

// A closing helper that keeps errno for the message built after it.
void closeKeepingErrno(int descriptor) {
    const int saved = errno;
    ::close(descriptor);
    errno = saved;
}

} // namespace

Transport::Transport(LinkConfig config)
    : m_config(std::move(config)) {}

Transport::~Transport() {
    close();
}

int Transport::waitMs(Deadline deadline) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
}

bool Transport::fail(std::string reason) {
    m_error = std::move(reason);
    close();
    return false;
}

void Transport::close() {
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
        m_descriptor = -1;
    }
}

bool Transport::open(Deadline deadline) {
    if (isOpen()) {
        return true;
    }
    m_error.clear();
    m_descriptor = openDescriptor(deadline);
    return isOpen();
}

int Transport::openDescriptor(Deadline deadline) {
    return m_config.transport == LinkConfig::Transport::Serial ? openSerial() : openSocket(deadline);
}

int Transport::openSerial() {
    const int descriptor = ::open(m_config.device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        m_error = systemError("cannot open " + m_config.device);
        return -1;
    }
    termios settings{};
    const SerialSpeed* speed = findSerialSpeed(m_config.speed);
    if (speed == nullptr) {
        m_error = "no serial speed of " + std::to_string(m_config.speed) + " bit/s";
        ::close(descriptor);
        return -1;
    }
    if (::tcgetattr(descriptor, &settings) != 0) {
        m_error = systemError(m_config.device + " is not a serial device");
        closeKeepingErrno(descriptor);
        return -1;
    }
    // 8N1, raw bytes, no flow control: UECP's stuffing keeps FD..FF for itself.
    ::cfmakeraw(&settings);
    settings.c_cflag &= ~static_cast<tcflag_t>(PARENB | CSTOPB | CSIZE | CRTSCTS);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    ::cfsetispeed(&settings, speed->code);
    ::cfsetospeed(&settings, speed->code);
    if (::tcsetattr(descriptor, TCSANOW, &settings) != 0) {
        m_error = systemError("cannot set " + m_config.device + " to 8N1");
        closeKeepingErrno(descriptor);
        return -1;
    }
    ::tcflush(descriptor, TCIOFLUSH);
    return descriptor;
}

int Transport::openSocket(Deadline deadline) {
    const bool tcp = m_config.transport == LinkConfig::Transport::Tcp;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = tcp ? SOCK_STREAM : SOCK_DGRAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string port = std::to_string(m_config.port);
    if (const int result = ::getaddrinfo(m_config.host.c_str(), port.c_str(), &hints, &found); result != 0) {
        m_error = "cannot find host " + m_config.host + ": " + ::gai_strerror(result);
        return -1;
    }
    int descriptor = -1;
    m_error = "no address for " + m_config.host;
    for (const addrinfo* a = found; a != nullptr && descriptor < 0; a = a->ai_next) {
        descriptor = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (descriptor < 0) {
            m_error = systemError("cannot make a socket");
            continue;
        }
        if (::connect(descriptor, a->ai_addr, a->ai_addrlen) != 0 && errno != EINPROGRESS) {
            m_error = systemError("cannot reach " + m_config.where());
            closeKeepingErrno(descriptor);
            descriptor = -1;
        }
    }
    ::freeaddrinfo(found);
    if (descriptor < 0 || !tcp) {
        return descriptor;
    }
    return awaitConnection(descriptor, deadline);
}

// A TCP connection in progress, finished or given up by the deadline.
int Transport::awaitConnection(int descriptor, Deadline deadline) {
    pollfd wait{descriptor, POLLOUT, 0};
    int status = ETIMEDOUT;
    socklen_t size = sizeof status;
    if (::poll(&wait, 1, waitMs(deadline)) == 1) {
        ::getsockopt(descriptor, SOL_SOCKET, SO_ERROR, &status, &size);
    }
    if (status != 0) {
        errno = status;
        m_error = systemError("cannot connect to " + m_config.where());
        ::close(descriptor);
        return -1;
    }
    const int on = 1;
    ::setsockopt(descriptor, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on); // frames are small and waited for
    return descriptor;
}

bool Transport::write(std::span<const std::uint8_t> bytes, Deadline deadline) {
    if (!isOpen()) {
        return fail("not connected to " + m_config.where());
    }
    while (!bytes.empty()) {
        pollfd wait{m_descriptor, POLLOUT, 0};
        if (::poll(&wait, 1, waitMs(deadline)) != 1) {
            return fail("the encoder at " + m_config.where() + " took no data in time");
        }
        // MSG_NOSIGNAL: a peer that went away must not raise SIGPIPE in the program.
        const ssize_t written = isSocket(m_config.transport)
                                    ? ::send(m_descriptor, bytes.data(), bytes.size(), MSG_NOSIGNAL)
                                    : ::write(m_descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno != EAGAIN && errno != EINTR) {
            return fail(systemError("the link to " + m_config.where() + " failed"));
        }
        bytes = bytes.subspan(static_cast<std::size_t>(std::max<ssize_t>(written, 0)));
    }
    return true;
}

std::optional<std::vector<std::uint8_t>> Transport::read(Deadline deadline) {
    if (!isOpen()) {
        fail("not connected to " + m_config.where());
        return std::nullopt;
    }
    pollfd wait{m_descriptor, POLLIN, 0};
    if (::poll(&wait, 1, waitMs(deadline)) != 1) {
        return std::vector<std::uint8_t>{};
    }
    std::vector<std::uint8_t> bytes(kReadChunk);
    const ssize_t count = ::read(m_descriptor, bytes.data(), bytes.size());
    if (count < 0) {
        if (errno == EAGAIN || errno == EINTR) {
            return std::vector<std::uint8_t>{};
        }
        fail(systemError("the link to " + m_config.where() + " failed"));
        return std::nullopt;
    }
    if (count == 0 && m_config.transport == LinkConfig::Transport::Tcp) {
        fail("the encoder at " + m_config.where() + " closed the connection");
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(count));
    return bytes;
}

} // namespace korvel::uecp
