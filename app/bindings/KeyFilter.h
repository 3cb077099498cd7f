#pragma once

#include "app/bindings/DesktopText.h"
#include "app/panel/ControlEvents.h"

#include <QObject>

class QTableWidget;

namespace korvel::app {

// Passes each character typed into one control through the logic's key handler, which may
// discard or replace it; Enter and Backspace count as characters. Keys that type nothing
// (arrows, Delete, Tab, shortcuts with Ctrl or Alt) pass untouched: a filter never traps the
// operator in a field. For the cell editor of a grid, the handler also learns the row and may
// move to another one.
class KeyFilter : public QObject {
public:
    KeyFilter(ControlEvents& events, DesktopText text, model::ControlName control, QObject* parent,
              QTableWidget* grid = nullptr);

    // What the filter does with an event of the widget it watches: true when it consumed it.
    // Also for a watcher that must see the keys before another filter does (a grid's cell
    // editor, whose delegate filters Enter itself).
    bool filter(QObject* watched, QEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    char handle(QObject* watched, char key);

    ControlEvents& m_events;
    DesktopText m_text;
    model::ControlName m_control;
    QTableWidget* m_grid;
    bool m_replaying = false;
};

} // namespace korvel::app
