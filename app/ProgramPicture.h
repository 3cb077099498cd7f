#pragma once

#include <QPainter>
#include <QRect>

namespace korvel::app {

// The program's picture: a transmitter mast sending waves to both sides. Drawn, not loaded, so
// that the splash window shows it without looking up an icon theme or an image file.
class ProgramPicture {
public:
    static void paint(QPainter& painter, const QRect& area);
};

} // namespace korvel::app
