#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace korvel::settings {

// Whole small files, read and replaced safely.
class FileBytes {
public:
    // Larger files are not taken for settings: they read as missing.
    static constexpr std::size_t kMaxRead_bytes = 64u << 20;

    // The bytes of a regular file; nullopt when it is missing, unreadable, too large or not a
    // regular file (a folder, or a pipe that would wait for a writer).
    [[nodiscard]] static std::optional<std::string> read(const std::string& path);

    // Writes the bytes to a new file beside the path, flushes it to the disk and renames it over
    // the path, so that the file is always either the old one or the new one, whole. A symbolic
    // link is followed and stays. A path that is not a regular file, or one the user may not
    // write, is refused. False when anything fails; the old file is then untouched.
    [[nodiscard]] static bool replace(const std::string& path, const std::string& bytes);
};

} // namespace korvel::settings
