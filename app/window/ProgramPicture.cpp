#include "app/window/ProgramPicture.h"

#include <QPen>
#include <QPixmap>
#include <QPolygonF>
#include <array>

namespace korvel::app {

namespace {

// In units of a 32 x 32 picture.
constexpr double kSize = 32.0;
constexpr double kMastTop = 9.0;
constexpr double kMastFoot = 30.0;
constexpr double kMastHalfFoot = 5.0;
constexpr double kLine = 2.0;
constexpr double kTipRadius = 2.5;
constexpr std::array kWaveRadii{6.0, 10.5, 15.0};
constexpr int kWaveSpan_deg = 70;
constexpr int kSixteenths = 16; // Qt measures arcs in sixteenths of a degree
constexpr std::array kIconSizes_px{16, 32, 48, 64};
const QColor kBackground(0x1c, 0x2a, 0x48);
const QColor kMast(0xe8, 0xe8, 0xe8);
const QColor kWaves(0xff, 0xd2, 0x3c);

} // namespace

void ProgramPicture::paint(QPainter& painter, const QRect& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(area.topLeft());
    painter.scale(area.width() / kSize, area.height() / kSize);
    painter.fillRect(QRectF(0, 0, kSize, kSize), kBackground);

    const double middle = kSize / 2;
    painter.setPen(QPen(kMast, kLine, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF{QPointF(middle - kMastHalfFoot, kMastFoot), QPointF(middle, kMastTop),
                                   QPointF(middle + kMastHalfFoot, kMastFoot)});
    painter.setBrush(kWaves);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(middle, kMastTop), kTipRadius, kTipRadius);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kWaves, kLine, Qt::SolidLine, Qt::RoundCap));
    for (const double radius : kWaveRadii) {
        const QRectF circle(middle - radius, kMastTop - radius, 2 * radius, 2 * radius);
        painter.drawArc(circle, -kWaveSpan_deg / 2 * kSixteenths, kWaveSpan_deg * kSixteenths);
        painter.drawArc(circle, (180 - kWaveSpan_deg / 2) * kSixteenths, kWaveSpan_deg * kSixteenths);
    }
    painter.restore();
}

QIcon ProgramPicture::icon() {
    QIcon icon;
    for (const int size_px : kIconSizes_px) {
        QPixmap pixmap(size_px, size_px);
        QPainter painter(&pixmap);
        paint(painter, QRect(0, 0, size_px, size_px));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace korvel::app
