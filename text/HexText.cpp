#include "text/HexText.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace korvel::text {

namespace {

bool isUpperHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

} // namespace

std::string MakeHEX(std::string_view text, std::size_t n) {
    if (text.size() > n) {
        return std::string(text.substr(text.size() - n));
    }
    std::string hex = std::string(n - text.size(), '0') + std::string(text);
    std::replace_if(
        hex.begin(), hex.end(), [](char c) { return !isUpperHexDigit(c); }, 'F');
    return hex;
}

unsigned hexValue(std::string_view text) {
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, 16);
    if (text.empty() || ec != std::errc{} || ptr != end) {
        throw std::invalid_argument("'" + std::string(text) + "' is not a valid hexadecimal value");
    }
    return value;
}

} // namespace korvel::text
