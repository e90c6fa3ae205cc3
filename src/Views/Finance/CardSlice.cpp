#include "Views/Finance/CardSlice.h"

#include "Components/FocusAfter.h"
#include "Components/KeyboardLayer.h"
#include "ViewModels/Theme/Theme.h"

#include <QApplication>
#include <QLayout>
#include <QPainter>
#include <QPainterPath>

CardSlice::CardSlice(int radius, const QColor& edge, QWidget* parent)
    : QWidget(parent), radius_(radius), edge_(edge) {}

void CardSlice::setEnds(bool top, bool bottom) {
    top_ = top;
    bottom_ = bottom;
    update();
}

void CardSlice::setGap(int gap) {
    gap_ = gap;
    update();
}

void CardSlice::setBody(QWidget* body) {
    QWidget* old = body_;
    body_ = body;
    if (body_) {
        layout()->addWidget(body_);
        // Shown at once rather than with the next events: a list measures the slice right away.
        body_->show();
    }
    if (!old)
        return;
    // The control that had the focus, or that a sheet still open goes back to, is made anew
    // with the content: its twin takes both over.
    QWidget* held = QApplication::focusWidget();
    if (!old->isAncestorOf(held)) {
        const KeyboardLayer* layer = KeyboardLayer::top(this);
        held = layer ? layer->opener() : nullptr;
    }
    if (held && body_ && old->isAncestorOf(held) && !held->objectName().isEmpty())
        FocusAfter::handOver(old, body_->findChild<QWidget*>(held->objectName()));
    layout()->removeWidget(old);
    old->hide();
    old->deleteLater();
}

void CardSlice::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect area = rect().adjusted(0, gap_, 0, 0);
    painter.setClipRect(area);
    // A slice without an end draws the card on past its edge, so only the sides show there.
    const int past = radius_ + 2;
    const QRectF card = QRectF(area).adjusted(0.5, top_ ? 0.5 : -past, -0.5, bottom_ ? -0.5 : past);
    QPainterPath shape;
    shape.addRoundedRect(card, radius_, radius_);
    painter.fillPath(shape, Theme::backgroundSecondary());
    painter.strokePath(shape, QPen(edge_, 1));
}
