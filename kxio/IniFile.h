#pragma once

#include <filesystem>
#include <initializer_list>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace korvel::kxio {

// The emulator's "kxio.ini" in its data folder (or the file $KXIO_CONFIG names): key=value lines
// under [section] headers. Each key can also be given as a variable, which wins over the file, even
// when empty, so that a test or a one-off run can switch a key off.
class IniFile {
public:
    struct Key {
        std::string_view name;
        const char* variable;
    };
    using Values = std::map<std::string, std::string, std::less<>>;

    // The keys found in the sections named ("" = the lines before the first header), the variables
    // put in over them. Keys not in the table are passed over.
    [[nodiscard]] static Values read(std::initializer_list<std::string_view> sections,
                                     std::span<const Key> keys);

    [[nodiscard]] static std::string trimmed(std::string_view text);

private:
    [[nodiscard]] static std::optional<std::filesystem::path> path();
};

} // namespace korvel::kxio
