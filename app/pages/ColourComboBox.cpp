#include "app/pages/ColourComboBox.h"

#include "app/pages/LabelColours.h"

#include <QPainter>
#include <QPixmap>

namespace korvel::app {

namespace {

constexpr int kSwatch_px = 12;

QIcon swatch(const QColor& colour) {
    QPixmap pixmap(kSwatch_px, kSwatch_px);
    pixmap.fill(colour);
    QPainter frame(&pixmap);
    frame.setPen(Qt::black);
    frame.drawRect(0, 0, kSwatch_px - 1, kSwatch_px - 1);
    return QIcon(pixmap);
}

} // namespace

ColourComboBox::ColourComboBox(QWidget* parent)
    : QComboBox(parent) {
    connect(model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex& /*parent*/, int first, int last) { paintSwatches(first, last); });
}

void ColourComboBox::paintSwatches(int first, int last) {
    for (int row = first; row <= last; ++row) {
        setItemIcon(row, swatch(LabelColours::colour(row)));
    }
}

} // namespace korvel::app
