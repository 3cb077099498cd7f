#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace korvel::text {

class CodePage;

// The station setting RBANSIC ("ANSI Character code conversion"), its items in order.
enum class AnsiConversion : std::uint8_t {
    None = 0,         // "No conversion"
    SimilarBasic = 1, // "Convert ext. 128-255 to similar basic 32-127"
    EbuLatin = 2,     // "Convert ext. 128-255 to EBU Latin G0 (E.1)"
};

// What a table lookup gives for one character.
struct RdsLookup {
    bool found = false;
    std::uint8_t code = ' '; // the ASCII letter or the E.1 code; a space when not found
};

// Converts texts byte for byte between the desktop code page and the RDS basic character set
// (IEC 62106 annex E, table E.1). Bytes below 0x80 are the same on both sides.
class RdsConversion {
public:
    // The code page must outlive the conversion.
    explicit RdsConversion(const CodePage& codePage);

    // Desktop text to RDS bytes; the result has the length of the input.
    [[nodiscard]] std::string AnsiToRDS(std::string_view text, AnsiConversion mode) const;
    // RDS bytes to desktop text; the result has the length of the input.
    [[nodiscard]] std::string RDSToAnsi(std::string_view text, AnsiConversion mode) const;

    // The similar ASCII character of U+00A0..U+017F.
    [[nodiscard]] static RdsLookup similarBasicLookup(char32_t codePoint);
    // The E.1 code whose primary character is codePoint, else the one whose alternative is.
    [[nodiscard]] static RdsLookup ebuLatinLookup(char32_t codePoint);
    // The RDS code sent for a character: EbuLatin tries the E.1 table first and the similar
    // letter second, any other mode the other way round; never 0xFE.
    [[nodiscard]] static std::uint8_t rdsCodeFor(char32_t codePoint, AnsiConversion mode);

private:
    const CodePage* m_codePage;
};

} // namespace korvel::text
