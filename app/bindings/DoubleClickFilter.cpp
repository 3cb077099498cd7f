#include "app/bindings/DoubleClickFilter.h"

#include <QEvent>

namespace korvel::app {

DoubleClickFilter::DoubleClickFilter(ControlEvents& events, model::ControlName control, QObject* parent)
    : QObject(parent)
    , m_events(events)
    , m_control(control) {}

bool DoubleClickFilter::eventFilter(QObject* /*watched*/, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        m_events.doubleClick(m_control);
    }
    return false;
}

} // namespace korvel::app
