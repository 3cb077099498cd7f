#pragma once

#include <cstddef>

namespace korvel::model {
class StationSettings;
}

namespace korvel::operations {

// The editing rules of the device values that Send carries: the PI code and the user group's
// bytes as hexadecimal text, which of the group's bytes and subcarrier options apply.
class DeviceSettings {
public:
    static constexpr std::size_t kGroupBytes = 5; // DB3..DB7, bytes 4..8 of the group

    // The settings must outlive the rules.
    explicit DeviceSettings(model::StationSettings& settings);

    // RGPLLR applies only to a Fennel device locked to the pilot, SEPHASE only when locked.
    void RGCSClick();
    // A group of version B carries no bytes 5 and 6: DB4 and DB5 are locked, keeping values.
    void CBGRTYPChange();
    // A byte editor DB3..DB7 (byte 0..4 of kGroupBytes) left: two hexadecimal digits and
    // their decimal echo. Byte 4 (DB3) only takes 0x00..0x1F.
    void DBExit(std::size_t byte);
    // Every byte editor, as after Read.
    void allDBExits();
    // The PI left: four hexadecimal digits.
    void PIExit();
    // Key filter of the PI and the byte editors: hexadecimal digits, upper-cased, and
    // backspace; any other character becomes '\0'.
    static void PIKeyPress(char& key);

private:
    model::StationSettings& m_settings;
};

} // namespace korvel::operations
