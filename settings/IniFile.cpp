#include "settings/IniFile.h"

#include <algorithm>

namespace korvel::settings {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

// The name of a section header line: "[name]", blanks allowed around both.
std::optional<std::string> sectionName(std::string_view line) {
    const std::string_view text = trimmed(line);
    const std::size_t close = text.find(']');
    if (text.empty() || text.front() != '[' || close == std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(trimmed(text.substr(1, close - 1)));
}

std::string oneLine(std::string_view value) {
    std::string line(value);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return line;
}

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), lower);
    return out;
}

// The key of a key line, before its first "="; nullopt for any other line.
std::optional<std::string_view> keyOf(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return trimmed(line.substr(0, equals));
}

} // namespace

IniFile IniFile::parse(std::string_view bytes) {
    IniFile file;
    bool first = true;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        const bool crlf = end != std::string_view::npos && !line.empty() && line.back() == '\r';
        if (crlf) {
            line.remove_suffix(1);
        }
        if (first) {
            file.m_crlf = crlf;
            first = false;
        }
        // write() turns a CR inside a value into a blank; reading does the same, so that a value
        // read and written back reads the same again.
        std::string text(line);
        std::replace(text.begin(), text.end(), '\r', ' ');
        std::optional<std::string> section = sectionName(text);
        file.m_lines.insert(file.fileEnd(), {std::move(text), std::move(section)});
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
    }
    file.indexLines();
    return file;
}

std::string IniFile::folded(std::string_view section, std::string_view key) {
    return std::to_string(section.size()) + ':' + lowered(section) + lowered(key);
}

void IniFile::indexLines() {
    std::string section;            // the folded name of the section the lines are in; empty before the first
    Position* sectionEnd = nullptr; // of the section the lines are in, when it is the first of its name
    for (auto line = m_lines.begin(); line != fileEnd(); ++line) {
        if (line->section) {
            section = folded(*line->section);
            const auto [end, first] = m_sectionEnds.emplace(section, std::next(line));
            sectionEnd = first ? &end->second : nullptr;
            continue;
        }
        const std::optional<std::string_view> key = keyOf(line->text);
        if (!section.empty() && key) {
            m_keys[section + lowered(*key)].push_back(line);
        }
        if (sectionEnd != nullptr && !trimmed(line->text).empty()) {
            *sectionEnd = std::next(line);
        }
    }
    for (const auto& [name, end] : m_sectionEnds) {
        if (end == fileEnd()) {
            m_endsAtFileEnd = name;
        }
    }
}

IniFile::Position IniFile::appendSection(std::string_view section) {
    const Position header =
        m_lines.insert(fileEnd(), {'[' + std::string(section) + ']', std::string(section)});
    if (m_endsAtFileEnd) {
        m_sectionEnds[*m_endsAtFileEnd] = header;
    }
    m_endsAtFileEnd = folded(section);
    return m_sectionEnds.emplace(*m_endsAtFileEnd, fileEnd()).first->second;
}

std::string IniFile::bytes() const {
    const std::string_view lineEnd = m_crlf ? "\r\n" : "\n";
    std::string out;
    for (auto line = m_lines.begin(); line != fileEnd(); ++line) {
        out += line->text;
        out += lineEnd;
    }
    return out;
}

std::optional<std::string_view> IniFile::value(std::string_view section, std::string_view key) const {
    const auto lines = m_keys.find(folded(section, key));
    if (lines == m_keys.end()) {
        return std::nullopt;
    }
    const std::string_view text = lines->second.front()->text;
    return trimmed(text.substr(text.find('=') + 1));
}

std::vector<IniFile::Entry> IniFile::entries(std::string_view section) const {
    std::vector<Entry> all;
    bool inSection = false;
    for (auto line = m_lines.begin(); line != fileEnd(); ++line) {
        if (line->section) {
            inSection = sameName(*line->section, section);
            continue;
        }
        const std::size_t equals = line->text.find('=');
        if (inSection && equals != std::string::npos) {
            const std::string_view text = line->text;
            all.emplace_back(trimmed(text.substr(0, equals)), text.substr(equals + 1));
        }
    }
    return all;
}

void IniFile::write(std::string_view section, std::string_view key, std::string_view value) {
    std::string text = std::string(key) + '=' + oneLine(value);
    std::vector<Position>& lines = m_keys[folded(section, key)];
    if (!lines.empty()) {
        lines.front()->text = std::move(text);
        for (auto later = std::next(lines.begin()); later != lines.end(); ++later) {
            m_lines.erase(*later);
        }
        lines.resize(1);
        return;
    }
    const auto end = m_sectionEnds.find(folded(section));
    const Position at = end != m_sectionEnds.end() ? end->second : appendSection(section);
    lines.push_back(m_lines.insert(at, Line{std::move(text), std::nullopt}));
}

} // namespace korvel::settings
