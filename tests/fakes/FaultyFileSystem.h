#pragma once

#include "text/LocalFileSystem.h"

#include <filesystem>
#include <functional>

namespace korvel::fakes {

// The local file system, except that it can be told to lose the files it lists in one folder
// before they are opened, to fail while reading, or to run a step while a file is being read.
class FaultyFileSystem : public text::FileSystem {
public:
    std::vector<Entry> files(const std::string& folder, const NameFilter& filter) const override {
        std::vector<Entry> entries = m_local.files(folder, filter);
        if (!vanishFrom.empty() && folder == vanishFrom) {
            for (const Entry& entry : entries) {
                std::filesystem::remove(folder + entry.name);
            }
        }
        return entries;
    }
    std::unique_ptr<text::InputFile> open(const std::string& path) const override {
        if (duringRead) {
            duringRead();
        }
        if (failReading) {
            return std::make_unique<FailingFile>();
        }
        return m_local.open(path);
    }

    std::string vanishFrom; // a folder whose files vanish once listed; only ever a test's own
    bool failReading = false;
    std::function<void()> duringRead; // runs on the reading thread

private:
    struct FailingFile : text::InputFile {
        std::optional<std::size_t> read(std::span<char>) override { return std::nullopt; }
    };
    text::LocalFileSystem m_local;
};

} // namespace korvel::fakes
