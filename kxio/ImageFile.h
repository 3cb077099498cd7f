#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace korvel::kxio {

// The encoder's non-volatile memory: a file holding an exact copy of the 256 register bytes.
class ImageFile {
public:
    static constexpr std::size_t kSize_bytes = 256;

    enum class LoadResult : std::uint8_t { Loaded, Missing, Invalid };

    explicit ImageFile(std::filesystem::path path);

    // $KXIO_IMAGE when set; else "korvel-kxio/encoder.img" in $XDG_DATA_HOME (when absolute) or
    // in ~/.local/share. Nothing when no folder can be found.
    [[nodiscard]] static std::optional<std::filesystem::path> locate();

    // "korvel-kxio" in $XDG_DATA_HOME (when absolute) or in ~/.local/share; the emulator's files
    // live there. Nothing when no folder can be found.
    [[nodiscard]] static std::optional<std::filesystem::path> emulatorFolder();

    // Leaves memory untouched unless the result is Loaded.
    [[nodiscard]] LoadResult load(std::span<std::uint8_t, kSize_bytes> memory) const;

    // Writes a temporary file beside the image and renames it over the image, so a failed or
    // interrupted store leaves the previous image whole. A link is followed to its final target,
    // which is the file replaced, and the replaced file's permission bits are kept. False for a
    // link loop.
    [[nodiscard]] bool save(std::span<const std::uint8_t, kSize_bytes> memory) const;

    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace korvel::kxio
