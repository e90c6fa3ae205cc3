#include "ViewModels/DashboardViewModel.h"

#include "Models/Goal.h"
#include "Models/GoalFigures.h"
#include "Models/GoalQueries.h"
#include "Platform/Store/LiveFetch.h"
#include "Platform/Store/ObjectContext.h"

#include <QLocale>
#include <QRandomGenerator>

#include <algorithm>

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

DashboardViewModel::DashboardViewModel(ObjectContext* context, QObject* parent, Figures figures)
    : QObject(parent), context_(context), motivationalQuote_(randomQuote()) {
    // Cards show progress, which moves with milestones, steps, money and the journal.
    goals_ = new LiveFetch(context_, GoalQueries::active(GoalQueries::Order::newestFirst),
                           GoalQueries::rowSources(), this);
    connect(goals_, &LiveFetch::changed, this, &DashboardViewModel::goalsChanged);
    if (figures == Figures::atCreation)
        refresh();
}

DashboardViewModel::~DashboardViewModel() = default;

void DashboardViewModel::refresh() {
    const auto goals = context_ ? context_->fetch<Goal>(GoalQueries::active(GoalQueries::Order::newestFirst))
                                : std::vector<std::shared_ptr<Goal>>{};
    // Every goal's progress is read below: one pass of aggregate queries over the store rather
    // than three queries for each goal.
    if (context_)
        GoalFigures::of(context_).prefetchAll();
    int completed = 0;
    double sum = 0;
    int streak = 0;
    for (const auto& goal : goals) {
        const double progress = goal->progressPercentage();
        if (progress >= 1.0)
            ++completed;
        sum += progress;
        streak = std::max<int>(streak, goal->streak());
    }
    totalGoals_ = static_cast<int>(goals.size());
    completedGoals_ = completed;
    activeGoals_ = totalGoals_ - completed;
    overallProgress_ = goals.empty() ? 0.0 : sum / static_cast<double>(goals.size());
    currentStreak_ = streak;
    motivationalQuote_ = randomQuote();
    emit figuresChanged();
}

std::vector<std::shared_ptr<Goal>> DashboardViewModel::goals() const {
    return goals_->typedResults<Goal>();
}

std::vector<std::shared_ptr<Goal>> DashboardViewModel::cardGoals(const QSet<qint64>& hiddenGoalIDs) const {
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
    return QLocale().toString(at.toLocalTime().date(), QStringLiteral("dddd, MMMM d"));
}

QString DashboardViewModel::streakCardText(int streak) {
    return streak >= 1 ? QString::number(streak) + QLatin1Char('d') : QStringLiteral("\u2014");
}
