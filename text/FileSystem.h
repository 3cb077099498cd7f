#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvel::text {

// A file opened for reading.
class InputFile {
public:
    virtual ~InputFile() = default;

    // Fills the front of the buffer; the number of bytes read, 0 at the end of the file, nullopt
    // when reading failed.
    [[nodiscard]] virtual std::optional<std::size_t> read(std::span<char> buffer) = 0;
};

// What the text sources need of the file system: listing a folder and reading a file. Every
// call may block for as long as the file system takes (a network share), so the sources are
// read off the window's thread.
class FileSystem {
public:
    struct Entry {
        std::string name;
        std::int64_t lastWrite_s = 0; // seconds since the epoch
    };
    using NameFilter = std::function<bool(std::string_view name)>;

    virtual ~FileSystem() = default;

    // The regular files of the folder ("" is the current one) whose names the filter takes, in
    // the folder's own order; none when the folder cannot be listed. Directories, pipes and
    // devices never appear.
    [[nodiscard]] virtual std::vector<Entry> files(const std::string& folder,
                                                   const NameFilter& filter) const = 0;
    // Opens a regular file for reading only, leaving it open to every other program; null when
    // it cannot be opened or is not a regular file.
    [[nodiscard]] virtual std::unique_ptr<InputFile> open(const std::string& path) const = 0;
};

} // namespace korvel::text
