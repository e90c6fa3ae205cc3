#include "Views/CalendarView/CalendarIconButton.h"

#include "Components/Symbols.h"

#include <QPainter>

CalendarIconButton::CalendarIconButton(const QString& symbol, double systemSize, const QColor& color,
                                       QWidget* parent)
    : QAbstractButton(parent), symbol_(symbol), color_(color),
      side_(Symbols::pixelSizeForFontSize(systemSize)) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void CalendarIconButton::setSymbol(const QString& symbol, const QColor& color) {
    if (symbol == symbol_ && color == color_)
        return;
    symbol_ = symbol;
    color_ = color;
    update();
}

QSize CalendarIconButton::sizeHint() const {
    return {side_ + 2, side_ + 2};
}

void CalendarIconButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(0.4);
    const QRectF box((width() - side_) / 2.0, (height() - side_) / 2.0, side_, side_);
    Symbols::paint(painter, box, symbol_, color_);
}
