#pragma once

#include "app/bindings/DesktopText.h"
#include "model/StationSettings.h"

#include <QObject>
#include <vector>

class QMainWindow;

namespace korvel::app {

class ProgramPage;

// The preferences the window carries out itself: staying on top, the label colour and the
// skin picture of the Program page, and dragging the window by its status bar.
class WindowPreferences : public QObject {
public:
    WindowPreferences(model::StationSettings& settings, DesktopText text, QMainWindow* window,
                      ProgramPage* programPage, QWidget* statusBar);

    // The window stays on top of others, or not, as ALONTOP says; a shown window stays shown.
    void ALONTOPClick();
    // What the preferences do to the controls of a page, applied as the page is made.
    void dressPage(QWidget& page);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ColorBox1Change();
    void showPicture();
    void follow(model::ControlName name, void (WindowPreferences::*apply)());

    model::StationSettings& m_settings;
    DesktopText m_text;
    QMainWindow* m_window;
    ProgramPage* m_programPage;
    std::vector<model::Subscription> m_follow;
};

} // namespace korvel::app
