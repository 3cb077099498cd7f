#pragma once

#include <cstddef>
#include <span>
#include <unistd.h>
#include <utility>

namespace korvel::kxio {

// Owns an open file descriptor; writes all of a buffer or fails.
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd, bool owned = true)
        : m_fd{fd}
        , m_owned{owned} {}
    FileDescriptor(FileDescriptor&& other) noexcept
        : m_fd{std::exchange(other.m_fd, -1)}
        , m_owned{other.m_owned} {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        std::swap(m_fd, other.m_fd);
        std::swap(m_owned, other.m_owned);
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { close(); }

    [[nodiscard]] bool isOpen() const { return m_fd >= 0; }
    [[nodiscard]] int get() const { return m_fd; }
    void close();

    // Writes every byte, waiting out interruptions; false with errno set otherwise. A write to a
    // pipe whose reader has gone fails with EPIPE and leaves no signal behind.
    [[nodiscard]] bool writeAll(std::span<const std::byte> bytes) const;

private:
    int m_fd = -1;
    bool m_owned = true;
};

} // namespace korvel::kxio
