#include "operations/AfList.h"

#include <algorithm>
#include <charconv>
#include <cstddef>

namespace korvel::operations {

namespace {

constexpr std::size_t kShortest = 2;
constexpr std::size_t kLongest = 5;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The typed text reduced to digits and at most one decimal separator with exactly one digit
// after it; nullopt when it is no such number.
std::optional<std::string> normalised(std::string_view typed, char separator) {
    if (typed.size() < kShortest || typed.size() > kLongest) {
        return std::nullopt;
    }
    std::string text(typed);
    if (const auto point = text.find('.'); point != std::string::npos) {
        text[point] = separator;
    }
    std::size_t separators = 0;
    for (char& c : text) {
        if (c == separator) {
            ++separators;
        } else if (!isDigit(c)) {
            c = '0';
        }
    }
    const bool oneDecimal = separators == 1 && text.find(separator) == text.size() - 2;
    if (separators > 1 || (separators == 1 && !oneDecimal)) {
        return std::nullopt;
    }
    std::replace(text.begin(), text.end(), separator, '.');
    return text;
}

} // namespace

std::optional<std::uint8_t> AfList::code(std::string_view typed, char decimalSeparator) {
    const std::optional<std::string> text = normalised(typed, decimalSeparator);
    if (!text) {
        return std::nullopt;
    }
    double value = 0;
    const char* end = text->data() + text->size();
    const auto [ptr, ec] = std::from_chars(text->data(), end, value);
    if (ec != std::errc{} || ptr != end) {
        return std::nullopt;
    }
    // Read in single precision, so that a text at the edge of a 100 kHz step codes as it
    // always has in stored station data.
    return encoder::afCodeFromMHz(static_cast<double>(static_cast<float>(value)));
}

AfList::Cleaned AfList::clean(const Rows& rows, char decimalSeparator) {
    Cleaned cleaned;
    std::size_t next = 0;
    for (const std::string& typed : rows) {
        if (const auto af = code(typed, decimalSeparator)) {
            cleaned.codes.push_back(*af);
            cleaned.rows[next++] = typed;
        }
    }
    return cleaned;
}

} // namespace korvel::operations
