#pragma once

#include <QObject>

#include <memory>
#include <vector>

class Goal;
class ObjectContext;
class Step;

// Sorts the steps of every goal, or of one chosen goal, into three board columns. The
// columns keep the query order: priority high to low, then oldest first.
class TaskBoardViewModel : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 inProgressWindowSecs = 7 * 24 * 60 * 60;
    static constexpr std::size_t inProgressLimit = 5;

    explicit TaskBoardViewModel(ObjectContext* context, QObject* parent = nullptr);

    const std::vector<std::shared_ptr<Step>>& todoSteps() const { return todoSteps_; }
    const std::vector<std::shared_ptr<Step>>& inProgressSteps() const { return inProgressSteps_; }
    const std::vector<std::shared_ptr<Step>>& completedSteps() const { return completedSteps_; }

    // Shows only that goal's steps (or every goal's, with none) from the next refresh on.
    void setSelectedGoalFilter(std::shared_ptr<Goal> goal);

    void refresh();
    // One action; false when its save failed and the tick was rolled back.
    bool toggleStep(const std::shared_ptr<Step>& step);
    // The goals a board can be filtered by: the active ones, oldest first.
    static std::vector<std::shared_ptr<Goal>> goals(ObjectContext* context);

signals:
    void changed();

private:
    std::vector<std::shared_ptr<Step>> todoSteps_;
    std::vector<std::shared_ptr<Step>> inProgressSteps_;
    std::vector<std::shared_ptr<Step>> completedSteps_;
    std::shared_ptr<Goal> selectedGoalFilter_;
    ObjectContext* const context_;
};
