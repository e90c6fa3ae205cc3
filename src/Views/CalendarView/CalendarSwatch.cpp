#include "Views/CalendarView/CalendarSwatch.h"

#include "Components/FocusRing.h"
#include "ViewModels/Theme/ColorHex.h"
#include "ViewModels/Theme/Theme.h"

#include <QPainter>
#include <QRadialGradient>

CalendarSwatch::CalendarSwatch(const QString& name, const QString& hex, QWidget* parent)
    : QAbstractButton(parent), hex_(hex), color_(ColorHex::fromHex(hex)) {
    setObjectName(QStringLiteral("swatch") + name);
    setAccessibleName(name);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setFixedSize(26, 26);
    FocusRing::setRound(this);
}

void CalendarSwatch::setMarked(bool marked) {
    if (marked == marked_)
        return;
    marked_ = marked;
    update();
}

void CalendarSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre = QRectF(rect()).center();
    constexpr double radius = 11;
    if (marked_) {
        QRadialGradient glow(centre, radius + 3);
        glow.setColorAt(radius / (radius + 3), Theme::withOpacity(color_, 0.5));
        glow.setColorAt(1, Theme::withOpacity(color_, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawEllipse(centre, radius + 3, radius + 3);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(color_);
    painter.drawEllipse(centre, radius, radius);
    if (marked_) {
        painter.setPen(QPen(Qt::white, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, radius, radius);
    }
}
