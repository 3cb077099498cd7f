#pragma once

#include "model/StationSettings.h"
#include "model/Subscription.h"

#include <QObject>

class QAbstractButton;
class QWidget;

namespace korvel::app {

// Shows the settings' UNSENT flag where the operator looks: a dot on the Send button's picture
// and "*" in front of the window's title, until a Send or Read has given the encoder what the
// window shows.
class UnsentMark : public QObject {
public:
    // The settings must outlive the mark; the window owns it.
    UnsentMark(model::StationSettings& settings, QWidget* window, QAbstractButton* send);

protected:
    // A title set later (a translation) gets the mark's place again.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show();
    void placeInTitle();

    model::StationSettings& m_settings;
    QWidget* m_window;
    QAbstractButton* m_send;
    model::Subscription m_follow;
};

} // namespace korvel::app
