#include "kxio/GroupHexWriter.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <span>
#include <sys/stat.h>

namespace korvel::kxio {

namespace {

constexpr std::array<char, 16> kHexDigits{'0', '1', '2', '3', '4', '5', '6', '7',
                                          '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};

bool isPipe(const std::filesystem::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISFIFO(status.st_mode);
}

} // namespace

GroupHexWriter::GroupHexWriter(std::filesystem::path path)
    : m_path{std::move(path)} {}

std::string GroupHexWriter::line(const RdsGroup& group) {
    std::string text;
    for (const std::uint16_t block : group.blocks) {
        if (!text.empty()) {
            text += ' ';
        }
        for (int shift = 12; shift >= 0; shift -= 4) {
            text += kHexDigits[(block >> shift) & 0xFu];
        }
    }
    text += '\n';
    return text;
}

void GroupHexWriter::write(const RdsGroup& group) {
    if (!m_fd.isOpen()) {
        open();
    }
    if (!m_fd.isOpen()) {
        return;
    }
    const std::string text = line(group);
    if (!m_fd.writeAll(std::as_bytes(std::span{text})) && errno != EAGAIN) {
        m_fd.close(); // the reader has gone: wait for the next one
    }
}

// A pipe opens only once a reader is there; until then every group tries again.
void GroupHexWriter::open() {
    const bool pipe = isPipe(m_path);
    int flags = O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC;
    if (!pipe && !m_truncated) {
        flags |= O_TRUNC;
    }
    if (!pipe) {
        flags |= O_APPEND;
    }
    m_fd = FileDescriptor{::open(m_path.c_str(), flags, 0666)};
    m_truncated = m_truncated || (m_fd.isOpen() && !pipe);
}

} // namespace korvel::kxio
