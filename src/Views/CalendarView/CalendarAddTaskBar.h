#pragma once

#include "Models/TaskRepeatFrequency.h"

#include "Views/CalendarView/CalendarPopover.h"

#include <QDateTime>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class CalendarChip;
class ChoiceGroup;
class CalendarIconButton;

class CalendarViewModel;
class DatePickerField;
class QHBoxLayout;
class QLineEdit;
class SymbolIcon;
class TaskCategory;

// The bar that adds a task to the chosen day: its title, a category (or a new one made on the
// spot), and a repetition with its last day. Hiding the bar keeps what was chosen; Add and
// Cancel start it afresh, and a task that could not be stored keeps what was typed.
class CalendarAddTaskBar : public QWidget {
    Q_OBJECT
public:
    // repeatUntil is the default last day of a repetition, taken once per page.
    CalendarAddTaskBar(CalendarViewModel* viewModel, const QDateTime& repeatUntil, QWidget* parent = nullptr);
    ~CalendarAddTaskBar() override;

    QLineEdit* titleField() const { return titleField_; }
    const std::shared_ptr<TaskCategory>& selectedCategory() const { return selectedCategory_; }
    QDateTime repeatUntil() const { return repeatUntil_; }
    DatePickerField* repeatUntilPicker() const { return untilPicker_; }
    CalendarPopover* categoryPopover() const { return popover_; }

    void add();
    void cancel();
    void chooseCategory(const std::shared_ptr<TaskCategory>& category);
    void chooseRepeat(TaskRepeatFrequency frequency);
    void openNewCategory();
    // The chosen day moved: an end of repetition before it is moved after it.
    void dayChanged();

signals:
    // Add or Cancel finished with the bar; the page closes it.
    void finished();

private:
    QWidget* buildTitleRow();
    QWidget* buildCategoryRow();
    QWidget* buildRepeatRow();
    void rebuildCategoryChips();
    void reset();
    void keepEndAfterChosenDay();
    void updateChrome();

    CalendarViewModel* viewModel_;
    std::shared_ptr<TaskCategory> selectedCategory_;
    std::optional<TaskRepeatFrequency> selectedRepeat_;
    QDateTime repeatUntil_;
    QString newCategoryName_;
    QString newCategoryColorHex_;
    QPointer<CalendarPopover> popover_;
    bool syncingPicker_ = false;

    QLineEdit* titleField_ = nullptr;
    CalendarIconButton* addButton_ = nullptr;
    QHBoxLayout* categoryChips_ = nullptr;
    std::vector<CalendarChip*> categoryChipList_;
    CalendarChip* newChip_ = nullptr;
    SymbolIcon* repeatIcon_ = nullptr;
    std::vector<CalendarChip*> repeatChips_;
    // The categories and the repetitions are a group of choices each: one Tab stop, arrows inside.
    ChoiceGroup* categoryGroup_ = nullptr;
    ChoiceGroup* repeatGroup_ = nullptr;
    DatePickerField* untilPicker_ = nullptr;
};
