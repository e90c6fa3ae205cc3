#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>

#include <memory>

class Goal;
struct SidebarGoalText;
class ObjectContext;
class PagedFetch;

// The sidebar's goals: the active ones, oldest created first, following the store as they
// and the figures their rows show change. The sidebar shows a screenful of them, so this
// never holds them all: they are counted in the store and read a page at a time as the rows
// in view ask for them.
class SidebarViewModel : public QObject {
    Q_OBJECT
public:
    explicit SidebarViewModel(ObjectContext* context, QObject* parent = nullptr);
    ~SidebarViewModel() override;

    // How many goals are active.
    int count() const;
    // The goal at index, 0 the oldest; null past the end.
    std::shared_ptr<Goal> goalAt(int index);
    // What the item of the goal at index shows, masked when its id is among these; a text
    // with no goal past the end.
    SidebarGoalText itemAt(int index, const QSet<qint64>& hiddenGoalIDs);
    // The longest streak among the active goals; 0 without any.
    int bestStreak() const { return bestStreak_; }

signals:
    void goalsChanged();

private:
    void readBestStreak();

    QPointer<ObjectContext> context_; // the sidebar may outlive the store it followed
    PagedFetch* goals_;
    int bestStreak_ = 0;
};
