#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>

#include <map>
#include <memory>
#include <vector>

class Goal;
class ObjectContext;

// The sidebar's goals: the active ones, oldest created first, following the store as they
// and the figures their rows show change. The sidebar shows a screenful of them, so this
// never holds them all: it counts them in the store and fetches pages of goals as the rows
// in view ask for them, keeping the last few pages read.
class SidebarViewModel : public QObject {
    Q_OBJECT
public:
    explicit SidebarViewModel(ObjectContext* context, QObject* parent = nullptr);
    ~SidebarViewModel() override;

    static constexpr int kPageSize = 32;

    // How many goals are active.
    int count() const { return count_; }
    // The goal at index, 0 the oldest; null past the end.
    std::shared_ptr<Goal> goalAt(int index);
    // The longest streak among the active goals; 0 without any.
    int bestStreak() const { return bestStreak_; }

signals:
    void goalsChanged();

private:
    void storeChanged(const QSet<QString>& entityNames);
    // Counts again and reads the kept pages again.
    void reload();
    const std::vector<std::shared_ptr<Goal>>& page(int number);
    std::vector<std::shared_ptr<Goal>> fetchPage(int number) const;
    size_t digest() const;

    QPointer<ObjectContext> context_; // the sidebar may outlive the store it followed
    int count_ = 0;
    int bestStreak_ = 0;
    std::map<int, std::vector<std::shared_ptr<Goal>>> pages_;
    size_t lastDigest_ = 0;
};
