#include "text/LocalFileSystem.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvel::text {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

class LocalInputFile : public InputFile {
public:
    explicit LocalInputFile(int fd)
        : m_fd(fd) {}
    LocalInputFile(const LocalInputFile&) = delete;
    LocalInputFile& operator=(const LocalInputFile&) = delete;
    ~LocalInputFile() override { ::close(m_fd); }

    std::optional<std::size_t> read(std::span<char> buffer) override {
        for (;;) {
            const ssize_t count = ::read(m_fd, buffer.data(), buffer.size());
            if (count >= 0) {
                return static_cast<std::size_t>(count);
            }
            if (errno != EINTR) {
                return std::nullopt;
            }
        }
    }

private:
    int m_fd;
};

} // namespace

std::vector<FileSystem::Entry> LocalFileSystem::files(const std::string& folder,
                                                      const NameFilter& filter) const {
    std::vector<Entry> entries;
    const std::unique_ptr<DIR, DirCloser> dir(opendir(folder.empty() ? "." : folder.c_str()));
    if (!dir) {
        return entries;
    }
    const int dirFd = dirfd(dir.get());
    while (const dirent* entry = readdir(dir.get())) {
        if (entry->d_type == DT_DIR || !filter(entry->d_name)) {
            continue;
        }
        struct stat status {};
        if (fstatat(dirFd, entry->d_name, &status, 0) == 0 && S_ISREG(status.st_mode)) {
            entries.push_back({entry->d_name, static_cast<std::int64_t>(status.st_mtim.tv_sec)});
        }
    }
    return entries;
}

// Without blocking: a named pipe would otherwise wait for a writer before it can be refused.
std::unique_ptr<InputFile> LocalFileSystem::open(const std::string& path) const {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<LocalInputFile>(fd);
}

} // namespace korvel::text
