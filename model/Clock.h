#pragma once

#include <chrono>

namespace korvel::model {

// A local date and time as the operating system tells it.
struct LocalTime {
    int year = 2000;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    bool daylightSaving = false; // whether daylight-saving time is in force
    int utcOffset_min = 0;       // local time less UTC, daylight-saving time included

    [[nodiscard]] std::chrono::milliseconds timeOfDay() const {
        return std::chrono::hours(hour) + std::chrono::minutes(minute) + std::chrono::seconds(second) +
               std::chrono::milliseconds(millisecond);
    }
};

// Time for the operations: the local date and time, and the fixed pauses between
// transactions. Tests use a clock they advance by hand and never sleep.
class Clock {
public:
    virtual ~Clock() = default;

    [[nodiscard]] virtual LocalTime now() const = 0;
    // The local time `ahead` from now as the time-zone rules give it then, which may differ
    // from now's offset across a change to or from summer time.
    [[nodiscard]] virtual LocalTime later(std::chrono::seconds ahead) const = 0;
    // One of the operations' fixed pauses. The window keeps painting meanwhile, but takes no
    // input from the operator.
    virtual void pause(std::chrono::milliseconds duration) = 0;
};

} // namespace korvel::model
