#pragma once

#include "operations/DeviceAction.h"
#include "operations/RdsText.h"

#include <cstdint>
#include <string>

namespace korvel::model {
class Clock;
class Dialogs;
class StationSettings;
} // namespace korvel::model

namespace korvel::link {
class Transactions;
}

namespace korvel::text {
class DpsPreview;
class DynamicPsEditors;
class RadiotextRotation;
class RdsConversion;
} // namespace korvel::text

namespace korvel::operations {

class DeviceSettings;

// "Read" puts what the encoder holds back into the station settings; "Read Status" reports the
// encoder's status register.
class ReadBack {
public:
    struct Parts {
        model::StationSettings& settings;
        link::Transactions& transactions;
        const text::RdsConversion& conversion;
        model::Dialogs& dialogs;
        model::Clock& clock;
        // What Read brings into line after the values have arrived.
        DeviceSettings& deviceSettings;
        text::RadiotextRotation& rotation;
        text::DynamicPsEditors& dpsEditors;
        text::DpsPreview& preview;
    };

    static constexpr const char* kStatusUnreadable =
        "Unable to read data from the RDS encoder.\rCheck the Hardware configuration and cable connection or "
        "follow the device's manual for solution.";

    // All parts must outlive the operation.
    explicit ReadBack(Parts parts);

    Outcome BREC1Click();
    void BSTATClick();

    // The report of Read Status for a status byte; lines end with a carriage return.
    [[nodiscard]] static std::string statusReport(std::uint8_t status, int hardwareType);

private:
    [[nodiscard]] std::string decodeImage();
    void decodeProgram();
    void decodeRadiotextAndGroup();
    [[nodiscard]] std::string decodeClockSourceAndDps();
    void placeDpsText(const std::string& text);
    void refresh();

    Parts m_parts;
    RdsText m_rds;
    DeviceAction m_action;
};

} // namespace korvel::operations
