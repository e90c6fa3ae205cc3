#include "Components/ToggleSwitch.h"

#include "Components/Animator.h"
#include "Components/FocusRing.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QPainter>

ToggleSwitch::ToggleSwitch(bool on, const QColor& tint, QWidget* parent)
    : QAbstractButton(parent), tint_(tint.isValid() ? tint : AppTheme::Colors::indigo()) {
    knob_ = on ? 1.0 : 0.0;
    setCheckable(true);
    setChecked(on);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    FocusRing::setCornerRadius(this, 11);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ToggleSwitch::checkStateSet() {
    QAbstractButton::checkStateSet();
    slideTo(isChecked());
}

void ToggleSwitch::nextCheckState() {
    QAbstractButton::nextCheckState();
    slideTo(isChecked());
}

void ToggleSwitch::slideTo(bool on) {
    const double to = on ? 1.0 : 0.0;
    if (knob_ == to && !animation_)
        return;
    Animator::stop(animation_);
    const double from = knob_;
    animation_ = Animator::run(this, AppTheme::Animation::snappy(), [this, from, to](double t) {
        knob_ = from + (to - from) * t;
        update();
    });
}

void ToggleSwitch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        p.setOpacity(0.45);
    const QRectF track = QRectF(0, 0, 38, 22).translated((width() - 38) / 2.0, (height() - 22) / 2.0);
    const double on = std::clamp(knob_, 0.0, 1.0);
    QColor off = Theme::backgroundElevated();
    QColor fill = QColor::fromRgbF(float(off.redF() + (tint_.redF() - off.redF()) * on),
                                   float(off.greenF() + (tint_.greenF() - off.greenF()) * on),
                                   float(off.blueF() + (tint_.blueF() - off.blueF()) * on));
    if (!isEnabled())
        fill.setAlphaF(0.5f);
    p.setPen(QPen(hasFocus() ? Theme::withOpacity(Qt::white, 0.5) : AppTheme::Colors::borderSubtle(), 1));
    p.setBrush(fill);
    p.drawRoundedRect(track, 11, 11);
    const double d = 18;
    const double x = track.left() + 2 + (track.width() - d - 4) * knob_;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawEllipse(QRectF(x, track.top() + 3, d, d));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(x, track.top() + 2, d, d));
}
