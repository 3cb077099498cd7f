#include "operations/ReadBack.h"

#include "encoder/MemoryMap.h"
#include "link/Transactions.h"
#include "model/Dialogs.h"
#include "model/StationSettings.h"
#include "operations/DeviceSettings.h"
#include "text/DpsPreview.h"
#include "text/DynamicPsEditors.h"
#include "text/RadiotextRotation.h"

#include <array>

namespace korvel::operations {

namespace {

using encoder::addr;
using encoder::BitOn;
using encoder::Reg;

constexpr model::ControlName kAfGrid = "SGAF";
constexpr int kAfColumn = 1;
constexpr model::ControlName kLabelGrid = "DPS1";
constexpr int kFixedLabels = 0; // RGDPS1M "0 - Fixed 8 characters"
constexpr int kCorvid = 1;      // RGHTYP "Corvid (KX93)", whose status tells of its RDS generator
// clang-format off
constexpr std::array<model::ControlName, encoder::kGroupBytes> kGroupBytes{"DB3", "DB4", "DB5", "DB6", "DB7"};
// clang-format on

std::string readText(link::Transactions& transactions, std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        text.push_back(static_cast<char>(transactions.ReadByte()));
    }
    return text;
}

} // namespace

ReadBack::ReadBack(Parts parts)
    : m_parts(parts)
    , m_rds(parts.conversion, parts.settings)
    , m_action(parts.settings, parts.clock) {}

Outcome ReadBack::BREC1Click() {
    if (!m_action.allowed()) {
        return Outcome::NotRun;
    }
    m_parts.transactions.ReceiveData(addr(Reg::Pi), encoder::kReadImageLength);
    if (!m_parts.transactions.readSucceeded()) {
        return Outcome::Failed;
    }
    // The values arrive one by one; then exactly the calls below bring the window into line.
    const model::StationSettings::ReactionHold hold(m_parts.settings);
    const std::string dps = decodeImage();
    m_parts.deviceSettings.PIExit();
    m_parts.dpsEditors.RGDPS1MClick();
    placeDpsText(dps);
    refresh();
    m_action.done();
    m_parts.preview.ResetPreview();
    return Outcome::Succeeded;
}

std::string ReadBack::decodeImage() {
    decodeProgram();
    decodeRadiotextAndGroup();
    return decodeClockSourceAndDps();
}

// 0x00..0x1E: PI, PS, PTY, DI, M/S, TP, TA and the AF list.
void ReadBack::decodeProgram() {
    link::Transactions& in = m_parts.transactions;
    model::StationSettings& settings = m_parts.settings;
    const std::uint8_t piHigh = in.ReadByte();
    settings.setText("PI", encoder::piText(piHigh, in.ReadByte()));
    settings.setText("PSDEF", m_rds.fromRds(encoder::trimmedRegisterText(readText(in, encoder::kPsLength))));
    settings.setChoice("PTY", in.ReadByte());
    const auto di = encoder::diItems(in.ReadByte());
    for (std::size_t item = 0; item < di.size(); ++item) {
        settings.setChecked("DI", static_cast<int>(item), di[item]);
    }
    settings.setChoice("MS", in.ReadByte());
    settings.setFlag("TP", BitOn(in.ReadByte(), 0));
    settings.setFlag("TA", BitOn(in.ReadByte(), 0));
    const std::size_t count = encoder::afCountFromByte(in.ReadByte());
    for (std::size_t row = 0; row < encoder::kAfMax; ++row) {
        const std::string frequency =
            row < count ? encoder::afFrequencyText(in.ReadByte(), settings.decimalSeparator())
                        : std::string();
        settings.setCell(kAfGrid, static_cast<int>(row), kAfColumn, frequency);
    }
}

// 0x1F..0x66: radiotext into RT1, whichever message is current, and the user group.
void ReadBack::decodeRadiotextAndGroup() {
    link::Transactions& in = m_parts.transactions;
    model::StationSettings& settings = m_parts.settings;
    in.setReadCursor(addr(Reg::RtControl));
    settings.setFlag("CBRTEN", BitOn(in.ReadByte(), 0));
    settings.setText("RT1", m_rds.fromRds(encoder::trimmedRegisterText(readText(in, encoder::kRtLength))));
    settings.setFlag("CBUDGEN", BitOn(in.ReadByte(), 0));
    settings.setChoice("CBGRTYP", encoder::groupTypeIndex(in.ReadByte()));
    for (const model::ControlName byte : kGroupBytes) {
        settings.setText(byte, encoder::hexByteText(in.ReadByte()));
    }
}

// 0x6E..: clock source, phase and the dynamic PS parameters, skipping status and command;
// returns the dynamic PS text.
std::string ReadBack::decodeClockSourceAndDps() {
    link::Transactions& in = m_parts.transactions;
    model::StationSettings& settings = m_parts.settings;
    in.setReadCursor(addr(Reg::ClockSource));
    const encoder::ClockSource source = encoder::clockSourceFromByte(in.ReadByte());
    settings.setChoice("RGCS", source.rgcsIndex);
    settings.setChoice("RGPLLR", source.rgpllrIndex);
    settings.setDecimal("SEPHASE", encoder::phaseDegrees(in.ReadByte()));
    in.setReadCursor(addr(Reg::DpsDelay));
    settings.setDecimal("SEDPS1DL", encoder::dpsDelaySeconds(in.ReadByte()));
    settings.setChoice("RGDPS1M", in.ReadByte());
    settings.setDecimal("SEDPSLP", encoder::dpsLabelPeriodSeconds(in.ReadByte()));
    settings.setChoice("RGDLD", BitOn(in.ReadByte(), 0) ? 1 : 0);
    const std::size_t length = encoder::dpsLengthFromByte(in.ReadByte());
    settings.setFlag("DPS1EN", length != 0);
    return m_rds.fromRds(readText(in, length));
}

// Mode 0 shows the text as labels of the grid, the other modes as one text.
void ReadBack::placeDpsText(const std::string& text) {
    model::StationSettings& settings = m_parts.settings;
    const int mode = settings.choice("RGDPS1M");
    if (mode != kFixedLabels && mode >= 0) {
        settings.setText("DPS1B", text);
        return;
    }
    const auto label = encoder::kPsLength;
    for (int row = 0; row < settings.rows(kLabelGrid); ++row) {
        const auto start = static_cast<std::size_t>(row) * label;
        settings.setCell(kLabelGrid, row, 0, start < text.size() ? text.substr(start, label) : std::string());
    }
}

void ReadBack::refresh() {
    m_parts.rotation.RTSAClick();
    m_parts.deviceSettings.CBGRTYPChange();
    m_parts.deviceSettings.allDBExits();
    m_parts.deviceSettings.RGCSClick();
    m_parts.dpsEditors.DPS1ENClick();
    m_parts.dpsEditors.SEDPS1DLChange();
}

void ReadBack::BSTATClick() {
    m_parts.transactions.ReceiveData(addr(Reg::Status), 1);
    if (!m_parts.transactions.readSucceeded()) {
        m_parts.dialogs.showError(kStatusUnreadable);
        return;
    }
    const std::uint8_t status = m_parts.transactions.ReadByte();
    m_parts.dialogs.showInformation(statusReport(status, m_parts.settings.choice("RGHTYP")));
}

std::string ReadBack::statusReport(std::uint8_t status, int hardwareType) {
    const encoder::EncoderStatus bits = encoder::statusFromByte(status);
    std::string report = "Status byte value: " + std::to_string(status);
    report += std::string("\rPilot tone: ") + (bits.pilotTone ? "1" : "0");
    report += std::string("\rTA: ") + (bits.trafficAnnouncement ? "1" : "0");
    report += std::string("\rShowing: ") + (bits.dynamicPsShowing ? "Dynamic PS" : "Static PS");
    if (hardwareType == kCorvid) {
        report += std::string("\rRDS generator: ") + (bits.rdsGeneratorEnabled ? "Enabled" : "Disabled");
    }
    return report;
}

} // namespace korvel::operations
