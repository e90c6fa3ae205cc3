#include "Views/CalendarView/CalendarTextLine.h"

#include <QFontMetrics>
#include <QPainter>

CalendarTextLine::CalendarTextLine(const QFont& font, const QColor& color, QWidget* parent)
    : QWidget(parent), font_(font), color_(color) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setFixedHeight(QFontMetrics(font_).height());
}

void CalendarTextLine::setText(const QString& text) {
    if (text == text_)
        return;
    text_ = text;
    updateGeometry();
    updateTooltip();
    update();
}

void CalendarTextLine::setColor(const QColor& color) {
    if (color == color_)
        return;
    color_ = color;
    update();
}

void CalendarTextLine::setStruckOut(bool struck) {
    if (struck == font_.strikeOut())
        return;
    font_.setStrikeOut(struck);
    update();
}

QString CalendarTextLine::line() const {
    // A line break would start a second line; one line shows it as a blank.
    QString line = text_;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

bool CalendarTextLine::isElided() const {
    return QFontMetrics(font_).horizontalAdvance(line()) > width();
}

QSize CalendarTextLine::sizeHint() const {
    const QFontMetrics metrics(font_);
    return {metrics.horizontalAdvance(line()) + 1, metrics.height()};
}

QSize CalendarTextLine::minimumSizeHint() const {
    return {0, QFontMetrics(font_).height()};
}

void CalendarTextLine::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updateTooltip();
}

void CalendarTextLine::updateTooltip() {
    setToolTip(isElided() ? text_.toHtmlEscaped() : QString());
}

void CalendarTextLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font_);
    painter.setPen(color_);
    const QString shown = QFontMetrics(font_).elidedText(line(), Qt::ElideRight, width());
    painter.drawText(rect(), Qt::AlignVCenter | Qt::AlignLeft, shown);
}
