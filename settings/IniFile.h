#pragma once

#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace korvel::settings {

// An INI-style text file of [sections] and key=value lines, held as its lines so that a write
// changes only the line it concerns. Section and key names match without regard to letter case.
// Any bytes parse: a line that is neither a section nor a key is kept as it is and read past.
// Keys are indexed, so that reading and writing each key of even a huge file takes no scan of it.
class IniFile {
public:
    using Entry = std::pair<std::string_view, std::string_view>;

    IniFile() = default;
    IniFile(IniFile&&) noexcept = default;
    IniFile& operator=(IniFile&&) noexcept = default;
    // The index points into the lines; a copy would point into the original's.
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;
    ~IniFile() = default;
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
    using Lines = std::list<Line>; // positions stay valid as lines come and go
    using Position = Lines::iterator;

    [[nodiscard]] Position fileEnd() { return std::prev(m_lines.end()); }
    [[nodiscard]] Lines::const_iterator fileEnd() const { return std::prev(m_lines.end()); }
    // The index's key for a name in a section, both without regard to letter case.
    [[nodiscard]] static std::string folded(std::string_view section, std::string_view key = {});
    void indexLines();
    // Appends the section's header and gives where its keys go.
    Position appendSection(std::string_view section);

    // Ends with a line of no text that is never written: every position, the file's end too,
    // is then a line, which stays valid as lines come and go and when the file is moved.
    Lines m_lines{Line{}};
    // Every line of a key in the sections of a name, in file order.
    std::unordered_map<std::string, std::vector<Position>> m_keys;
    // Where a new key goes in the first section of each name: after its last non-empty line.
    std::unordered_map<std::string, Position> m_sectionEnds;
    // The section whose new keys go at the file's end, if any; a section appended after it moves
    // its end to the new header.
    std::optional<std::string> m_endsAtFileEnd;
    bool m_crlf = false;
};

} // namespace korvel::settings
