#pragma once

#include <QProxyStyle>

namespace korvel::app {

// The platform's style with narrower page tabs, so that all seven captions fit the fixed
// window width without scroll buttons.
class CompactStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

} // namespace korvel::app
