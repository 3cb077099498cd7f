#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace korvel::settings {

// How the settings file writes and reads a value as text. The readers take a value with the
// blanks at both ends already removed, as IniFile::value gives it.
class IniValue {
public:
    // A value longer than this is cut to it on reading.
    static constexpr std::size_t kMaxRead = 2047;

    // Decimal with an optional sign; hexadecimal after "0x", "0X" or "$". nullopt for anything
    // that is not a whole number of the int range.
    [[nodiscard]] static std::optional<int> readInteger(std::string_view value);

    // A plain string: a value enclosed in a matching pair of double or single quotes loses them.
    [[nodiscard]] static std::string readString(std::string_view value);
    // A plain string as readString reads it back: in double quotes when blanks at its ends or a
    // pair of quotes around it would otherwise be lost, else as it is.
    [[nodiscard]] static std::string string(std::string_view text);

    // A quoted string: the text between the double quotes, each doubled double quote made single
    // again, its blanks kept. A value not enclosed in double quotes reads as a plain string.
    [[nodiscard]] static std::string readQuoted(std::string_view value);
    [[nodiscard]] static std::string quoted(std::string_view text);
};

} // namespace korvel::settings
