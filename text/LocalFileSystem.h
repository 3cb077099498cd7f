#pragma once

#include "text/FileSystem.h"

namespace korvel::text {

// The operating system's file system. Symbolic links count as what they point to.
class LocalFileSystem : public FileSystem {
public:
    [[nodiscard]] std::vector<Entry> files(const std::string& folder,
                                           const NameFilter& filter) const override;
    [[nodiscard]] std::unique_ptr<InputFile> open(const std::string& path) const override;
};

} // namespace korvel::text
