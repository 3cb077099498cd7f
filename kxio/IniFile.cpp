#include "kxio/IniFile.h"

#include "kxio/ImageFile.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace korvel::kxio {

namespace {

constexpr const char* kConfigVariable = "KXIO_CONFIG";
constexpr const char* kConfigName = "kxio.ini";

bool known(std::span<const IniFile::Key> keys, std::string_view name) {
    return std::ranges::any_of(keys, [&](const IniFile::Key& key) { return key.name == name; });
}

} // namespace

IniFile::Values IniFile::read(std::initializer_list<std::string_view> sections, std::span<const Key> keys) {
    Values values;
    if (const std::optional<std::filesystem::path> file = path()) {
        std::ifstream stream{*file};
        std::string section;
        std::string line;
        while (std::getline(stream, line)) {
            const std::string text = trimmed(line);
            if (text.starts_with('[') && text.ends_with(']')) {
                section = trimmed(std::string_view{text}.substr(1, text.size() - 2));
                continue;
            }
            const auto equals = text.find('=');
            if (text.empty() || text[0] == '#' || text[0] == ';' || equals == std::string::npos ||
                std::ranges::find(sections, section) == sections.end()) {
                continue;
            }
            std::string name = trimmed(std::string_view{text}.substr(0, equals));
            if (known(keys, name)) {
                values[std::move(name)] = trimmed(std::string_view{text}.substr(equals + 1));
            }
        }
    }
    for (const Key& key : keys) {
        if (const char* value = std::getenv(key.variable); value != nullptr) {
            values[std::string{key.name}] = trimmed(value);
        }
    }
    return values;
}

std::string IniFile::trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return std::string{text.substr(first, last - first + 1)};
}

std::optional<std::filesystem::path> IniFile::path() {
    if (const char* file = std::getenv(kConfigVariable); file != nullptr && *file != '\0') {
        return std::filesystem::path{file};
    }
    const std::optional<std::filesystem::path> folder = ImageFile::emulatorFolder();
    return folder ? std::optional{*folder / kConfigName} : std::nullopt;
}

} // namespace korvel::kxio
