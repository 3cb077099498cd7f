#pragma once

#include "text/RdsConversion.h"

#include <optional>
#include <string_view>

namespace korvel::text {

class CodePage;

// What a listener reads of a station text: a receiver shows the bytes on air by the RDS
// character set (IEC 62106 annex E, table E.1), so a text sent without conversion, or converted
// to similar basic letters, may read otherwise than it was typed.
class AirLetters {
public:
    struct Changed {
        char32_t typed;
        std::optional<char32_t> shown; // none: the receiver has no character for the byte
    };

    // Both must outlive the letters.
    AirLetters(const CodePage& codePage, const RdsConversion& conversion);

    // The first character of the desktop text that goes to air as another one.
    [[nodiscard]] std::optional<Changed> firstChanged(std::string_view text, AnsiConversion mode) const;

    // The character a receiver shows for a byte on air.
    [[nodiscard]] static std::optional<char32_t> shownFor(std::uint8_t byte);

private:
    const CodePage& m_codePage;
    const RdsConversion& m_conversion;
};

} // namespace korvel::text
