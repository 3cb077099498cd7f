#include "text/DpsPreview.h"

#include "encoder/MemoryMap.h"
#include "model/StationSettings.h"
#include "text/DynamicPs.h"

#include <algorithm>

namespace korvel::text {

namespace {

constexpr int kLabel = static_cast<int>(DynamicPs::kLabelLength);
constexpr int kRunningAbove = -20; // positions at or below count as idle
constexpr int kTicksBeforeFirstLoop = 6;
constexpr int kTicksPerDelayStep = 5;
constexpr std::chrono::milliseconds kBaseTick{350};
// Radiotext and the user group each take air time from the PS groups, so labels stand longer.
constexpr std::chrono::milliseconds kTickPerExtraGroup{87};

DpsMode modeOf(int choice) {
    switch (choice) {
    case 0:
        return DpsMode::Fixed;
    case 1:
        return DpsMode::Scrolling;
    case 3:
        return DpsMode::SpaceSeparated;
    default:
        return DpsMode::WordAlignment; // also no choice at all: the text is DPS1B as it is
    }
}

} // namespace

DpsPreview::DpsPreview(model::StationSettings& settings, DynamicPs& dynamicPs)
    : m_settings(settings)
    , m_dynamicPs(dynamicPs) {}

bool DpsPreview::running() const {
    return m_position > kRunningAbove;
}

int DpsPreview::textLength() const {
    return static_cast<int>(m_text.size());
}

void DpsPreview::ResetPreview() {
    m_mode = modeOf(m_settings.choice("RGDPS1M"));
    RGDLDClick();
    SEDPSLPChange();
    updateDelay();
    m_position = kIdle;
    m_delayCounter = std::max(m_delayTicks - kTicksBeforeFirstLoop, 0);
    m_labelCounter = 0;
    m_text = m_dynamicPs.GetDPSText();
}

void DpsPreview::RGDLDClick() {
    m_speed = m_settings.choice("RGDLD") == 0 ? 1 : 0; // "High" is 1
}

// The label ticks and delay steps are the bytes Send writes to the label period and delay registers.
void DpsPreview::SEDPSLPChange() {
    m_labelTicks = encoder::dpsLabelPeriodByte(m_settings.decimal("SEDPSLP"));
}

void DpsPreview::updateDelay() {
    m_delayTicks = kTicksPerDelayStep * encoder::dpsDelayByte(m_settings.decimal("SEDPS1DL"));
}

void DpsPreview::LPDblClick() {
    ResetPreview();
}

void DpsPreview::DynamicPSStart() {
    m_labelCounter = 0;
    switch (m_mode) {
    case DpsMode::WordAlignment:
        m_position = 0;
        GetNextDPSWord();
        break;
    case DpsMode::SpaceSeparated:
        m_position = -kLabel; // the text enters from the right
        break;
    case DpsMode::Fixed:
    case DpsMode::Scrolling:
        m_position = 0;
        break;
    }
}

void DpsPreview::DynamicPSNext() {
    m_labelCounter = 0;
    switch (m_mode) {
    case DpsMode::Fixed:
        m_position += kLabel;
        break;
    case DpsMode::WordAlignment:
        m_position = m_wordEnd;
        GetNextDPSWord();
        break;
    case DpsMode::Scrolling:
    case DpsMode::SpaceSeparated:
        ++m_position;
        break;
    }
}

void DpsPreview::GetNextDPSWord() {
    // The label ends after the last space within reach; the character just behind the window
    // counts, since a space there means the whole window is one label.
    const int n = textLength();
    int end = m_position + kLabel - 1;
    for (int i = m_position + 1; i <= m_position + kLabel; ++i) {
        if (i >= n || i < 0) {
            end = i;
            break;
        }
        if (m_text[static_cast<std::size_t>(i)] == ' ') {
            end = i;
        }
    }
    m_wordEnd = end + 1;
}

int DpsPreview::labelLimit() const {
    const bool scrolling = m_mode == DpsMode::Scrolling || m_mode == DpsMode::SpaceSeparated;
    return scrolling ? 1 - m_speed : m_labelTicks;
}

int DpsPreview::loopEnd() const {
    const int n = textLength();
    switch (m_mode) {
    case DpsMode::Scrolling:
        return n > kLabel - 1 ? n - (kLabel - 1) : 1;
    case DpsMode::SpaceSeparated:
        return n + 1; // ends after one blank window
    case DpsMode::Fixed:
    case DpsMode::WordAlignment:
        break;
    }
    return n;
}

std::chrono::milliseconds DpsPreview::tickInterval() const {
    auto interval = kBaseTick;
    for (const model::ControlName group : {model::ControlName("CBRTEN"), model::ControlName("CBUDGEN")}) {
        if (m_settings.flag(group)) {
            interval += kTickPerExtraGroup;
        }
    }
    return interval;
}

void DpsPreview::TimerPreviewTimer() {
    if (!m_settings.flag("DPS1EN") || m_text.empty()) {
        m_settings.setText("LP", staticPs());
        return;
    }
    m_settings.setInterval("TimerPreview", tickInterval());
    if (running()) {
        if (++m_labelCounter > labelLimit()) {
            DynamicPSNext();
        }
    } else if (++m_delayCounter >= m_delayTicks) {
        // At or beyond: a delay shortened while waiting must not leave the preview idle for good.
        DynamicPSStart();
    }
    if (running() && m_position >= loopEnd()) {
        m_position = kIdle;
        m_delayCounter = 0;
        if (m_delayTicks == 0) {
            DynamicPSStart();
        }
    }
    m_settings.setText("LP", running() ? window() : staticPs());
}

std::string DpsPreview::staticPs() const {
    std::string ps = m_settings.text("PSDEF");
    ps.resize(DynamicPs::kLabelLength, ' ');
    return ps;
}

std::string DpsPreview::window() const {
    std::string display(DynamicPs::kLabelLength, ' ');
    const int n = textLength();
    const int shownEnd = m_mode == DpsMode::WordAlignment ? std::min(n, m_wordEnd) : n;
    for (int k = 0; k < kLabel; ++k) {
        const int index = m_position + k;
        if (index >= 0 && index < shownEnd) {
            display[static_cast<std::size_t>(k)] = m_text[static_cast<std::size_t>(index)];
        }
    }
    return display;
}

} // namespace korvel::text
