#pragma once

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QString>

#include <memory>
#include <vector>

class Goal;
class LiveFetch;
class ObjectContext;

// The dashboard's figures over the active goals (how many, finished, still open, their mean
// progress and the best streak) and a motivational quote, plus the live list of active goals
// its cards follow. The figures are a snapshot taken at creation (unless the creator asks for
// them later: they read every goal's progress) and at each refresh(); the goal list follows
// the store at once.
class DashboardViewModel : public QObject {
    Q_OBJECT
public:
    struct Quote {
        QString text;
        QString author;
        // The eight quotes the dashboard draws from.
        static const std::vector<Quote>& all();
        bool operator==(const Quote&) const = default;
    };

    static constexpr int kMaxGoalCards = 6;

    enum class Figures { atCreation, onRefresh };
    explicit DashboardViewModel(ObjectContext* context, QObject* parent = nullptr,
                                Figures figures = Figures::atCreation);
    ~DashboardViewModel() override;

    int totalGoals() const { return totalGoals_; }
    int completedGoals() const { return completedGoals_; }
    int activeGoals() const { return activeGoals_; }
    double overallProgress() const { return overallProgress_; }
    int currentStreak() const { return currentStreak_; }
    const Quote& motivationalQuote() const { return motivationalQuote_; }

    // Fetches the active goals again, recomputes every figure and draws a new quote.
    void refresh();

    // Active goals, newest created first, as the store holds them now.
    std::vector<std::shared_ptr<Goal>> goals() const;
    // The goals the dashboard shows as cards: the newest ones that are not hidden, at most six.
    std::vector<std::shared_ptr<Goal>> cardGoals(const QSet<qint64>& hiddenGoalIDs) const;

    // "Good Morning" before noon, "Good Afternoon" until 17:00, then "Good Evening".
    static QString greeting(const QDateTime& at);
    // The date line under the greeting, "Tuesday, March 10" in English.
    static QString dateText(const QDateTime& at);
    // The best streak as its card shows it: "12d", or an em dash when there is none.
    static QString streakCardText(int streak);

signals:
    // refresh() published new figures and a new quote.
    void figuresChanged();
    // The live goal list changed.
    void goalsChanged();

private:
    ObjectContext* context_;
    LiveFetch* goals_;
    int totalGoals_ = 0;
    int completedGoals_ = 0;
    int activeGoals_ = 0;
    double overallProgress_ = 0;
    int currentStreak_ = 0;
    Quote motivationalQuote_;
};
