#include "Views/Goals/AddStepView.h"

#include "Components/FocusAfter.h"
#include "Components/KeyboardLayer.h"
#include "Components/SheetHost.h"
#include "Models/GoalPriority.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Goals/GoalDetailStyle.h"
#include "Views/Goals/StepInputTypeChoice.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

AddStepView::AddStepView(std::shared_ptr<Milestone> milestone, QColor goalColor, AddAction onAdd,
                         QWidget* parent)
    : QWidget(parent), milestone_(std::move(milestone)), goalColor_(goalColor), onAdd_(std::move(onAdd)) {
    setObjectName(QStringLiteral("addStepView"));
    // The gaps give way before the sheet outgrows its frame (see SheetHost::addGap).
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(0);

    auto* header = new QHBoxLayout;
    auto* heading = new QLabel(tr("Add Step"), this);
    GoalDetailStyle::styleLabel(heading, GoalDetailStyle::themeFont(20, QFont::Bold),
                                GoalDetailStyle::textPrimary());
    header->addWidget(heading);
    header->addStretch(1);
    auto* close = new QToolButton(this);
    close->setObjectName(QStringLiteral("sheetClose"));
    close->setToolTip(tr("Close"));
    GoalDetailStyle::styleSymbolButton(close, QStringLiteral("xmark.circle.fill"),
                                       GoalDetailStyle::textMuted(), 20);
    connect(close, &QToolButton::clicked, this, &AddStepView::dismiss);
    header->addWidget(close);
    column->addLayout(header);
    SheetHost::addGap(column, 32, 16);

    column->addWidget(buildTypeChoice());
    SheetHost::addGap(column, 32, 16);

    titleField_ = new QLineEdit(this);
    titleField_->setObjectName(QStringLiteral("stepTitleField"));
    titleField_->setAccessibleName(tr("Step title"));
    titleField_->setPlaceholderText(tr("Step title..."));
    StepInputTypeChoice::styleTitleField(titleField_, GoalDetailStyle::themeFont(15, QFont::Medium));
    connect(titleField_, &QLineEdit::textChanged, this, [this](const QString& text) {
        title_ = text;
        refreshChoices();
    });
    // Return in the title neither adds the step nor closes the sheet: a step is added only
    // by its button.
    KeyboardLayer::keepReturn(titleField_);
    column->addWidget(titleField_);
    SheetHost::addGap(column, 32, 16);

    column->addWidget(buildPriorityChips());
    SheetHost::addGap(column, 32, 16);

    auto* footer = new QHBoxLayout;
    footer->setContentsMargins(0, 8, 0, 0);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("sheetCancel"));
    FocusAfter::markAction(cancel, FocusAfter::Action::deletes);
    GoalDetailStyle::styleTextButton(cancel, font(), GoalDetailStyle::textSecondary());
    connect(cancel, &QPushButton::clicked, this, &AddStepView::dismiss);
    footer->addWidget(cancel);
    footer->addStretch(1);
    addButton_ = new QPushButton(tr("Add Step"), this);
    addButton_->setObjectName(QStringLiteral("addStepConfirm"));
    connect(addButton_, &QPushButton::clicked, this, &AddStepView::submit);
    footer->addWidget(addButton_);
    column->addLayout(footer);
    column->addStretch(1);

    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);
    refreshChoices();
    titleField_->setFocus();
}

QWidget* AddStepView::buildTypeChoice() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    auto* label = new QLabel(tr("Type"), box);
    GoalDetailStyle::styleLabel(label, GoalDetailStyle::themeFont(12, QFont::Medium),
                                GoalDetailStyle::textSecondary());
    column->addWidget(label);
    types_ = new StepInputTypeChoice(goalColor_, QStringLiteral("inputTypeButton"), box);
    connect(types_, &StepInputTypeChoice::chosen, this, [this](StepInputType type) { inputType_ = type; });
    column->addWidget(types_);
    return box;
}

QWidget* AddStepView::buildPriorityChips() {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    for (GoalPriority priority : GoalPriorities::allCases) {
        auto* chip = new QPushButton(GoalDetailStyle::priorityLabel(priority), box);
        chip->setObjectName(QStringLiteral("priorityChip"));
        chip->setProperty("priority", int(GoalPriorities::rawValue(priority)));
        chip->setCursor(Qt::PointingHandCursor);
        connect(chip, &QPushButton::clicked, this, [this, priority] {
            priority_ = GoalPriorities::rawValue(priority);
            refreshChoices();
        });
        priorityChips_.push_back(chip);
        row->addWidget(chip);
    }
    row->addStretch(1);
    return box;
}

void AddStepView::refreshChoices() {
    for (QPushButton* chip : priorityChips_) {
        const auto priority =
            GoalPriorities::fromRaw(chip->property("priority").toInt()).value_or(GoalPriority::medium);
        const bool selected = GoalPriorities::rawValue(priority) == priority_;
        const QColor color = GoalDetailStyle::priorityColor(priority);
        chip->setFont(GoalDetailStyle::themeFont(12, QFont::Medium));
        chip->setStyleSheet(
            QStringLiteral("QPushButton#priorityChip { color: %1; background: %2; border: none;"
                           " border-radius: 11px; padding: 4px 16px; }")
                .arg(Theme::css(selected ? color : GoalDetailStyle::textSecondary()),
                     Theme::css(selected ? GoalDetailStyle::withAlpha(color, 0.15)
                                         : GoalDetailStyle::backgroundTertiary())));
        chip->setProperty("selected", selected);
    }
    // Blanks count as a title; only an empty field keeps the step from being added.
    const bool canAdd = !title_.isEmpty();
    addButton_->setEnabled(canAdd);
    GoalDetailStyle::styleTextButton(addButton_, GoalDetailStyle::themeFont(14, QFont::Medium),
                                     canAdd ? goalColor_ : GoalDetailStyle::textMuted());
}

void AddStepView::submit() {
    if (finished_ || title_.isEmpty())
        return;
    if (onAdd_ && !onAdd_(title_, notes_.isEmpty() ? std::nullopt : std::optional<QString>(notes_), priority_,
                          inputType_))
        return;
    finished_ = true;
    emit dismissRequested();
}

void AddStepView::dismiss() {
    if (finished_)
        return;
    finished_ = true;
    emit dismissRequested();
}
