#pragma once

#include <QWidget>

#include <map>
#include <memory>
#include <vector>

struct AppEnvironment;
class AppViewModel;
class CalendarAddTaskBar;
class CalendarChip;
class ChoiceGroup;
class CalendarMilestoneCard;
class CalendarMonthColumn;
class CalendarTaskRow;
class CalendarToast;
class CalendarToastSequence;
class CalendarViewModel;
class QHBoxLayout;
class QLabel;
class QScrollArea;
class QVBoxLayout;
class TaskCategory;

// The calendar destination: the month on the left; on the right the chosen day with its
// tasks (filtered by category, added through the add-task bar), the bills due and the goal
// milestones that come round that day, and the carry-forward toast. It owns the visit's
// calendar model; every write goes through one of the model's operations.
class CalendarPageView : public QWidget {
    Q_OBJECT
public:
    // Milestone cards made at a time.
    static constexpr std::size_t kCardBatch = 6;
    // Task rows made at a time: more come as the end of those made nears the view's bottom.
    static constexpr std::size_t kTaskBatch = 8;

    explicit CalendarPageView(const AppEnvironment& env, QWidget* parent = nullptr);
    ~CalendarPageView() override;

    CalendarViewModel* viewModel() const { return viewModel_; }
    CalendarMonthColumn* monthColumn() const { return monthColumn_; }
    CalendarAddTaskBar* addTaskBar() const { return addBar_; }
    CalendarToast* toast() const { return toast_; }
    const std::shared_ptr<TaskCategory>& filterCategory() const { return filterCategory_; }
    std::vector<CalendarTaskRow*> taskRows() const;
    std::vector<CalendarMilestoneCard*> milestoneCards() const;

    // The "+" of the tasks header: opens or closes the add-task bar, keeping what it holds.
    void toggleAddTask();
    void setFilter(const std::shared_ptr<TaskCategory>& category);

private:
    QWidget* buildDayColumn();
    QWidget* buildTasksSection();
    QWidget* buildBillsSection();
    QWidget* buildGoalsSection();
    QWidget* buildEmptyDay();
    void dayChanged();
    void renderHeader();
    void renderFilter();
    void renderTasks();
    void renderBills();
    void renderMilestones();
    void renderEmptyStates();
    void makeMoreIfNearEnd();
    void showToast();

    CalendarViewModel* viewModel_;
    AppViewModel* appViewModel_;
    CalendarToastSequence* toastSequence_;
    std::shared_ptr<TaskCategory> filterCategory_;

    CalendarMonthColumn* monthColumn_ = nullptr;
    QLabel* dateLabel_ = nullptr;
    QLabel* summary_ = nullptr;
    QWidget* filterRow_ = nullptr;
    QHBoxLayout* filterChips_ = nullptr;
    std::vector<CalendarChip*> filterChipList_;
    ChoiceGroup* filterGroup_ = nullptr;
    CalendarAddTaskBar* addBar_ = nullptr;
    QVBoxLayout* taskList_ = nullptr;
    QLabel* emptyTasks_ = nullptr;
    std::map<qint64, CalendarTaskRow*> taskRows_;
    std::size_t taskLimit_ = kTaskBatch;
    std::size_t shownTasks_ = 0; // the day's tasks that pass the filter, made into rows or not
    QWidget* billsSection_ = nullptr;
    QVBoxLayout* billList_ = nullptr;
    std::vector<QWidget*> billRows_;
    QWidget* goalsSection_ = nullptr;
    QVBoxLayout* cardList_ = nullptr;
    std::map<qint64, CalendarMilestoneCard*> cards_;
    QWidget* emptyDay_ = nullptr;
    QScrollArea* dayScroll_ = nullptr;
    std::size_t cardLimit_ = kCardBatch;
    CalendarToast* toast_ = nullptr;
};
