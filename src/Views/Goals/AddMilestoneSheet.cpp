#include "Views/Goals/AddMilestoneSheet.h"

#include "Components/FocusAfter.h"
#include "Components/SheetFrame.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Goals/AddMilestoneStepBuilder.h"
#include "Views/Goals/GoalDetailStyle.h"
#include "Views/Goals/MilestoneFrequencyRow.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString rowIcon(StepInputType type) {
    return type == StepInputType::checkbox ? QStringLiteral("checkmark.square")
                                           : QStringLiteral("text.cursor");
}

void styleFilledButton(QPushButton* button, const QColor& ink, const QColor& fill) {
    button->setFont(GoalDetailStyle::themeFont(14, QFont::Medium));
    button->setStyleSheet(
        QStringLiteral("QPushButton { color: %1; background: %2; border: none; border-radius: 12px;"
                       " padding: 8px 24px; }")
            .arg(Theme::css(ink), Theme::css(fill)));
}

} // namespace

AddMilestoneSheet::AddMilestoneSheet(QColor goalColor, AddAction onAdd, QWidget* parent)
    : QWidget(parent), goalColor_(goalColor), onAdd_(std::move(onAdd)) {
    setObjectName(QStringLiteral("addMilestoneSheet"));
    // The close button and the titles stay put; only a phase's rows scroll, between them and
    // the phase's buttons, and the card is as tall as the phase on show needs.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto* content = new QWidget(this);
    content->setObjectName(QStringLiteral("milestoneSheetHeader"));
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(32);

    auto* header = new QHBoxLayout;
    header->addStretch(1);
    auto* close = new QToolButton(content);
    close->setObjectName(QStringLiteral("sheetClose"));
    close->setToolTip(tr("Close"));
    GoalDetailStyle::styleSymbolButton(close, QStringLiteral("xmark.circle.fill"),
                                       GoalDetailStyle::textMuted(), 20);
    connect(close, &QToolButton::clicked, this, &AddMilestoneSheet::dismiss);
    header->addWidget(close);
    column->addLayout(header);

    auto* titles = new QVBoxLayout;
    titles->setSpacing(4);
    title_ = new QLabel(content);
    title_->setObjectName(QStringLiteral("sheetTitle"));
    GoalDetailStyle::styleLabel(title_, GoalDetailStyle::themeFont(20, QFont::Bold),
                                GoalDetailStyle::textPrimary());
    subtitle_ = new QLabel(content);
    subtitle_->setObjectName(QStringLiteral("sheetSubtitle"));
    subtitle_->setWordWrap(true);
    GoalDetailStyle::styleLabel(subtitle_, GoalDetailStyle::themeFont(13), GoalDetailStyle::textSecondary());
    titles->addWidget(title_);
    titles->addWidget(subtitle_);
    column->addLayout(titles);

    outer->addWidget(content);
    phase1_ = buildPhase1();
    phase2_ = buildPhase2();
    phase1Frame_ =
        new SheetFrame(phase1_, phase1_->findChild<QWidget*>(QStringLiteral("phaseButtons")), this);
    phase2Frame_ =
        new SheetFrame(phase2_, phase2_->findChild<QWidget*>(QStringLiteral("phaseButtons")), this);
    outer->addWidget(phase1Frame_, 1);
    outer->addWidget(phase2Frame_, 1);

    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);
    showPhase(false);
}

QWidget* AddMilestoneSheet::buildPhase1() {
    auto* phase = new QWidget(this);
    phase->setObjectName(QStringLiteral("phase1"));
    auto* column = new QVBoxLayout(phase);
    column->setContentsMargins(32, 0, 32, 32);
    column->setSpacing(24);
    auto* rows = new QVBoxLayout;
    rows->setSpacing(8);
    for (MilestoneFrequency frequency : MilestoneFrequencies::allCases) {
        auto* row = new MilestoneFrequencyRow(frequency, true, phase);
        connect(row, &QPushButton::clicked, this, [this, frequency] { toggleFrequency(frequency); });
        frequencyRows_.push_back(row);
        rows->addWidget(row);
    }
    column->addLayout(rows);

    auto* buttonBox = new QWidget(phase);
    buttonBox->setObjectName(QStringLiteral("phaseButtons"));
    auto* buttons = new QHBoxLayout(buttonBox);
    buttons->setContentsMargins(0, 0, 0, 0);
    auto* cancel = new QPushButton(tr("Cancel"), phase);
    cancel->setObjectName(QStringLiteral("sheetCancel"));
    FocusAfter::markAction(cancel, FocusAfter::Action::deletes);
    GoalDetailStyle::styleTextButton(cancel, GoalDetailStyle::themeFont(13, QFont::Medium),
                                     GoalDetailStyle::textSecondary());
    connect(cancel, &QPushButton::clicked, this, &AddMilestoneSheet::dismiss);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    continue_ = new QPushButton(Text::literalMnemonics(tr("Save & Continue")), phase);
    continue_->setObjectName(QStringLiteral("saveAndContinue"));
    connect(continue_, &QPushButton::clicked, this, [this] {
        if (selectedFrequency_)
            showPhase(true);
    });
    buttons->addWidget(continue_);
    column->addWidget(buttonBox);
    return phase;
}

QWidget* AddMilestoneSheet::buildPhase2() {
    auto* phase = new QWidget(this);
    phase->setObjectName(QStringLiteral("phase2"));
    auto* column = new QVBoxLayout(phase);
    column->setContentsMargins(32, 0, 32, 32);
    column->setSpacing(16);

    auto* chip = new QFrame(phase);
    chip->setObjectName(QStringLiteral("frequencyChip"));
    chip->setStyleSheet(QStringLiteral("QFrame#frequencyChip { background: %1; border-radius: 13px; }")
                            .arg(Theme::css(GoalDetailStyle::backgroundTertiary())));
    auto* chipRow = new QHBoxLayout(chip);
    chipRow->setContentsMargins(16, 6, 16, 6);
    chipRow->setSpacing(8);
    chipIcon_ = new QLabel(chip);
    chipText_ = new QLabel(chip);
    chipText_->setObjectName(QStringLiteral("frequencyChipText"));
    chipRow->addWidget(chipIcon_);
    chipRow->addWidget(chipText_);
    column->addWidget(chip, 0, Qt::AlignLeft);

    stepList_ = new QWidget(phase);
    stepRows_ = new QVBoxLayout(stepList_);
    stepRows_->setContentsMargins(0, 0, 0, 0);
    stepRows_->setSpacing(4);
    column->addWidget(stepList_);

    builder_ = new AddMilestoneStepBuilder(goalColor_, phase);
    connect(builder_, &AddMilestoneStepBuilder::titleEdited, this, [this](const QString& text) {
        if (PendingStep* step = draft()) {
            step->title = text;
            if (QLabel* label = rowTitles_.value(step->id)) {
                label->setText(text.isEmpty() ? tr("Unnamed step") : text);
                GoalDetailStyle::styleLabel(label, GoalDetailStyle::themeFont(13),
                                            text.isEmpty() ? GoalDetailStyle::textMuted()
                                                           : GoalDetailStyle::textPrimary());
            }
        }
    });
    connect(builder_, &AddMilestoneStepBuilder::inputTypeChosen, this, [this](StepInputType type) {
        if (PendingStep* step = draft()) {
            step->inputType = type;
            rebuildStepRows();
        }
    });
    connect(builder_, &AddMilestoneStepBuilder::cancelRequested, this, [this] { closeBuilder(true); });
    connect(builder_, &AddMilestoneStepBuilder::confirmRequested, this, [this] { closeBuilder(false); });
    column->addWidget(builder_);

    addStep_ = new QPushButton(tr("+ Add step"), phase);
    addStep_->setObjectName(QStringLiteral("addPendingStep"));
    addStep_->setFont(GoalDetailStyle::themeFont(13, QFont::Medium));
    addStep_->setIcon(GoalDetailStyle::symbol(QStringLiteral("plus.circle"), goalColor_));
    addStep_->setIconSize(QSize(GoalDetailStyle::symbolPixels(14), GoalDetailStyle::symbolPixels(14)));
    addStep_->setCursor(Qt::PointingHandCursor);
    addStep_->setStyleSheet(QStringLiteral("QPushButton#addPendingStep { color: %1; background: %2;"
                                           " border: 1px solid %3; border-radius: 12px; padding: 16px; }")
                                .arg(Theme::css(goalColor_),
                                     Theme::css(GoalDetailStyle::withAlpha(goalColor_, 0.08)),
                                     Theme::css(GoalDetailStyle::withAlpha(goalColor_, 0.2))));
    connect(addStep_, &QPushButton::clicked, this, &AddMilestoneSheet::openBuilder);
    column->addWidget(addStep_);
    column->addSpacing(16);

    auto* buttonBox = new QWidget(phase);
    buttonBox->setObjectName(QStringLiteral("phaseButtons"));
    auto* buttons = new QHBoxLayout(buttonBox);
    buttons->setContentsMargins(0, 0, 0, 0);
    auto* back = new QPushButton(tr("Back"), phase);
    back->setObjectName(QStringLiteral("sheetBack"));
    GoalDetailStyle::styleTextButton(back, GoalDetailStyle::themeFont(13, QFont::Medium),
                                     GoalDetailStyle::textSecondary());
    connect(back, &QPushButton::clicked, this, [this] { showPhase(false); });
    buttons->addWidget(back);
    buttons->addStretch(1);
    auto* saveButton = new QPushButton(tr("Save Milestone"), phase);
    saveButton->setObjectName(QStringLiteral("saveMilestone"));
    saveButton->setCursor(Qt::PointingHandCursor);
    styleFilledButton(saveButton, Qt::white, goalColor_);
    connect(saveButton, &QPushButton::clicked, this, &AddMilestoneSheet::save);
    buttons->addWidget(saveButton);
    column->addWidget(buttonBox);
    return phase;
}

void AddMilestoneSheet::toggleFrequency(MilestoneFrequency frequency) {
    // Choosing the selected row again takes the choice back.
    if (selectedFrequency_ == frequency)
        selectedFrequency_.reset();
    else
        selectedFrequency_ = frequency;
    refresh();
}

void AddMilestoneSheet::showPhase(bool second) {
    frequencySaved_ = second;
    refresh();
    if (second && draftId_)
        builder_->focusTitle();
}

void AddMilestoneSheet::openBuilder() {
    PendingStep step = PendingStep::blank();
    draftId_ = step.id;
    pendingSteps_.push_back(step);
    rebuildStepRows();
    refresh();
    builder_->focusTitle();
}

void AddMilestoneSheet::closeBuilder(bool dropDraft) {
    if (dropDraft && draftId_)
        removeStep(*draftId_);
    draftId_.reset();
    refresh();
}

void AddMilestoneSheet::removeStep(const QUuid& id) {
    pendingSteps_.erase(std::remove_if(pendingSteps_.begin(), pendingSteps_.end(),
                                       [&](const PendingStep& s) { return s.id == id; }),
                        pendingSteps_.end());
    // Without its draft the builder has nothing to edit, so it closes.
    if (draftId_ == id)
        draftId_.reset();
    rebuildStepRows();
    refresh();
}

PendingStep* AddMilestoneSheet::draft() {
    if (!draftId_)
        return nullptr;
    auto it = std::find_if(pendingSteps_.begin(), pendingSteps_.end(),
                           [this](const PendingStep& s) { return s.id == *draftId_; });
    return it == pendingSteps_.end() ? nullptr : &*it;
}

void AddMilestoneSheet::rebuildStepRows() {
    // A step removed with its row's button: the keyboard goes on from the builder's title, or
    // else from "+ Add step", never from a neighbour's Remove.
    FocusAfter::handOver(stepList_, draftId_ ? static_cast<QWidget*>(builder_->titleField()) : addStep_);
    rowTitles_.clear();
    while (QLayoutItem* item = stepRows_->takeAt(0)) {
        if (QWidget* w = item->widget()) {
            w->hide();
            w->deleteLater();
        }
        delete item;
    }
    for (const PendingStep& step : pendingSteps_) {
        auto* row = new QFrame(stepList_);
        row->setObjectName(QStringLiteral("pendingStepRow"));
        row->setStyleSheet(QStringLiteral("QFrame#pendingStepRow { background: %1; border-radius: 8px; }")
                               .arg(Theme::css(GoalDetailStyle::backgroundTertiary())));
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(8, 8, 8, 8);
        line->setSpacing(8);
        auto* icon = new QLabel(row);
        icon->setFixedWidth(20);
        icon->setAlignment(Qt::AlignCenter);
        icon->setPixmap(GoalDetailStyle::symbolPixmap(rowIcon(step.inputType), goalColor_, 13));
        icon->setProperty("symbolName", rowIcon(step.inputType));
        line->addWidget(icon);
        auto* title = new QLabel(row);
        title->setObjectName(QStringLiteral("pendingStepTitle"));
        GoalDetailStyle::styleLabel(title, GoalDetailStyle::themeFont(13),
                                    step.title.isEmpty() ? GoalDetailStyle::textMuted()
                                                         : GoalDetailStyle::textPrimary());
        title->setText(step.title.isEmpty() ? tr("Unnamed step") : step.title);
        line->addWidget(title, 1);
        auto* remove = new QToolButton(row);
        remove->setObjectName(QStringLiteral("pendingStepRemove"));
        remove->setToolTip(tr("Remove"));
        FocusAfter::markAction(remove, FocusAfter::Action::deletes);
        GoalDetailStyle::styleSymbolButton(remove, QStringLiteral("xmark"), GoalDetailStyle::textMuted(), 10);
        const QUuid id = step.id;
        connect(remove, &QToolButton::clicked, this, [this, id] { removeStep(id); });
        line->addWidget(remove);
        rowTitles_.insert(step.id, title);
        stepRows_->addWidget(row);
        row->show();
    }
}

void AddMilestoneSheet::refresh() {
    title_->setText(frequencySaved_ ? tr("Add Action Steps") : tr("Check-in Schedule"));
    subtitle_->setText(frequencySaved_ ? tr("What specific actions will you take for this check-in?")
                                       : tr("How often should this appear on your calendar?"));
    phase1Frame_->setVisible(!frequencySaved_);
    phase2Frame_->setVisible(frequencySaved_);

    for (MilestoneFrequencyRow* row : frequencyRows_)
        row->setSelected(selectedFrequency_ == row->frequency());
    continue_->setEnabled(selectedFrequency_.has_value());
    continue_->setCursor(selectedFrequency_ ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (selectedFrequency_)
        styleFilledButton(continue_, Qt::white, goalColor_);
    else
        styleFilledButton(continue_, GoalDetailStyle::textMuted(), GoalDetailStyle::backgroundTertiary());

    if (selectedFrequency_) {
        const QColor color = GoalDetailStyle::frequencyColor(*selectedFrequency_);
        chipIcon_->setPixmap(
            GoalDetailStyle::symbolPixmap(GoalDetailStyle::frequencyIcon(*selectedFrequency_), color, 12));
        GoalDetailStyle::styleLabel(chipText_, GoalDetailStyle::themeFont(12, QFont::Medium), color);
        chipText_->setText(MilestoneFrequencies::rawValue(*selectedFrequency_));
    } else {
        chipIcon_->setPixmap(GoalDetailStyle::symbolPixmap(QStringLiteral("target"), goalColor_, 12));
        GoalDetailStyle::styleLabel(chipText_, GoalDetailStyle::themeFont(12, QFont::Medium),
                                    GoalDetailStyle::textMuted());
        chipText_->setText(tr("No type"));
    }

    stepList_->setVisible(!pendingSteps_.empty());
    // The part that shows takes the focus of the one that hides: the new step's title after
    // "+ Add step"; "+ Add step" again after a step is added or dropped, so the next Return
    // starts another step and never lands on a Remove.
    const bool adding = draftId_.has_value();
    QWidget* shown = adding ? static_cast<QWidget*>(builder_) : addStep_;
    QWidget* hidden = adding ? static_cast<QWidget*>(addStep_) : builder_;
    shown->setVisible(true);
    FocusAfter::handOver(hidden, adding ? static_cast<QWidget*>(builder_->titleField()) : addStep_);
    hidden->setVisible(false);
    if (const PendingStep* step = draft())
        builder_->load(step->title, step->inputType);
}

void AddMilestoneSheet::save() {
    if (finished_)
        return;
    // Titles go as typed, blanks included; only entries left empty are dropped.
    std::vector<PendingStep> steps;
    std::copy_if(pendingSteps_.begin(), pendingSteps_.end(), std::back_inserter(steps),
                 [](const PendingStep& s) { return !s.title.isEmpty(); });
    const QString title = selectedFrequency_ ? MilestoneFrequencies::rawValue(*selectedFrequency_)
                                             : QStringLiteral("Milestone");
    if (onAdd_ && !onAdd_(title, selectedFrequency_, steps))
        return;
    finished_ = true;
    emit dismissRequested();
}

void AddMilestoneSheet::dismiss() {
    if (finished_)
        return;
    finished_ = true;
    emit dismissRequested();
}
