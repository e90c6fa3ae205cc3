#include "Views/Goals/StreakBadge.h"

#include "Components/Symbols.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace {

constexpr double kPadX = 7;
constexpr double kPadY = 3;
constexpr double kSpacing = 3;
constexpr double kSymbolFontSize = 10;
constexpr double kTextSize = 11;

} // namespace

StreakBadge::StreakBadge(int streak, QWidget* parent) : QWidget(parent), streak_(streak) {
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void StreakBadge::setStreak(int streak) {
    if (streak == streak_)
        return;
    streak_ = streak;
    updateGeometry();
    update();
}

QString StreakBadge::text() const {
    return QString::number(streak_) + QLatin1Char('d');
}

QSize StreakBadge::sizeHint() const {
    const QFontMetricsF fm(Theme::font(kTextSize, QFont::Bold));
    const int symbol = Symbols::pixelSizeForFontSize(kSymbolFontSize);
    const double w = 2 * kPadX + symbol + kSpacing + fm.horizontalAdvance(text());
    const double h = 2 * kPadY + std::max<double>(fm.height(), symbol);
    return {int(std::ceil(w)), int(std::ceil(h))};
}

void StreakBadge::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QColor amber = AppTheme::Colors::amber();
    const QRectF r = QRectF(rect()).adjusted(0.25, 0.25, -0.25, -0.25);
    p.setPen(QPen(Theme::withOpacity(amber, 0.25), 0.5));
    p.setBrush(Theme::withOpacity(amber, 0.1));
    p.drawRoundedRect(r, r.height() / 2, r.height() / 2);

    const int s = Symbols::pixelSizeForFontSize(kSymbolFontSize);
    Symbols::paint(p, QRectF(kPadX, (height() - s) / 2.0, s, s), QStringLiteral("flame.fill"), amber);
    const double x = kPadX + s + kSpacing;
    p.setFont(Theme::font(kTextSize, QFont::Bold));
    p.setPen(amber);
    p.drawText(QRectF(x, 0, width() - x, height()), Qt::AlignLeft | Qt::AlignVCenter, text());
}
