#include "ViewModels/DashboardViewModel.h"

#include "Models/Goal.h"
#include "Models/GoalFigures.h"
#include "Models/GoalQueries.h"
#include "Platform/Clock.h"
#include "Platform/DateText.h"
#include "Store/LiveFetch.h"
#include "Store/ObjectContext.h"
#include "ViewModels/GoalRowText.h"

#include <QRandomGenerator>
#include <QSignalBlocker>

namespace {

const DashboardViewModel::Quote& randomQuote() {
    const auto& quotes = DashboardViewModel::Quote::all();
    return quotes[QRandomGenerator::global()->bounded(static_cast<quint32>(quotes.size()))];
}

} // namespace

const std::vector<DashboardViewModel::Quote>& DashboardViewModel::Quote::all() {
    static const std::vector<Quote> quotes{
        {QStringLiteral("The secret of getting ahead is getting started."), QStringLiteral("Mark Twain")},
        {QStringLiteral("It always seems impossible until it's done."), QStringLiteral("Nelson Mandela")},
        {QStringLiteral("Great things are done by a series of small things brought together."),
         QStringLiteral("Vincent van Gogh")},
        {QStringLiteral("You miss 100% of the shots you don't take."), QStringLiteral("Wayne Gretzky")},
        {QStringLiteral("We are what we repeatedly do. Excellence, then, is a habit."),
         QStringLiteral("Will Durant")},
        {QStringLiteral("Start where you are. Use what you have. Do what you can."),
         QStringLiteral("Arthur Ashe")},
        {QStringLiteral("What you do today can improve all your tomorrows."),
         QStringLiteral("Ralph Marston")},
        {QStringLiteral("Small deeds done are better than great deeds planned."),
         QStringLiteral("Peter Marshall")},
    };
    return quotes;
}

namespace {

FetchRequest newestActive(int count) {
    FetchRequest request = GoalQueries::active(GoalQueries::Order::newestFirst);
    request.fetchLimit = count;
    return request;
}

} // namespace

DashboardViewModel::DashboardViewModel(ObjectContext* context, QObject* parent, Figures figures)
    : QObject(parent), context_(context), motivationalQuote_(randomQuote()) {
    // Cards show progress, which moves with milestones, steps, money and the journal; a change
    // that leaves what the cards show as it was redraws nothing.
    goals_ = new LiveFetch(context_, newestActive(followed_), GoalQueries::rowSources(), this);
    goals_->setDerivedDigest(GoalFigures::digest);
    connect(goals_, &LiveFetch::changed, this, &DashboardViewModel::goalsChanged);
    if (figures == Figures::atCreation)
        refresh();
}

DashboardViewModel::~DashboardViewModel() = default;

void DashboardViewModel::refresh() {
    const GoalFigures::ActiveSummary summary =
        context_ ? GoalFigures::of(context_).activeSummary() : GoalFigures::ActiveSummary{};
    totalGoals_ = summary.goals;
    completedGoals_ = summary.completed;
    activeGoals_ = summary.goals - summary.completed;
    overallProgress_ = summary.goals > 0 ? summary.progressSum / double(summary.goals) : 0.0;
    currentStreak_ = summary.bestStreak;
    motivationalQuote_ = randomQuote();
    emit figuresChanged();
}

bool DashboardViewModel::hasGoals() const {
    return !goals_->results().empty();
}

std::vector<std::shared_ptr<Goal>> DashboardViewModel::goals() const {
    return goals_->typedResults<Goal>();
}

std::vector<GoalCardText> DashboardViewModel::cards(const QSet<qint64>& hiddenGoalIDs) const {
    const QDateTime now = Clock::now();
    std::vector<GoalCardText> cards;
    for (const auto& goal : cardGoals(hiddenGoalIDs))
        cards.push_back(GoalCardText::of(*goal, false, now));
    return cards;
}

std::shared_ptr<Goal> DashboardViewModel::goalWithID(qint64 goalID) const {
    for (const auto& goal : goals_->typedResults<Goal>())
        if (goal->objectID() == goalID && !goal->isDeleted())
            return goal;
    return nullptr;
}

std::vector<std::shared_ptr<Goal>> DashboardViewModel::cardGoals(const QSet<qint64>& hiddenGoalIDs) const {
    // Each hidden goal may leave its place to the next newest: the list follows that many more.
    const int needed = kMaxGoalCards + int(hiddenGoalIDs.size());
    if (needed > followed_) {
        followed_ = needed;
        // Read here for the caller, who needs no word of it.
        const QSignalBlocker quiet(goals_);
        goals_->setRequest(newestActive(followed_));
    }
    std::vector<std::shared_ptr<Goal>> cards;
    for (const auto& goal : goals_->typedResults<Goal>()) {
        if (hiddenGoalIDs.contains(goal->objectID()))
            continue;
        cards.push_back(goal);
        if (static_cast<int>(cards.size()) == kMaxGoalCards)
            break;
    }
    return cards;
}

QString DashboardViewModel::greeting(const QDateTime& at) {
    const int hour = at.toLocalTime().time().hour();
    if (hour < 12)
        return QStringLiteral("Good Morning");
    if (hour < 17)
        return QStringLiteral("Good Afternoon");
    return QStringLiteral("Good Evening");
}

QString DashboardViewModel::dateText(const QDateTime& at) {
    return DateText::weekdayMonthDay(at.toLocalTime().date());
}

QString DashboardViewModel::streakCardText(int streak) {
    return streak >= 1 ? QString::number(streak) + QLatin1Char('d') : QStringLiteral("\u2014");
}
