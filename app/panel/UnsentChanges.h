#pragma once

#include "model/ControlName.h"
#include "operations/DeviceAction.h"

namespace korvel::model {
class StationSettings;
}

namespace korvel::app {

// Whether the window shows values the encoder has not been given: the settings' UNSENT flag,
// which the window shows on the Send button and in its title. A start sets it (the encoder may
// send anything until the first Send), and so do the operator's edits of what Send sends, a
// Reset (the encoder goes back to what it stored) and a failed Send; a Send or a Read that
// succeeded clears it.
class UnsentChanges {
public:
    // The settings must outlive the mark.
    explicit UnsentChanges(model::StationSettings& settings);

    // The operator changed the value of a control.
    void edited(model::ControlName control);
    // The outcomes of the operations that decide what the encoder holds.
    void sent(operations::Outcome outcome);
    void read(operations::Outcome outcome);
    void reset(operations::Outcome outcome);
    // The window's values differ from the encoder's for a reason of the logic's own.
    void mark();

    // Whether Send writes the control's value, or something derived from it.
    [[nodiscard]] static bool sendsValueOf(model::ControlName control);

private:
    void set(bool unsent);

    model::StationSettings& m_settings;
};

} // namespace korvel::app
