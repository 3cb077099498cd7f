#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvel::text {

// Hexadecimal texts of the PI code and the user group's bytes.

// Normalises a hexadecimal text to exactly n characters: a shorter text is padded on the left
// with "0" and then has every character but 0..9 and A..F replaced by "F"; a longer text keeps
// its last n characters, unchecked.
[[nodiscard]] std::string MakeHEX(std::string_view text, std::size_t n);

// The value of a hexadecimal text (digits and A..F or a..f, no sign, no prefix). Throws
// std::invalid_argument naming the text when it is not one: the caller's operation stops and
// the message reaches the status bar.
[[nodiscard]] unsigned hexValue(std::string_view text);

} // namespace korvel::text
