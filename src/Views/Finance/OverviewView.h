#pragma once

#include "ViewModels/AppEnvironment.h"

#include <QWidget>

#include <memory>

class BankAccount;
class GroupedBarChart;
class OverviewAccountsCard;
class OverviewHeroCard;
class OverviewViewModel;

// The first finance tab: the headline figures, the bank accounts with their cash, the last six
// months' income against spending, and quick ways to add income, an expense or a holding.
class OverviewView : public QWidget {
    Q_OBJECT
public:
    explicit OverviewView(const AppEnvironment& env, QWidget* parent = nullptr);

    OverviewViewModel* viewModel() const { return viewModel_; }

    void showAddAccount();
    void showEditAccount(const std::shared_ptr<BankAccount>& account);
    void showAddIncome();
    void showAddExpense();
    void showAddInvestment();

protected:
    void showEvent(QShowEvent* event) override;

private:
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
    bool shownOnce_ = false;
};
