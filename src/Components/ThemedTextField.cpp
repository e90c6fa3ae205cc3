#include "Components/ThemedTextField.h"

#include "Components/InputStyle.h"

#include <QInputMethodEvent>
#include <QPainter>
#include <QStyleOptionFrame>

ThemedTextField::ThemedTextField(const QString& placeholder, QWidget* parent, double fontSize)
    : QLineEdit(parent) {
    setPlaceholderText(placeholder);
    setFrame(false);
    InputStyle::apply(this, QStringLiteral("QLineEdit"), fontSize);
}

void ThemedTextField::inputMethodEvent(QInputMethodEvent* event) {
    composing_ = !event->preeditString().isEmpty();
    QLineEdit::inputMethodEvent(event);
}

void ThemedTextField::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    // Qt leaves out the placeholder of a focused field whose text is centred; it is drawn here
    // where Qt would have drawn it, under the caret.
    if (!hasFocus() || !(alignment() & Qt::AlignHCenter) || !text().isEmpty() || composing_ ||
        placeholderText().isEmpty())
        return;
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents =
        style()->subElementRect(QStyle::SE_LineEditContents, &option, this).marginsRemoved(textMargins());
    constexpr int kHorizontalMargin = 2; // what QLineEdit keeps on either side of its text
    const QFontMetrics metrics = fontMetrics();
    const QRect line(contents.x() + kHorizontalMargin,
                     contents.y() + (contents.height() - metrics.height() + 1) / 2,
                     contents.width() - 2 * kHorizontalMargin, metrics.height());
    QPainter painter(this);
    painter.setClipRect(contents);
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(line, Qt::AlignHCenter | Qt::AlignVCenter,
                     metrics.elidedText(placeholderText(), Qt::ElideRight, line.width()));
}
