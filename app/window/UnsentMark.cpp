#include "app/window/UnsentMark.h"

#include "app/window/ButtonIcons.h"

#include <QAbstractButton>
#include <QEvent>
#include <QWidget>

namespace korvel::app {

namespace {

constexpr model::ControlName kUnsent = "UNSENT";
// Where Qt puts the window's "modified" mark.
const QString kPlaceholder = QStringLiteral("[*]");

} // namespace

UnsentMark::UnsentMark(model::StationSettings& settings, QWidget* window, QAbstractButton* send)
    : QObject(window)
    , m_settings(settings)
    , m_window(window)
    , m_send(send)
    , m_follow(settings.subscribe(kUnsent, [this](model::Aspect aspect) {
        if (aspect == model::Aspect::Value) {
            show();
        }
    })) {
    placeInTitle();
    window->installEventFilter(this);
    show();
}

bool UnsentMark::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window && event->type() == QEvent::WindowTitleChange) {
        placeInTitle();
    }
    return QObject::eventFilter(watched, event);
}

void UnsentMark::placeInTitle() {
    const QString title = m_window->windowTitle();
    if (!title.contains(kPlaceholder)) {
        m_window->setWindowTitle(kPlaceholder + title);
    }
}

void UnsentMark::show() {
    const bool unsent = m_settings.flag(kUnsent);
    m_window->setWindowModified(unsent);
    m_send->setIcon(
        ButtonIcons::make(unsent ? ButtonIcons::Picture::SendPending : ButtonIcons::Picture::Send));
    m_send->setProperty("unsent", unsent);
}

} // namespace korvel::app
