#include "FakeEncoder.h"

#include "uecp/FrameWriter.h"

#include <cstdlib>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace korvel::uecp::test {

namespace {

constexpr std::uint8_t kGarbage[] = {0x00, 0x41, 0xFF, 0xFD, 0x13};

sockaddr_in loopback(std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

} // namespace

FakeEncoder::FakeEncoder(Protocol protocol)
    : m_protocol(protocol) {
    if (protocol == Protocol::Serial) {
        m_listener = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (m_listener < 0 || ::grantpt(m_listener) != 0 || ::unlockpt(m_listener) != 0 ||
            ::pipe(m_wakePipe) != 0) {
            throw std::runtime_error("fake encoder has no terminal");
        }
        m_device = ::ptsname(m_listener);
        m_thread = std::thread([this] { run(); });
        return;
    }
    m_listener = ::socket(AF_INET, protocol == Protocol::Tcp ? SOCK_STREAM : SOCK_DGRAM, 0);
    sockaddr_in address = loopback(0);
    socklen_t size = sizeof address;
    if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &size) != 0 ||
        (protocol == Protocol::Tcp && ::listen(m_listener, 4) != 0) || ::pipe(m_wakePipe) != 0) {
        throw std::runtime_error("fake encoder cannot listen");
    }
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { run(); });
}

FakeEncoder::~FakeEncoder() {
    const char stop = 's';
    (void)::write(m_wakePipe[1], &stop, 1);
    m_thread.join();
    ::close(m_listener);
    ::close(m_wakePipe[0]);
    ::close(m_wakePipe[1]);
}

void FakeEncoder::script(std::vector<Answer> answers, AckCode nakCode) {
    const std::lock_guard lock(m_mutex);
    m_script.assign(answers.begin(), answers.end());
    m_nakCode = nakCode;
}

void FakeEncoder::dropAfter(std::size_t bytes) {
    const std::lock_guard lock(m_mutex);
    m_dropAfter = bytes;
}

void FakeEncoder::replyWith(Message message) {
    const std::lock_guard lock(m_mutex);
    m_reply = std::move(message);
}

std::vector<Message> FakeEncoder::messages() const {
    const std::lock_guard lock(m_mutex);
    return m_messages;
}

int FakeEncoder::frames() const {
    const std::lock_guard lock(m_mutex);
    return m_frames;
}

void FakeEncoder::clear() {
    const std::lock_guard lock(m_mutex);
    m_messages.clear();
    m_frames = 0;
}

void FakeEncoder::run() {
    if (m_protocol != Protocol::Tcp) {
        serve(m_listener);
        return;
    }
    for (;;) {
        pollfd waits[2] = {{m_listener, POLLIN, 0}, {m_wakePipe[0], POLLIN, 0}};
        ::poll(waits, 2, -1);
        if (waits[1].revents != 0) {
            return;
        }
        const int connection = ::accept(m_listener, nullptr, nullptr);
        if (connection >= 0) {
            ++m_connections;
            serve(connection);
            ::close(connection);
        }
    }
}

// One connection (or the UDP socket) until it is dropped, closed, or the fake stops. Bytes are
// read one at a time, so that a drop can fall on any byte of a frame.
void FakeEncoder::serve(int descriptor) {
    {
        const std::lock_guard lock(m_mutex);
        m_reader.reset();
        m_received = 0;
        m_drop = false;
    }
    for (;;) {
        pollfd waits[2] = {{descriptor, POLLIN, 0}, {m_wakePipe[0], POLLIN, 0}};
        ::poll(waits, 2, -1);
        if (waits[1].revents != 0) {
            return;
        }
        std::uint8_t buffer[512];
        sockaddr_storage from{};
        socklen_t fromSize = sizeof from;
        const std::size_t want = m_protocol == Protocol::Tcp ? 1 : sizeof buffer;
        const ssize_t count =
            m_protocol == Protocol::Udp
                ? ::recvfrom(descriptor, buffer, want, 0, reinterpret_cast<sockaddr*>(&from), &fromSize)
                : ::read(descriptor, buffer, want);
        if (count <= 0 && m_protocol == Protocol::Tcp) {
            return;
        }
        if (count <= 0) {
            ::usleep(5000); // a terminal without its other side polls as readable
            continue;
        }
        const std::lock_guard lock(m_mutex);
        if (m_protocol == Protocol::Udp) {
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(&from);
            m_peer.assign(bytes, bytes + fromSize);
        }
        receive(std::span(buffer, static_cast<std::size_t>(std::max<ssize_t>(count, 0))), descriptor);
        if (m_drop) {
            m_dropAfter.reset();
            return;
        }
    }
}

void FakeEncoder::receive(std::span<const std::uint8_t> bytes, int descriptor) {
    m_received += bytes.size();
    if (m_dropAfter && m_received >= *m_dropAfter) {
        m_drop = true;
        return;
    }
    for (const auto& result : m_reader.feed(bytes)) {
        if (result.frame) {
            ++m_frames;
            answer(*result.frame, descriptor);
        }
    }
}

void FakeEncoder::answer(const Frame& frame, int descriptor) {
    const Answer next = m_script.empty() ? Answer::Ack : m_script.front();
    if (!m_script.empty()) {
        m_script.pop_front();
    }
    const bool accepted = next == Answer::Ack || next == Answer::GarbageAndAck ||
                          next == Answer::HalfAndAck || next == Answer::StaleAck;
    const Decoded decoded = decode(frame.messages);
    std::vector<std::uint8_t> out;
    if (accepted) {
        m_messages.insert(m_messages.end(), decoded.messages.begin(), decoded.messages.end());
        const bool request =
            !decoded.messages.empty() && std::holds_alternative<Request>(decoded.messages[0]);
        if (request && m_reply) {
            out = encodeFrame(Frame{frame.address, 0, encode(*m_reply)});
        }
    }
    if (next == Answer::Drop) {
        m_drop = true;
        return;
    }
    if (next == Answer::Silence || (frame.sequence == 0 && out.empty())) {
        return;
    }
    const AckCode code = accepted ? AckCode::Ok : m_nakCode;
    const auto named =
        static_cast<std::uint8_t>(next == Answer::StaleAck ? frame.sequence + 1 : frame.sequence);
    const auto ack = encodeFrame(Frame{frame.address, 0, encode(Ack{code, named})});
    if (next == Answer::GarbageAndAck) {
        out.insert(out.end(), std::begin(kGarbage), std::end(kGarbage));
    }
    if (next == Answer::HalfAndAck) {
        out.insert(out.end(), ack.begin(), ack.begin() + static_cast<std::ptrdiff_t>(ack.size() / 2));
    }
    if (frame.sequence != 0) {
        out.insert(out.end(), ack.begin(), ack.end());
    }
    reply(descriptor, out);
}

void FakeEncoder::reply(int descriptor, const std::vector<std::uint8_t>& bytes) {
    if (m_protocol == Protocol::Tcp) {
        (void)::send(descriptor, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    } else if (m_protocol == Protocol::Serial) {
        (void)::write(descriptor, bytes.data(), bytes.size());
    } else {
        (void)::sendto(descriptor, bytes.data(), bytes.size(), 0,
                       reinterpret_cast<const sockaddr*>(m_peer.data()),
                       static_cast<socklen_t>(m_peer.size()));
    }
}

} // namespace korvel::uecp::test
