#pragma once

#include "encoder/MemoryMap.h"
#include "operations/DeviceAction.h"

namespace korvel::model {
class Clock;
class Dialogs;
class SettingsStore;
class StationSettings;
} // namespace korvel::model

namespace korvel::link {
class Transactions;
}

namespace korvel::operations {

// The encoder's single commands: store, reset, carrier off and on, and the traffic
// announcement switch.
class DeviceCommands {
public:
    struct Parts {
        model::StationSettings& settings;
        link::Transactions& transactions;
        model::Dialogs& dialogs;
        model::Clock& clock;
        model::SettingsStore& store;
    };

    static constexpr const char* kResetQuestion = "Reset the RDS encoder?";

    // All parts must outlive the commands.
    explicit DeviceCommands(Parts parts);

    // Has the encoder keep what it holds, and saves the settings with it.
    void BSTOR1Click();
    Outcome BRESETClick();
    void BSWOFFClick();
    void BSWONClick();
    // Flips TA and sends it at once.
    void BSETTAClick();

private:
    bool command(encoder::Command command);

    Parts m_parts;
    DeviceAction m_action;
};

} // namespace korvel::operations
