#pragma once

#include "Models/Expense.h"
#include "Models/Income.h"
#include "ViewModels/AmountRule.h"
#include "ViewModels/Finance/FinanceRowText.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QUuid>

#include <memory>
#include <optional>
#include <vector>

class BankAccount;
class CreditCard;
class Goal;
class LiveFetch;
class ActionGuard;
class ObjectContext;

// What an expense form hands over for a new or changed expense.
using ExpenseDraft = Expense::Draft;

// What an income form hands over.
using IncomeDraft = Income::Draft;

// The month plan behind the monthly allocations screen: one month's incomes, fixed expenses
// (by billed month) and dynamic expenses (by spend date), the cards and accounts the forms
// offer, and every write of that screen with its bank-balance bookkeeping. Each write is one
// action saved once: when the save fails nothing of it stays, neither the record nor the
// balance, and the operation returns false.
class CashFlowViewModel : public QObject {
    Q_OBJECT
public:
    explicit CashFlowViewModel(ObjectContext* context, QObject* parent = nullptr);
    ~CashFlowViewModel() override;

    static inline const QString fixedType = Expense::fixed;
    static inline const QString dynamicType = Expense::dynamic;

    // 00:00 of the first day of the month shown.
    QDateTime selectedMonth() const { return selectedMonth_; }
    const std::vector<std::shared_ptr<Income>>& incomes() const { return incomes_; }
    const std::vector<std::shared_ptr<Expense>>& fixedExpenses() const { return fixedExpenses_; }
    const std::vector<std::shared_ptr<Expense>>& dynamicExpenses() const { return dynamicExpenses_; }
    const std::vector<std::shared_ptr<CreditCard>>& creditCards() const { return creditCards_; }
    const std::vector<std::shared_ptr<BankAccount>>& bankAccounts() const { return bankAccounts_; }
    // The active goals that need money, by title; follows the store.
    std::vector<std::shared_ptr<Goal>> moneyGoals() const;

    void fetchCreditCards();
    void fetchBankAccounts();
    void fetchForSelectedMonth();
    void navigateToPreviousMonth();
    void navigateToNextMonth();

    // What an income's and an expense's amount field takes: an amount above zero.
    static AmountRule amountRule() { return AmountRule::positive(); }
    // The save rules of the forms that write here: a title after trimming (the expense and
    // income sheets) and an amount the rule takes.
    static bool canSaveExpense(const QString& title, const QString& amountText);
    static bool canSaveIncome(const QString& title, const QString& amountText);
    // "Set" of the monthly income card, which has no title.
    static bool canSetIncome(const QString& amountText);

    // A new income titled "Income" on the first of the shown month, credited to the account.
    bool setIncome(double amount, const std::optional<QUuid>& bankAccountID);
    bool addExpense(const ExpenseDraft& draft);
    // The difference between the old and the new amount moves the income's account.
    bool updateIncome(const std::shared_ptr<Income>& income, const IncomeDraft& draft);
    bool updateExpense(const std::shared_ptr<Expense>& expense, const ExpenseDraft& draft);
    bool deleteIncome(const std::shared_ptr<Income>& income);
    bool deleteExpense(const std::shared_ptr<Expense>& expense);

    double totalIncome() const;
    double totalFixed() const;
    double totalDynamic() const;
    // Income less fixed expenses, rounded to cents (never -0): what is left to allocate and
    // what the dynamic spending may use.
    double remainingToAllocate() const;
    bool isFullyAllocated() const { return remainingToAllocate() <= 0; }

    // An amount rounded to cents, with -0 read as 0.
    static double roundedToCents(double amount);

    // "March 2026".
    QString monthTitle() const;
    // The month's entries as their rows write them: title, day, category chip and amount.
    std::vector<CashFlowEntryText> incomeRows() const;
    std::vector<CashFlowEntryText> fixedRows() const;
    std::vector<CashFlowEntryText> dynamicRows() const;
    // The month's income as its card writes it, in cents.
    QString totalIncomeText() const;
    // Why the total shows as a dash (a store's amounts too large to add up); empty otherwise.
    QString totalIncomeTip() const;
    // The fixed expenses as shares of the income: one per expense in order, then what is left
    // to allocate while something is; and the card's line about it.
    struct AllocationShare {
        QString label;
        double amount = 0;
        bool remaining = false; // the share still to allocate
    };
    struct Allocation {
        std::vector<AllocationShare> shares;
        QString status; // "₹5,000.00 remaining to allocate" or "Fully allocated"
        FinanceTone statusTone = FinanceTone::Gain;
        QString statusTip; // why the figure shows as a dash, when it does
    };
    Allocation allocation() const;
    // "₹1,200.00 spent of ₹3,000.00 available".
    QString dynamicSummary() const;
    QString dynamicSummaryTip() const;
    // "Amount (INR)": the caption of an amount field, naming the currency it is written in.
    static QString amountCaption();

signals:
    // Any list or the month changed.
    void changed();
    // The money goals changed in the store.
    void moneyGoalsChanged();

private:
    std::shared_ptr<BankAccount> bankAccount(const std::optional<QUuid>& id) const;
    bool commit(ActionGuard& action);

    ObjectContext* context_;
    QDateTime selectedMonth_;
    std::vector<std::shared_ptr<Income>> incomes_;
    std::vector<std::shared_ptr<Expense>> fixedExpenses_;
    std::vector<std::shared_ptr<Expense>> dynamicExpenses_;
    std::vector<std::shared_ptr<CreditCard>> creditCards_;
    std::vector<std::shared_ptr<BankAccount>> bankAccounts_;
    LiveFetch* moneyGoals_;
};
