#include "text/AirLetters.h"

#include "text/CodePage.h"
#include "text/RdsCharacterTables.h"

namespace korvel::text {

AirLetters::AirLetters(const CodePage& codePage, const RdsConversion& conversion)
    : m_codePage(codePage)
    , m_conversion(conversion) {}

std::optional<char32_t> AirLetters::shownFor(std::uint8_t byte) {
    if (byte < kEbuLatinFirstCode) {
        return byte; // the basic characters, as the program sends them
    }
    if (byte > kEbuLatinLastCode) {
        return std::nullopt;
    }
    return kEbuLatinTable[byte - kEbuLatinFirstCode].primary;
}

std::optional<AirLetters::Changed> AirLetters::firstChanged(std::string_view text,
                                                            AnsiConversion mode) const {
    const std::string onAir = m_conversion.AnsiToRDS(text, mode);
    for (std::size_t at = 0; at < text.size(); ++at) {
        const std::optional<char32_t> typed = m_codePage.toUnicode(static_cast<std::uint8_t>(text[at]));
        const std::optional<char32_t> shown = shownFor(static_cast<std::uint8_t>(onAir[at]));
        if (typed && typed != shown) {
            return Changed{*typed, shown};
        }
    }
    return std::nullopt;
}

} // namespace korvel::text
