#include "ViewModels/Finance/CashFlowViewModel.h"

#include "Models/BankAccount.h"
#include "Models/CreditCard.h"
#include "Models/Expense.h"
#include "Models/Goal.h"
#include "Models/Income.h"
#include "Platform/CalendarHelpers.h"
#include "Platform/Clock.h"
#include "Platform/DateText.h"
#include "Platform/MoneyFormatter.h"
#include "Platform/TextHelpers.h"
#include "Store/LiveFetch.h"
#include "Store/ObjectContext.h"
#include "ViewModels/ActionSave.h"
#include "ViewModels/Finance/FinanceNames.h"
#include "ViewModels/Finance/PaymentMethods.h"

#include <cmath>

namespace {

template <typename T> double sumOfAmounts(const std::vector<std::shared_ptr<T>>& records) {
    double total = 0.0;
    for (const auto& record : records)
        total += record->amount();
    return total;
}

// The balance moves of one action, gathered first so that an action whose result would not be
// a finite balance can be refused before anything changes.
class BalanceMoves {
public:
    void add(const std::shared_ptr<BankAccount>& account, double delta) {
        if (!account)
            return;
        for (auto& move : moves_)
            if (move.first == account) {
                move.second += delta;
                return;
            }
        moves_.emplace_back(account, delta);
    }
    bool allFinite() const {
        for (const auto& [account, delta] : moves_)
            if (!std::isfinite(account->balance() + delta))
                return false;
        return true;
    }
    void apply() const {
        for (const auto& [account, delta] : moves_)
            account->setBalance(account->balance() + delta);
    }

private:
    std::vector<std::pair<std::shared_ptr<BankAccount>, double>> moves_;
};

bool isLive(const std::shared_ptr<ManagedObject>& record) {
    return record && !record->isDeleted();
}

} // namespace

CashFlowViewModel::CashFlowViewModel(ObjectContext* context, QObject* parent)
    : QObject(parent), context_(context), selectedMonth_(Calendar::startOfMonth(Clock::now())),
      moneyGoals_(new LiveFetch(
          context,
          FetchRequest(Goal::entityName(),
                       Key(Goal::Keys::isArchived) == false && Key(Goal::Keys::needsMoney) == true,
                       {{Goal::Keys::title, true}}),
          {}, this)) {
    connect(moneyGoals_, &LiveFetch::changed, this, &CashFlowViewModel::moneyGoalsChanged);
    fetchCreditCards();
    fetchBankAccounts();
    fetchForSelectedMonth();
}

CashFlowViewModel::~CashFlowViewModel() = default;

std::vector<std::shared_ptr<Goal>> CashFlowViewModel::moneyGoals() const {
    return moneyGoals_->typedResults<Goal>();
}

void CashFlowViewModel::fetchCreditCards() {
    creditCards_ = context_->fetch<CreditCard>(
        FetchRequest(CreditCard::entityName(), {}, {{CreditCard::Keys::name, true}}));
    emit changed();
}

void CashFlowViewModel::fetchBankAccounts() {
    bankAccounts_ = context_->fetch<BankAccount>(
        FetchRequest(BankAccount::entityName(), {}, {{BankAccount::Keys::createdAt, true}}));
    emit changed();
}

void CashFlowViewModel::fetchForSelectedMonth() {
    const auto [start, end] = Calendar::monthRange(selectedMonth_);
    incomes_ = context_->fetch<Income>(
        FetchRequest(Income::entityName(), Key(Income::Keys::date) >= start && Key(Income::Keys::date) < end,
                     {{Income::Keys::date, true}}));
    const std::vector<SortDescriptor> byDate{{Expense::Keys::date, true}};
    fixedExpenses_ = context_->fetch<Expense>(FetchRequest(Expense::entityName(),
                                                           Key(Expense::Keys::expenseType) == fixedType &&
                                                               Key(Expense::Keys::billedMonth) >= start &&
                                                               Key(Expense::Keys::billedMonth) < end,
                                                           byDate));
    dynamicExpenses_ = context_->fetch<Expense>(FetchRequest(Expense::entityName(),
                                                             Key(Expense::Keys::expenseType) == dynamicType &&
                                                                 Key(Expense::Keys::date) >= start &&
                                                                 Key(Expense::Keys::date) < end,
                                                             byDate));
    emit changed();
}

void CashFlowViewModel::navigateToPreviousMonth() {
    selectedMonth_ = Calendar::startOfMonth(Calendar::addMonths(selectedMonth_, -1));
    fetchForSelectedMonth();
}

void CashFlowViewModel::navigateToNextMonth() {
    selectedMonth_ = Calendar::startOfMonth(Calendar::addMonths(selectedMonth_, 1));
    fetchForSelectedMonth();
}

std::shared_ptr<BankAccount> CashFlowViewModel::bankAccount(const std::optional<QUuid>& id) const {
    if (!id)
        return nullptr;
    for (const auto& account : bankAccounts_)
        if (isLive(account) && account->id() == id)
            return account;
    return nullptr;
}

bool CashFlowViewModel::commit(ActionGuard& action) {
    const bool saved = action.commit();
    fetchForSelectedMonth();
    return saved;
}

bool CashFlowViewModel::canSaveExpense(const QString& title, const QString& amountText) {
    return !Text::trimmed(title).isEmpty() && amountRule().verdict(amountText).saves;
}

bool CashFlowViewModel::canSaveIncome(const QString& title, const QString& amountText) {
    return !Text::trimmed(title).isEmpty() && amountRule().verdict(amountText).saves;
}

bool CashFlowViewModel::canSetIncome(const QString& amountText) {
    return amountRule().verdict(amountText).saves;
}

bool CashFlowViewModel::setIncome(double amount, const std::optional<QUuid>& bankAccountID) {
    if (!amountRule().accepts(amount))
        return false;
    BalanceMoves moves;
    moves.add(bankAccount(bankAccountID), amount);
    if (!moves.allFinite())
        return false;
    ActionGuard action(*context_);
    auto income = Income::create(context_);
    income->write({QStringLiteral("Income"), amount, selectedMonth_, PaymentMethods::debit, {}});
    income->setBankAccountID(bankAccountID);
    moves.apply();
    return commit(action);
}

bool CashFlowViewModel::addExpense(const ExpenseDraft& draft) {
    if (!amountRule().accepts(draft.amount))
        return false;
    BalanceMoves moves;
    moves.add(bankAccount(draft.bankAccountID), -draft.amount);
    if (!moves.allFinite())
        return false;
    ActionGuard action(*context_);
    Expense::create(context_)->write(draft, CreditCard::withID(creditCards_, draft.creditCardID));
    moves.apply();
    return commit(action);
}

bool CashFlowViewModel::updateIncome(const std::shared_ptr<Income>& income, const IncomeDraft& draft) {
    if (!isLive(income) || !amountRule().accepts(draft.amount))
        return false;
    BalanceMoves moves;
    moves.add(bankAccount(income->bankAccountID()), draft.amount - income->amount());
    if (!moves.allFinite())
        return false;
    ActionGuard action(*context_);
    moves.apply();
    income->write(draft);
    return commit(action);
}

bool CashFlowViewModel::updateExpense(const std::shared_ptr<Expense>& expense, const ExpenseDraft& draft) {
    if (!isLive(expense) || !amountRule().accepts(draft.amount))
        return false;
    BalanceMoves moves;
    moves.add(bankAccount(expense->bankAccountID()), expense->amount());
    moves.add(bankAccount(draft.bankAccountID), -draft.amount);
    if (!moves.allFinite())
        return false;
    ActionGuard action(*context_);
    moves.apply();
    expense->write(draft, CreditCard::withID(creditCards_, draft.creditCardID));
    return commit(action);
}

bool CashFlowViewModel::deleteIncome(const std::shared_ptr<Income>& income) {
    if (!isLive(income))
        return false;
    BalanceMoves moves;
    moves.add(bankAccount(income->bankAccountID()), -income->amount());
    if (!moves.allFinite())
        return false;
    ActionGuard action(*context_);
    moves.apply();
    context_->deleteObject(income);
    return commit(action);
}

bool CashFlowViewModel::deleteExpense(const std::shared_ptr<Expense>& expense) {
    if (!isLive(expense))
        return false;
    BalanceMoves moves;
    moves.add(bankAccount(expense->bankAccountID()), expense->amount());
    if (!moves.allFinite())
        return false;
    ActionGuard action(*context_);
    moves.apply();
    context_->deleteObject(expense);
    return commit(action);
}

double CashFlowViewModel::totalIncome() const {
    return sumOfAmounts(incomes_);
}

double CashFlowViewModel::totalFixed() const {
    return sumOfAmounts(fixedExpenses_);
}

double CashFlowViewModel::totalDynamic() const {
    return sumOfAmounts(dynamicExpenses_);
}

double CashFlowViewModel::remainingToAllocate() const {
    return roundedToCents(totalIncome() - totalFixed());
}

double CashFlowViewModel::roundedToCents(double amount) {
    if (!std::isfinite(amount))
        return amount;
    const double rounded = std::round(amount * 100.0) / 100.0;
    return rounded == 0.0 ? 0.0 : rounded;
}

namespace {

QString dayOf(const std::optional<QDateTime>& date) {
    return date ? DateText::monthDay(date->toLocalTime().date()) : QString();
}

QString cents(double amount) {
    return MoneyFormatter::format(amount, 2);
}

// A fixed expense's row says its title and amount; a dynamic one's its day and category too.
std::vector<CashFlowEntryText> expenseRows(const std::vector<std::shared_ptr<Expense>>& expenses,
                                           bool spent) {
    std::vector<CashFlowEntryText> rows;
    rows.reserve(expenses.size());
    for (const auto& expense : expenses)
        rows.push_back({{},
                        expense,
                        FinanceNames::untitled(expense->title()),
                        spent ? dayOf(expense->date()) : QString(),
                        spent ? expense->category().value_or(QString()) : QString(),
                        cents(expense->amount())});
    return rows;
}

} // namespace

QString CashFlowViewModel::monthTitle() const {
    return DateText::monthYear(selectedMonth_.date());
}

std::vector<CashFlowEntryText> CashFlowViewModel::incomeRows() const {
    std::vector<CashFlowEntryText> rows;
    rows.reserve(incomes_.size());
    for (const auto& income : incomes_)
        rows.push_back({income,
                        {},
                        FinanceNames::untitled(income->title()),
                        dayOf(income->date()),
                        {},
                        cents(income->amount())});
    return rows;
}

std::vector<CashFlowEntryText> CashFlowViewModel::fixedRows() const {
    return expenseRows(fixedExpenses_, false);
}

std::vector<CashFlowEntryText> CashFlowViewModel::dynamicRows() const {
    return expenseRows(dynamicExpenses_, true);
}

QString CashFlowViewModel::totalIncomeText() const {
    return cents(totalIncome());
}

QString CashFlowViewModel::totalIncomeTip() const {
    return MoneyFormatter::notShownReason(totalIncome());
}

CashFlowViewModel::Allocation CashFlowViewModel::allocation() const {
    Allocation out;
    for (const auto& expense : fixedExpenses_)
        out.shares.push_back({FinanceNames::untitled(expense->title()), expense->amount()});
    const double remaining = remainingToAllocate();
    if (!std::isfinite(remaining)) {
        // Neither allocated nor a share of the ring: a sum the store's amounts cannot make.
        out.status = MoneyFormatter::notShown;
        out.statusTip = MoneyFormatter::notShownReason(remaining);
        out.statusTone = FinanceTone::Pending;
    } else if (remaining > 0) {
        out.shares.push_back({tr("Remaining"), remaining, true});
        out.status = cents(remaining) + tr(" remaining to allocate");
        out.statusTone = FinanceTone::Pending;
    } else {
        out.status = tr("Fully allocated");
    }
    return out;
}

QString CashFlowViewModel::dynamicSummary() const {
    return cents(totalDynamic()) + QStringLiteral(" spent of ") + cents(remainingToAllocate()) +
           QStringLiteral(" available");
}

QString CashFlowViewModel::dynamicSummaryTip() const {
    const QString spent = MoneyFormatter::notShownReason(totalDynamic());
    return spent.isEmpty() ? MoneyFormatter::notShownReason(remainingToAllocate()) : spent;
}

QString CashFlowViewModel::amountCaption() {
    return tr("Amount (%1)").arg(MoneyFormatter::currencyCode());
}
