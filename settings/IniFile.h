#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvel::settings {

// An INI-style text file of [sections] and key=value lines, held as its lines so that a write
// changes only the line it concerns. Section and key names match without regard to letter case.
// Any bytes parse: a line that is neither a section nor a key is kept as it is and read past.
class IniFile {
public:
    using Entry = std::pair<std::string_view, std::string_view>;

    IniFile() = default;
    // Lines end at LF; a CR before it belongs to the line end, any other CR reads as a blank. A
    // file whose first line ends in CR LF is written back with CR LF throughout.
    [[nodiscard]] static IniFile parse(std::string_view bytes);
    [[nodiscard]] std::string bytes() const;

    // The value of the first line of the key in a section of that name, with the blanks at both
    // ends removed; nullopt when there is none.
    [[nodiscard]] std::optional<std::string_view> value(std::string_view section, std::string_view key) const;

    // Replaces the key's line, or appends it at the end of the first section of that name, or
    // appends the section at the end of the file. Further lines of the same key in sections of
    // that name are dropped, so that the file says one thing. A line end inside the value would
    // start a line of its own: it is written as a blank.
    void write(std::string_view section, std::string_view key, std::string_view value);

    // Every key line of the sections of that name, in file order: the key without blanks around
    // it, the value as it stands after the first "=".
    [[nodiscard]] std::vector<Entry> entries(std::string_view section) const;

private:
    struct Line {
        std::string text;
        std::optional<std::string> section; // set for a section header: its name
    };

    // Calls visit(index, key, value) for every key line in a section of that name.
    template <typename Visit> void forEachKey(std::string_view section, Visit visit) const;
    [[nodiscard]] std::optional<std::size_t> find(std::string_view section, std::string_view key) const;
    // The index after the last non-empty line of the first section of that name; nullopt when
    // there is no such section.
    [[nodiscard]] std::optional<std::size_t> endOfSection(std::string_view section) const;
    void dropLaterLines(std::size_t first, std::string_view section, std::string_view key);

    std::vector<Line> m_lines;
    bool m_crlf = false;
};

} // namespace korvel::settings
