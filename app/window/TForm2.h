#pragma once

#include <QWidget>

namespace korvel::app {

// The splash window, shown while the main window is being built: the program's picture and the
// product name on a sky-blue gradient, borderless, on top and centred on the screen.
class TForm2 : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth_px = 193;
    static constexpr int kHeight_px = 49;

    explicit TForm2(QWidget* parent = nullptr);

    // Shows the window and paints it now, before the event loop runs.
    void showAtOnce();

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace korvel::app
