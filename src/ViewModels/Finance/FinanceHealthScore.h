#pragma once

#include <QHash>
#include <QString>

// The financial health score out of 100: four sub-scores of 0 to 25 for saving, subscription
// cost, new investing and diversification, each measured against the month's income.
struct FinanceHealthScore {
    int savingsRate = 0;
    int subscriptionRatio = 0;
    int investmentRatio = 0;
    int diversification = 0;
    int total = 0;

    struct Inputs {
        double income = 0;
        double fixedSpend = 0;
        double dynamicSpend = 0;
        double monthlySubscriptions = 0;
        // Invested amount of the holdings created this month, any status.
        double newlyInvested = 0;
        // Invested amount of the live holdings per effective type.
        QHash<QString, double> investedByType;
    };

    // Without income every score is 0. Each sub-score is worked out in floating point and
    // clamped to 0-25 before it is cut to a whole number, so no input, however large, negative
    // or undefined, reaches an integer conversion out of range.
    static FinanceHealthScore compute(const Inputs& in);
};
