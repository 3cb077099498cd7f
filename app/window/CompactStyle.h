#pragma once

#include <QProxyStyle>

namespace korvel::app {

// The platform's style, fitted to the small fixed window: narrower page tabs, so that all seven
// captions fit its width without scroll buttons, and combo boxes that drop down a scrolling
// list of at most their maxVisibleItems rows, opened at the current entry. Some styles drop
// down a menu of every entry instead, which for the 258 ports is as tall as the screen.
// Group box frames are drawn here as the portable style draws them, but without its picture
// file: reading the first image file made Qt load every image format plugin. A group box is as
// wide as its title shows, without the "&" of its accelerator, which Qt counts but never draws.
class CompactStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget = nullptr) const override;
};

} // namespace korvel::app
