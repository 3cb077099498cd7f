#include "app/CompactStyle.h"

namespace korvel::app {

namespace {

constexpr int kTabPadding_px = 8;

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

} // namespace korvel::app
