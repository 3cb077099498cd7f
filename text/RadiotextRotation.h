#pragma once

#include "text/TextWriter.h"

#include <string>

namespace korvel::model {
class StationSettings;
}

namespace korvel::text {

// The four radiotext messages: which one is current, the A/B flag of each write, and the
// timer that moves on to the next non-empty message and has it written to the encoder.
class RadiotextRotation {
public:
    static constexpr int kMessages = 4;

    // Both must outlive the rotation.
    RadiotextRotation(model::StationSettings& settings, TextWriter& writer);

    // The text of the current message; empty when none is selected.
    [[nodiscard]] std::string ActualRT() const;
    // The A/B flag (0 or 1) for the next radiotext write. Toggles when automatic, so every
    // write calls it exactly once.
    [[nodiscard]] int ActualRTType();
    // One rotation step.
    void Timer2Timer();

    // Reactions of the radiotext page's controls. RTSAClick runs the timer exactly while RTSA
    // and CBRTEN are both checked, and follows the file source.
    void RTSAClick();
    // RT1 is editable exactly while it is not fed from a file (CBR1FF).
    void followRadiotextSource();
    void SERTSWChange();
    // A radiotext written from elsewhere: a running rotation starts its period again, so that
    // the next step comes one full interval after that write.
    void restartPeriod();
    void CBAUTOClick();

    // 1-based index of the current message; 0 when none is selected.
    [[nodiscard]] int current() const;

private:
    void select(int message);

    model::StationSettings& m_settings;
    TextWriter& m_writer;
};

} // namespace korvel::text
