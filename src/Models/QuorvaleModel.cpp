#include "Models/QuorvaleModel.h"

#include "Models/Achievement.h"
#include "Models/AchievementCategory.h"
#include "Models/BankAccount.h"
#include "Models/Bill.h"
#include "Models/CalendarSubtask.h"
#include "Models/CalendarTask.h"
#include "Models/CashReserve.h"
#include "Models/CreditCard.h"
#include "Models/DailyLog.h"
#include "Models/Expense.h"
#include "Models/ExpenseMonth.h"
#include "Models/Goal.h"
#include "Models/GoalCheckIn.h"
#include "Models/Income.h"
#include "Models/Investment.h"
#include "Models/InvestmentTranche.h"
#include "Models/LinkItem.h"
#include "Models/Milestone.h"
#include "Models/PriceHistory.h"
#include "Models/Step.h"
#include "Models/Subscription.h"
#include "Models/TaskCategory.h"

#include <map>

namespace {

ObjectModel buildModel() {
    ObjectModel model;
    model.add(Goal::description());
    model.add(Milestone::description());
    model.add(Step::description());
    model.add(DailyLog::description());
    model.add(GoalCheckIn::description());
    model.add(AchievementCategory::description());
    model.add(Achievement::description());
    model.add(CalendarTask::description());
    model.add(CalendarSubtask::description());
    model.add(TaskCategory::description());
    model.add(CreditCard::description());
    model.add(CashReserve::description());
    model.add(Expense::description());
    model.add(Income::description());
    model.add(Subscription::description());
    model.add(ExpenseMonth::description());
    model.add(Bill::description());
    model.add(BankAccount::description());
    model.add(Investment::description());
    model.add(InvestmentTranche::description());
    model.add(PriceHistory::description());
    model.add(LinkItem::description());
    return model;
}

} // namespace

QString QuorvaleModel::kindName(const QString& entityName) {
    static const std::map<QString, QString> names{
        {Goal::entityName(), QStringLiteral("Goals")},
        {Milestone::entityName(), QStringLiteral("Milestones")},
        {Step::entityName(), QStringLiteral("Steps")},
        {DailyLog::entityName(), QStringLiteral("Journal entries")},
        {GoalCheckIn::entityName(), QStringLiteral("Goal check-ins")},
        {AchievementCategory::entityName(), QStringLiteral("Achievement categories")},
        {Achievement::entityName(), QStringLiteral("Achievements")},
        {CalendarTask::entityName(), QStringLiteral("Calendar tasks")},
        {CalendarSubtask::entityName(), QStringLiteral("Calendar subtasks")},
        {TaskCategory::entityName(), QStringLiteral("Task categories")},
        {CreditCard::entityName(), QStringLiteral("Credit cards")},
        {CashReserve::entityName(), QStringLiteral("Cash reserves")},
        {Expense::entityName(), QStringLiteral("Expenses")},
        {Income::entityName(), QStringLiteral("Incomes")},
        {Subscription::entityName(), QStringLiteral("Subscriptions")},
        {ExpenseMonth::entityName(), QStringLiteral("Expense months")},
        {Bill::entityName(), QStringLiteral("Bills")},
        {BankAccount::entityName(), QStringLiteral("Bank accounts")},
        {Investment::entityName(), QStringLiteral("Investments")},
        {InvestmentTranche::entityName(), QStringLiteral("Investment purchases")},
        {PriceHistory::entityName(), QStringLiteral("Investment prices")},
        {LinkItem::entityName(), QStringLiteral("Links")},
    };
    const auto name = names.find(entityName);
    return name == names.end() ? entityName : name->second;
}

const ObjectModel& QuorvaleModel::objectModel() {
    static const ObjectModel model = buildModel();
    return model;
}
