#include "Views/Finance/FinanceCard.h"

#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QLinearGradient>
#include <QPainter>

FinanceCard::FinanceCard(int radius, QWidget* parent)
    : QWidget(parent), radius_(radius), edge_(AppTheme::Colors::borderSubtle()) {}

void FinanceCard::setGradient(const QColor& from, const QColor& to) {
    fill_ = from;
    gradientTo_ = to;
    themeFill_ = false;
    update();
}

void FinanceCard::setEdge(const QColor& edge) {
    edge_ = edge;
    update();
}

void FinanceCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (gradientTo_.isValid()) {
        QLinearGradient gradient(box.topLeft(), box.bottomRight());
        gradient.setColorAt(0, fill_);
        gradient.setColorAt(1, gradientTo_);
        painter.setBrush(gradient);
    } else {
        painter.setBrush(themeFill_ ? Theme::backgroundSecondary() : fill_);
    }
    painter.setPen(QPen(edge_, 1));
    painter.drawRoundedRect(box, radius_, radius_);
}
