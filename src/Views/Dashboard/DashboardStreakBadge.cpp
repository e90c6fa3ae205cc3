#include "Views/Dashboard/DashboardStreakBadge.h"

#include "Components/Symbols.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace {

constexpr double kPadX = 10;
constexpr double kPadY = 4;
constexpr double kSpacing = 4;
constexpr double kSize = 12;

} // namespace

DashboardStreakBadge::DashboardStreakBadge(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("streakBadge"));
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void DashboardStreakBadge::setStreak(int streak) {
    if (streak == streak_)
        return;
    streak_ = streak;
    updateGeometry();
    update();
}

QSize DashboardStreakBadge::sizeHint() const {
    const QFontMetricsF fm(Theme::font(kSize, QFont::Bold));
    const int symbol = Symbols::pixelSizeForFontSize(kSize);
    const double w = 2 * kPadX + symbol + kSpacing + fm.horizontalAdvance(text());
    const double h = 2 * kPadY + std::max<double>(fm.height(), symbol);
    return {int(std::ceil(w)), int(std::ceil(h))};
}

void DashboardStreakBadge::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor amber = AppTheme::Colors::amber();
    const QRectF r = QRectF(rect()).adjusted(0.25, 0.25, -0.25, -0.25);
    p.setPen(QPen(Theme::withOpacity(amber, 0.3), 0.5));
    p.setBrush(Theme::withOpacity(amber, 0.15));
    p.drawRoundedRect(r, r.height() / 2, r.height() / 2);

    const int s = Symbols::pixelSizeForFontSize(kSize);
    Symbols::paint(p, QRectF(kPadX, (height() - s) / 2.0, s, s), QStringLiteral("flame.fill"), amber);
    const double x = kPadX + s + kSpacing;
    p.setFont(Theme::font(kSize, QFont::Bold));
    p.setPen(amber);
    p.drawText(QRectF(x, 0, width() - x, height()), Qt::AlignLeft | Qt::AlignVCenter, text());
}
