#pragma once

#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace korvel::fakes {

// A fresh folder under the system's temporary folder (or the given one), removed with everything in it at the
// end.
class TempFolder {
public:
    explicit TempFolder(const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
        std::string name = (base / "korvel-XXXXXX").string();
        if (mkdtemp(name.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        m_path = name;
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        // A test may have taken its rights away.
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }

    [[nodiscard]] const std::filesystem::path& root() const { return m_path; }
    [[nodiscard]] std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

    // Writes a file anywhere, making its folders; reads one whole.
    static void writeFile(const std::filesystem::path& file, const std::string& bytes) {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
    }
    [[nodiscard]] static std::string readFile(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // The folder with a trailing separator, as the program's folder is held.
    [[nodiscard]] std::string path() const { return m_path.string() + "/"; }
    [[nodiscard]] std::string path(std::string_view name) const { return (m_path / name).string(); }

    // Writes the bytes into the file (made anew) and gives it the last-write time, in seconds
    // since the epoch.
    void write(std::string_view name, std::string_view bytes, std::int64_t lastWrite_s = kSomeTime) const {
        {
            std::ofstream file(path(name), std::ios::binary | std::ios::trunc);
            file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        }
        touch(name, lastWrite_s);
    }

    // Writes the file in place, as most playout software does: its time becomes the present.
    void rewrite(std::string_view name, std::string_view bytes) const {
        std::ofstream file(path(name), std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    void touch(std::string_view name, std::int64_t lastWrite_s) const {
        const timespec times[2] = {{lastWrite_s, 0}, {lastWrite_s, 0}};
        if (utimensat(AT_FDCWD, path(name).c_str(), times, 0) != 0) {
            throw std::runtime_error("cannot set the time of " + path(name));
        }
    }

    // An even number of seconds: the time and the next second share one 2-second step.
    static constexpr std::int64_t kSomeTime = 1'700'000'000;

private:
    std::filesystem::path m_path;
};

} // namespace korvel::fakes
