#pragma once

#include "text/RdsConversion.h"

#include <string>

namespace korvel::model {
class StationSettings;
}

namespace korvel::link {
class Transactions;
}

namespace korvel::text {

// The four radiotext messages: which one is current, the A/B flag of each write, and the
// timer that moves on to the next non-empty message and writes it to the encoder.
class RadiotextRotation {
public:
    static constexpr int kMessages = 4;

    RadiotextRotation(model::StationSettings& settings, link::Transactions& transactions,
                      const RdsConversion& conversion);

    // The text of the current message; empty when none is selected.
    [[nodiscard]] std::string ActualRT() const;
    // The A/B flag (0 or 1) for the next radiotext write. Toggles when automatic, so every
    // write calls it exactly once.
    [[nodiscard]] int ActualRTType();
    // One rotation step.
    void Timer2Timer();
    // Loads a message into the radiotext registers and switches radiotext on with its flag.
    void writeRadiotext(const std::string& message);

    // Reactions of the radiotext page's controls.
    void RTSAClick();
    void SERTSWChange();
    void CBAUTOClick();

    // 1-based index of the current message; 0 when none is selected.
    [[nodiscard]] int current() const;

private:
    void select(int message);

    model::StationSettings& m_settings;
    link::Transactions& m_transactions;
    const RdsConversion& m_conversion;
};

} // namespace korvel::text
