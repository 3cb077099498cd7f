#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace korvel::text {

class InputFile;

// One line of a playout file, read as text lines: a line ends at LF, every CR is left out (the
// one of a CR LF and a lone one alike), and a byte 0x1A ends the file. A first line that begins
// with the UTF-8 byte order mark loses it, and the file counts as UTF-8.
class SourceLines {
public:
    enum class Take : std::uint8_t { FirstLine = 0, LastLine = 1 }; // the items of "Read from"

    struct Line {
        std::string text;
        bool utf8 = false;
    };

    // Lines have no length limit as far as finding them goes, but only the first kKeptLength
    // bytes of a line are kept: a title is never that long, and a binary or runaway file must
    // not fill the memory or the window.
    static constexpr std::size_t kKeptLength = 64 * 1024;
    static constexpr std::size_t kChunk = 256 * 1024;

    // The first line (empty for an empty file), or the last one that is not empty (empty when
    // there is none). nullopt when reading failed.
    [[nodiscard]] static std::optional<Line> read(InputFile& file, Take take);
};

} // namespace korvel::text
