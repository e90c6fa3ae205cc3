#include "Views/Deadlines/DeadlineCardLook.h"

#include "Platform/TextHelpers.h"
#include "ViewModels/Theme/Theme.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {
constexpr double kRadius = 18;
} // namespace

void DeadlineCardLook::showElided(QLabel* label, const QString& text) {
    const QString shown = label->fontMetrics().elidedText(text, Qt::ElideRight, std::max(0, label->width()));
    label->setText(shown);
    label->setToolTip(Text::plainToolTipIfCut(shown, text));
}

void DeadlineCardLook::paint(QWidget* card, const QColor& wash, const QColor& edge) {
    QPainter p(card);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(card->rect()).adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
    p.fillPath(shape, Theme::backgroundSecondary());
    if (wash.alpha() > 0)
        p.fillPath(shape, wash);
    p.setPen(QPen(edge, 1));
    p.drawPath(shape);
}
