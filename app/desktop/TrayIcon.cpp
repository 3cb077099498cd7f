#include "app/desktop/TrayIcon.h"

#include <QApplication>

namespace korvel::app {

TrayIcon::TrayIcon(model::StationSettings& settings, ControlEvents& events, QWidget* window)
    : QObject(window)
    , m_settings(settings)
    , m_events(events)
    , m_menu(new QMenu(window)) {
    m_menu->setObjectName("PMTray");
    m_menu->setProperty("tag", 1); // the translation file may reach it and its entries
    QAction* show = addEntry("Show1", "Show");
    m_menu->setDefaultAction(show);
    addEntry("Hide1", "Hide");
    m_menu->addSeparator();
    QAction* exit = addEntry("Exit1", "Exit");
    disconnect(exit, &QAction::triggered, nullptr, nullptr);
    connect(exit, &QAction::triggered, window, &QWidget::close);
    m_icon.setIcon(window->windowIcon());
    m_icon.setToolTip("Korvel");
    m_icon.setContextMenu(m_menu);
    connect(&m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick) {
            m_events.click("Show1");
        }
    });
    m_icon.show();
}

QAction* TrayIcon::addEntry(model::ControlName name, const char* caption) {
    QAction* action = m_menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name.str()));
    action->setProperty("tag", 1);
    connect(action, &QAction::triggered, this, [this, name] { m_events.click(name); });
    const auto follow = [this, action, name] { action->setVisible(m_settings.visible(name)); };
    follow();
    m_follow.push_back(m_settings.subscribe(name, [follow](model::Aspect) { follow(); }));
    return action;
}

} // namespace korvel::app
