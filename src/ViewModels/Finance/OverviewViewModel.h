#pragma once

#include "Models/Investment.h"
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "ViewModels/Finance/FinanceHealthScore.h"
#include "ViewModels/Finance/FinanceRowText.h"
#include "ViewModels/Finance/MonthlyFlowPoint.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>
#include <QUuid>

#include <memory>
#include <optional>
#include <vector>

class ActionGuard;
class BankAccount;
class CreditCard;
class ObjectContext;

// Every figure of the finance overview, read from the store when created and on refresh():
// the bank accounts and the cash in them, the worth of the live holdings, card spending still
// to be billed, this month's income and spending, the monthly cost of active subscriptions,
// the last six months' flow and the health score. The figures are snapshots: they change only
// through this model's own operations. The bank account operations reload the accounts alone.
class OverviewViewModel : public QObject {
    Q_OBJECT
public:
    explicit OverviewViewModel(ObjectContext* context, QObject* parent = nullptr);

    const std::vector<std::shared_ptr<BankAccount>>& bankAccounts() const { return bankAccounts_; }
    double totalInvestmentValue() const { return totalInvestmentValue_; }
    double pendingCCBills() const { return pendingCCBills_; }
    double thisMonthIncome() const { return thisMonthIncome_; }
    double thisMonthFixed() const { return thisMonthFixed_; }
    double thisMonthDynamic() const { return thisMonthDynamic_; }
    double monthlySubsCost() const { return monthlySubsCost_; }
    const std::vector<MonthlyFlowPoint>& sixMonthFlow() const { return sixMonthFlow_; }
    const FinanceHealthScore& health() const { return health_; }
    int healthScore() const { return health_.total; }

    double totalLiquidCash() const;
    double netWorth() const;
    double thisMonthFlow() const;
    double spendable() const;

    // The headline figures as the overview writes them: whole amounts, this month's flow in the
    // tone of its sign.
    struct Headlines {
        QString netWorth;
        QString thisMonth;
        FinanceTone thisMonthTone = FinanceTone::Gain;
        QString spendable;
        QString liquidCash;
        // Why a figure shows as a dash (the store's amounts add up past a number); empty when
        // it shows.
        QString netWorthTip;
        QString thisMonthTip;
        QString spendableTip;
        QString liquidCashTip;
    };
    Headlines headlines() const;
    // The rows of the bank accounts, in order.
    std::vector<AccountRowText> accountRows() const;
    static AccountRowText accountRow(const std::shared_ptr<BankAccount>& account);
    // One bar pair of the six-month chart: the month's short name, its income and its spending.
    struct FlowBar {
        QString label;
        double income = 0;
        double spend = 0;
    };
    std::vector<FlowBar> sixMonthBars() const;
    // A tick of the chart's value axis: the whole number as amounts are written, without the
    // currency.
    static QString axisLabel(double value);
    // The same in the compact form, when whole numbers would take the chart's room ("1.2T").
    static QString compactAxisLabel(double value);

    // The cards offered when an expense is added here, fetched when its sheet opens.
    const std::vector<std::shared_ptr<CreditCard>>& creditCards() const { return creditCards_; }
    void fetchCreditCards();

    void refresh();

    // What an account's balance field takes: zero or more.
    static AmountRule balanceRule() { return AmountRule::zeroOrMore(); }
    // The account sheet's save rule: a name after trimming and a balance the rule takes.
    static bool canSaveBankAccount(const QString& name, const QString& balanceText);
    // Each saves once; a failed save leaves the store and the figures as they were. An amount
    // its field's rule refuses is not written.
    bool addBankAccount(const QString& name, double balance);
    bool updateBankAccount(const std::shared_ptr<BankAccount>& account, const QString& name, double balance);
    bool deleteBankAccount(const std::shared_ptr<BankAccount>& account);
    // The caption over the balance field of the account sheet: "Current Balance (USD)".
    static QString balanceCaption();

    // Money added from the overview belongs to no bank account and changes no balance.
    bool addIncome(const IncomeDraft& draft);
    // The account and goal of the draft are not offered here and are not stored.
    bool addExpense(const ExpenseDraft& draft);
    bool addInvestment(const Investment::Draft& draft);

signals:
    void bankAccountsChanged();
    // Every figure was read again.
    void refreshed();

private:
    void fetchBankAccounts();
    void fetchInvestments();
    void fetchThisMonthCashFlow();
    void fetchSubscriptionCost();
    // After fetchThisMonthCashFlow(), whose figures make its last month.
    void fetchSixMonthFlow();
    void computeHealthScore();
    // Saves the action and, when it was stored, reads every figure again.
    bool commitAndRefresh(ActionGuard& action);

    ObjectContext* context_;
    std::vector<std::shared_ptr<BankAccount>> bankAccounts_;
    std::vector<std::shared_ptr<CreditCard>> creditCards_;
    double totalInvestmentValue_ = 0;
    QHash<QString, double> investedByType_; // what was put into each type of live holding
    double pendingCCBills_ = 0;
    double thisMonthIncome_ = 0;
    double thisMonthFixed_ = 0;
    double thisMonthDynamic_ = 0;
    double monthlySubsCost_ = 0;
    std::vector<MonthlyFlowPoint> sixMonthFlow_;
    FinanceHealthScore health_;
};
