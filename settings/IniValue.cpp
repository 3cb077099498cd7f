#include "settings/IniValue.h"

#include <charconv>
#include <limits>

namespace korvel::settings {

namespace {

bool enclosedIn(std::string_view value, char quote) {
    return value.size() >= 2 && value.front() == quote && value.back() == quote;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string cut(std::string_view text) {
    return std::string(text.substr(0, IniValue::kMaxRead));
}

template <typename Number> std::optional<Number> whole(std::string_view digits, int base) {
    Number number = 0;
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, number, base);
    if (digits.empty() || ec != std::errc{} || ptr != end) {
        return std::nullopt;
    }
    return number;
}

std::optional<int> hexadecimal(std::string_view digits) {
    // from_chars would take a sign here; a hexadecimal number has none.
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        return std::nullopt;
    }
    const std::optional<unsigned> number = whole<unsigned>(digits, 16);
    if (!number || *number > static_cast<unsigned>(std::numeric_limits<int>::max())) {
        return std::nullopt;
    }
    return static_cast<int>(*number);
}

} // namespace

std::optional<int> IniValue::readInteger(std::string_view value) {
    if (value.size() > 2 && (value.starts_with("0x") || value.starts_with("0X"))) {
        return hexadecimal(value.substr(2));
    }
    if (value.starts_with('$')) {
        return hexadecimal(value.substr(1));
    }
    if (value.starts_with('+')) {
        value.remove_prefix(1);
        if (value.starts_with('-')) {
            return std::nullopt;
        }
    }
    return whole<int>(value, 10);
}

std::string IniValue::readString(std::string_view value) {
    if (enclosedIn(value, '"') || enclosedIn(value, '\'')) {
        value = value.substr(1, value.size() - 2);
    }
    return cut(value);
}

std::string IniValue::readQuoted(std::string_view value) {
    if (!enclosedIn(value, '"')) {
        return readString(value);
    }
    const std::string_view inside = value.substr(1, value.size() - 2);
    std::string text;
    for (std::size_t at = 0; at < inside.size(); ++at) {
        text += inside[at];
        if (inside[at] == '"' && at + 1 < inside.size() && inside[at + 1] == '"') {
            ++at;
        }
    }
    return cut(text);
}

std::string IniValue::quoted(std::string_view text) {
    std::string value = "\"";
    for (const char c : text) {
        value += c;
        if (c == '"') {
            value += '"';
        }
    }
    return value + '"';
}

std::string IniValue::string(std::string_view text) {
    const bool wouldChange = !text.empty() && (isBlank(text.front()) || isBlank(text.back()) ||
                                               enclosedIn(text, '"') || enclosedIn(text, '\''));
    return wouldChange ? "\"" + std::string(text) + "\"" : std::string(text);
}

} // namespace korvel::settings
