#include "kxio/FileDescriptor.h"

#include <cerrno>
#include <csignal>
#include <ctime>

namespace korvel::kxio {

namespace {

// The writing thread keeps SIGPIPE blocked (see OnAirTransmitter); a failed write leaves one pending,
// which is taken off here so that it never reaches the program once the thread ends.
void discardPendingSigpipe() {
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    sigset_t pending;
    if (sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1) {
        const timespec noWait{};
        sigtimedwait(&pipe, nullptr, &noWait);
    }
}

} // namespace

void FileDescriptor::close() {
    if (m_fd >= 0 && m_owned) {
        ::close(m_fd);
    }
    m_fd = -1;
}

bool FileDescriptor::writeAll(std::span<const std::byte> bytes) const {
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno == EPIPE) {
                discardPendingSigpipe();
            }
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace korvel::kxio
