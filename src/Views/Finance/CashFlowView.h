#pragma once

#include "ViewModels/AppEnvironment.h"
#include "Views/Finance/CashFlowEntryRow.h"

#include <QWidget>

#include <map>
#include <memory>
#include <vector>

class AllocationCard;
class CashFlowIncomeCard;
class CashFlowViewModel;
class DynamicSpendingCard;
class Expense;
class Income;
class QLabel;
class VirtualList;

// The "Monthly Allocations" tab: one month at a time, its income with the inline "Set", and
// once the month has income the allocation of its fixed expenses and its dynamic spending.
// It opens the expense and income sheets and hands what they gather to its view model. The
// three cards are one list that makes only the rows in view.
class CashFlowView : public QWidget {
    Q_OBJECT
public:
    explicit CashFlowView(const AppEnvironment& env, QWidget* parent = nullptr);
    ~CashFlowView() override;

    CashFlowViewModel* viewModel() const { return viewModel_; }
    VirtualList* list() const { return list_; }
    CashFlowIncomeCard* incomeCard() const { return incomeCard_; }

    void showAddAllocation();
    void showAddDynamic();
    void editExpense(const std::shared_ptr<Expense>& expense);
    void editIncome(const std::shared_ptr<Income>& income);

    // What the list holds at each place: a card's top, an entry's row (index into its card's
    // rows) or the income card's bottom with the open form.
    enum class Kind { IncomeHead, IncomeRow, IncomeFoot, AllocationHead, FixedRow, DynamicHead, DynamicRow };
    struct Item {
        Kind kind;
        int index = 0;
    };
    const std::vector<Item>& items() const { return items_; }
    // The figures of a kind of row, in order.
    const std::vector<CashFlowEntryRow::Figures>& rows(Kind kind) const;

private:
    QWidget* buildHeader();
    QWidget* buildMonthNavigator();
    void presentExpenseSheet(const QString& presetType, const std::shared_ptr<Expense>& editing,
                             bool hideTypePicker);
    void render();
    void layoutItems();
    QWidget* makeRow(Kind kind, QWidget* parent);
    void bindRow(QWidget* row, int index);
    int heightOf(int index, int width) const;
    int rowHeight(Kind kind, const CashFlowEntryRow::Figures& figures) const;
    QWidget* piece(Kind kind) const;
    void edit(const CashFlowEntryRow::Figures& figures);
    void remove(const CashFlowEntryRow::Figures& figures);

    AppEnvironment env_;
    CashFlowViewModel* viewModel_;
    QLabel* monthLabel_ = nullptr;
    CashFlowIncomeCard* incomeCard_ = nullptr;
    AllocationCard* allocationCard_ = nullptr;
    DynamicSpendingCard* dynamicCard_ = nullptr;
    VirtualList* list_ = nullptr;
    std::vector<CashFlowEntryRow::Figures> incomeRows_;
    std::vector<CashFlowEntryRow::Figures> fixedRows_;
    std::vector<CashFlowEntryRow::Figures> dynamicRows_;
    std::vector<Item> items_;
    // Row heights by kind and shape (date, chip), measured once on a sample row.
    mutable std::map<int, int> heights_;
};
