#pragma once

#include "ViewModels/AppEnvironment.h"
#include "Views/Finance/OverviewAccountRow.h"

#include <QWidget>

#include <memory>
#include <vector>

class BankAccount;
class GroupedBarChart;
class OverviewAccountsCard;
class OverviewHeroCard;
class OverviewViewModel;
class VirtualList;

// The first finance tab: the headline figures, the bank accounts with their cash, the last six
// months' income against spending, and quick ways to add income, an expense or a holding.
// The page is one list: what stands above the accounts is its header, what stands below its
// footer, and only the account rows in view are made.
class OverviewView : public QWidget {
    Q_OBJECT
public:
    explicit OverviewView(const AppEnvironment& env, QWidget* parent = nullptr);
    ~OverviewView() override;

    OverviewViewModel* viewModel() const { return viewModel_; }
    VirtualList* list() const { return list_; }

    void showAddAccount();
    void showEditAccount(const std::shared_ptr<BankAccount>& account);
    void showAddIncome();
    void showAddExpense();
    void showAddInvestment();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildTop();
    QWidget* buildBottom();
    QWidget* buildHeader();
    QWidget* buildHeroStrip();
    QWidget* buildChart();
    QWidget* buildQuickActions();
    void renderFigures();
    void renderAccounts();

    AppEnvironment env_;
    OverviewViewModel* viewModel_;
    OverviewHeroCard* netWorth_ = nullptr;
    OverviewHeroCard* thisMonth_ = nullptr;
    OverviewHeroCard* spendable_ = nullptr;
    OverviewAccountsCard* accounts_ = nullptr;
    GroupedBarChart* chart_ = nullptr;
    VirtualList* list_ = nullptr;
    std::vector<OverviewAccountRow::Figures> accountRows_;
    int rowHeight_ = 0;
    bool shownOnce_ = false;
};
