#include "ViewModels/Finance/FinanceHealthScore.h"

#include <algorithm>
#include <cmath>

namespace {

int clampedScore(double value) {
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, 0.0, 25.0));
}

} // namespace

FinanceHealthScore FinanceHealthScore::compute(const Inputs& in) {
    FinanceHealthScore score;
    const double income = in.income;
    if (!(income > 0))
        return score;

    // Saving a fifth of the income or more earns the full 25.
    const double saved = std::max(0.0, (income - in.fixedSpend - in.dynamicSpend) / income);
    score.savingsRate = clampedScore(saved / 0.2 * 25);

    // Subscriptions below a tenth of the income earn 25, anything above nothing.
    score.subscriptionRatio = in.monthlySubscriptions / income < 0.1 ? 25 : 0;

    // Putting 15 % of the income into new holdings earns the full 25.
    score.investmentRatio = clampedScore(in.newlyInvested / income / 0.15 * 25);

    if (!in.investedByType.isEmpty()) {
        double largest = 0;
        double total = 0;
        bool first = true;
        for (double invested : in.investedByType) {
            largest = first ? invested : std::max(largest, invested);
            first = false;
            total += invested;
        }
        const double share = total > 0 ? largest / total : 1.0;
        score.diversification = share <= 0.8 ? 25 : clampedScore((1 - share) / 0.2 * 25);
    }

    score.total = std::min(100, score.savingsRate + score.subscriptionRatio + score.investmentRatio +
                                    score.diversification);
    return score;
}
