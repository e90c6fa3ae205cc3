#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class Goal;
struct ArchivedGoalText;
struct GoalCardText;
struct GoalRowText;
class LiveFetch;
class ObjectContext;

// State of the goals screen: the category filter, the sort choice, the search text and the
// create-sheet flag, the live lists of active and achieved goals, and the writes the screen
// makes to a goal (achieve, restore, delete). The goal detail uses its screen's one (or its
// own, over the dashboard) to achieve its goal and to hand its context to the goal editor, so
// the live lists are built on first use.
class GoalsViewModel : public QObject {
    Q_OBJECT
public:
    enum class SortOrder { deadline, priority, progress, title, newest };
    static constexpr std::array<SortOrder, 5> allSortOrders{
        SortOrder::deadline, SortOrder::priority, SortOrder::progress, SortOrder::title, SortOrder::newest};
    static QString rawValue(SortOrder order); // also the menu label
    static std::optional<SortOrder> sortOrderFromRaw(const QString& raw);

    explicit GoalsViewModel(ObjectContext* context, QObject* parent = nullptr);
    ~GoalsViewModel() override;

    ObjectContext* context() const { return context_; }

    QString filterCategory() const { return filterCategory_; }
    void setFilterCategory(const QString& category);
    SortOrder sortOrder() const { return sortOrder_; }
    void setSortOrder(SortOrder order);
    bool showCreateGoal() const { return showCreateGoal_; }
    void setShowCreateGoal(bool show);
    QString searchText() const { return searchText_; }
    void setSearchText(const QString& text);

    // "All" followed by the distinct categories of the active goals, in code-point order.
    QStringList categories() const;

    // Newest created first.
    std::vector<std::shared_ptr<Goal>> activeGoals();
    std::vector<std::shared_ptr<Goal>> archivedGoals();
    // The active goals that pass the search and the category filter, in the chosen order.
    std::vector<std::shared_ptr<Goal>> filteredGoals();

    // The lists as the screen holds them: goal ids, in the order shown. A row names its goal
    // by id and asks for its values as it comes into view, so a long list never builds them all.
    std::vector<qint64> filteredGoalIDs();
    std::vector<qint64> archivedGoalIDs();
    // The listed goal (active or achieved) of that id; null once it is deleted or no longer
    // listed. For the goal detail, which works on the record itself.
    std::shared_ptr<Goal> goalWithID(qint64 goalID);
    // The listed goal's title as the alerts name it ("Untitled Goal" while it has none);
    // nothing once it is gone.
    std::optional<QString> title(qint64 goalID);

    // What the listed goal's row and card show, as of the clock's now; empty values (goal id 0,
    // whose actions do nothing) once it is gone.
    GoalRowText rowText(qint64 goalID, bool masked);
    GoalCardText cardText(qint64 goalID, bool masked);
    ArchivedGoalText archivedText(qint64 goalID);

    // Writes; each is one action saved at once. False when the save failed (the action was
    // rolled back and the lists show what is stored).
    bool deleteGoal(const std::shared_ptr<Goal>& goal); // its milestones, steps and journal go too
    bool achieveGoal(const std::shared_ptr<Goal>& goal);
    bool restoreGoal(const std::shared_ptr<Goal>& goal);
    // The same for a listed goal named by its id. A goal gone since its row was bound is left
    // alone: nothing is saved and no failure is reported (false).
    bool deleteGoal(qint64 goalID);
    bool achieveGoal(qint64 goalID);
    bool restoreGoal(qint64 goalID);

    // Whether the goal's title (or "Untitled Goal") holds the search text, ignoring case.
    static bool matchesSearch(const Goal& goal, const QString& searchText);
    // Orders goals already listed newest first; ties keep that order.
    static void sortGoals(std::vector<std::shared_ptr<Goal>>& goals, SortOrder order);

signals:
    void filterCategoryChanged();
    void sortOrderChanged();
    void showCreateGoalChanged();
    void searchTextChanged();
    void goalsChanged(); // either live list changed

private:
    void ensureLists();

    ObjectContext* context_;
    QString filterCategory_ = QStringLiteral("All");
    SortOrder sortOrder_ = SortOrder::newest;
    bool showCreateGoal_ = false;
    QString searchText_;
    LiveFetch* active_ = nullptr;
    LiveFetch* archived_ = nullptr;
    bool listsRerunning_ = false;
    bool listsChanged_ = false;
};
