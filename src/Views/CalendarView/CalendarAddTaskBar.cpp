#include "Views/CalendarView/CalendarAddTaskBar.h"

#include "Components/BareScrollArea.h"
#include "Components/ChoiceGroup.h"
#include "Components/DatePickerField.h"
#include "Components/FocusAfter.h"
#include "Components/ScreenStyle.h"
#include "Components/SymbolIcon.h"
#include "Components/UnsavedText.h"
#include "Models/TaskCategory.h"
#include "Platform/CalendarHelpers.h"
#include "Platform/Clock.h"
#include "ViewModels/CalendarViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/CalendarView/CalendarChip.h"
#include "Views/CalendarView/CalendarIconButton.h"
#include "Views/CalendarView/CalendarPopover.h"
#include "Views/CalendarView/CalendarStyle.h"
#include "Views/CalendarView/NewCategoryPopover.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QString kDefaultCategoryHex = QStringLiteral("#8B5CF6");

} // namespace

CalendarAddTaskBar::CalendarAddTaskBar(CalendarViewModel* viewModel, const QDateTime& repeatUntil,
                                       QWidget* parent)
    : QWidget(parent), viewModel_(viewModel), repeatUntil_(repeatUntil),
      newCategoryColorHex_(kDefaultCategoryHex) {
    setObjectName(QStringLiteral("addTaskBar"));
    categoryGroup_ = new ChoiceGroup(this);
    repeatGroup_ = new ChoiceGroup(this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(buildTitleRow());
    column->addWidget(buildCategoryRow());
    column->addWidget(buildRepeatRow());
    connect(viewModel_, &CalendarViewModel::categoriesChanged, this,
            &CalendarAddTaskBar::rebuildCategoryChips);
    rebuildCategoryChips();
    updateChrome();
}

CalendarAddTaskBar::~CalendarAddTaskBar() {
    if (popover_)
        popover_->dismiss();
}

QWidget* CalendarAddTaskBar::buildTitleRow() {
    auto* row = new QWidget;
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(8);
    titleField_ = new QLineEdit;
    UnsavedText::watch(titleField_);
    titleField_->setObjectName(QStringLiteral("newTaskField"));
    titleField_->setAccessibleName(tr("New task"));
    titleField_->setPlaceholderText(tr("New task..."));
    titleField_->setFont(Theme::font(13, QFont::Medium));
    ScreenStyle::styleField(titleField_, Theme::backgroundTertiary(), 8);
    connect(titleField_, &QLineEdit::textChanged, this, &CalendarAddTaskBar::updateChrome);
    line->addWidget(titleField_, 1);
    addButton_ =
        new CalendarIconButton(QStringLiteral("checkmark.circle.fill"), 20, AppTheme::Colors::purple());
    addButton_->setObjectName(QStringLiteral("addTaskButton"));
    addButton_->setAccessibleName(tr("Add task"));
    connect(addButton_, &CalendarIconButton::clicked, this, &CalendarAddTaskBar::add);
    auto* cancel = new CalendarIconButton(QStringLiteral("xmark.circle"), 20, Theme::textMuted());
    cancel->setObjectName(QStringLiteral("cancelTaskButton"));
    FocusAfter::markAction(cancel, FocusAfter::Action::deletes);
    cancel->setAccessibleName(tr("Cancel new task"));
    connect(cancel, &CalendarIconButton::clicked, this, &CalendarAddTaskBar::cancel);
    line->addWidget(addButton_);
    line->addWidget(cancel);
    return row;
}

QWidget* CalendarAddTaskBar::buildCategoryRow() {
    auto* content = new QWidget;
    categoryChips_ = new QHBoxLayout(content);
    categoryChips_->setContentsMargins(2, 0, 2, 0);
    categoryChips_->setSpacing(4);
    newChip_ = new CalendarChip(tr("New"), Theme::font(11, QFont::Medium));
    newChip_->setObjectName(QStringLiteral("newCategoryChip"));
    newChip_->setSymbol(QStringLiteral("plus"), 10);
    newChip_->setColors(Theme::textMuted(), Theme::backgroundTertiary());
    connect(newChip_, &CalendarChip::clicked, this, &CalendarAddTaskBar::openNewCategory);
    categoryChips_->addWidget(newChip_);
    categoryChips_->addStretch(1);
    auto* scroll = BareScrollArea::wrap(content);
    scroll->setObjectName(QStringLiteral("categoryChipRow"));
    scroll->setFixedHeight(newChip_->sizeHint().height() + 2);
    return scroll;
}

QWidget* CalendarAddTaskBar::buildRepeatRow() {
    auto* row = new QWidget;
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(4);
    repeatIcon_ = CalendarStyle::symbol(QStringLiteral("repeat"), 10, Theme::textMuted());
    line->addWidget(repeatIcon_);
    for (TaskRepeatFrequency frequency : TaskRepeatFrequencies::allCases) {
        auto* chip = CalendarStyle::plainChip(TaskRepeatFrequencies::rawValue(frequency));
        chip->setObjectName(QStringLiteral("repeatChip") + TaskRepeatFrequencies::rawValue(frequency));
        connect(chip, &CalendarChip::clicked, this, [this, frequency] { chooseRepeat(frequency); });
        line->addWidget(chip);
        repeatChips_.push_back(chip);
        repeatGroup_->add(chip);
    }
    untilPicker_ = new DatePickerField(repeatUntil_, DatePickerField::Style::Compact, nullptr, 11);
    untilPicker_->setObjectName(QStringLiteral("repeatUntilPicker"));
    ScreenStyle::nameByCaption(untilPicker_, tr("Repeat until"));
    connect(untilPicker_, &DatePickerField::dateTimeChanged, this, [this](const QDateTime& value) {
        // Only the user's picks count: a bound the bar sets must not move the end onto the
        // chosen day itself, where the rule of moving it a month on no longer applies.
        if (!syncingPicker_)
            repeatUntil_ = value;
    });
    line->addWidget(untilPicker_);
    line->addStretch(1);
    return row;
}

void CalendarAddTaskBar::rebuildCategoryChips() {
    categoryGroup_->clear();
    for (CalendarChip* chip : categoryChipList_) {
        CalendarStyle::removeLater(chip);
    }
    categoryChipList_.clear();
    int index = 0;
    for (const auto& category : viewModel_->categories()) {
        auto* chip = CalendarStyle::categoryChip(category);
        connect(chip, &CalendarChip::clicked, this, [this, weak = std::weak_ptr(category)] {
            if (auto category = weak.lock())
                chooseCategory(category);
        });
        categoryChips_->insertWidget(index++, chip);
        categoryChipList_.push_back(chip);
        categoryGroup_->add(chip);
    }
    updateChrome();
}

void CalendarAddTaskBar::chooseCategory(const std::shared_ptr<TaskCategory>& category) {
    const bool same = selectedCategory_ && category && selectedCategory_->objectID() == category->objectID();
    selectedCategory_ = same ? nullptr : category;
    updateChrome();
}

void CalendarAddTaskBar::chooseRepeat(TaskRepeatFrequency frequency) {
    if (selectedRepeat_ == frequency) {
        selectedRepeat_.reset();
    } else {
        selectedRepeat_ = frequency;
        keepEndAfterChosenDay();
    }
    updateChrome();
}

void CalendarAddTaskBar::dayChanged() {
    if (selectedRepeat_)
        keepEndAfterChosenDay();
    updateChrome();
}

void CalendarAddTaskBar::keepEndAfterChosenDay() {
    // A repetition that ends before its first day would never repeat.
    const QDateTime chosen = Calendar::startOfDay(viewModel_->selectedDate());
    if (repeatUntil_.toLocalTime().date() < chosen.toLocalTime().date()) {
        repeatUntil_ = Calendar::addMonths(chosen, 1);
        const QSignalBlocker quiet(untilPicker_);
        untilPicker_->setDateTime(repeatUntil_);
    }
}

void CalendarAddTaskBar::openNewCategory() {
    auto* content = new NewCategoryPopover(newCategoryName_, newCategoryColorHex_);
    popover_ = CalendarPopover::open(newChip_, content, NewCategoryPopover::kWidth);
    connect(content, &NewCategoryPopover::nameEdited, this,
            [this](const QString& name) { newCategoryName_ = name; });
    connect(content, &NewCategoryPopover::colorPicked, this,
            [this](const QString& hex) { newCategoryColorHex_ = hex; });
    connect(content, &NewCategoryPopover::cancelRequested, this, [this] {
        newCategoryName_.clear();
        newCategoryColorHex_ = kDefaultCategoryHex;
        popover_->dismiss();
    });
    connect(content, &NewCategoryPopover::createRequested, this,
            [this](const QString& name, const QString& hex) {
                // A category that could not be stored leaves the form open with what was typed.
                auto category = viewModel_->createCategory(name, hex);
                if (!category)
                    return;
                selectedCategory_ = category;
                newCategoryName_.clear();
                newCategoryColorHex_ = kDefaultCategoryHex;
                popover_->dismiss();
                updateChrome();
            });
}

void CalendarAddTaskBar::add() {
    const QString title = titleField_->text();
    if (title.isEmpty())
        return;
    if (selectedRepeat_)
        keepEndAfterChosenDay();
    const auto until = selectedRepeat_ ? std::optional(repeatUntil_) : std::nullopt;
    if (!viewModel_->addTask(title, std::nullopt, selectedCategory_, selectedRepeat_, until))
        return;
    reset();
    emit finished();
}

void CalendarAddTaskBar::cancel() {
    reset();
    emit finished();
}

void CalendarAddTaskBar::reset() {
    titleField_->clear();
    selectedCategory_.reset();
    selectedRepeat_.reset();
    updateChrome();
}

void CalendarAddTaskBar::updateChrome() {
    addButton_->setEnabled(!titleField_->text().isEmpty());
    categoryGroup_->setChosen(nullptr);
    for (std::size_t i = 0; i < categoryChipList_.size(); ++i) {
        const auto& category = viewModel_->categories().at(i);
        const bool selected = selectedCategory_ && selectedCategory_->objectID() == category->objectID();
        CalendarStyle::markCategoryChip(categoryChipList_[i], *category, selected);
        if (selected)
            categoryGroup_->setChosen(categoryChipList_[i]);
    }
    repeatIcon_->setColor(selectedRepeat_ ? AppTheme::Colors::purple() : Theme::textMuted());
    repeatGroup_->setChosen(nullptr);
    for (std::size_t i = 0; i < repeatChips_.size(); ++i) {
        const bool selected = selectedRepeat_ == TaskRepeatFrequencies::allCases[i];
        CalendarStyle::markPlainChip(repeatChips_[i], selected);
        if (selected)
            repeatGroup_->setChosen(repeatChips_[i]);
    }
    // The end can be neither in the past nor before the chosen day.
    const QDate chosen = viewModel_->selectedDate().toLocalTime().date();
    syncingPicker_ = true;
    untilPicker_->setMinimumDate(std::max(Clock::today(), chosen));
    syncingPicker_ = false;
    untilPicker_->setVisible(selectedRepeat_.has_value());
}
