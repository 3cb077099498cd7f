#pragma once

#include "app/panel/ControlEvents.h"
#include "model/StationSettings.h"

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <vector>

namespace korvel::app {

// The program's icon in the desktop's tray, with its menu "Show", "Hide", "Exit". The entries
// follow the settings (Show1, Hide1); choosing one, or double-clicking the icon, goes to the
// logic. Where the desktop has no tray the icon simply does not show.
class TrayIcon : public QObject {
public:
    TrayIcon(model::StationSettings& settings, ControlEvents& events, QWidget* window);

    [[nodiscard]] QMenu* menu() { return m_menu; }
    [[nodiscard]] static bool available() { return QSystemTrayIcon::isSystemTrayAvailable(); }

private:
    QAction* addEntry(model::ControlName name, const char* caption);

    model::StationSettings& m_settings;
    ControlEvents& m_events;
    QSystemTrayIcon m_icon;
    QMenu* m_menu; // the window's child, so that the window finds its entries by name
    std::vector<model::Subscription> m_follow;
};

} // namespace korvel::app
