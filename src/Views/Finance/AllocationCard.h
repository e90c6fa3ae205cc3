#pragma once

#include "Components/DonutChart.h"
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "Views/Finance/CardSlice.h"

#include <QColor>

#include <functional>
#include <vector>

// The top of the card of the month's fixed expenses as slices of its income: the donut with the
// income in its hole, what is left to allocate and "Allocate". The screen's list shows one row
// per fixed expense under it, in the colour of its slice.
class AllocationCard : public CardSlice {
    Q_OBJECT
public:
    // The gap above the card, to the income card.
    static constexpr int kGap = 32;

    AllocationCard(CashFlowViewModel* viewModel, std::function<void()> onAllocate, QWidget* parent = nullptr);

    // Reads the view model again: the donut, the status and whether rows follow.
    void render();

    // The eight slice colours, repeating every eight fixed expenses.
    static const std::vector<QColor>& palette();
    // One slice per share of the allocation, each fixed expense in its palette colour.
    static std::vector<DonutChart::Slice> slices(const CashFlowViewModel::Allocation& allocation);

private:
    CashFlowViewModel* viewModel_;
    std::function<void()> onAllocate_;
};
