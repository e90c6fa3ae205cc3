#pragma once

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QString>

#include <memory>
#include <vector>

class Goal;
struct GoalCardText;
class LiveFetch;
class ObjectContext;

// The dashboard's figures over the active goals (how many, finished, still open, their mean
// progress and the best streak) and a motivational quote, plus the few newest active goals its
// cards follow. Nothing here loads every goal: the figures are one aggregate query, taken at
// creation (unless the creator asks for them later) and at each refresh(); the followed goals
// are a short list that follows the store at once.
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

    // Reads every figure again and draws a new quote.
    void refresh();

    // Whether any goal is active.
    bool hasGoals() const;
    // The newest active goals as the store holds them now, newest created first: as many as
    // the cards may need, six and one more for each hidden goal asked about so far.
    std::vector<std::shared_ptr<Goal>> goals() const;
    // The goals the dashboard shows as cards: the newest ones that are not hidden, at most six.
    std::vector<std::shared_ptr<Goal>> cardGoals(const QSet<qint64>& hiddenGoalIDs) const;
    // What the cards of those goals show, as of the clock's now.
    std::vector<GoalCardText> cards(const QSet<qint64>& hiddenGoalIDs) const;
    // The followed goal a card names; null once it is gone.
    std::shared_ptr<Goal> goalWithID(qint64 goalID) const;

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
    // How many of the newest goals goals_ follows.
    mutable int followed_ = kMaxGoalCards;
    int totalGoals_ = 0;
    int completedGoals_ = 0;
    int activeGoals_ = 0;
    double overallProgress_ = 0;
    int currentStreak_ = 0;
    Quote motivationalQuote_;
};
