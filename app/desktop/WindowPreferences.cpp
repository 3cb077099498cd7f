#include "app/desktop/WindowPreferences.h"

#include "app/pages/LabelColours.h"
#include "app/pages/ProgramPage.h"

#include <QDesktopServices>
#include <QEvent>
#include <QMainWindow>
#include <QPushButton>
#include <QUrl>
#include <QWindow>

namespace korvel::app {

namespace {

// Where the About frame's link leads: a page about the radio data system, no device maker's.
constexpr const char* kAboutAddress = "https://en.wikipedia.org/wiki/Radio_Data_System";

} // namespace

WindowPreferences::WindowPreferences(model::StationSettings& settings, DesktopText text, QMainWindow* window,
                                     ProgramPage* programPage, QWidget* statusBar)
    : QObject(window)
    , m_settings(settings)
    , m_text(text)
    , m_window(window)
    , m_programPage(programPage) {
    follow("ALONTOP", &WindowPreferences::ALONTOPClick);
    follow("ColorBox1", &WindowPreferences::ColorBox1Change);
    follow("LOGO", &WindowPreferences::showPicture);
    statusBar->installEventFilter(this);
    for (QWidget* part : statusBar->findChildren<QWidget*>()) {
        part->installEventFilter(this);
    }
}

// A flat button that looks like a link: one Tab stop, opened by Space or a click.
void WindowPreferences::dressPage(QWidget& page) {
    if (auto* link = page.findChild<QPushButton*>("URLAB")) {
        link->setStyleSheet(
            "QPushButton { color: palette(link); text-decoration: underline; border: none; }");
        connect(link, &QPushButton::clicked, this, [] { QDesktopServices::openUrl(QUrl(kAboutAddress)); });
    }
}

void WindowPreferences::follow(model::ControlName name, void (WindowPreferences::*apply)()) {
    (this->*apply)();
    m_follow.push_back(m_settings.subscribe(name, [this, apply](model::Aspect aspect) {
        if (aspect == model::Aspect::Value) {
            (this->*apply)();
        }
    }));
}

void WindowPreferences::ALONTOPClick() {
    const bool onTop = m_settings.flag("ALONTOP");
    if (m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) {
        return;
    }
    const bool shown = m_window->isVisible();
    m_window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (shown) {
        m_window->show(); // a window whose flags change is hidden until shown again
    }
}

void WindowPreferences::ColorBox1Change() {
    m_programPage->setLabelColour(LabelColours::colour(m_settings.choice("ColorBox1")));
}

void WindowPreferences::showPicture() {
    m_programPage->showPicture(m_text.toQString(m_settings.text("LOGO")));
}

// Any mouse button on the status bar moves the window, as the title bar would.
bool WindowPreferences::eventFilter(QObject* /*watched*/, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && m_window->windowHandle() != nullptr) {
        m_window->windowHandle()->startSystemMove();
        return true;
    }
    return false;
}

} // namespace korvel::app
