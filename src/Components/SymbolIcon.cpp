#include "Components/SymbolIcon.h"

#include "Components/Symbols.h"

#include <QPainter>

SymbolIcon::SymbolIcon(const QString& name, int pixelSize, const QColor& color, QWidget* parent)
    : QWidget(parent), name_(name), pixelSize_(pixelSize), color_(color) {
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SymbolIcon::setSymbol(const QString& name) {
    if (name_ == name)
        return;
    name_ = name;
    update();
}

void SymbolIcon::setColor(const QColor& color) {
    if (color_ == color)
        return;
    color_ = color;
    update();
}

void SymbolIcon::setPixelSize(int pixelSize) {
    if (pixelSize_ == pixelSize)
        return;
    pixelSize_ = pixelSize;
    updateGeometry();
    update();
}

void SymbolIcon::paintEvent(QPaintEvent*) {
    if (name_.isEmpty())
        return;
    QPainter p(this);
    const QRectF box = QRectF(rect()).adjusted(0, 0, 0, 0);
    const double side = std::min<double>(pixelSize_, std::min(box.width(), box.height()));
    Symbols::paint(p, QRectF(box.center().x() - side / 2, box.center().y() - side / 2, side, side), name_,
                   color_);
}
