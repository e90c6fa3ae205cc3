#include "Components/GlassCard.h"

#include "Components/GlassPainter.h"

#include <QPainter>

GlassCard::GlassCard(double cornerRadius, double intensity, const QColor& accent, QWidget* parent)
    : QWidget(parent), cornerRadius_(cornerRadius), intensity_(intensity), accent_(accent) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void GlassCard::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRectF r = rect();
    GlassPainter::paintBackground(p, this, r, cornerRadius_, intensity_);
    GlassPainter::paintBorder(p, r, cornerRadius_, intensity_, accent_);
}
