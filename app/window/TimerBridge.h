#pragma once

#include "app/panel/ControlEvents.h"
#include "model/StationSettings.h"

#include <QObject>
#include <QTimer>
#include <memory>
#include <vector>

namespace korvel::app {

// Keeps one QTimer in step with each timer of the settings (interval and enabled flag) and
// passes its ticks to the logic. A timer on the wall clock is re-aimed at the next multiple of
// its interval at every tick, so its ticks do not drift from the clock's tenths of a second.
// For long-run tests, KORVEL_TIMER_SPEEDUP=n runs the periodic timers n times as fast.
class TimerBridge : public QObject {
public:
    static constexpr const char* kSpeedUpVariable = "KORVEL_TIMER_SPEEDUP";

    TimerBridge(model::StationSettings& settings, ControlEvents& events, QObject* parent);

    // A periodic timer's interval under a speed-up (1 or less: none); never below 1 ms.
    [[nodiscard]] static std::chrono::milliseconds scaled(std::chrono::milliseconds interval, int speedUp);

    // How long from `now_ms` (milliseconds since the epoch) to the next multiple of the interval.
    [[nodiscard]] static std::chrono::milliseconds untilNextMultiple(qint64 now_ms,
                                                                     std::chrono::milliseconds interval);

private:
    struct Entry {
        model::ControlName name;
        QTimer* timer;
        bool onTheWallClock;
        model::Subscription subscription;
    };

    void follow(Entry& entry);
    void aim(Entry& entry);

    model::StationSettings& m_settings;
    int m_speedUp;
    std::vector<std::unique_ptr<Entry>> m_entries;
};

} // namespace korvel::app
