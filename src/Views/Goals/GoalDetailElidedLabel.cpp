#include "Views/Goals/GoalDetailElidedLabel.h"
#include "Platform/TextHelpers.h"

#include <QEvent>
#include <QFontMetrics>

GoalDetailElidedLabel::GoalDetailElidedLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setWordWrap(false);
}

void GoalDetailElidedLabel::setFullText(const QString& text) {
    fullText_ = text;
    updateElision();
    updateGeometry();
}

QSize GoalDetailElidedLabel::minimumSizeHint() const {
    return {0, fontMetrics().height()};
}

QSize GoalDetailElidedLabel::sizeHint() const {
    return {fontMetrics().horizontalAdvance(fullText_) + 2, fontMetrics().height()};
}

void GoalDetailElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    updateElision();
}

void GoalDetailElidedLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateElision();
}

void GoalDetailElidedLabel::updateElision() {
    // Newlines would make a second line; a one-line label shows them as blanks.
    QString line = fullText_;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString shown = fontMetrics().elidedText(line, Qt::ElideRight, qMax(0, contentsRect().width()));
    setText(shown);
    setToolTip(shown == line ? QString() : Text::plainToolTip(fullText_));
}
