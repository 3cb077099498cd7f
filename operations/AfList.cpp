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

bool strictlyNumeric(std::string_view typed, char separator) {
    const auto decimal = typed.find_first_of(std::string{'.', separator});
    const std::string_view whole = typed.substr(0, decimal);
    const bool wholeDigits = !whole.empty() && std::all_of(whole.begin(), whole.end(), isDigit);
    return wholeDigits &&
           (decimal == std::string_view::npos || (decimal + 2 == typed.size() && isDigit(typed.back())));
}

std::optional<AfList::Refused> refusal(std::string_view typed, char separator) {
    if (!strictlyNumeric(typed, separator)) {
        return AfList::Refused{std::string(typed), AfList::Fault::NotAFrequency};
    }
    if (!AfList::code(typed, separator)) {
        return AfList::Refused{std::string(typed), AfList::Fault::OutsideBand};
    }
    return std::nullopt;
}

std::string withSeparator(std::string_view text, char separator) {
    std::string shown(text);
    std::replace(shown.begin(), shown.end(), '.', separator);
    return shown;
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
    std::vector<std::size_t> rowOfCode; // the grid row each kept code came from
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const std::string& typed = rows[row];
        const auto af = code(typed, decimalSeparator);
        const auto kept =
            af ? std::find(cleaned.codes.begin(), cleaned.codes.end(), *af) : cleaned.codes.end();
        if (af && kept == cleaned.codes.end()) {
            rowOfCode.push_back(row);
            cleaned.rows[cleaned.codes.size()] = typed;
            cleaned.codes.push_back(*af);
        } else if (af) {
            const auto first = rowOfCode[static_cast<std::size_t>(kept - cleaned.codes.begin())];
            cleaned.refused.push_back({typed, Fault::Repeated, first});
        } else if (!typed.empty()) {
            cleaned.refused.push_back(
                refusal(typed, decimalSeparator).value_or(Refused{typed, Fault::OutsideBand}));
        }
    }
    return cleaned;
}

AfList::Entry AfList::enter(const Rows& rows, std::size_t row, char decimalSeparator) {
    const std::string& typed = rows.at(row);
    if (typed.empty()) {
        return {};
    }
    if (auto refused = refusal(typed, decimalSeparator)) {
        return {{}, std::move(refused)};
    }
    const std::uint8_t af = *code(typed, decimalSeparator);
    for (std::size_t other = 0; other < rows.size(); ++other) {
        if (other != row && code(rows[other], decimalSeparator) == af) {
            return {{}, Refused{typed, Fault::Repeated, other}};
        }
    }
    return {encoder::afFrequencyText(af, decimalSeparator), std::nullopt};
}

std::string AfList::message(const Refused& refused, char decimalSeparator, std::string_view outcome) {
    const std::string band = "the FM band, " + withSeparator("87.6", decimalSeparator) + " to " +
                             withSeparator("107.9", decimalSeparator) + " MHz";
    std::string reason;
    switch (refused.fault) {
    case Fault::NotAFrequency:
        reason = "\"" + refused.typed + "\" is not a frequency of " + band;
        break;
    case Fault::OutsideBand:
        reason = refused.typed + " is outside " + band;
        break;
    case Fault::Repeated:
        reason = refused.typed + " is in row " + std::to_string(refused.firstRow + 1) + " already";
        break;
    }
    return "AF " + reason + ": " + std::string(outcome);
}

} // namespace korvel::operations
