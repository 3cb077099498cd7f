#include "text/RadiotextRotation.h"

#include "model/StationSettings.h"

#include <array>
#include <chrono>
#include <string_view>

namespace korvel::text {

namespace {

using std::chrono::milliseconds;

// clang-format off
constexpr std::array<model::ControlName, RadiotextRotation::kMessages> kTexts{"RT1", "RT2", "RT3", "RT4"};
constexpr std::array<model::ControlName, RadiotextRotation::kMessages> kSelectors{"RBRT1", "RBRT2", "RBRT3", "RBRT4"};
constexpr std::array<model::ControlName, RadiotextRotation::kMessages> kTypes{"CBRTT1", "CBRTT2", "CBRTT3", "CBRTT4"};
// clang-format on

constexpr milliseconds kMinute{60000};
constexpr milliseconds kHalfMinute{30000};

model::ControlName at(const auto& names, int message) {
    return names[static_cast<std::size_t>(message - 1)];
}

} // namespace

RadiotextRotation::RadiotextRotation(model::StationSettings& settings, TextWriter& writer)
    : m_settings(settings)
    , m_writer(writer) {}

int RadiotextRotation::current() const {
    for (int message = 1; message <= kMessages; ++message) {
        if (m_settings.flag(at(kSelectors, message))) {
            return message;
        }
    }
    return 0;
}

void RadiotextRotation::select(int message) {
    m_settings.setFlag(at(kSelectors, message), true);
}

std::string RadiotextRotation::ActualRT() const {
    const int message = current();
    return message == 0 ? std::string() : m_settings.text(at(kTexts, message));
}

int RadiotextRotation::ActualRTType() {
    int& toggle = m_settings.program().radiotextToggle;
    if (m_settings.flag("CBAUTO")) {
        toggle = toggle == 0 ? 1 : 0;
        return toggle;
    }
    const int message = current();
    // A type typed in by hand that is neither "A" nor "B" counts as A: only 0 and 1 are flags.
    toggle = message != 0 && m_settings.choice(at(kTypes, message)) == 1 ? 1 : 0;
    return toggle;
}

void RadiotextRotation::Timer2Timer() {
    const int start = current();
    int message = start;
    for (int move = 1; move <= kMessages; ++move) {
        message = message % kMessages + 1;
        select(message);
        const std::string text = ActualRT();
        if (!text.empty()) {
            if (move < kMessages) {
                m_writer.writeRadiotext(text, ActualRTType() == 1);
            }
            return;
        }
    }
}

void RadiotextRotation::RTSAClick() {
    m_settings.setTimerEnabled("Timer2", m_settings.flag("RTSA") && m_settings.flag("CBRTEN"));
    followRadiotextSource();
}

void RadiotextRotation::followRadiotextSource() {
    m_settings.setEnabled("RT1", !m_settings.flag("CBR1FF"));
}

void RadiotextRotation::SERTSWChange() {
    const int minutes = static_cast<int>(m_settings.decimal("SERTSW"));
    m_settings.setInterval("Timer2", minutes > 0 ? minutes * kMinute : kHalfMinute);
}

void RadiotextRotation::restartPeriod() {
    if (m_settings.timerEnabled("Timer2")) {
        m_settings.setTimerEnabled("Timer2", false);
        m_settings.setTimerEnabled("Timer2", true);
    }
}

void RadiotextRotation::CBAUTOClick() {
    const bool manual = !m_settings.flag("CBAUTO");
    for (const model::ControlName type : kTypes) {
        m_settings.setEnabled(type, manual);
    }
}

} // namespace korvel::text
