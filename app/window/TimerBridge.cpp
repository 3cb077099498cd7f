#include "app/window/TimerBridge.h"

#include <QDateTime>
#include <algorithm>

namespace korvel::app {

TimerBridge::TimerBridge(model::StationSettings& settings, ControlEvents& events, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_speedUp(qEnvironmentVariableIntValue(kSpeedUpVariable)) {
    for (const model::ControlName name : model::ControlName::all()) {
        if (name.kind() != model::Kind::Timer) {
            continue;
        }
        const bool onTheWallClock =
            model::kTimerDefs[name.def()].timing == model::TimerTiming::OnTheWallClock;
        auto entry = std::make_unique<Entry>(Entry{name, new QTimer(this), onTheWallClock, {}});
        entry->timer->setObjectName(QString::fromLatin1(name.str()));
        Entry* followed = entry.get();
        if (onTheWallClock) {
            entry->timer->setSingleShot(true);
            entry->timer->setTimerType(Qt::PreciseTimer);
        }
        connect(entry->timer, &QTimer::timeout, this, [this, &events, followed] {
            if (followed->onTheWallClock) {
                aim(*followed);
            }
            events.tick(followed->name);
        });
        entry->subscription =
            settings.subscribe(name, [this, followed](model::Aspect) { follow(*followed); });
        follow(*entry);
        m_entries.push_back(std::move(entry));
    }
}

std::chrono::milliseconds TimerBridge::untilNextMultiple(qint64 now_ms, std::chrono::milliseconds interval) {
    const qint64 period = interval.count() > 0 ? interval.count() : 1;
    return std::chrono::milliseconds(period - now_ms % period);
}

std::chrono::milliseconds TimerBridge::scaled(std::chrono::milliseconds interval, int speedUp) {
    if (speedUp <= 1) {
        return interval;
    }
    return std::max(std::chrono::milliseconds(1), interval / speedUp);
}

void TimerBridge::aim(Entry& entry) {
    entry.timer->start(
        untilNextMultiple(QDateTime::currentMSecsSinceEpoch(), m_settings.interval(entry.name)));
}

void TimerBridge::follow(Entry& entry) {
    const bool enabled = m_settings.timerEnabled(entry.name);
    if (entry.onTheWallClock) {
        if (!enabled) {
            entry.timer->stop();
        } else if (!entry.timer->isActive()) {
            aim(entry);
        }
        return;
    }
    const auto interval = scaled(m_settings.interval(entry.name), m_speedUp);
    if (entry.timer->intervalAsDuration() != interval) {
        entry.timer->setInterval(interval); // a running timer starts its new period now
    }
    if (enabled && !entry.timer->isActive()) {
        entry.timer->start();
    } else if (!enabled) {
        entry.timer->stop();
    }
}

} // namespace korvel::app
