#include "operations/DeviceAction.h"

#include "model/Clock.h"
#include "model/StationSettings.h"

#include <chrono>

namespace korvel::operations {

DeviceAction::DeviceAction(model::StationSettings& settings, const model::Clock& clock)
    : m_settings(settings)
    , m_clock(clock) {}

bool DeviceAction::allowed() const {
    const auto since = m_clock.now().timeOfDay() - m_settings.program().lastDeviceActionTime;
    return std::chrono::abs(std::chrono::duration_cast<std::chrono::seconds>(since)).count() >= 1;
}

void DeviceAction::done() {
    m_settings.program().lastDeviceActionTime = m_clock.now().timeOfDay();
}

} // namespace korvel::operations
