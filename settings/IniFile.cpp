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
        file.m_lines.push_back({text, sectionName(text)});
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
    }
    return file;
}

std::string IniFile::bytes() const {
    const std::string_view lineEnd = m_crlf ? "\r\n" : "\n";
    std::string out;
    for (const Line& line : m_lines) {
        out += line.text;
        out += lineEnd;
    }
    return out;
}

template <typename Visit> void IniFile::forEachKey(std::string_view section, Visit visit) const {
    bool inSection = false;
    for (std::size_t index = 0; index < m_lines.size(); ++index) {
        const Line& line = m_lines[index];
        if (line.section) {
            inSection = sameName(*line.section, section);
            continue;
        }
        const std::size_t equals = line.text.find('=');
        if (!inSection || equals == std::string::npos) {
            continue;
        }
        const std::string_view text = line.text;
        if (!visit(index, trimmed(text.substr(0, equals)), text.substr(equals + 1))) {
            return;
        }
    }
}

std::optional<std::size_t> IniFile::find(std::string_view section, std::string_view key) const {
    std::optional<std::size_t> found;
    forEachKey(section, [&](std::size_t index, std::string_view name, std::string_view) {
        if (sameName(name, key)) {
            found = index;
        }
        return !found;
    });
    return found;
}

std::optional<std::string_view> IniFile::value(std::string_view section, std::string_view key) const {
    const std::optional<std::size_t> index = find(section, key);
    if (!index) {
        return std::nullopt;
    }
    const std::string_view text = m_lines[*index].text;
    return trimmed(text.substr(text.find('=') + 1));
}

std::vector<IniFile::Entry> IniFile::entries(std::string_view section) const {
    std::vector<Entry> all;
    forEachKey(section, [&](std::size_t, std::string_view key, std::string_view value) {
        all.emplace_back(key, value);
        return true;
    });
    return all;
}

std::optional<std::size_t> IniFile::endOfSection(std::string_view section) const {
    const auto header = std::find_if(m_lines.begin(), m_lines.end(), [section](const Line& line) {
        return line.section && sameName(*line.section, section);
    });
    if (header == m_lines.end()) {
        return std::nullopt;
    }
    std::size_t end = static_cast<std::size_t>(header - m_lines.begin()) + 1;
    for (std::size_t index = end; index < m_lines.size() && !m_lines[index].section; ++index) {
        if (!trimmed(m_lines[index].text).empty()) {
            end = index + 1;
        }
    }
    return end;
}

void IniFile::dropLaterLines(std::size_t first, std::string_view section, std::string_view key) {
    std::vector<std::size_t> later;
    forEachKey(section, [&](std::size_t index, std::string_view name, std::string_view) {
        if (index >= first && sameName(name, key)) {
            later.push_back(index);
        }
        return true;
    });
    for (auto index = later.rbegin(); index != later.rend(); ++index) {
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(*index));
    }
}

void IniFile::write(std::string_view section, std::string_view key, std::string_view value) {
    std::string text = std::string(key) + '=' + oneLine(value);
    if (const std::optional<std::size_t> index = find(section, key)) {
        m_lines[*index].text = std::move(text);
        dropLaterLines(*index + 1, section, key);
        return;
    }
    if (const std::optional<std::size_t> end = endOfSection(section)) {
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(*end),
                       Line{std::move(text), std::nullopt});
        return;
    }
    m_lines.push_back({'[' + std::string(section) + ']', std::string(section)});
    m_lines.push_back({std::move(text), std::nullopt});
}

} // namespace korvel::settings
