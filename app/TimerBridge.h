#pragma once

#include "app/ControlEvents.h"
#include "model/StationSettings.h"

#include <QObject>
#include <QTimer>
#include <memory>
#include <vector>

namespace korvel::app {

// Keeps one QTimer in step with each timer of the settings (interval and enabled flag) and
// passes its ticks to the logic. A timer on the wall clock is re-aimed at the next multiple of
// its interval at every tick, so its ticks do not drift from the clock's tenths of a second.
class TimerBridge : public QObject {
public:
    TimerBridge(model::StationSettings& settings, ControlEvents& events, QObject* parent);

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
    std::vector<std::unique_ptr<Entry>> m_entries;
};

} // namespace korvel::app
