#pragma once

#include "encoder/MemoryMap.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace korvel::model {
class StationSettings;
}

namespace korvel::text {

// Composes the dynamic PS text from the settings: the nine 8-character labels of the grid DPS1
// in mode 0, the free text DPS1B in modes 1..3. Texts are bytes of the desktop code page.
class DynamicPs {
public:
    static constexpr std::size_t kLabelLength = encoder::kPsLength;
    static constexpr std::size_t kMaxTextLength = encoder::kDpsTextMax; // nine labels
    static constexpr std::size_t kJustifiedRows = 9;

    // The settings must outlive the composer.
    explicit DynamicPs(model::StationSettings& settings);

    // The text for the current mode, at most 72 characters. Cuts grid rows longer than a label.
    [[nodiscard]] std::string GetDPSText();

    // Lays a text out in 8-character rows as the justification (RBJUST0..2) and fill
    // (RBFILSP, RBFILCU, ECUSCH) settings say; a result above 72 characters ends in "...".
    [[nodiscard]] std::string DPSJustify(std::string_view text) const;

private:
    [[nodiscard]] std::string gridText();

    model::StationSettings& m_settings;
};

} // namespace korvel::text
