#pragma once

#include "app/ControlEvents.h"
#include "model/StationSettings.h"

#include <QObject>
#include <QTimer>
#include <memory>
#include <vector>

namespace korvel::app {

// Keeps one QTimer in step with each timer of the settings (interval and enabled flag) and
// passes its ticks to the logic.
class TimerBridge : public QObject {
public:
    TimerBridge(model::StationSettings& settings, ControlEvents& events, QObject* parent);

private:
    struct Entry {
        model::ControlName name;
        QTimer* timer;
        model::Subscription subscription;
    };

    void follow(Entry& entry);

    model::StationSettings& m_settings;
    std::vector<std::unique_ptr<Entry>> m_entries;
};

} // namespace korvel::app
