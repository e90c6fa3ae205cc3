#pragma once

#include "Views/Finance/CardSlice.h"

#include <functional>

class CashFlowViewModel;

// The top of the card of the month's dynamic expenses against what the fixed expenses leave of
// its income: a header with what was spent of what is available and an add button, or with a
// line saying there are none yet. The screen's list shows one row per expense under it.
class DynamicSpendingCard : public CardSlice {
    Q_OBJECT
public:
    // The gap above the card, to the allocation card.
    static constexpr int kGap = 32;

    DynamicSpendingCard(CashFlowViewModel* viewModel, std::function<void()> onAdd, QWidget* parent = nullptr);

    // Reads the view model again: the summary and whether rows follow.
    void render();

private:
    CashFlowViewModel* viewModel_;
    std::function<void()> onAdd_;
};
