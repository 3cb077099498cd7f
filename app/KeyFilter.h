#pragma once

#include "app/ControlEvents.h"
#include "app/DesktopText.h"

#include <QObject>
#include <string>

namespace korvel::app {

// Passes each character typed into one control through the logic's key handler, which may
// discard or replace it. Keys that type no character (arrows, Delete) pass untouched.
class KeyFilter : public QObject {
public:
    KeyFilter(ControlEvents& events, DesktopText text, std::string control, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ControlEvents& m_events;
    DesktopText m_text;
    std::string m_control;
    bool m_replaying = false;
};

} // namespace korvel::app
