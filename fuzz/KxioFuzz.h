#pragma once

#include "ScratchFolder.h"
#include "kxio/kxioTest.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>

namespace korvel::fuzz {

// What the stand-in library's targets share: its image file in a scratch folder, never the
// user's, and the registers that do not hold what was written to them.
class KxioImage {
public:
    static constexpr std::uint8_t kStatus = 0x70;
    static constexpr std::uint8_t kCommand = 0x71;
    static constexpr std::size_t kSize = 256;

    // Points the library at the scratch image before its first call, which loads it.
    static const std::filesystem::path& path() {
        static const std::filesystem::path image = [] {
            static const ScratchFolder folder;
            std::filesystem::path file = folder.path() / "encoder.img";
            ::setenv("KXIO_IMAGE", file.c_str(), 1);
            return file;
        }();
        return image;
    }

    [[nodiscard]] static bool holdsWrites(std::size_t address) {
        return address != kStatus && address != kCommand;
    }
};

} // namespace korvel::fuzz
