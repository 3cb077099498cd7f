#pragma once

#include "model/Clock.h"

#include <chrono>
#include <functional>
#include <vector>

namespace korvel::fakes {

// A clock that stands still until the test moves it; a pause moves it on and is remembered.
class ManualClock : public model::Clock {
public:
    [[nodiscard]] model::LocalTime now() const override { return time; }
    // Within the day, at the offset of now: the clock has no time-zone rules.
    [[nodiscard]] model::LocalTime later(std::chrono::seconds ahead) const override {
        ManualClock moved;
        moved.time = time;
        moved.advance(ahead);
        return moved.time;
    }

    void pause(std::chrono::milliseconds duration) override {
        pauses.push_back(duration);
        if (duringPause) {
            duringPause();
        }
        advance(duration);
    }

    // Moves the time of day on, within the day.
    void advance(std::chrono::milliseconds duration) {
        const auto total = time.timeOfDay() + duration;
        time.hour = static_cast<int>(std::chrono::duration_cast<std::chrono::hours>(total).count() % 24);
        time.minute = static_cast<int>(std::chrono::duration_cast<std::chrono::minutes>(total).count() % 60);
        time.second = static_cast<int>(std::chrono::duration_cast<std::chrono::seconds>(total).count() % 60);
        time.millisecond = static_cast<int>(total.count() % 1000);
    }

    model::LocalTime time{.year = 2026, .month = 12, .day = 8, .hour = 10, .minute = 29, .second = 40};
    std::vector<std::chrono::milliseconds> pauses;
    std::function<void()> duringPause;
};

} // namespace korvel::fakes
