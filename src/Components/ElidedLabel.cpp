#include "Components/ElidedLabel.h"
#include "Platform/TextHelpers.h"

#include <QEvent>
#include <QFontMetrics>

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setWordWrap(false);
}

void ElidedLabel::setFullText(const QString& text) {
    setFullText(text, QString());
}

void ElidedLabel::setFullText(const QString& text, const QString& note) {
    if (text == fullText_ && note == note_ && !text.isEmpty())
        return;
    fullText_ = text;
    note_ = note;
    updateElision();
    updateGeometry();
}

void ElidedLabel::setKeptCharacters(int characters) {
    keptCharacters_ = qMax(0, characters);
    updateGeometry();
}

QSize ElidedLabel::minimumSizeHint() const {
    const int kept = qMin(sizeHint().width(), keptCharacters_ * fontMetrics().averageCharWidth());
    return {kept, fontMetrics().height()};
}

QSize ElidedLabel::sizeHint() const {
    return {fontMetrics().horizontalAdvance(fullText_) + 2, fontMetrics().height()};
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    updateElision();
}

void ElidedLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateElision();
}

void ElidedLabel::updateElision() {
    // Newlines would make a second line; a one-line label shows them as blanks.
    QString line = fullText_;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString shown = fontMetrics().elidedText(line, Qt::ElideRight, qMax(0, contentsRect().width()));
    setText(shown);
    setToolTip(shown == line ? Text::plainToolTip(note_) : Text::plainToolTip(fullText_));
}
