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

const ObjectModel& QuorvaleModel::objectModel() {
    static const ObjectModel model = buildModel();
    return model;
}
