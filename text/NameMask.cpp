#include "text/NameMask.h"

#include "text/Utf8.h"

namespace korvel::text {

NameMask::NameMask(std::string pattern)
    : m_pattern(std::move(pattern)) {}

// Greedy, going back only to the last * seen: each * need only take over one more character
// of the name, so no pattern makes the match blow up.
bool NameMask::matches(std::string_view name) const {
    const std::string_view pattern = m_pattern;
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t star = std::string_view::npos;
    std::size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += Utf8::characterLength(name, n);
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() && pattern[p] == name[n]) {
            ++p;
            ++n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            resume += Utf8::characterLength(name, resume);
            n = resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

} // namespace korvel::text
