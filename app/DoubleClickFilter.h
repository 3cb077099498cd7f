#pragma once

#include "app/ControlEvents.h"

#include <QObject>
#include <string>

namespace korvel::app {

// Tells the logic of a double click on one control.
class DoubleClickFilter : public QObject {
public:
    DoubleClickFilter(ControlEvents& events, std::string control, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ControlEvents& m_events;
    std::string m_control;
};

} // namespace korvel::app
