#include "Views/CalendarView/CalendarTaskRow.h"

#include "Components/FocusAfter.h"
#include "Components/FocusWithin.h"
#include "Components/SymbolIcon.h"
#include "Models/CalendarSubtask.h"
#include "Models/CalendarTask.h"
#include "Models/TaskCategory.h"
#include "Platform/CalendarHelpers.h"
#include "Platform/Clock.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/CalendarViewModel.h"
#include "ViewModels/RecordNames.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/CalendarView/CalendarChip.h"
#include "Views/CalendarView/CalendarFollowUpPopover.h"
#include "Views/CalendarView/CalendarIconButton.h"
#include "Views/CalendarView/CalendarNotesEditor.h"
#include "Views/CalendarView/CalendarPopover.h"
#include "Views/CalendarView/CalendarStyle.h"
#include "Views/CalendarView/CalendarSubtaskRow.h"
#include "Views/CalendarView/CalendarTextLine.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

CalendarChip* capsule(const QString& symbol, const QString& text, const QString& name) {
    auto* chip = new CalendarChip(text, Theme::font(10, QFont::Medium));
    chip->setObjectName(name);
    chip->setSymbol(symbol, 10);
    chip->setPadding(7, 3);
    chip->setSpacing(3);
    return chip;
}

} // namespace

CalendarTaskRow::CalendarTaskRow(std::shared_ptr<CalendarTask> task, CalendarViewModel* viewModel,
                                 QWidget* parent)
    : QWidget(parent), task_(std::move(task)), viewModel_(viewModel),
      followUpDate_(Calendar::addDays(Clock::now(), 1)) {
    setObjectName(QStringLiteral("calendarTaskRow"));
    FocusAfter::markRow(this);
    if (!followUpDate_.isValid())
        followUpDate_ = Clock::now();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(buildMainLine());
    // The notes editor comes with the first press of the notes button (see toggleNotes): a
    // day of tasks shows none of them open.
    notesLabel_ = CalendarStyle::wrappedLabel(Theme::font(12), Theme::textMuted());
    notesLabel_->setObjectName(QStringLiteral("taskNotes"));
    notesLabel_->setContentsMargins(8, 0, 8, 4);
    column->addWidget(notesLabel_);
    column->addWidget(buildSubtaskSection());
    // The actions shown under the pointer show too while the keyboard is in the row; hidden,
    // they take no Tab.
    focus_ = new FocusWithin(this);
    connect(focus_, &FocusWithin::changed, this, &CalendarTaskRow::updateChrome);
    refresh();
}

CalendarTaskRow::~CalendarTaskRow() {
    if (followUp_)
        followUp_->dismiss();
}

QWidget* CalendarTaskRow::buildMainLine() {
    auto* lineWidget = new QWidget;
    auto* line = new QHBoxLayout(lineWidget);
    line->setContentsMargins(8, 8, 8, 8);
    line->setSpacing(8);
    tick_ = new CalendarIconButton(QStringLiteral("circle"), 16, Theme::textMuted());
    tick_->setObjectName(QStringLiteral("taskTick"));
    connect(tick_, &CalendarIconButton::clicked, this, [this] { viewModel_->toggleTask(task_); });
    FocusAfter::markAction(tick_, FocusAfter::Action::changes);
    line->addWidget(tick_);
    title_ = new CalendarTextLine(Theme::font(13, QFont::Medium), Theme::textPrimary());
    title_->setObjectName(QStringLiteral("taskTitle"));
    line->addWidget(title_, 1);
    mainLine_ = line;

    categoryBadge_ = new CalendarChip(QString(), Theme::font(10, QFont::Medium));
    categoryBadge_->setObjectName(QStringLiteral("taskCategoryBadge"));
    categoryBadge_->setPadding(7, 2);
    categoryBadge_->setMaxTextWidth(90);
    categoryBadge_->setFocusPolicy(Qt::NoFocus);
    categoryBadge_->setCursor(Qt::ArrowCursor);
    line->addWidget(categoryBadge_);
    repeatIcon_ = CalendarStyle::symbol(QStringLiteral("repeat"), 10,
                                        Theme::withOpacity(AppTheme::Colors::purple(), 0.7));
    repeatIcon_->setObjectName(QStringLiteral("taskRepeatIcon"));
    line->addWidget(repeatIcon_);
    originBadge_ = new CalendarChip(QString(), Theme::font(9, QFont::Medium));
    originBadge_->setObjectName(QStringLiteral("taskOriginBadge"));
    originBadge_->setPadding(0, 0);
    originBadge_->setSpacing(2);
    originBadge_->setFocusPolicy(Qt::NoFocus);
    originBadge_->setCursor(Qt::ArrowCursor);
    originBadge_->setColors(Theme::withOpacity(AppTheme::Colors::amber(), 0.8), Qt::transparent);
    line->addWidget(originBadge_);
    line->addWidget(buildActions());
    confirm_ =
        new CalendarIconButton(QStringLiteral("checkmark.circle.fill"), 16, AppTheme::Colors::purple());
    confirm_->setObjectName(QStringLiteral("taskConfirmButton"));
    confirm_->setAccessibleName(tr("Save name"));
    FocusAfter::markAction(confirm_, FocusAfter::Action::changes);
    connect(confirm_, &CalendarIconButton::clicked, this, &CalendarTaskRow::commitEdit);
    line->addWidget(confirm_);
    fold_ = new CalendarIconButton(QStringLiteral("chevron.up"), 10, Theme::textMuted());
    fold_->setObjectName(QStringLiteral("taskFoldButton"));
    connect(fold_, &CalendarIconButton::clicked, this, &CalendarTaskRow::toggleExpanded);
    line->addWidget(fold_);
    return lineWidget;
}

QWidget* CalendarTaskRow::buildActions() {
    actions_ = new QWidget;
    auto* bar = new QHBoxLayout(actions_);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(6);
    tomorrow_ =
        capsule(QStringLiteral("arrow.right.to.line"), tr("Tomorrow"), QStringLiteral("tomorrowButton"));
    tomorrow_->setColors(AppTheme::Colors::amber(), Theme::withOpacity(AppTheme::Colors::amber(), 0.12));
    tomorrow_->setHelp(tr("Carry forward to tomorrow"));
    connect(tomorrow_, &CalendarChip::clicked, this, [this] { viewModel_->carryForward(task_); });
    followUpChip_ = capsule(QStringLiteral("bell.badge"), tr("Follow-up"), QStringLiteral("followUpButton"));
    followUpChip_->setHelp(tr("Schedule a follow-up"));
    connect(followUpChip_, &CalendarChip::clicked, this, &CalendarTaskRow::openFollowUp);
    notesButton_ = new CalendarIconButton(QStringLiteral("note.text.badge.plus"), 11, Theme::textMuted());
    notesButton_->setObjectName(QStringLiteral("taskNotesButton"));
    connect(notesButton_, &CalendarIconButton::clicked, this, &CalendarTaskRow::toggleNotes);
    auto* edit = new CalendarIconButton(QStringLiteral("pencil"), 11, Theme::textMuted());
    edit->setObjectName(QStringLiteral("taskEditButton"));
    edit->setAccessibleName(tr("Rename task"));
    connect(edit, &CalendarIconButton::clicked, this, &CalendarTaskRow::beginEdit);
    auto* remove = new CalendarIconButton(QStringLiteral("trash"), 11, Theme::textMuted());
    remove->setObjectName(QStringLiteral("taskDeleteButton"));
    remove->setAccessibleName(tr("Delete task"));
    connect(remove, &CalendarIconButton::clicked, this, [this] { viewModel_->deleteTask(task_); });
    FocusAfter::markAction(tomorrow_, FocusAfter::Action::changes);
    FocusAfter::markAction(followUpChip_, FocusAfter::Action::opens);
    FocusAfter::markAction(notesButton_, FocusAfter::Action::opens);
    FocusAfter::markAction(edit, FocusAfter::Action::opens);
    FocusAfter::markAction(remove, FocusAfter::Action::deletes);
    for (QWidget* w : std::initializer_list<QWidget*>{tomorrow_, followUpChip_, notesButton_, edit, remove})
        bar->addWidget(w);
    return actions_;
}

void CalendarTaskRow::buildNotesEditor() {
    const CalendarStyle::NotesLine notes =
        CalendarStyle::notesLine(this, notesButton_, QMargins(8, 0, 8, 8), 12, 4, 14);
    notesEditorLine_ = notes.line;
    notesEditor_ = notes.editor;
    notesEditor_->setObjectName(QStringLiteral("taskNotesEditor"));
    notes.save->setObjectName(QStringLiteral("taskNotesSave"));
    connect(notes.save, &CalendarIconButton::clicked, this, &CalendarTaskRow::saveNotes);
    static_cast<QVBoxLayout*>(layout())->insertWidget(1, notesEditorLine_);
}

QLineEdit* CalendarTaskRow::titleField() {
    if (!editField_) {
        editField_ = CalendarStyle::lateTitleField(mainLine_, title_, tick_, tr("Task title"), 13);
        editField_->setObjectName(QStringLiteral("taskTitleField"));
        editField_->setAccessibleName(tr("Task name"));
        connect(editField_, &QLineEdit::returnPressed, this, &CalendarTaskRow::commitEdit);
        connect(editField_, &QLineEdit::textChanged, this, &CalendarTaskRow::updateChrome);
    }
    return editField_;
}

QLineEdit* CalendarTaskRow::newSubtaskField() {
    if (subtaskField_)
        return subtaskField_;
    addSubtaskLine_ = new QWidget;
    addSubtaskLine_->hide();
    auto* line = new QHBoxLayout(addSubtaskLine_);
    line->setContentsMargins(28, 4, 8, 4);
    line->setSpacing(8);
    line->addWidget(CalendarStyle::symbol(QStringLiteral("arrow.turn.down.right"), 10, Theme::textMuted()));
    subtaskField_ = CalendarStyle::inlineField(tr("New subtask..."), 12);
    subtaskField_->setObjectName(QStringLiteral("newSubtaskField"));
    connect(subtaskField_, &QLineEdit::returnPressed, this, &CalendarTaskRow::commitSubtask);
    connect(subtaskField_, &QLineEdit::textChanged, this, &CalendarTaskRow::updateChrome);
    line->addWidget(subtaskField_, 1);
    subtaskAdd_ =
        new CalendarIconButton(QStringLiteral("checkmark.circle.fill"), 16, AppTheme::Colors::purple());
    subtaskAdd_->setObjectName(QStringLiteral("newSubtaskAdd"));
    connect(subtaskAdd_, &CalendarIconButton::clicked, this, &CalendarTaskRow::commitSubtask);
    auto* cancel = new CalendarIconButton(QStringLiteral("xmark.circle"), 16, Theme::textMuted());
    cancel->setObjectName(QStringLiteral("newSubtaskCancel"));
    FocusAfter::markAction(cancel, FocusAfter::Action::deletes);
    connect(cancel, &CalendarIconButton::clicked, this, &CalendarTaskRow::cancelSubtask);
    line->addWidget(subtaskAdd_);
    line->addWidget(cancel);
    // Between the subtask rows and the "Add subtask" button.
    static_cast<QVBoxLayout*>(subtaskSection_->layout())->insertWidget(1, addSubtaskLine_);
    QWidget::setTabOrder(addSubtaskButton_, subtaskField_);
    QWidget::setTabOrder(subtaskField_, subtaskAdd_);
    QWidget::setTabOrder(subtaskAdd_, cancel);
    return subtaskField_;
}

QWidget* CalendarTaskRow::buildSubtaskSection() {
    subtaskSection_ = new QWidget;
    auto* column = new QVBoxLayout(subtaskSection_);
    column->setContentsMargins(0, 0, 0, 4);
    column->setSpacing(2);
    subtaskList_ = new QVBoxLayout;
    subtaskList_->setSpacing(2);
    column->addLayout(subtaskList_);

    // The new-subtask line comes with the first press of "Add subtask" (see openAddSubtask).
    addSubtaskButton_ = new CalendarChip(tr("Add subtask"), Theme::font(11, QFont::Medium));
    addSubtaskButton_->setObjectName(QStringLiteral("addSubtaskButton"));
    FocusAfter::markCarryOn(addSubtaskButton_, QStringLiteral("calendarSubtaskRow"));
    addSubtaskButton_->setSymbol(QStringLiteral("arrow.turn.down.right"), 10);
    addSubtaskButton_->setPadding(0, 4);
    connect(addSubtaskButton_, &CalendarChip::clicked, this, &CalendarTaskRow::openAddSubtask);
    auto* buttonLine = new QHBoxLayout;
    buttonLine->setContentsMargins(28, 0, 0, 0);
    buttonLine->addWidget(addSubtaskButton_);
    buttonLine->addStretch(1);
    column->addLayout(buttonLine);
    return subtaskSection_;
}

void CalendarTaskRow::refresh() {
    if (task_->isDeleted())
        return;
    const bool done = task_->isCompleted();
    tick_->setSymbol(done ? QStringLiteral("checkmark.circle.fill") : QStringLiteral("circle"),
                     done ? AppTheme::Colors::purple() : Theme::textMuted());
    tick_->setAccessibleName(done ? tr("Mark as not done") : tr("Mark as done"));
    title_->setText(RecordNames::task(*task_));
    setAccessibleName(RecordNames::task(*task_));
    title_->setColor(done ? Theme::textMuted() : Theme::textPrimary());
    title_->setStruckOut(done);
    if (const auto category = task_->category()) {
        const QColor color = CalendarStyle::categoryColor(*category);
        categoryBadge_->setLabel(CalendarStyle::categoryName(*category));
        categoryBadge_->setColors(color, Theme::withOpacity(color, 0.12));
    }
    if (task_->isFollowUp()) {
        originBadge_->setSymbol(QStringLiteral("bell.badge"), 9);
        originBadge_->setLabel(tr("follow-up"));
    } else if (task_->carriedFromDate()) {
        originBadge_->setSymbol(QStringLiteral("arrow.uturn.right"), 9);
        originBadge_->setLabel(tr("carried"));
    }
    followUpChip_->setColors(task_->isFollowUp() ? AppTheme::Colors::amber() : Theme::textMuted(),
                             Theme::backgroundTertiary());
    const QString notes = task_->notes().value_or(QString());
    notesButton_->setSymbol(notes.isEmpty() ? QStringLiteral("note.text.badge.plus")
                                            : QStringLiteral("note.text"),
                            notes.isEmpty() ? Theme::textMuted() : AppTheme::Colors::purple());
    notesButton_->setToolTip(notes.isEmpty() ? tr("Add note") : tr("Edit note"));
    notesLabel_->setText(notes);
    syncSubtaskRows();
    updateChrome();
}

void CalendarTaskRow::syncSubtaskRows() {
    std::map<qint64, CalendarSubtaskRow*> kept;
    int index = 0;
    for (const auto& subtask : task_->wrappedSubtasks()) {
        auto it = subtaskRows_.find(subtask->objectID());
        CalendarSubtaskRow* row = nullptr;
        if (it != subtaskRows_.end()) {
            row = it->second;
            subtaskRows_.erase(it);
            row->refresh();
        } else {
            row = new CalendarSubtaskRow(subtask, viewModel_);
        }
        FocusAfter::fillRow(row, subtask->objectID());
        subtaskList_->insertWidget(index++, row);
        kept.emplace(subtask->objectID(), row);
    }
    // Rows of subtasks gone are removed after the click that removed them has finished.
    for (auto& [id, row] : subtaskRows_) {
        CalendarStyle::removeLater(row);
    }
    subtaskRows_ = std::move(kept);
}

void CalendarTaskRow::updateChrome() {
    const bool hasCategory = task_->category() != nullptr;
    const bool hasOrigin = task_->isFollowUp() || task_->carriedFromDate().has_value();
    const bool within = focus_ && focus_->isWithin();
    const bool showActions = !editing_ && (hovered_ || within || followUp_ || showingNotes_);
    // In a narrow row the actions take the badges' place rather than push the row wider.
    const bool showBadges = !editing_ && !(narrow_ && showActions);
    title_->setVisible(!editing_);
    if (editField_)
        editField_->setVisible(editing_);
    categoryBadge_->setVisible(showBadges && hasCategory);
    repeatIcon_->setVisible(showBadges && task_->repeatFrequency().has_value());
    originBadge_->setVisible(showBadges && hasOrigin);
    actions_->setVisible(showActions);
    tomorrow_->setLabel(narrow_ ? QString() : tr("Tomorrow"));
    followUpChip_->setLabel(narrow_ ? QString() : tr("Follow-up"));
    tomorrow_->setVisible(!task_->isCompleted());
    confirm_->setVisible(editing_);
    confirm_->setEnabled(editField_ && !Text::trimmed(editField_->text()).isEmpty());
    const bool hasSubtasks = !subtaskRows_.empty();
    fold_->setVisible(hasSubtasks);
    fold_->setSymbol(expanded_ ? QStringLiteral("chevron.up") : QStringLiteral("chevron.down"),
                     Theme::textMuted());
    fold_->setAccessibleName(expanded_ ? tr("Hide subtasks") : tr("Show subtasks"));
    if (notesEditorLine_)
        notesEditorLine_->setVisible(showingNotes_);
    notesLabel_->setVisible(!showingNotes_ && !notesLabel_->text().isEmpty());
    subtaskSection_->setVisible(expanded_);
    if (addSubtaskLine_) {
        addSubtaskLine_->setVisible(showingAddSubtask_);
        subtaskAdd_->setEnabled(!Text::trimmed(subtaskField_->text()).isEmpty());
    }
    addSubtaskButton_->setVisible(!showingAddSubtask_);
    addSubtaskButton_->setColors(Theme::withOpacity(Theme::textMuted(), hovered_ || within ? 1.0 : 0.4),
                                 Qt::transparent);
}

void CalendarTaskRow::setHovered(bool hovered) {
    if (hovered == hovered_)
        return;
    hovered_ = hovered;
    updateChrome();
}

void CalendarTaskRow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const bool narrow = width() < kNarrowWidth;
    if (narrow != narrow_) {
        narrow_ = narrow;
        updateChrome();
    }
}

void CalendarTaskRow::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    setHovered(true);
}

void CalendarTaskRow::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    setHovered(false);
}

void CalendarTaskRow::toggleExpanded() {
    expanded_ = !expanded_;
    updateChrome();
}

void CalendarTaskRow::beginEdit() {
    titleField()->setText(RecordNames::task(*task_));
    editing_ = true;
    updateChrome();
    editField_->setFocus();
}

void CalendarTaskRow::commitEdit() {
    // A failed save keeps the editor open with what was typed; a blank title just closes it.
    if (!editField_ || !viewModel_->editTask(task_, editField_->text()))
        return;
    editing_ = false;
    refresh();
}

void CalendarTaskRow::toggleNotes() {
    if (!notesEditor_)
        buildNotesEditor();
    notesEditor_->setPlainText(task_->notes().value_or(QString()));
    showingNotes_ = !showingNotes_;
    updateChrome();
    if (showingNotes_)
        notesEditor_->setFocus();
}

void CalendarTaskRow::saveNotes() {
    if (!viewModel_->saveTaskNotes(task_, notesEditor_->toPlainText()))
        return;
    showingNotes_ = false;
    refresh();
}

void CalendarTaskRow::openFollowUp() {
    auto* content = new CalendarFollowUpPopover(followUpDate_);
    followUp_ = CalendarPopover::open(followUpChip_, content, CalendarFollowUpPopover::kWidth, [this] {
        followUp_ = nullptr;
        updateChrome();
    });
    connect(content, &CalendarFollowUpPopover::dateChanged, this,
            [this](const QDateTime& date) { followUpDate_ = date; });
    connect(content, &CalendarFollowUpPopover::cancelRequested, followUp_, &CalendarPopover::dismiss);
    connect(content, &CalendarFollowUpPopover::confirmRequested, this, [this] {
        // The popover stays open when the copy could not be stored.
        if (viewModel_->scheduleFollowUp(task_, followUpDate_) && followUp_)
            followUp_->dismiss();
    });
    updateChrome();
}

void CalendarTaskRow::openAddSubtask() {
    newSubtaskField();
    showingAddSubtask_ = true;
    // The field takes the focus before the "Add subtask" it replaces hides, so the window does
    // not pass the focus on to the row's next control meanwhile.
    addSubtaskLine_->show();
    subtaskField_->setFocus();
    updateChrome();
}

void CalendarTaskRow::commitSubtask() {
    if (!subtaskField_ || Text::trimmed(subtaskField_->text()).isEmpty())
        return;
    if (!viewModel_->addSubtask(task_, subtaskField_->text()))
        return;
    // The field stays open with the focus, as a list's quick entry does: the next name and
    // Return add the next subtask, never act on the one just added.
    subtaskField_->clear();
    refresh();
}

void CalendarTaskRow::cancelSubtask() {
    if (subtaskField_)
        subtaskField_->clear();
    showingAddSubtask_ = false;
    updateChrome();
}

void CalendarTaskRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), 8, 8);
    painter.fillPath(shape, Theme::backgroundSecondary());
}
