#pragma once

#include "ViewModels/FinanceDeadline.h"
#include "ViewModels/GoalRowText.h"

#include <QColor>
#include <QDateTime>
#include <QString>

#include <optional>

class Goal;

// One goal on the deadlines screen, as its card shows it; the countdown moves on with the clock.
struct DeadlineCardText : GoalFace {
    double progress = 0;
    bool hasDeadline = false;
    std::optional<QString> countdownText; // at the instant the card was written

    static DeadlineCardText of(const Goal& goal, const QDateTime& now);
    // "2d 5h left" or "2d overdue" at the instant; absent for a goal without a deadline.
    static std::optional<QString> countdown(const Goal& goal, const QDateTime& now);
};

// The due date and the amount of a bill or renewal on the deadlines screen (its label is the
// item's own).
struct FinanceDeadlineText {
    QString date;   // the due day as the locale writes it with the full month name and the year
    QString amount; // whole units of the user's finance currency

    static FinanceDeadlineText of(const FinanceDeadline& item);
    static QString amountText(double amount);
    // Whether a change of this user default changes the amount's text (the finance currency).
    static bool amountFollows(const QString& defaultsKey);
};
