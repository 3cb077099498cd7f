#include "settings/FileBytes.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace korvel::settings {

namespace {

constexpr mode_t kNewFileMode = 0666; // less the user's umask

#ifdef KORVEL_NO_DISK_FLUSH
constexpr bool kFlushToDisk = false;
#else
constexpr bool kFlushToDisk = true;
#endif

// Waits until the file's bytes are on the disk, so that a power cut after the rename finds them.
bool flush(int fd) {
    return !kFlushToDisk || ::fsync(fd) == 0;
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno != EINTR) {
            return false;
        }
        done += written > 0 ? static_cast<std::size_t>(written) : 0;
    }
    return true;
}

// Makes the rename itself durable; the new file is already whole when this fails.
void syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        flush(fd);
        ::close(fd);
    }
}

constexpr std::string_view kTemporaryMark = ".new-";

// A name no other file has, beside the target; O_EXCL makes sure of it.
int createBeside(const std::filesystem::path& target, std::string& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target.string() + std::string(kTemporaryMark) + std::to_string(::getpid()) + '-' +
                    std::to_string(attempt);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// The process that made a temporary file, from its name "<target>.new-<pid>-<attempt>"; 0 when
// the name is not one of ours.
pid_t maker(const std::string& name, const std::string& target) {
    const std::string prefix = target + std::string(kTemporaryMark);
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) {
        return 0;
    }
    pid_t pid = 0;
    std::size_t at = prefix.size();
    for (; at < name.size() && name[at] >= '0' && name[at] <= '9' && pid < 1'000'000'000; ++at) {
        pid = pid * 10 + (name[at] - '0');
    }
    return at < name.size() && name[at] == '-' ? pid : 0;
}

// A save killed between creating its temporary file and the rename leaves that file behind;
// the next save removes it once the process that made it is gone.
void removeLeftovers(const std::filesystem::path& target) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(target.parent_path(), error)) {
        const pid_t pid = maker(entry.path().string(), target.string());
        if (pid > 0 && pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH) {
            std::filesystem::remove(entry.path(), error);
        }
    }
}

// The file the path leads to, when it may be replaced: a regular file the user may write, or
// none yet.
std::optional<std::filesystem::path> replaceable(const std::string& path, std::optional<mode_t>& mode) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return errno == ENOENT ? std::optional<std::filesystem::path>(path) : std::nullopt;
    }
    if (!S_ISREG(status.st_mode) || ::access(path.c_str(), W_OK) != 0) {
        return std::nullopt;
    }
    mode = status.st_mode & 07777;
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(path, error);
    return error ? std::nullopt : std::optional<std::filesystem::path>(target);
}

} // namespace

std::optional<std::string> FileBytes::read(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat status {};
    std::optional<std::string> bytes;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
        static_cast<std::size_t>(status.st_size) <= kMaxRead_bytes) {
        bytes.emplace();
        char buffer[65536];
        ssize_t got = 0;
        while ((got = ::read(fd, buffer, sizeof buffer)) != 0 && bytes->size() <= kMaxRead_bytes) {
            if (got < 0 && errno != EINTR) {
                bytes.reset();
                break;
            }
            bytes->append(buffer, got > 0 ? static_cast<std::size_t>(got) : 0);
        }
    }
    ::close(fd);
    return bytes && bytes->size() <= kMaxRead_bytes ? bytes : std::nullopt;
}

bool FileBytes::replace(const std::string& path, const std::string& bytes) {
    std::optional<mode_t> mode;
    const std::optional<std::filesystem::path> target = replaceable(path, mode);
    if (!target) {
        return false;
    }
    std::string temporary;
    const int fd = createBeside(*target, temporary);
    if (fd < 0) {
        return false;
    }
    const bool written = (!mode || ::fchmod(fd, *mode) == 0) && writeAll(fd, bytes) && flush(fd);
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), target->c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncFolder(target->parent_path());
    removeLeftovers(*target);
    return true;
}

} // namespace korvel::settings
