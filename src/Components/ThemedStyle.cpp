#include "Components/ThemedStyle.h"

#include "Components/Symbols.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>

namespace {

void paintScrollBar(const QStyle* style, const QStyleOptionSlider* bar, QPainter* painter,
                    const QWidget* widget) {
    if (bar->maximum <= bar->minimum)
        return;
    const QRect slider = style->subControlRect(QStyle::CC_ScrollBar, bar, QStyle::SC_ScrollBarSlider, widget);
    if (slider.isEmpty())
        return;
    const bool horizontal = bar->orientation == Qt::Horizontal;
    // A thin handle along the middle of the bar's width.
    const double inset = 2.5;
    const QRectF handle = QRectF(slider).adjusted(horizontal ? 1 : inset, horizontal ? inset : 1,
                                                  horizontal ? -1 : -inset, horizontal ? -inset : -1);
    const bool active = (bar->activeSubControls & QStyle::SC_ScrollBarSlider) &&
                        (bar->state & (QStyle::State_MouseOver | QStyle::State_Sunken));
    const double radius = std::min(handle.width(), handle.height()) / 2;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(Theme::withOpacity(Theme::textMuted(), active ? 0.8 : 0.5));
    painter->drawRoundedRect(handle, radius, radius);
    painter->restore();
}

// The handle's place and length, along a bar that is all groove.
QRect scrollBarPart(const QStyle* style, const QStyleOptionSlider* bar, QStyle::SubControl sub,
                    const QWidget* widget) {
    const QRect r = bar->rect;
    const bool horizontal = bar->orientation == Qt::Horizontal;
    const int length = horizontal ? r.width() : r.height();
    const qint64 range = qint64(bar->maximum) - bar->minimum;
    int handle = length;
    if (range > 0)
        handle = int(qint64(length) * bar->pageStep / std::max<qint64>(1, range + bar->pageStep));
    handle = std::clamp(
        handle, std::min(length, style->pixelMetric(QStyle::PM_ScrollBarSliderMin, bar, widget)), length);
    const int start = QStyle::sliderPositionFromValue(bar->minimum, bar->maximum, bar->sliderPosition,
                                                      length - handle, bar->upsideDown);
    auto along = [&](int from, int size) {
        return horizontal ? QRect(r.x() + from, r.y(), size, r.height())
                          : QRect(r.x(), r.y() + from, r.width(), size);
    };
    switch (sub) {
    case QStyle::SC_ScrollBarSlider:
        return along(start, handle);
    case QStyle::SC_ScrollBarSubPage:
        return along(0, start);
    case QStyle::SC_ScrollBarAddPage:
        return along(start + handle, length - start - handle);
    case QStyle::SC_ScrollBarGroove:
        return r;
    default:
        return {};
    }
}

// The text inputs' look (as the input style sheet draws it): a rounded fill whose edge
// brightens with focus.
void paintField(QPainter* painter, const QRect& rect, QStyle::State state) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(state & QStyle::State_HasFocus ? Theme::withOpacity(AppTheme::Colors::indigo(), 0.8)
                                                        : AppTheme::Colors::borderMedium(),
                         1));
    painter->setBrush(Theme::backgroundTertiary());
    painter->drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    painter->restore();
}

void paintChevron(QPainter* painter, const QRect& box, bool up, bool enabled, bool active) {
    const QColor color = !enabled ? Theme::withOpacity(Theme::textMuted(), 0.5)
                         : active ? Theme::textPrimary()
                                  : Theme::textSecondary();
    const double side = std::min({8.0, double(box.width()), double(box.height())});
    if (side <= 0)
        return;
    const QRectF glyph(QRectF(box).center() - QPointF(side / 2, side / 2), QSizeF(side, side));
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    Symbols::paint(*painter, glyph, up ? QStringLiteral("chevron.up") : QStringLiteral("chevron.down"),
                   color);
    painter->restore();
}

void paintSpinArrows(const QStyle* style, const QStyleOptionSpinBox* spin, QPainter* painter,
                     const QWidget* widget) {
    for (const bool up : {true, false}) {
        const QStyle::SubControl sub = up ? QStyle::SC_SpinBoxUp : QStyle::SC_SpinBoxDown;
        if (!(spin->subControls & sub))
            continue;
        const bool enabled =
            (spin->state & QStyle::State_Enabled) &&
            (spin->stepEnabled & (up ? QAbstractSpinBox::StepUpEnabled : QAbstractSpinBox::StepDownEnabled));
        const bool active = (spin->activeSubControls & sub) &&
                            (spin->state & (QStyle::State_MouseOver | QStyle::State_Sunken));
        paintChevron(painter, style->subControlRect(QStyle::CC_SpinBox, spin, sub, widget), up, enabled,
                     active);
    }
}

} // namespace

ThemedStyle::ThemedStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {
    setObjectName(QStringLiteral("themedStyle"));
}

void ThemedStyle::install() {
    if (qobject_cast<ThemedStyle*>(QApplication::style()))
        return;
    QApplication::setStyle(new ThemedStyle);
}

void ThemedStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const {
    // Fusion fills a focused button's label area with a pale rectangle; the focus ring around
    // the button says the same in the theme.
    if (element == PE_FrameFocusRect && qobject_cast<const QAbstractButton*>(widget))
        return;
    if (element == PE_IndicatorSpinUp || element == PE_IndicatorSpinDown || element == PE_IndicatorSpinPlus ||
        element == PE_IndicatorSpinMinus) {
        // The arrows of a spin box whose field a style sheet draws.
        const bool up = element == PE_IndicatorSpinUp || element == PE_IndicatorSpinPlus;
        paintChevron(painter, option->rect, up, option->state & State_Enabled,
                     option->state & (State_MouseOver | State_Sunken));
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void ThemedStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     QPainter* painter, const QWidget* widget) const {
    if (control == CC_ScrollBar) {
        if (const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option)) {
            paintScrollBar(proxy(), bar, painter, widget);
            return;
        }
    }
    if (control == CC_SpinBox) {
        if (const auto* spin = qstyleoption_cast<const QStyleOptionSpinBox*>(option)) {
            if (spin->frame && (spin->subControls & SC_SpinBoxFrame))
                paintField(painter, spin->rect, spin->state);
            if (spin->buttonSymbols != QAbstractSpinBox::NoButtons)
                paintSpinArrows(proxy(), spin, painter, widget);
            return;
        }
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

QRect ThemedStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                                  const QWidget* widget) const {
    if (control == CC_ScrollBar)
        if (const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option))
            return scrollBarPart(proxy(), bar, sub, widget);
    return QProxyStyle::subControlRect(control, option, sub, widget);
}

int ThemedStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    switch (metric) {
    case PM_ScrollBarExtent:
        return kScrollBarExtent;
    case PM_ScrollBarSliderMin:
        return 24;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}
