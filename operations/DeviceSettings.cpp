#include "operations/DeviceSettings.h"

#include "model/StationSettings.h"
#include "text/HexText.h"

#include <array>
#include <string>

namespace korvel::operations {

namespace {

struct ByteEditor {
    model::ControlName hex;
    model::ControlName echo;
};

// clang-format off
constexpr std::array<ByteEditor, DeviceSettings::kGroupBytes> kByteEditors{{
    {"DB3", "DB3D"}, {"DB4", "DB4D"}, {"DB5", "DB5D"}, {"DB6", "DB6D"}, {"DB7", "DB7D"},
}};
// clang-format on

constexpr std::size_t kByteDigits = 2;
constexpr std::size_t kPiDigits = 4;
constexpr int kPilotLocked = 1;   // RGCS "Auto (stereo)"
constexpr int kFennel = 0;        // RGHTYP "Fennel (KX71)"
constexpr std::size_t kByte4 = 0; // DB3: the group's byte 4 has five bits, 0x00..0x1F

bool versionB(const model::StationSettings& settings) {
    return settings.choice("CBGRTYP") % 2 == 1;
}

} // namespace

DeviceSettings::DeviceSettings(model::StationSettings& settings)
    : m_settings(settings) {}

void DeviceSettings::RGCSClick() {
    const bool locked = m_settings.choice("RGCS") == kPilotLocked;
    m_settings.setEnabled("RGPLLR", locked && m_settings.choice("RGHTYP") == kFennel);
    m_settings.setEnabled("SEPHASE", locked);
}

void DeviceSettings::CBGRTYPChange() {
    const bool carried = !versionB(m_settings);
    m_settings.setEnabled("DB4", carried);
    m_settings.setEnabled("DB5", carried);
}

void DeviceSettings::DBExit(std::size_t byte) {
    const ByteEditor& editor = kByteEditors.at(byte);
    std::string hex = text::MakeHEX(m_settings.text(editor.hex), kByteDigits);
    if (byte == kByte4) {
        // Its first digit keeps only its lowest bit. A text from a file that is not
        // hexadecimal stays as it is, for hexValue to report.
        hex[0] = (text::hexValue(hex.substr(0, 1)) % 2 == 1) ? '1' : '0';
    }
    m_settings.setText(editor.hex, hex);
    m_settings.setText(editor.echo, std::to_string(text::hexValue(hex)));
}

void DeviceSettings::allDBExits() {
    for (std::size_t byte = 0; byte < kGroupBytes; ++byte) {
        DBExit(byte);
    }
}

void DeviceSettings::PIKeyPress(char& key) {
    constexpr char kBackspace = 8;
    if (key >= 'a' && key <= 'f') {
        key = static_cast<char>(key - 'a' + 'A');
    }
    const bool hexDigit = (key >= '0' && key <= '9') || (key >= 'A' && key <= 'F');
    if (!hexDigit && key != kBackspace) {
        key = '\0';
    }
}

void DeviceSettings::PIExit() {
    m_settings.setText("PI", text::MakeHEX(m_settings.text("PI"), kPiDigits));
}

} // namespace korvel::operations
