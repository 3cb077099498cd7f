#pragma once

#include <string_view>

namespace korvel::model {

// The text without the blanks at both ends, as an operator or a hand-edited file may leave them.
[[nodiscard]] constexpr std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace korvel::model
