#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class CashFlowViewModel;
class Expense;

// The month's dynamic expenses against what the fixed expenses leave of its income: a header
// with what was spent of what is available and an add button, then one row per expense (date,
// category chip, amount, edit, delete), or a line saying there are none yet.
class DynamicSpendingCard : public QWidget {
    Q_OBJECT
public:
    DynamicSpendingCard(CashFlowViewModel* viewModel, std::function<void()> onAdd,
                        std::function<void(std::shared_ptr<Expense>)> onEdit, QWidget* parent = nullptr);

    // "₹1,200.00 spent of ₹3,000.00 available".
    static QString summary(const CashFlowViewModel& viewModel);
};
