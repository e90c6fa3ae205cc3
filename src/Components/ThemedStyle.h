#pragma once

#include <QProxyStyle>

// The application's widget style: Fusion, with the pieces Fusion would draw in its own grey
// drawn in the theme instead, whether or not a widget carries a style sheet, and read from the
// theme at every paint so a theme change needs nothing more:
// - scroll bars are a thin rounded handle in the muted text colour, with no arrows and no groove;
// - a spin box is a field in the inputs' look, its arrows theme chevrons on it, dimmed where
//   the value cannot go on;
// - buttons draw no focus rectangle of their own (the focus ring marks the focused control).
class ThemedStyle : public QProxyStyle {
    Q_OBJECT
public:
    ThemedStyle();

    // Makes it the application's style; later calls do nothing.
    static void install();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

    static constexpr int kScrollBarExtent = 10;
};
