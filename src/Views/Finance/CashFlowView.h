#pragma once

#include "ViewModels/AppEnvironment.h"

#include <QWidget>

#include <memory>

class CashFlowIncomeCard;
class CashFlowViewModel;
class Expense;
class Income;
class QLabel;
class QVBoxLayout;

// The "Monthly Allocations" tab: one month at a time, its income with the inline "Set", and
// once the month has income the allocation of its fixed expenses and its dynamic spending.
// It opens the expense and income sheets and hands what they gather to its view model.
class CashFlowView : public QWidget {
    Q_OBJECT
public:
    explicit CashFlowView(const AppEnvironment& env, QWidget* parent = nullptr);
    ~CashFlowView() override;

    CashFlowViewModel* viewModel() const { return viewModel_; }

    void showAddAllocation();
    void showAddDynamic();
    void editExpense(const std::shared_ptr<Expense>& expense);
    void editIncome(const std::shared_ptr<Income>& income);

private:
    QWidget* buildHeader();
    QWidget* buildMonthNavigator();
    void presentExpenseSheet(const QString& presetType, const std::shared_ptr<Expense>& editing,
                             bool hideTypePicker);
    void render();

    AppEnvironment env_;
    CashFlowViewModel* viewModel_;
    QLabel* monthLabel_ = nullptr;
    CashFlowIncomeCard* incomeCard_ = nullptr;
    QVBoxLayout* body_ = nullptr;
    QWidget* sections_ = nullptr;
};
