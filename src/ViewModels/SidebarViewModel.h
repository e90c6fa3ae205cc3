#pragma once

#include <QObject>

#include <memory>
#include <vector>

class Goal;
class LiveFetch;
class ObjectContext;

// The sidebar's goals: the active ones, oldest created first, following the store as they
// and the figures their rows show change.
class SidebarViewModel : public QObject {
    Q_OBJECT
public:
    explicit SidebarViewModel(ObjectContext* context, QObject* parent = nullptr);
    ~SidebarViewModel() override;

    std::vector<std::shared_ptr<Goal>> goals() const;
    // The longest streak among the active goals; 0 without any.
    int bestStreak() const;

signals:
    void goalsChanged();

private:
    LiveFetch* goals_;
};
