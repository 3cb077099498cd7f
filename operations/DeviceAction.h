#pragma once

#include <cstdint>

namespace korvel::model {
class Clock;
class StationSettings;
} // namespace korvel::model

namespace korvel::operations {

// What a device operation came to: not run at all (too soon after the last one, or declined by
// the operator), or run with every transaction taken, or with one that failed.
enum class Outcome : std::uint8_t { NotRun, Succeeded, Failed };

// Send, Store and Read keep at least one second apart: the time of day of the last one is
// kept (LastDeviceActionTime), and Send or Read started sooner does nothing.
class DeviceAction {
public:
    // Both must outlive the action.
    DeviceAction(model::StationSettings& settings, const model::Clock& clock);

    // At least one whole second has passed since the last device action, by the time of day.
    [[nodiscard]] bool allowed() const;
    // A device action ends now.
    void done();

private:
    model::StationSettings& m_settings;
    const model::Clock& m_clock;
};

} // namespace korvel::operations
