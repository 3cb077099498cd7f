#pragma once

#include "app/panel/ControlEvents.h"

#include <QObject>

namespace korvel::app {

// Tells the logic of a double click on one control.
class DoubleClickFilter : public QObject {
public:
    DoubleClickFilter(ControlEvents& events, model::ControlName control, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ControlEvents& m_events;
    model::ControlName m_control;
};

} // namespace korvel::app
