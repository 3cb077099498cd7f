#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace korvel::fuzz {

// A folder of the process's own for the files a target writes, in memory when the system has a
// memory file system: the code under test flushes every file it replaces, and a disk would make
// that the whole cost of a run. Left behind at exit; the fuzzer ends the process hard anyway.
class ScratchFolder {
public:
    ScratchFolder() {
        const std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
        std::string name = (base / "korvel-fuzz-XXXXXX").string();
        if (::mkdtemp(name.data()) == nullptr) {
            throw std::runtime_error("cannot create a scratch folder");
        }
        m_path = name;
    }

    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }

    static void write(const std::filesystem::path& file, std::string_view bytes) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

private:
    std::filesystem::path m_path;
};

} // namespace korvel::fuzz
