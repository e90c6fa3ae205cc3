#pragma once

#include <QColor>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

#include "Components/DonutChart.h"

class CashFlowViewModel;
class QBoxLayout;
class Expense;

// The month's fixed expenses as slices of its income: the donut with the income in its hole,
// what is left to allocate, "Allocate", and one row per fixed expense (edit, delete) in the
// colour of its slice.
class AllocationCard : public QWidget {
    Q_OBJECT
public:
    AllocationCard(CashFlowViewModel* viewModel, std::function<void()> onAllocate,
                   std::function<void(std::shared_ptr<Expense>)> onEdit, QWidget* parent = nullptr);

    // The eight slice colours, repeating every eight fixed expenses.
    static const std::vector<QColor>& palette();
    // One slice per fixed expense, then "Remaining" when something is left to allocate.
    static std::vector<DonutChart::Slice> slices(const CashFlowViewModel& viewModel);
    // The edit and delete buttons of an expense row (this card's and the dynamic card's).
    static void addExpenseButtons(QBoxLayout* row, QObject* owner, CashFlowViewModel* viewModel,
                                  const std::shared_ptr<Expense>& expense,
                                  const std::function<void(std::shared_ptr<Expense>)>& onEdit);
};
