#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace korvel::text {

// A Windows single-byte code page (1250, 1251, 1252, ...): the desktop code page in which the
// station's texts are held. Both directions are tabled once from iconv at construction, so a
// conversion never fails part way.
class CodePage {
public:
    // Throws std::runtime_error when iconv cannot open the page.
    explicit CodePage(int number);

    [[nodiscard]] int number() const { return m_number; }

    // The character of a byte; nullopt for a byte the page leaves undefined.
    [[nodiscard]] std::optional<char32_t> toUnicode(std::uint8_t byte) const;
    // The byte of a character; nullopt when the page lacks it.
    [[nodiscard]] std::optional<std::uint8_t> fromUnicode(char32_t character) const;

    // A byte b the page leaves undefined (only ever one of 0x80..0xFF) decodes to the private-use
    // code point kUndefinedByteBase + b (0x81 -> U+F781): visible in a widget, yet the character of
    // no page. encode() turns that code point back into the byte, so every byte string survives
    // decode + encode unchanged.
    static constexpr char32_t kUndefinedByteBase = 0xF700;

    [[nodiscard]] std::u32string decode(std::string_view bytes) const;
    // nullopt when the page lacks any of the characters. Only the page's own characters are
    // taken, and the private-use code points of decode() only for the bytes the page leaves
    // undefined: a character of another page never becomes the byte of the same number.
    [[nodiscard]] std::optional<std::string> encode(std::u32string_view text) const;

    // The page for a POSIX locale name such as "cs_CZ.UTF-8", "sr_RS@latin", "C" or "".
    [[nodiscard]] static int numberForLocale(std::string_view locale);
    // The first of LC_ALL, LC_CTYPE and LANG that is set and not empty; "" when none is.
    [[nodiscard]] static std::string localeFromEnvironment();
    // The page for the locale the program runs in.
    [[nodiscard]] static int desktopNumber();

private:
    // The byte a private-use code point of decode() stands for; nullopt for any other character
    // and for the code point of a byte the page defines.
    [[nodiscard]] std::optional<std::uint8_t> undefinedByte(char32_t character) const;

    int m_number;
    std::array<std::optional<char32_t>, 256> m_toUnicode;
    std::unordered_map<char32_t, std::uint8_t> m_fromUnicode;
};

} // namespace korvel::text
