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

} // namespace korvel::app
