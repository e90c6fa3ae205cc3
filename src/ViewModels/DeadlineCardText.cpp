#include "ViewModels/DeadlineCardText.h"

#include "Models/Goal.h"
#include "Platform/DateText.h"
#include "Platform/MoneyFormatter.h"
#include "ViewModels/DeadlineCountdown.h"

DeadlineCardText DeadlineCardText::of(const Goal& goal, const QDateTime& now) {
    DeadlineCardText text;
    static_cast<GoalFace&>(text) = GoalFace::of(goal, false);
    text.progress = goal.progressPercentage();
    text.hasDeadline = goal.deadline().has_value();
    text.countdownText = countdown(goal, now);
    return text;
}

std::optional<QString> DeadlineCardText::countdown(const Goal& goal, const QDateTime& now) {
    const std::optional<QDateTime> deadline = goal.deadline();
    if (!deadline)
        return std::nullopt;
    return deadlineCountdown(now, *deadline);
}

FinanceDeadlineText FinanceDeadlineText::of(const FinanceDeadline& item) {
    return {DateText::longDate(item.dueDate.toLocalTime().date()), amountText(item.amount)};
}

QString FinanceDeadlineText::amountText(double amount) {
    return MoneyFormatter::format(amount, 0);
}

bool FinanceDeadlineText::amountFollows(const QString& defaultsKey) {
    return defaultsKey == MoneyFormatter::currencyCodeKey;
}
