#pragma once

#include "text/CodePage.h"
#include "text/FileSystem.h"
#include "text/SourceLines.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace korvel::text {

// How one text source is read: its file name or mask and the options of its page.
struct SourceOptions {
    std::string name; // as the file system spells it (UTF-8); relative to the program's folder
    SourceLines::Take take = SourceLines::Take::LastLine;
    int cutBeginning = 0;
    int cutEnd = 0;

    friend bool operator==(const SourceOptions&, const SourceOptions&) = default;
};

// What reading a source gave.
struct SourceText {
    bool readOk = true; // false: the file could not be opened or read, and is tried again later
    std::string text;   // desktop code page
    std::string path;   // the file read; empty when none matched
};

// Reads the title from a playout file: the newest file that matches the name, its first or
// last line, decoded from UTF-8 when it says so, trimmed and cut. Safe to use from any thread;
// it owns what it uses, so that a read may outlive the window that asked for it.
class SourceReader {
public:
    SourceReader(std::shared_ptr<const FileSystem> fileSystem, CodePage codePage);

    // The program's folder ends with a separator; empty: relative names are taken as they are.
    [[nodiscard]] SourceText read(const SourceOptions& options, const std::string& programFolder) const;

    // The name taken in the program's folder when it is relative.
    [[nodiscard]] static std::string resolve(std::string_view name, const std::string& programFolder);
    // Everything up to the last separator, the separator included; empty when there is none.
    [[nodiscard]] static std::string_view folderOf(std::string_view path);

private:
    [[nodiscard]] std::optional<FileSystem::Entry> newest(const std::string& folder,
                                                          std::string_view mask) const;
    [[nodiscard]] std::string toCodePage(std::string text) const;

    std::shared_ptr<const FileSystem> m_fileSystem;
    CodePage m_codePage;
};

} // namespace korvel::text
