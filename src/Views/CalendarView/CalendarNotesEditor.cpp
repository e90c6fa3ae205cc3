#include "Views/CalendarView/CalendarNotesEditor.h"

#include "ViewModels/Theme/Theme.h"

#include <QTextBlock>
#include <QTextDocument>

CalendarNotesEditor::CalendarNotesEditor(const QString& placeholder, double fontSize, int maxLines,
                                         QWidget* parent)
    : QPlainTextEdit(parent), maxLines_(maxLines) {
    setPlaceholderText(placeholder);
    setFont(Theme::font(fontSize));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    setStyleSheet(QStringLiteral("QPlainTextEdit { background: transparent; border: none; color: %1; }")
                      .arg(Theme::css(Theme::textPrimary())));
    QPalette palette = this->palette();
    palette.setColor(QPalette::PlaceholderText, Theme::textMuted());
    setPalette(palette);
    document()->setDocumentMargin(0);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(this, &QPlainTextEdit::textChanged, this, &CalendarNotesEditor::fitHeight);
    fitHeight();
}

QSize CalendarNotesEditor::sizeHint() const {
    return {200, height()};
}

void CalendarNotesEditor::fitHeight() {
    int lines = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        lines += std::max(1, block.layout() ? block.layout()->lineCount() : 1);
    lines = std::clamp(lines, 1, maxLines_);
    setFixedHeight(lines * fontMetrics().lineSpacing() + 4);
}
