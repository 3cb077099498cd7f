#include "kxio/ImageFile.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace korvel::kxio {

namespace {

constexpr const char* kImageVariable = "KXIO_IMAGE";
constexpr const char* kEmulatorFolder = "korvel-kxio";
constexpr const char* kImageName = "encoder.img";
constexpr int kTemporaryAttempts = 100;
constexpr int kMaxLinks = 40; // as many as Linux follows in one path before it reports a loop

std::optional<std::filesystem::path> absoluteFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    std::filesystem::path path{value};
    if (!path.is_absolute()) {
        return std::nullopt; // the XDG base directory rules say relative paths are to be ignored
    }
    return path;
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

// The file a store replaces: the image path with its links followed to the end, so that the links
// stay links. A link that points nowhere yet gives the path it points to. Nothing for a loop.
std::optional<std::filesystem::path> finalTarget(std::filesystem::path path) {
    for (int links = 0; links <= kMaxLinks; ++links) {
        // Not a link, missing or unreachable (a folder loop on the way): writing it shows which.
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
            return path;
        }
        const std::filesystem::path target = std::filesystem::read_symlink(path, error);
        if (error) {
            return std::nullopt;
        }
        path = path.parent_path() / target; // a relative link counts from its own folder
    }
    return std::nullopt;
}

// A short name of fixed shape rather than the image's name plus a suffix, so that it fits beside an
// image whose own name is already at the file-name limit.
std::string temporaryName() {
    static std::atomic<unsigned> counter{0};
    return ".kxio-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
}

struct Temporary {
    int fd;
    std::filesystem::path path;
};

// O_EXCL: a name left behind by an interrupted store, or taken by another process, is skipped.
// Mode 0666 lets the umask decide, as for any new file; an existing image's mode is put back later.
std::optional<Temporary> createTemporary(const std::filesystem::path& folder) {
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        std::filesystem::path path = folder / temporaryName();
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            return Temporary{fd, std::move(path)};
        }
        if (errno != EEXIST) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// The replaced image keeps its permission bits; without one, the temporary file's stay as created.
bool keepMode(int fd, const std::filesystem::path& image) {
    struct stat existing {};
    if (::stat(image.c_str(), &existing) != 0) {
        return errno == ENOENT;
    }
    return ::fchmod(fd, existing.st_mode & 07777) == 0;
}

// Makes the rename itself durable; a failure here does not undo a store that has already happened.
void syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

ImageFile::ImageFile(std::filesystem::path path)
    : m_path(std::move(path)) {}

std::optional<std::filesystem::path> ImageFile::locate() {
    if (const char* image = std::getenv(kImageVariable); image != nullptr && *image != '\0') {
        return std::filesystem::path{image};
    }
    const std::optional<std::filesystem::path> folder = emulatorFolder();
    if (!folder) {
        return std::nullopt;
    }
    return *folder / kImageName;
}

std::optional<std::filesystem::path> ImageFile::emulatorFolder() {
    std::optional<std::filesystem::path> dataHome = absoluteFromEnvironment("XDG_DATA_HOME");
    if (!dataHome) {
        const std::optional<std::filesystem::path> home = absoluteFromEnvironment("HOME");
        if (!home) {
            return std::nullopt;
        }
        dataHome = *home / ".local" / "share";
    }
    return *dataHome / kEmulatorFolder;
}

ImageFile::LoadResult ImageFile::load(std::span<std::uint8_t, kSize_bytes> memory) const {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(m_path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return LoadResult::Missing;
    }
    if (error || status.type() != std::filesystem::file_type::regular) {
        return LoadResult::Invalid;
    }
    std::ifstream in{m_path, std::ios::binary};
    std::array<char, kSize_bytes + 1> buffer{}; // one spare byte shows a file that is too long
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    if (in.bad() || in.gcount() != static_cast<std::streamsize>(kSize_bytes)) {
        return LoadResult::Invalid;
    }
    std::transform(buffer.begin(), buffer.begin() + kSize_bytes, memory.begin(),
                   [](char c) { return static_cast<std::uint8_t>(c); });
    return LoadResult::Loaded;
}

bool ImageFile::save(std::span<const std::uint8_t, kSize_bytes> memory) const {
    const std::optional<std::filesystem::path> target = finalTarget(m_path);
    if (!target) {
        return false;
    }
    const std::filesystem::path folder = target->parent_path();
    std::error_code error;
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, error);
        if (error) {
            return false;
        }
    }
    const std::optional<Temporary> temporary = createTemporary(folder);
    if (!temporary) {
        return false;
    }
    const bool written =
        keepMode(temporary->fd, *target) && writeAll(temporary->fd, memory) && ::fsync(temporary->fd) == 0;
    const bool closed = ::close(temporary->fd) == 0;
    if (!written || !closed || ::rename(temporary->path.c_str(), target->c_str()) != 0) {
        ::unlink(temporary->path.c_str());
        return false;
    }
    syncFolder(folder.empty() ? std::filesystem::path{"."} : folder);
    return true;
}

} // namespace korvel::kxio
