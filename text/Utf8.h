#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace korvel::text {

// UTF-8, the encoding of file names and of playout files that begin with a byte order mark.
class Utf8 {
public:
    static constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

    // nullopt unless the bytes are well-formed UTF-8: no stray or missing continuation bytes,
    // no overlong forms, no surrogates, nothing above U+10FFFF.
    [[nodiscard]] static std::optional<std::u32string> decode(std::string_view bytes);
    // Code points that no UTF-8 can hold (surrogates, above U+10FFFF) become U+FFFD.
    [[nodiscard]] static std::string encode(std::u32string_view text);
    // The bytes of the character that begins at `at`: a lead byte and the continuation bytes
    // that follow it; 1 for any other byte.
    [[nodiscard]] static std::size_t characterLength(std::string_view bytes, std::size_t at);
};

} // namespace korvel::text
