#include "text/TitleCleanup.h"

#include "model/StationSettings.h"
#include "text/CodePage.h"

#include <cstddef>
#include <cstdint>
#include <locale.h>
#include <utility>
#include <wctype.h>

namespace korvel::text {

namespace {

constexpr std::string_view kSampleTitle = "12. Velmora - Catch (Vocal Mix)";
constexpr std::size_t kMaxNumberDigits = 3;

// Tried in this order; the first that the title begins with is taken.
constexpr std::array<std::string_view, 8> kNumberSeparators{". - ", " - ", "- ", ") ", ". ", ".-", " -", "-"};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A leading track number of 1..3 digits, optionally opened by "(", and the separator after it.
std::string removeNumbering(std::string_view text) {
    std::string_view t = text;
    if (!t.empty() && t.front() == '(') {
        t.remove_prefix(1);
    }
    const bool hasDigit = !t.empty() && isDigit(t.front());
    for (std::size_t i = 0; i < kMaxNumberDigits && !t.empty() && isDigit(t.front()); ++i) {
        t.remove_prefix(1);
    }
    for (const std::string_view separator : kNumberSeparators) {
        if (t.starts_with(separator)) {
            t.remove_prefix(separator.size());
            return std::string(hasDigit ? t : text);
        }
    }
    return std::string(text);
}

// The last "(...)" whose ")" lies beyond the third character; an opening bracket directly
// before the ")" or at the very start does not count.
std::string removeLastBracket(std::string text) {
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos || close < 3) {
        return text;
    }
    std::size_t open = close - 2; // 0-based; the bracket before the ")" is skipped
    while (open >= 1 && text[open] != '(') {
        --open;
    }
    if (open < 1) {
        return text;
    }
    // A remark at the very end takes the space before it along; one inside keeps both spaces.
    const bool atEnd = close + 1 == text.size();
    const std::size_t first = atEnd && text[open - 1] == ' ' ? open - 1 : open;
    text.erase(first, close - first + 1);
    return text;
}

struct LocaleHandle {
    locale_t handle = static_cast<locale_t>(nullptr);
    LocaleHandle() {
        for (const char* name : {"C.UTF-8", "C.utf8"}) {
            handle = newlocale(LC_CTYPE_MASK, name, static_cast<locale_t>(nullptr));
            if (handle != static_cast<locale_t>(nullptr)) {
                return;
            }
        }
    }
    ~LocaleHandle() {
        if (handle != static_cast<locale_t>(nullptr)) {
            freelocale(handle);
        }
    }
    LocaleHandle(const LocaleHandle&) = delete;
    LocaleHandle& operator=(const LocaleHandle&) = delete;
};

// Unicode case mapping of the page's own characters: a letter is capitalised only when the
// page holds its capital, so an accented letter keeps its accent and a text keeps its length.
std::array<char, 256> upperCaseTable(const CodePage& codePage) {
    const LocaleHandle locale;
    std::array<char, 256> table{};
    for (std::size_t b = 0; b < table.size(); ++b) {
        const auto byte = static_cast<std::uint8_t>(b);
        table[b] = static_cast<char>(byte);
        const auto character = codePage.toUnicode(byte);
        if (!character) {
            continue;
        }
        char32_t upper = *character;
        if (locale.handle != static_cast<locale_t>(nullptr)) {
            upper = static_cast<char32_t>(towupper_l(static_cast<wint_t>(*character), locale.handle));
        } else if (*character >= U'a' && *character <= U'z') {
            upper = *character - U'a' + U'A';
        }
        if (const auto capital = codePage.fromUnicode(upper)) {
            table[b] = static_cast<char>(*capital);
        }
    }
    return table;
}

} // namespace

TitleCleanup::TitleCleanup(model::StationSettings& settings, const CodePage& codePage)
    : m_settings(settings)
    , m_upper(upperCaseTable(codePage)) {}

std::string TitleCleanup::CharReplace(std::string_view title) const {
    std::string text(title);
    if (m_settings.flag("CBRSN") && text.size() > 2) {
        text = removeNumbering(text);
    }
    if (m_settings.flag("CBREIB") && text.size() > 3) {
        text = removeLastBracket(std::move(text));
    }
    if (m_settings.flag("CBCTC")) {
        text = upperCase(text);
    }
    return text;
}

void TitleCleanup::GBMOClick() {
    m_settings.setText("STEXMP", CharReplace(kSampleTitle));
}

std::string TitleCleanup::upperCase(std::string_view text) const {
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        result.push_back(m_upper[static_cast<std::uint8_t>(c)]);
    }
    return result;
}

} // namespace korvel::text
