#include "app/window/ButtonIcons.h"

#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QPolygonF>
#include <array>

namespace korvel::app {

namespace {

// Drawn in units of a 16 x 16 picture, at the sizes a normal and a high-density screen use.
constexpr double kUnits = 16.0;
constexpr std::array kSizes_px{16, 32};
const QColor kArrow(0x2e, 0x8b, 0x3c);
const QColor kDisk(0x3a, 0x64, 0xa8);
const QColor kMark(0xff, 0xff, 0xff);
const QColor kShutter(0x1e, 0x34, 0x5c);
const QColor kPending(0xe0, 0x6c, 0x00);

// A white arrow pointing right on a green disc; mirrored, it points left.
void paintArrow(QPainter& painter, bool pointsLeft) {
    if (pointsLeft) {
        painter.translate(kUnits, 0);
        painter.scale(-1, 1);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(kArrow);
    painter.drawEllipse(QRectF(1, 1, 14, 14));
    painter.setBrush(kMark);
    painter.drawPolygon(QPolygonF{QPointF(4, 6.8), QPointF(8.5, 6.8), QPointF(8.5, 4), QPointF(12.5, 8),
                                  QPointF(8.5, 12), QPointF(8.5, 9.2), QPointF(4, 9.2)});
}

// A diskette: its label above, its shutter below.
void paintDisk(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(kDisk);
    painter.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
    painter.setBrush(kMark);
    painter.drawRect(QRectF(4, 2.5, 8, 5));
    painter.setBrush(kShutter);
    painter.drawRect(QRectF(5, 10, 6, 4.5));
}

// An orange dot at the top right, ringed in white so that it stands out from the arrow.
void paintPendingDot(QPainter& painter) {
    painter.setPen(QPen(kMark, 1.0));
    painter.setBrush(kPending);
    painter.drawEllipse(QRectF(9.5, 0.5, 6, 6));
}

QPixmap paint(ButtonIcons::Picture picture, int size_px) {
    QPixmap pixmap(size_px, size_px);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size_px / kUnits, size_px / kUnits);
    if (picture == ButtonIcons::Picture::Store) {
        paintDisk(painter);
    } else {
        paintArrow(painter, picture == ButtonIcons::Picture::Read);
    }
    if (picture == ButtonIcons::Picture::SendPending) {
        paintPendingDot(painter);
    }
    return pixmap;
}

} // namespace

QIcon ButtonIcons::make(Picture picture) {
    QIcon icon;
    for (const int size_px : kSizes_px) {
        icon.addPixmap(paint(picture, size_px));
    }
    return icon;
}

} // namespace korvel::app
