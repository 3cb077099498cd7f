#pragma once

#include "kxio/FileDescriptor.h"
#include "kxio/RdsGroup.h"

#include <filesystem>
#include <string>

namespace korvel::kxio {

// The groups as text, one line per group: the four blocks as four hexadecimal digits each,
// separated by blanks ("2F0A 0408 E0CD 4B4F"), the form RDS tools read and write. The target may
// be a regular file, started afresh, or a named pipe: a pipe without a reader, or one whose
// reader has fallen behind, loses lines instead of holding up the encoder.
class GroupHexWriter {
public:
    explicit GroupHexWriter(std::filesystem::path path);

    void write(const RdsGroup& group);

    [[nodiscard]] static std::string line(const RdsGroup& group);

private:
    void open();

    std::filesystem::path m_path;
    FileDescriptor m_fd;
    bool m_truncated = false;
};

} // namespace korvel::kxio
