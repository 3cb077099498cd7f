#pragma once

#include "model/Clock.h"

#include <chrono>
#include <functional>

namespace korvel::app {

// The operating system's local time, with daylight-saving time from its time-zone rules, and
// pauses that keep the window painting.
class SystemClock : public model::Clock {
public:
    using WallClock = std::function<std::chrono::system_clock::time_point()>;

    // keepPainting runs the window's pending paint work; it takes no input from the operator.
    // wallClock: where the time comes from; none: the system's clock (tests set other times).
    explicit SystemClock(std::function<void()> keepPainting = {}, WallClock wallClock = {});

    [[nodiscard]] model::LocalTime now() const override;
    [[nodiscard]] model::LocalTime later(std::chrono::seconds ahead) const override;
    void pause(std::chrono::milliseconds duration) override;

private:
    [[nodiscard]] std::chrono::system_clock::time_point wallTime() const;

    std::function<void()> m_keepPainting;
    WallClock m_wallClock;
};

} // namespace korvel::app
