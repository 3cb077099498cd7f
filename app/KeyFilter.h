#pragma once

#include "app/ControlEvents.h"
#include "app/DesktopText.h"

#include <QObject>
#include <string>

class QTableWidget;

namespace korvel::app {

// Passes each character typed into one control through the logic's key handler, which may
// discard or replace it. Keys that type no character (arrows, Delete) pass untouched. For the
// cell editor of a grid, the handler also learns the row and may move to another one.
class KeyFilter : public QObject {
public:
    KeyFilter(ControlEvents& events, DesktopText text, std::string control, QObject* parent,
              QTableWidget* grid = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    char handle(char key);

    ControlEvents& m_events;
    DesktopText m_text;
    std::string m_control;
    QTableWidget* m_grid;
    bool m_replaying = false;
};

} // namespace korvel::app
