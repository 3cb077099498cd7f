#include "operations/StationSend.h"

#include "encoder/MemoryMap.h"
#include "link/Transactions.h"
#include "model/Clock.h"
#include "model/StationSettings.h"
#include "operations/AfList.h"
#include "operations/EncoderTextWriter.h"
#include "text/DynamicPs.h"
#include "text/HexText.h"
#include "text/RadiotextRotation.h"

#include <array>
#include <chrono>

namespace korvel::operations {

namespace {

using encoder::addr;
using encoder::Reg;

constexpr std::chrono::milliseconds kAfterProgramData{500};
constexpr std::size_t kPiHalf = 2; // hexadecimal digits of each PI byte
constexpr model::ControlName kAfGrid = "SGAF";
constexpr int kAfColumn = 1;
// clang-format off
constexpr std::array<model::ControlName, encoder::kGroupBytes> kGroupBytes{"DB3", "DB4", "DB5", "DB6", "DB7"};
// clang-format on

void append(std::vector<std::uint8_t>& bytes, std::string_view text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
}

// A choice as its register byte; no choice at all goes as the first item.
std::uint8_t choiceByte(const model::StationSettings& settings, model::ControlName name) {
    const int index = settings.choice(name);
    return static_cast<std::uint8_t>(index < 0 ? 0 : index);
}

std::uint8_t flagByte(const model::StationSettings& settings, model::ControlName name) {
    return settings.flag(name) ? 1 : 0;
}

std::uint8_t hexByte(std::string_view text) {
    return static_cast<std::uint8_t>(text::hexValue(text));
}

} // namespace

StationSend::StationSend(Parts parts)
    : m_parts(parts)
    , m_rds(parts.conversion, parts.settings)
    , m_action(parts.settings, parts.clock) {}

Outcome StationSend::BSEND1Click() {
    if (!m_action.allowed()) {
        return Outcome::NotRun;
    }
    link::Transactions& transactions = m_parts.transactions;
    const link::Transactions::Operation operation(transactions);
    transactions.write(addr(Reg::Pi), programBlock());
    transactions.pause(m_parts.clock, kAfterProgramData);
    transactions.write(addr(Reg::RtControl), radiotextAndGroupBlock());
    const std::uint8_t rtControl =
        encoder::rtControlByte(m_parts.settings.flag("CBRTEN"), m_parts.rotation.ActualRTType() == 1);
    transactions.write(addr(Reg::RtControl), std::span(&rtControl, 1));
    if (m_parts.settings.flag("CBUDGEN")) {
        const std::uint8_t enable = 1;
        transactions.write(addr(Reg::UserGroupEnable), std::span(&enable, 1));
    }
    transactions.write(addr(Reg::ClockSource), clockSourceBlock());
    // The text loads with the dynamic PS off; its length, written last, switches it on.
    const std::string dpsText = m_rds.toRds(m_parts.dynamicPs.GetDPSText());
    transactions.write(addr(Reg::DpsLength), EncoderTextWriter::dpsLoadBlock(dpsText));
    transactions.write(addr(Reg::DpsDelay), dpsParameterBlock(static_cast<std::uint8_t>(dpsText.size())));
    m_action.done();
    if (operation.failed()) {
        return Outcome::Failed;
    }
    reportLeftOut();
    return Outcome::Succeeded;
}

// Rows that did not go to air are gone from the grid: the operator is told of the first.
void StationSend::reportLeftOut() {
    if (m_leftOut.empty()) {
        return;
    }
    model::StationSettings& settings = m_parts.settings;
    std::string status =
        "Ready, but " + AfList::message(m_leftOut.front(), settings.decimalSeparator(), "left out");
    if (m_leftOut.size() > 1) {
        status += " (and " + std::to_string(m_leftOut.size() - 1) + " more)";
    }
    settings.setText("StatusBar1", status);
}

// PI, PS, PTY, DI, M/S, TP, TA and the AF list, from 0x00 on.
StationSend::Bytes StationSend::programBlock() {
    const model::StationSettings& settings = m_parts.settings;
    const std::string& pi = settings.text("PI");
    Bytes bytes{hexByte(pi.substr(0, kPiHalf)),
                hexByte(pi.size() > kPiHalf ? pi.substr(pi.size() - kPiHalf) : pi)};
    append(bytes, encoder::registerText(m_rds.toRds(settings.text("PSDEF")), encoder::kPsLength));
    bytes.push_back(choiceByte(settings, "PTY"));
    std::array<bool, encoder::kDiItems> di{};
    for (std::size_t item = 0; item < di.size(); ++item) {
        di[item] = settings.checked("DI", static_cast<int>(item));
    }
    bytes.push_back(encoder::diByte(di));
    bytes.push_back(choiceByte(settings, "MS"));
    bytes.push_back(flagByte(settings, "TP"));
    bytes.push_back(flagByte(settings, "TA"));
    const Bytes af = afBlock();
    bytes.insert(bytes.end(), af.begin(), af.end());
    return bytes;
}

// The AF count and codes; the grid keeps only the valid entries, moved up.
StationSend::Bytes StationSend::afBlock() {
    model::StationSettings& settings = m_parts.settings;
    AfList::Rows rows;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        rows[row] = settings.cell(kAfGrid, static_cast<int>(row), kAfColumn);
    }
    const AfList::Cleaned cleaned = AfList::clean(rows, settings.decimalSeparator());
    for (std::size_t row = 0; row < rows.size(); ++row) {
        settings.setCell(kAfGrid, static_cast<int>(row), kAfColumn, cleaned.rows[row]);
    }
    m_leftOut = cleaned.refused;
    Bytes bytes{static_cast<std::uint8_t>(cleaned.codes.size())};
    bytes.insert(bytes.end(), cleaned.codes.begin(), cleaned.codes.end());
    return bytes;
}

// From 0x1F: radiotext off, the current message, the user group off, its type and bytes.
StationSend::Bytes StationSend::radiotextAndGroupBlock() const {
    const model::StationSettings& settings = m_parts.settings;
    Bytes bytes{0};
    append(bytes, encoder::registerText(m_rds.toRds(m_parts.rotation.ActualRT()), encoder::kRtLength));
    bytes.push_back(0);
    bytes.push_back(encoder::groupTypeByte(choiceByte(settings, "CBGRTYP")));
    for (const model::ControlName byte : kGroupBytes) {
        bytes.push_back(hexByte(settings.text(byte)));
    }
    return bytes;
}

// From 0x6E: clock source and PLL range, then the subcarrier phase.
StationSend::Bytes StationSend::clockSourceBlock() {
    model::StationSettings& settings = m_parts.settings;
    const encoder::ClockSource source{choiceByte(settings, "RGCS"), choiceByte(settings, "RGPLLR")};
    return {encoder::clockSourceByte(source), encoder::phaseByte(settings.decimal("SEPHASE"))};
}

// From 0x72: delay, mode, label period, speed and, while the dynamic PS is on, its length.
StationSend::Bytes StationSend::dpsParameterBlock(std::uint8_t textLength) {
    model::StationSettings& settings = m_parts.settings;
    Bytes bytes{encoder::dpsDelayByte(settings.decimal("SEDPS1DL")), choiceByte(settings, "RGDPS1M"),
                encoder::dpsLabelPeriodByte(settings.decimal("SEDPSLP")), choiceByte(settings, "RGDLD")};
    if (settings.flag("DPS1EN")) {
        bytes.push_back(textLength);
    }
    return bytes;
}

} // namespace korvel::operations
