#include "ViewModels/Theme/AppTheme.h"

#include "ViewModels/Theme/ColorHex.h"

namespace {

QColor withAlpha(Qt::GlobalColor base, double opacity) {
    QColor c(base);
    c.setAlphaF(float(opacity));
    return c;
}

} // namespace

#define QV_HEX_COLOR(name, hex)                                                                              \
    QColor AppTheme::Colors::name() {                                                                        \
        static const QColor color = ColorHex::fromHex(QStringLiteral(hex));                                  \
        return color;                                                                                        \
    }

QV_HEX_COLOR(indigo, "#4F46E5")
QV_HEX_COLOR(electric, "#2563EB")
QV_HEX_COLOR(cyan, "#0891B2")
QV_HEX_COLOR(violet, "#7C3AED")
QV_HEX_COLOR(purple, "#9333EA")
QV_HEX_COLOR(coral, "#F43F5E")
QV_HEX_COLOR(emerald, "#059669")
QV_HEX_COLOR(amber, "#D97706")
QV_HEX_COLOR(rose, "#E11D48")
QV_HEX_COLOR(sunrise, "#F97316")
QV_HEX_COLOR(sky, "#0EA5E9")
QV_HEX_COLOR(gold, "#D97706")
QV_HEX_COLOR(green, "#059669")

#undef QV_HEX_COLOR

QColor AppTheme::Colors::warning() {
    return amber();
}

QColor AppTheme::Colors::borderSubtle() {
    return withAlpha(Qt::white, 0.07);
}
QColor AppTheme::Colors::borderMedium() {
    return withAlpha(Qt::white, 0.13);
}
QColor AppTheme::Colors::glassSurface() {
    return withAlpha(Qt::white, 0.05);
}
QColor AppTheme::Colors::glassOverlay() {
    return withAlpha(Qt::white, 0.09);
}

const QStringList& AppTheme::Colors::goalPaletteHex() {
    static const QStringList palette{QStringLiteral("#4F46E5"), QStringLiteral("#0891B2"),
                                     QStringLiteral("#059669"), QStringLiteral("#D97706"),
                                     QStringLiteral("#F97316"), QStringLiteral("#E11D48"),
                                     QStringLiteral("#7C3AED"), QStringLiteral("#2563EB")};
    return palette;
}

const AppTheme::Shadow& AppTheme::Shadows::card() {
    static const Shadow shadow{withAlpha(Qt::black, 0.35), 20, 0, 8};
    return shadow;
}

const AnimationTiming& AppTheme::Animation::spring() {
    static const AnimationTiming timing = AnimationTiming::spring(0.45, 0.82);
    return timing;
}

const AnimationTiming& AppTheme::Animation::springBouncy() {
    static const AnimationTiming timing = AnimationTiming::spring(0.5, 0.65);
    return timing;
}

const AnimationTiming& AppTheme::Animation::snappy() {
    static const AnimationTiming timing = AnimationTiming::spring(0.3, 0.88);
    return timing;
}

const AnimationTiming& AppTheme::Animation::smooth() {
    static const AnimationTiming timing = AnimationTiming::easeInOut(0.3);
    return timing;
}

const AnimationTiming& AppTheme::Animation::ring() {
    static const AnimationTiming timing = AnimationTiming::easeOut(1.4);
    return timing;
}

const AnimationTiming& AppTheme::Animation::aurora() {
    static const AnimationTiming timing = [] {
        AnimationTiming s = AnimationTiming::easeInOut(9.0);
        s.repeatForever = true;
        s.autoreverse = true;
        return s;
    }();
    return timing;
}
