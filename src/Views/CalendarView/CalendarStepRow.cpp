#include "Views/CalendarView/CalendarStepRow.h"

#include "Components/FocusAfter.h"
#include "Components/ScreenStyle.h"
#include "Components/SymbolIcon.h"
#include "Models/Step.h"
#include "ViewModels/CalendarStepEntries.h"
#include "ViewModels/GoalText.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/CalendarView/CalendarChip.h"
#include "Views/CalendarView/CalendarIconButton.h"
#include "Views/CalendarView/CalendarStyle.h"
#include "Views/CalendarView/CalendarTextLine.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CalendarStepRow::CalendarStepRow(std::shared_ptr<Step> step, const QColor& goalColor,
                                 const QDateTime& selectedDate, QWidget* parent)
    : QWidget(parent), step_(std::move(step)), goalColor_(goalColor), day_(selectedDate),
      textStep_(CalendarStepEntries::isTextStep(*step_)) {
    setObjectName(QStringLiteral("calendarStepRow"));
    if (textStep_)
        buildTextRow();
    else
        buildCheckRow();
    updateChrome();
}

void CalendarStepRow::buildTextRow() {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 8, 16, 8);
    column->setSpacing(8);
    auto* line = new QHBoxLayout;
    line->setSpacing(8);
    line->addWidget(CalendarStyle::symbol(QStringLiteral("pencil.line"), 13, goalColor_));
    title_ = new CalendarTextLine(Theme::font(13, QFont::Medium), Theme::textPrimary());
    title_->setText(GoalText::stepTitle(step_.get()));
    line->addWidget(title_, 1);
    edit_ = new CalendarChip(tr("Edit"), Theme::font(11, QFont::Medium));
    edit_->setObjectName(QStringLiteral("stepEditButton"));
    edit_->setSymbol(QStringLiteral("pencil"), 10);
    edit_->setPadding(8, 3);
    edit_->setSpacing(3);
    edit_->setColors(goalColor_, Theme::withOpacity(goalColor_, 0.12));
    connect(edit_, &CalendarChip::clicked, this, &CalendarStepRow::beginEdit);
    FocusAfter::markAction(edit_, FocusAfter::Action::opens);
    line->addWidget(edit_);
    column->addLayout(line);

    editor_ = new QPlainTextEdit;
    editor_->setObjectName(QStringLiteral("stepNoteEditor"));
    editor_->setAccessibleName(tr("Note"));
    editor_->setFont(Theme::font(13));
    editor_->setTabChangesFocus(true);
    ScreenStyle::styleField(editor_, Theme::backgroundTertiary(), 8);
    editor_->setMinimumHeight(60);
    editor_->setMaximumHeight(120);
    connect(editor_, &QPlainTextEdit::textChanged, this, &CalendarStepRow::updateChrome);
    column->addWidget(editor_);
    save_ = ScreenStyle::filledButton(tr("Save"), Theme::font(13, QFont::Medium), QString(), 16, 5, 8);
    save_->setObjectName(QStringLiteral("stepSaveButton"));
    connect(save_, &QPushButton::clicked, this, &CalendarStepRow::saveEntry);
    FocusAfter::markAction(save_, FocusAfter::Action::changes);
    column->addWidget(save_, 0, Qt::AlignLeft);

    stored_ = CalendarStyle::wrappedLabel(Theme::font(13), Theme::textSecondary());
    stored_->setObjectName(QStringLiteral("stepStoredNote"));
    stored_->setAttribute(Qt::WA_StyledBackground, true);
    stored_->setStyleSheet(QStringLiteral("QLabel { background: %1; border-radius: 8px; padding: 8px; }")
                               .arg(Theme::css(Theme::withOpacity(Theme::backgroundTertiary(), 0.5))));
    column->addWidget(stored_);

    // Each row loads its day's note when made: editing when there is none.
    const QString note = CalendarStepEntries::note(*step_, day_);
    editor_->setPlainText(note);
    stored_->setText(note);
    editing_ = note.isEmpty();
}

void CalendarStepRow::buildCheckRow() {
    auto* line = new QHBoxLayout(this);
    line->setContentsMargins(16, 6, 16, 6);
    line->setSpacing(8);
    tick_ = new CalendarIconButton(QStringLiteral("circle"), 16, Theme::textMuted());
    tick_->setObjectName(QStringLiteral("stepTick"));
    connect(tick_, &CalendarIconButton::clicked, this, &CalendarStepRow::toggleCheck);
    FocusAfter::markAction(tick_, FocusAfter::Action::changes);
    line->addWidget(tick_);
    title_ = new CalendarTextLine(Theme::font(13), Theme::textPrimary());
    title_->setText(GoalText::stepTitle(step_.get()));
    line->addWidget(title_, 1);
    checked_ = CalendarStepEntries::isChecked(*step_, day_);
}

void CalendarStepRow::updateChrome() {
    if (!textStep_) {
        tick_->setSymbol(checked_ ? QStringLiteral("checkmark.circle.fill") : QStringLiteral("circle"),
                         checked_ ? goalColor_ : Theme::textMuted());
        tick_->setAccessibleName(checked_ ? tr("Mark as not done") : tr("Mark as done"));
        title_->setColor(checked_ ? Theme::textMuted() : Theme::textPrimary());
        title_->setStruckOut(checked_);
        return;
    }
    const bool hasStored = !stored_->text().isEmpty();
    edit_->setVisible(!editing_ && hasStored);
    editor_->setVisible(editing_);
    save_->setVisible(editing_);
    stored_->setVisible(!editing_ && hasStored);
    const bool ready = !editor_->toPlainText().isEmpty();
    save_->setEnabled(ready);
    ScreenStyle::setButtonFill(
        save_, Theme::css(ready ? goalColor_ : Theme::withOpacity(Theme::textMuted(), 0.3)), 16, 5, 8);
}

void CalendarStepRow::toggleCheck() {
    checked_ = !checked_;
    CalendarStepEntries::setChecked(*step_, day_, checked_);
    updateChrome();
}

void CalendarStepRow::beginEdit() {
    editing_ = true;
    updateChrome();
    editor_->setFocus();
}

void CalendarStepRow::saveEntry() {
    const QString text = editor_->toPlainText();
    if (text.isEmpty())
        return;
    CalendarStepEntries::saveNote(*step_, day_, text);
    stored_->setText(text);
    editing_ = false;
    updateChrome();
}
