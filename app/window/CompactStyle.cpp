#include "app/window/CompactStyle.h"

#include <QGroupBox>
#include <QKeySequence>
#include <QPainter>
#include <QStyleOption>
#include <algorithm>

namespace korvel::app {

namespace {

constexpr int kTabPadding_px = 8;
// The group box frame: its distance below the title, its corner, a faint line and a fainter fill.
constexpr int kFrameBelowTitle_px = 3;
constexpr double kFrameCorner_px = 2.0;
const QColor kFrameLine(0x75, 0x75, 0x75, 0x32);
const QColor kFrameFill(0, 0, 0, 0x03);

} // namespace

int CompactStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    if (metric == PM_TabBarTabHSpace) {
        return kTabPadding_px;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

int CompactStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
    if (hint == SH_ComboBox_Popup) {
        return 0; // a list, not a menu
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void CompactStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
    if (element != PE_FrameGroupBox) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const auto* box = qobject_cast<const QGroupBox*>(widget);
    const bool titled = box == nullptr || box->isCheckable() || !box->title().isEmpty();
    const int top =
        kFrameBelowTitle_px +
        (titled ? std::max(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height()) : 0);
    const QRectF frame = QRectF(option->rect.adjusted(0, top, 0, 0)).adjusted(1.5, 1.5, -0.5, -0.5);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(kFrameLine);
    painter->setBrush(kFrameFill);
    painter->drawRoundedRect(frame, kFrameCorner_px, kFrameCorner_px);
    painter->restore();
}

QSize CompactStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                     const QWidget* widget) const {
    QSize fitted = QProxyStyle::sizeFromContents(type, option, size, widget);
    const auto* box = qobject_cast<const QGroupBox*>(widget);
    if (type == CT_GroupBox && box != nullptr && !QKeySequence::mnemonic(box->title()).isEmpty()) {
        fitted.rwidth() -= option->fontMetrics.horizontalAdvance(u'&');
    }
    return fitted;
}

} // namespace korvel::app
