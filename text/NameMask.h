#pragma once

#include <string>
#include <string_view>

namespace korvel::text {

// A file name or a file name mask with the wildcards * (any run of characters, none included)
// and ? (exactly one character), matched against file names as the file system spells them
// (UTF-8), letter case included. A name without wildcards matches only itself.
class NameMask {
public:
    explicit NameMask(std::string pattern);

    [[nodiscard]] bool matches(std::string_view name) const;

private:
    std::string m_pattern;
};

} // namespace korvel::text
