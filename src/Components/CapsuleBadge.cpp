#include "Components/CapsuleBadge.h"

#include "Components/Symbols.h"
#include "ViewModels/Theme/Theme.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace {

constexpr double kPadX = 8;
constexpr double kPadY = 3;
constexpr double kSpacing = 3;
constexpr double kSymbolSize = 8;
constexpr double kTextSize = 10;

} // namespace

CapsuleBadge::CapsuleBadge(const QString& symbol, const QString& text, const QColor& tone, double fillOpacity,
                           double strokeOpacity, QWidget* parent)
    : QWidget(parent), symbol_(symbol), text_(text), tone_(tone), fillOpacity_(fillOpacity),
      strokeOpacity_(strokeOpacity) {
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void CapsuleBadge::setContent(const QString& symbol, const QString& text, const QColor& tone,
                              double fillOpacity, double strokeOpacity) {
    symbol_ = symbol;
    text_ = text;
    tone_ = tone;
    fillOpacity_ = fillOpacity;
    strokeOpacity_ = strokeOpacity;
    updateGeometry();
    update();
}

QSize CapsuleBadge::sizeHint() const {
    const QFontMetricsF fm(Theme::font(kTextSize));
    const double symbol = symbol_.isEmpty() ? 0 : Symbols::pixelSizeForFontSize(kSymbolSize) + kSpacing;
    const double w = kPadX * 2 + symbol + fm.horizontalAdvance(text_);
    const double h = kPadY * 2 + std::max<double>(fm.height(), Symbols::pixelSizeForFontSize(kSymbolSize));
    return {int(std::ceil(w)), int(std::ceil(h))};
}

void CapsuleBadge::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.25, 0.25, -0.25, -0.25);
    const double radius = r.height() / 2;
    p.setPen(QPen(Theme::withOpacity(tone_, strokeOpacity_), 0.5));
    p.setBrush(Theme::withOpacity(tone_, fillOpacity_));
    p.drawRoundedRect(r, radius, radius);

    double x = kPadX;
    if (!symbol_.isEmpty()) {
        const int s = Symbols::pixelSizeForFontSize(kSymbolSize);
        Symbols::paint(p, QRectF(x, (height() - s) / 2.0, s, s), symbol_, tone_);
        x += s + kSpacing;
    }
    p.setFont(Theme::font(kTextSize));
    p.setPen(tone_);
    p.drawText(QRectF(x, 0, width() - x, height()), Qt::AlignLeft | Qt::AlignVCenter, text_);
}
