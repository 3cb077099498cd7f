#include "app/TimerBridge.h"

namespace korvel::app {

TimerBridge::TimerBridge(model::StationSettings& settings, ControlEvents& events, QObject* parent)
    : QObject(parent)
    , m_settings(settings) {
    for (const model::ControlName name : model::ControlName::all()) {
        if (name.kind() != model::Kind::Timer) {
            continue;
        }
        auto entry = std::make_unique<Entry>(Entry{name, new QTimer(this), {}});
        entry->timer->setObjectName(QString::fromLatin1(name.str()));
        connect(entry->timer, &QTimer::timeout, this, [&events, name] { events.tick(name); });
        Entry* followed = entry.get();
        entry->subscription =
            settings.subscribe(name, [this, followed](model::Aspect) { follow(*followed); });
        follow(*entry);
        m_entries.push_back(std::move(entry));
    }
}

void TimerBridge::follow(Entry& entry) {
    const auto interval = m_settings.interval(entry.name);
    if (entry.timer->intervalAsDuration() != interval) {
        entry.timer->setInterval(interval); // a running timer starts its new period now
    }
    const bool enabled = m_settings.timerEnabled(entry.name);
    if (enabled && !entry.timer->isActive()) {
        entry.timer->start();
    } else if (!enabled) {
        entry.timer->stop();
    }
}

} // namespace korvel::app
