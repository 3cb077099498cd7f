#pragma once

#include "model/Clock.h"

#include <functional>

namespace korvel::app {

// The operating system's local time, with daylight-saving time from its time-zone rules, and
// pauses that keep the window painting.
class SystemClock : public model::Clock {
public:
    // keepPainting runs the window's pending paint work; it takes no input from the operator.
    explicit SystemClock(std::function<void()> keepPainting = {});

    [[nodiscard]] model::LocalTime now() const override;
    void pause(std::chrono::milliseconds duration) override;

private:
    std::function<void()> m_keepPainting;
};

} // namespace korvel::app
