#pragma once

#include <array>
#include <string>
#include <string_view>

namespace korvel::model {
class StationSettings;
}

namespace korvel::text {

class CodePage;

// Cleans up titles taken from playout files before they go on air: a leading track number, the
// last bracketed remark and the case, each as its option (CBRSN, CBREIB, CBCTC) says.
class TitleCleanup {
public:
    // The settings must outlive the clean-up; the code page is only read here.
    TitleCleanup(model::StationSettings& settings, const CodePage& codePage);

    // Applies the chosen options in the fixed order numbering, brackets, capitals.
    [[nodiscard]] std::string CharReplace(std::string_view title) const;

    // Click of any of the three options (and once after loading the settings): shows the effect
    // of the current options on a sample title in STEXMP.
    void GBMOClick();

private:
    [[nodiscard]] std::string upperCase(std::string_view text) const;

    model::StationSettings& m_settings;
    std::array<char, 256> m_upper{}; // each byte of the code page with its capital
};

} // namespace korvel::text
