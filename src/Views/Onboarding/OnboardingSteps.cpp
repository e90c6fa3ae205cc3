#include "Views/Onboarding/OnboardingSteps.h"

#include "Components/FocusRing.h"
#include "Components/Symbols.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/ColorHex.h"
#include "ViewModels/Theme/Theme.h"

#include <QPainter>
#include <QPainterPath>

StepIndicator::StepIndicator(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("stepIndicator"));
    setFixedSize(sizeHint());
}

void StepIndicator::setStep(int step) {
    step_ = step;
    update();
}

void StepIndicator::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    double x = 0;
    for (int i = 0; i < 4; ++i) {
        const bool current = i == std::min(step_, 3);
        const QRectF capsule(x, 0, current ? 28 : 8, 8);
        if (current) {
            QLinearGradient fill(capsule.topLeft(), capsule.topRight());
            fill.setColorAt(0, AppTheme::Colors::indigo());
            fill.setColorAt(1, AppTheme::Colors::violet());
            p.setBrush(fill);
        } else {
            p.setBrush(Theme::backgroundElevated());
        }
        p.drawRoundedRect(capsule, 4, 4);
        x += capsule.width() + 8;
    }
}

OnboardingOrb::OnboardingOrb(Kind kind, QWidget* parent) : QWidget(parent), kind_(kind) {
    setFixedSize(sizeHint());
}

void OnboardingOrb::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (animation_ || !AnimationTiming::animationsEnabled())
        return;
    // A slow breath in and out, for as long as the orb is on screen.
    auto* breath = new QVariantAnimation(this);
    breath->setDuration(kind_ == Kind::welcome ? 5000 : 4000);
    breath->setStartValue(0.0);
    breath->setKeyValueAt(0.5, 1.0);
    breath->setEndValue(0.0);
    breath->setEasingCurve(QEasingCurve::InOutSine);
    breath->setLoopCount(-1);
    connect(breath, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        pulse_ = v.toDouble();
        update();
    });
    animation_ = breath;
    breath->start();
}

void OnboardingOrb::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (animation_)
        animation_->deleteLater();
}

void OnboardingOrb::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = QRectF(rect()).center();
    p.setPen(Qt::NoPen);
    if (kind_ == Kind::welcome) {
        const double r = 80 * (1.0 + 0.15 * pulse_);
        QRadialGradient halo(c, r);
        halo.setColorAt(0, Theme::withOpacity(AppTheme::Colors::indigo(), 0.4));
        halo.setColorAt(1, Theme::withOpacity(AppTheme::Colors::indigo(), 0));
        p.setBrush(halo);
        p.drawEllipse(c, r, r);
        QLinearGradient disc(c - QPointF(45, 45), c + QPointF(45, 45));
        disc.setColorAt(0, AppTheme::Colors::indigo());
        disc.setColorAt(1, AppTheme::Colors::violet());
        p.setBrush(disc);
        p.drawEllipse(c, 45, 45);
        Symbols::paint(p, QRectF(c - QPointF(21, 21), QSizeF(42, 42)), QStringLiteral("target"), Qt::white);
    } else {
        const double r = 60 * (1.0 + 0.2 * pulse_);
        p.setBrush(Theme::withOpacity(AppTheme::Colors::emerald(), 0.12));
        p.drawEllipse(c, r, r);
        Symbols::paint(p, QRectF(c - QPointF(31, 31), QSizeF(62, 62)),
                       QStringLiteral("checkmark.circle.fill"), AppTheme::Colors::emerald());
    }
}

ColorSwatchButton::ColorSwatchButton(const QString& hex, QWidget* parent)
    : QAbstractButton(parent), hex_(hex) {
    setObjectName(QStringLiteral("colorSwatch"));
    setAccessibleName(hex);
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(sizeHint());
    FocusRing::setRound(this);
    connect(this, &QAbstractButton::toggled, this, qOverload<>(&QWidget::update));
}

void ColorSwatchButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor color = ColorHex::fromHex(hex_);
    const QPointF c = QRectF(rect()).center();
    const double r = isChecked() ? 16 * 1.2 : 16;
    if (isChecked()) {
        QRadialGradient glow(c, r + 6);
        glow.setColorAt(0.7, Theme::withOpacity(color, 0.6));
        glow.setColorAt(1, Theme::withOpacity(color, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(c, r + 6, r + 6);
    }
    // The focus ring marks the focused swatch; the tick and the glow the chosen one.
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(c, r, r);
    if (isChecked())
        Symbols::paint(p, QRectF(c - QPointF(7, 7), QSizeF(14, 14)), QStringLiteral("checkmark"), Qt::white);
}

StepIcon::StepIcon(const QString& symbol, const QColor& color, QWidget* parent)
    : QWidget(parent), symbol_(symbol), color_(color) {
    setFixedSize(sizeHint());
}

void StepIcon::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = QRectF(rect()).center();
    QRadialGradient shadow(c, 44);
    shadow.setColorAt(0.75, Theme::withOpacity(color_, 0.25));
    shadow.setColorAt(1, Theme::withOpacity(color_, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(c, 44, 44);
    p.setBrush(Theme::withOpacity(color_, 0.12));
    p.drawEllipse(c, 36, 36);
    Symbols::paint(p, QRectF(c - QPointF(16, 16), QSizeF(32, 32)), symbol_, color_);
}
