#include "Views/Dashboard/EnergyBarButton.h"

#include "Components/FocusRing.h"
#include "ViewModels/DailyCheckInViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QPainter>

namespace {

constexpr double kBarWidth = 24;
// The tallest bar; every button is this tall so the bars centre on one line.
constexpr double kTallest = 48;

} // namespace

EnergyBarButton::EnergyBarButton(int level, QWidget* parent) : QAbstractButton(parent), level_(level) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_TranslucentBackground);
    setAccessibleName(tr("%1 energy").arg(DailyCheckInViewModel::energyLabel(level)));
    FocusRing::setCornerRadius(this, 3);
}

void EnergyBarButton::setLit(bool lit) {
    if (lit == lit_)
        return;
    lit_ = lit;
    update();
}

QSize EnergyBarButton::sizeHint() const {
    return {int(kBarWidth), int(kTallest)};
}

void EnergyBarButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double h = barHeight();
    const QRectF bar((width() - kBarWidth) / 2.0, (height() - h) / 2.0, kBarWidth, h);
    p.setPen(Qt::NoPen);
    p.setBrush(lit_ ? AppTheme::Colors::gold() : Theme::backgroundTertiary());
    p.drawRoundedRect(bar, 3, 3);
}
