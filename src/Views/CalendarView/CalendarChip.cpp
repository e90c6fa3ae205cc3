#include "Views/CalendarView/CalendarChip.h"

#include "Components/Symbols.h"
#include "Platform/TextHelpers.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

CalendarChip::CalendarChip(const QString& text, const QFont& font, QWidget* parent)
    : QAbstractButton(parent), font_(font) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setLabel(text);
}

void CalendarChip::setColors(const QColor& foreground, const QColor& fill) {
    if (foreground == foreground_ && fill == fill_)
        return;
    foreground_ = foreground;
    fill_ = fill;
    update();
}

void CalendarChip::setSymbol(const QString& symbol, double systemSize) {
    symbol_ = symbol;
    symbolSide_ = symbol.isEmpty() ? 0 : Symbols::pixelSizeForFontSize(systemSize);
    updateGeometry();
    update();
}

void CalendarChip::setPadding(int horizontal, int vertical) {
    padH_ = horizontal;
    padV_ = vertical;
    updateGeometry();
}

void CalendarChip::setSpacing(int spacing) {
    spacing_ = spacing;
    updateGeometry();
}

void CalendarChip::setMaxTextWidth(int width) {
    maxTextWidth_ = width;
    setLabel(text_);
}

void CalendarChip::setLabel(const QString& text) {
    text_ = text;
    // For accessibility and tests; painting uses the elided text. A category's "&" is its own
    // character, never a mnemonic that would bind Alt and the next letter.
    setText(Text::literalMnemonics(text));
    const bool elided = shownText() != text_;
    setToolTip(elided ? text_.toHtmlEscaped() : help_);
    updateGeometry();
    update();
}

void CalendarChip::setHelp(const QString& help) {
    help_ = help;
    setLabel(text_);
}

QString CalendarChip::shownText() const {
    return QFontMetrics(font_).elidedText(text_, Qt::ElideRight, maxTextWidth_);
}

QSize CalendarChip::sizeHint() const {
    const QFontMetrics metrics(font_);
    int width = padH_ * 2;
    if (symbolSide_ > 0)
        width += symbolSide_ + (text_.isEmpty() ? 0 : spacing_);
    if (!text_.isEmpty())
        width += metrics.horizontalAdvance(shownText());
    const int height = std::max(metrics.height(), symbolSide_) + padV_ * 2;
    return {width, height};
}

void CalendarChip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(0.4);
    const QRectF box = QRectF(rect());
    QPainterPath capsule;
    capsule.addRoundedRect(box, box.height() / 2, box.height() / 2);
    painter.fillPath(capsule, fill_);
    double x = padH_;
    if (symbolSide_ > 0) {
        Symbols::paint(painter, QRectF(x, (height() - symbolSide_) / 2.0, symbolSide_, symbolSide_), symbol_,
                       foreground_);
        x += symbolSide_ + spacing_;
    }
    if (!text_.isEmpty()) {
        painter.setFont(font_);
        painter.setPen(foreground_);
        painter.drawText(QRectF(x, 0, width() - x - padH_ + 1, height()), Qt::AlignVCenter | Qt::AlignLeft,
                         shownText());
    }
}
