#include "kxio/UecpListener.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <system_error>

namespace korvel::kxio {

namespace {

constexpr int kBacklog = 8;
constexpr int kPollInterval_ms = 1000; // how often stalled clients are looked for
// Enough for the longest frame, every byte stuffed; a longer datagram is not a frame.
constexpr std::size_t kDatagramSize = 2048;
// Datagrams taken per round, so that a flood on UDP leaves the TCP clients their turn.
constexpr int kDatagramsPerRound = 16;

enum class Fixed : std::size_t { Wake, Tcp, Udp, Count };

constexpr std::size_t slot(Fixed fixed) {
    return static_cast<std::size_t>(fixed);
}

void complain(const char* what, const UecpConfig& config, std::uint16_t port, const char* reason) {
    std::fprintf(stderr, "kxio: UECP %s port %s:%u cannot be opened: %s\n", what, config.bind.c_str(),
                 static_cast<unsigned>(port), reason);
}

// A socket bound to the configured address and port, or nothing (with the reason on stderr).
FileDescriptor openSocket(const UecpConfig& config, std::uint16_t port, int type, const char* what) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = type;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    if (const int error = ::getaddrinfo(config.bind.c_str(), service.c_str(), &hints, &found); error != 0) {
        complain(what, config, port, ::gai_strerror(error));
        return {};
    }
    const std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> addresses{found, ::freeaddrinfo};
    FileDescriptor socket{::socket(found->ai_family, type | SOCK_NONBLOCK | SOCK_CLOEXEC, 0)};
    const int reuse = 1;
    if (!socket.isOpen() || ::setsockopt(socket.get(), SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse) != 0 ||
        ::bind(socket.get(), found->ai_addr, found->ai_addrlen) != 0 ||
        (type == SOCK_STREAM && ::listen(socket.get(), kBacklog) != 0)) {
        complain(what, config, port, std::strerror(errno));
        return {};
    }
    return socket;
}

std::optional<std::uint16_t> boundPort(const FileDescriptor& socket) {
    if (!socket.isOpen()) {
        return std::nullopt;
    }
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getsockname(socket.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return std::nullopt;
    }
    const in_port_t port = address.ss_family == AF_INET6
                               ? reinterpret_cast<sockaddr_in6*>(&address)->sin6_port
                               : reinterpret_cast<sockaddr_in*>(&address)->sin_port;
    return ntohs(port);
}

} // namespace

UecpListener::UecpListener(UecpConfig config, UecpSession::Apply apply)
    : m_config{std::move(config)}
    , m_apply{std::move(apply)}
    , m_datagrams{m_config, m_apply} {
    if (m_config.tcpPort) {
        m_tcp = openSocket(m_config, *m_config.tcpPort, SOCK_STREAM, "TCP");
    }
    if (m_config.udpPort) {
        m_udp = openSocket(m_config, *m_config.udpPort, SOCK_DGRAM, "UDP");
    }
    if (m_tcp.isOpen() || m_udp.isOpen()) {
        m_wake = FileDescriptor{::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)};
        if (!m_wake.isOpen()) {
            throw std::system_error{errno, std::generic_category(), "eventfd"};
        }
        m_thread = std::thread{[this] { run(); }};
    }
}

UecpListener::~UecpListener() {
    if (m_thread.joinable()) {
        const std::uint64_t one = 1;
        static_cast<void>(::write(m_wake.get(), &one, sizeof one));
        m_thread.join();
    }
}

std::optional<std::uint16_t> UecpListener::tcpPort() const {
    return boundPort(m_tcp);
}

std::optional<std::uint16_t> UecpListener::udpPort() const {
    return boundPort(m_udp);
}

void UecpListener::run() noexcept {
    try {
        serve();
    } catch (...) {
        // Off the network; the registers and the air go on as before.
    }
}

void UecpListener::serve() {
    std::vector<pollfd> polled;
    std::vector<short> revents;
    for (;;) {
        polled.assign(slot(Fixed::Count), pollfd{});
        polled[slot(Fixed::Wake)] = {m_wake.get(), POLLIN, 0};
        polled[slot(Fixed::Tcp)] = {m_tcp.get(), POLLIN, 0}; // a closed socket (-1) is passed over
        polled[slot(Fixed::Udp)] = {m_udp.get(), POLLIN, 0};
        for (const auto& connection : m_connections) {
            polled.push_back({connection->fd(), connection->events(), 0});
        }
        if (::poll(polled.data(), polled.size(), kPollInterval_ms) < 0 && errno != EINTR) {
            return;
        }
        if (polled[slot(Fixed::Wake)].revents != 0) {
            return;
        }
        revents.clear();
        for (std::size_t i = slot(Fixed::Count); i < polled.size(); ++i) {
            revents.push_back(polled[i].revents);
        }
        serveConnections(revents);
        if (polled[slot(Fixed::Tcp)].revents != 0) {
            acceptClient();
        }
        if (polled[slot(Fixed::Udp)].revents != 0) {
            receiveDatagrams();
        }
    }
}

// Over the limit, a client is let in only to be closed at once, so that it learns at once.
void UecpListener::acceptClient() {
    FileDescriptor client{::accept4(m_tcp.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC)};
    if (client.isOpen() && m_connections.size() < m_config.maxConnections) {
        m_connections.push_back(std::make_unique<UecpConnection>(std::move(client), m_config, m_apply));
    }
}

void UecpListener::receiveDatagrams() {
    std::array<std::uint8_t, kDatagramSize> buffer{};
    for (int i = 0; i < kDatagramsPerRound; ++i) {
        sockaddr_storage sender{};
        socklen_t senderLength = sizeof sender;
        const ssize_t got = ::recvfrom(m_udp.get(), buffer.data(), buffer.size(), 0,
                                       reinterpret_cast<sockaddr*>(&sender), &senderLength);
        if (got < 0) {
            return;
        }
        UecpSession::Replies replies =
            m_datagrams.receive(std::span{buffer}.first(static_cast<std::size_t>(got)));
        for (UecpSession::Replies cut = m_datagrams.end(); auto& frame : cut) {
            replies.push_back(std::move(frame));
        }
        // One frame a datagram. A sender that cannot take a reply loses it; the listener does not wait.
        for (const std::vector<std::uint8_t>& frame : replies) {
            static_cast<void>(::sendto(m_udp.get(), frame.data(), frame.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
                                       reinterpret_cast<const sockaddr*>(&sender), senderLength));
        }
    }
}

void UecpListener::serveConnections(const std::vector<short>& revents) {
    const UecpConnection::Clock::time_point now = UecpConnection::Clock::now();
    std::vector<std::unique_ptr<UecpConnection>> kept;
    for (std::size_t i = 0; i < m_connections.size(); ++i) {
        UecpConnection& connection = *m_connections[i];
        bool open = connection.alive(now);
        if (open && (revents[i] & (POLLIN | POLLHUP | POLLERR)) != 0 && connection.events() == POLLIN) {
            open = connection.onReadable();
        } else if (open && (revents[i] & (POLLOUT | POLLHUP | POLLERR)) != 0) {
            open = connection.onWritable();
        }
        if (open) {
            kept.push_back(std::move(m_connections[i]));
        }
    }
    m_connections = std::move(kept);
}

} // namespace korvel::kxio
