#include "Views/CalendarView/CalendarSubtaskRow.h"

#include "Components/FocusAfter.h"
#include "Components/FocusWithin.h"
#include "Components/SymbolIcon.h"
#include "Models/CalendarSubtask.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/CalendarViewModel.h"
#include "ViewModels/RecordNames.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/CalendarView/CalendarIconButton.h"
#include "Views/CalendarView/CalendarNotesEditor.h"
#include "Views/CalendarView/CalendarStyle.h"
#include "Views/CalendarView/CalendarTextLine.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CalendarSubtaskRow::CalendarSubtaskRow(std::shared_ptr<CalendarSubtask> subtask, CalendarViewModel* viewModel,
                                       QWidget* parent)
    : QWidget(parent), subtask_(std::move(subtask)), viewModel_(viewModel) {
    setObjectName(QStringLiteral("calendarSubtaskRow"));
    FocusAfter::markRow(this);
    build();
    // Its actions show too while the keyboard is in the row; hidden, they take no Tab.
    focus_ = new FocusWithin(this);
    connect(focus_, &FocusWithin::changed, this, &CalendarSubtaskRow::updateChrome);
    refresh();
}

void CalendarSubtaskRow::build() {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* line = new QHBoxLayout;
    line->setContentsMargins(8, 4, 8, 4);
    line->setSpacing(8);
    line->addWidget(CalendarStyle::symbol(QStringLiteral("arrow.turn.down.right"), 10, Theme::textMuted()));
    tick_ = new CalendarIconButton(QStringLiteral("circle"), 13, Theme::textMuted());
    tick_->setObjectName(QStringLiteral("subtaskTick"));
    connect(tick_, &CalendarIconButton::clicked, this, [this] { viewModel_->toggleSubtask(subtask_); });
    FocusAfter::markAction(tick_, FocusAfter::Action::changes);
    line->addWidget(tick_);
    title_ = new CalendarTextLine(Theme::font(12), Theme::textSecondary());
    title_->setObjectName(QStringLiteral("subtaskTitle"));
    line->addWidget(title_, 1);
    line_ = line; // the title editor joins it on the first edit (see titleField)

    actions_ = new QWidget;
    auto* bar = new QHBoxLayout(actions_);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(6);
    notesButton_ = new CalendarIconButton(QStringLiteral("note.text.badge.plus"), 10, Theme::textMuted());
    notesButton_->setObjectName(QStringLiteral("subtaskNotesButton"));
    connect(notesButton_, &CalendarIconButton::clicked, this, &CalendarSubtaskRow::toggleNotes);
    auto* edit = new CalendarIconButton(QStringLiteral("pencil"), 10, Theme::textMuted());
    edit->setObjectName(QStringLiteral("subtaskEditButton"));
    edit->setAccessibleName(tr("Rename subtask"));
    connect(edit, &CalendarIconButton::clicked, this, &CalendarSubtaskRow::beginEdit);
    auto* remove = new CalendarIconButton(QStringLiteral("trash"), 10, Theme::textMuted());
    remove->setObjectName(QStringLiteral("subtaskDeleteButton"));
    remove->setAccessibleName(tr("Delete subtask"));
    connect(remove, &CalendarIconButton::clicked, this, [this] { viewModel_->deleteSubtask(subtask_); });
    FocusAfter::markAction(notesButton_, FocusAfter::Action::opens);
    FocusAfter::markAction(edit, FocusAfter::Action::opens);
    FocusAfter::markAction(remove, FocusAfter::Action::deletes);
    bar->addWidget(notesButton_);
    bar->addWidget(edit);
    bar->addWidget(remove);
    line->addWidget(actions_);
    confirm_ =
        new CalendarIconButton(QStringLiteral("checkmark.circle.fill"), 14, AppTheme::Colors::purple());
    confirm_->setObjectName(QStringLiteral("subtaskConfirmButton"));
    confirm_->setAccessibleName(tr("Save name"));
    FocusAfter::markAction(confirm_, FocusAfter::Action::changes);
    connect(confirm_, &CalendarIconButton::clicked, this, &CalendarSubtaskRow::commitEdit);
    line->addWidget(confirm_);
    column->addLayout(line);

    // The notes editor comes with the first press of the notes button (see toggleNotes).
    notesLabel_ = CalendarStyle::wrappedLabel(Theme::font(11), Theme::textMuted());
    notesLabel_->setObjectName(QStringLiteral("subtaskNotes"));
    notesLabel_->setContentsMargins(38, 0, 8, 4);
    column->addWidget(notesLabel_);
}

QLineEdit* CalendarSubtaskRow::titleField() {
    if (!editField_) {
        editField_ = CalendarStyle::lateTitleField(line_, title_, tick_, tr("Subtask title"), 12);
        editField_->setObjectName(QStringLiteral("subtaskTitleField"));
        editField_->setAccessibleName(tr("Subtask name"));
        connect(editField_, &QLineEdit::returnPressed, this, &CalendarSubtaskRow::commitEdit);
        connect(editField_, &QLineEdit::textChanged, this, &CalendarSubtaskRow::updateChrome);
    }
    return editField_;
}

void CalendarSubtaskRow::refresh() {
    if (subtask_->isDeleted())
        return;
    const bool done = subtask_->isCompleted();
    tick_->setSymbol(done ? QStringLiteral("checkmark.circle.fill") : QStringLiteral("circle"),
                     done ? AppTheme::Colors::purple() : Theme::textMuted());
    tick_->setAccessibleName(done ? tr("Mark as not done") : tr("Mark as done"));
    title_->setText(RecordNames::subtask(*subtask_));
    setAccessibleName(RecordNames::subtask(*subtask_));
    title_->setColor(done ? Theme::textMuted() : Theme::textSecondary());
    title_->setStruckOut(done);
    const QString notes = subtask_->notes().value_or(QString());
    notesButton_->setSymbol(notes.isEmpty() ? QStringLiteral("note.text.badge.plus")
                                            : QStringLiteral("note.text"),
                            notes.isEmpty() ? Theme::textMuted() : AppTheme::Colors::purple());
    notesButton_->setToolTip(notes.isEmpty() ? tr("Add note") : tr("Edit note"));
    notesLabel_->setText(notes);
    updateChrome();
}

void CalendarSubtaskRow::updateChrome() {
    title_->setVisible(!editing_);
    if (editField_)
        editField_->setVisible(editing_);
    actions_->setVisible((hovered_ || (focus_ && focus_->isWithin())) && !editing_);
    confirm_->setVisible(editing_);
    confirm_->setEnabled(editField_ && !Text::trimmed(editField_->text()).isEmpty());
    if (notesEditorLine_)
        notesEditorLine_->setVisible(showingNotes_);
    notesLabel_->setVisible(!showingNotes_ && !notesLabel_->text().isEmpty());
}

void CalendarSubtaskRow::setHovered(bool hovered) {
    if (hovered == hovered_)
        return;
    hovered_ = hovered;
    updateChrome();
}

void CalendarSubtaskRow::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    setHovered(true);
}

void CalendarSubtaskRow::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    setHovered(false);
}

void CalendarSubtaskRow::beginEdit() {
    titleField()->setText(RecordNames::subtask(*subtask_));
    editing_ = true;
    updateChrome();
    editField_->setFocus();
}

void CalendarSubtaskRow::commitEdit() {
    // A failed save keeps the editor open with what was typed; a blank title just closes it.
    if (!editField_ || !viewModel_->editSubtask(subtask_, editField_->text()))
        return;
    editing_ = false;
    refresh();
}

void CalendarSubtaskRow::buildNotesEditor() {
    const CalendarStyle::NotesLine notes =
        CalendarStyle::notesLine(this, notesButton_, QMargins(38, 0, 8, 4), 11, 3, 13);
    notesEditorLine_ = notes.line;
    notesEditor_ = notes.editor;
    notesEditor_->setObjectName(QStringLiteral("subtaskNotesEditor"));
    notes.save->setObjectName(QStringLiteral("subtaskNotesSave"));
    connect(notes.save, &CalendarIconButton::clicked, this, &CalendarSubtaskRow::saveNotes);
    static_cast<QVBoxLayout*>(layout())->insertWidget(1, notesEditorLine_);
}

void CalendarSubtaskRow::toggleNotes() {
    if (!notesEditor_)
        buildNotesEditor();
    notesEditor_->setPlainText(subtask_->notes().value_or(QString()));
    showingNotes_ = !showingNotes_;
    updateChrome();
    if (showingNotes_)
        notesEditor_->setFocus();
}

void CalendarSubtaskRow::saveNotes() {
    if (!viewModel_->saveSubtaskNotes(subtask_, notesEditor_->toPlainText()))
        return;
    showingNotes_ = false;
    refresh();
}
