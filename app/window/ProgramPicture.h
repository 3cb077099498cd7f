#pragma once

#include <QIcon>
#include <QPainter>
#include <QRect>

namespace korvel::app {

// The program's picture: a transmitter mast sending waves to both sides. Drawn, not loaded, so
// that the splash window shows it without looking up an icon theme or an image file.
class ProgramPicture {
public:
    static void paint(QPainter& painter, const QRect& area);
    // The picture as the window's and the tray's icon.
    [[nodiscard]] static QIcon icon();
};

} // namespace korvel::app
