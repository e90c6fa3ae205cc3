#include "ViewModels/Finance/OverviewViewModel.h"

#include "Models/BankAccount.h"
#include "Models/CreditCard.h"
#include "Models/Expense.h"
#include "Models/Income.h"
#include "Models/InvestmentHoldings.h"
#include "Models/Subscription.h"
#include "Platform/CalendarHelpers.h"
#include "Platform/Clock.h"
#include "Platform/DateText.h"
#include "Platform/MoneyFormatter.h"
#include "Platform/TextHelpers.h"
#include "Store/ObjectContext.h"
#include "ViewModels/ActionSave.h"
#include "ViewModels/Finance/FinanceNames.h"
#include "ViewModels/Finance/InvestmentsViewModel.h"

#include <numeric>

namespace {

// 00:00 of the first day of the month offset months from now's.
QDateTime monthStart(int offset) {
    const QDate today = Clock::now().date();
    return Calendar::composeStartOfDay(today.year(), today.month() + offset, 1);
}

QVariant at(const QDateTime& instant) {
    return QVariant(instant);
}

// Totals are summed by the store: the records themselves are never loaded for a figure.
template <typename Record> double amountOf(ObjectContext& context, const Predicate& which) {
    return context.sum(FetchRequest(Record::entityName(), which), Record::Keys::amount);
}

Predicate between(StoreKey key, const QDateTime& start, const QDateTime& end) {
    return Key(key) >= at(start) && Key(key) < at(end);
}

Predicate fixedBilledIn(const QDateTime& start, const QDateTime& end) {
    return Key(Expense::Keys::expenseType) == Expense::fixed &&
           between(Expense::Keys::billedMonth, start, end);
}

Predicate dynamicSpentIn(const QDateTime& start, const QDateTime& end) {
    return Key(Expense::Keys::expenseType) == Expense::dynamic && between(Expense::Keys::date, start, end);
}

} // namespace

OverviewViewModel::OverviewViewModel(ObjectContext* context, QObject* parent)
    : QObject(parent), context_(context) {
    refresh();
}

double OverviewViewModel::totalLiquidCash() const {
    double total = 0;
    for (const auto& account : bankAccounts_)
        total += account->balance();
    return total;
}

double OverviewViewModel::netWorth() const {
    return totalLiquidCash() + totalInvestmentValue_ - pendingCCBills_;
}

double OverviewViewModel::thisMonthFlow() const {
    return thisMonthIncome_ - thisMonthFixed_ - thisMonthDynamic_;
}

double OverviewViewModel::spendable() const {
    return thisMonthIncome_ - thisMonthFixed_;
}

void OverviewViewModel::refresh() {
    fetchBankAccounts();
    fetchInvestments();
    fetchThisMonthCashFlow();
    fetchSubscriptionCost();
    fetchSixMonthFlow();
    computeHealthScore();
    emit refreshed();
}

void OverviewViewModel::fetchBankAccounts() {
    bankAccounts_ = context_->fetch<BankAccount>(
        FetchRequest(BankAccount::entityName(), {}, {{BankAccount::Keys::createdAt, true}}));
    emit bankAccountsChanged();
}

void OverviewViewModel::fetchCreditCards() {
    creditCards_ = context_->fetch<CreditCard>(FetchRequest(CreditCard::entityName()));
}

void OverviewViewModel::fetchInvestments() {
    const InvestmentHoldings holdings = InvestmentHoldings::live(*context_, Clock::now());
    totalInvestmentValue_ = holdings.currentValue;
    investedByType_ = holdings.investedByType;

    // Card spending that falls into a statement of next month or later, whatever its type.
    pendingCCBills_ = amountOf<Expense>(*context_, Key(Expense::Keys::creditCardID).present() &&
                                                       Key(Expense::Keys::billedMonth) >= at(monthStart(1)));
}

void OverviewViewModel::fetchThisMonthCashFlow() {
    const QDateTime start = monthStart(0);
    const QDateTime end = monthStart(1);
    thisMonthIncome_ = amountOf<Income>(*context_, between(Income::Keys::date, start, end));
    thisMonthFixed_ = amountOf<Expense>(*context_, fixedBilledIn(start, end));
    thisMonthDynamic_ = amountOf<Expense>(*context_, dynamicSpentIn(start, end));
}

void OverviewViewModel::fetchSubscriptionCost() {
    // The stored status and cycles, as the commitments tab reads them.
    const Key cycle(Subscription::Keys::billingCycle);
    const QString& quarterly = Subscription::quarterly;
    const QString& annual = Subscription::annual;
    const auto prices = [this](const Predicate& billed) {
        return context_->sum(FetchRequest(Subscription::entityName(),
                                          Key(Subscription::Keys::status) == Subscription::active && billed),
                             Subscription::Keys::price);
    };
    // Any other cycle, or none, is monthly.
    monthlySubsCost_ = prices(cycle != quarterly && cycle != annual) + prices(cycle == quarterly) / 3 +
                       prices(cycle == annual) / 12;
}

void OverviewViewModel::fetchSixMonthFlow() {
    std::vector<MonthlyFlowPoint> points;
    for (int offset = -5; offset <= 0; ++offset) {
        const QDateTime start = monthStart(offset);
        const QDateTime end = monthStart(offset + 1);
        MonthlyFlowPoint point;
        point.id = QUuid::createUuid();
        point.month = start;
        if (offset == 0) {
            // This month's figures were just read.
            point.income = thisMonthIncome_;
            point.spend = thisMonthFixed_ + thisMonthDynamic_;
        } else {
            point.income = amountOf<Income>(*context_, between(Income::Keys::date, start, end));
            // Two sums, each on its own date's index: their union as one predicate would
            // make the store read every expense.
            point.spend = amountOf<Expense>(*context_, fixedBilledIn(start, end)) +
                          amountOf<Expense>(*context_, dynamicSpentIn(start, end));
        }
        points.push_back(point);
    }
    sixMonthFlow_ = std::move(points);
}

void OverviewViewModel::computeHealthScore() {
    FinanceHealthScore::Inputs in;
    in.income = thisMonthIncome_;
    in.fixedSpend = thisMonthFixed_;
    in.dynamicSpend = thisMonthDynamic_;
    in.monthlySubscriptions = monthlySubsCost_;
    // Judged by when the record was made, whatever its status, by the stored invested amount.
    in.newlyInvested = context_->sum(
        FetchRequest(Investment::entityName(), Key(Investment::Keys::createdAt) >= at(monthStart(0))),
        Investment::Keys::investedAmount);
    in.investedByType = investedByType_;
    health_ = FinanceHealthScore::compute(in);
}

bool OverviewViewModel::canSaveBankAccount(const QString& name, const QString& balanceText) {
    return !Text::trimmed(name).isEmpty() && balanceRule().verdict(balanceText).saves;
}

bool OverviewViewModel::addBankAccount(const QString& name, double balance) {
    if (!balanceRule().accepts(balance))
        return false;
    ActionGuard action(*context_);
    auto account = BankAccount::create(context_);
    account->setId(QUuid::createUuid());
    account->setName(name);
    account->setBalance(balance);
    account->setCreatedAt(Clock::now());
    const bool saved = action.commit();
    fetchBankAccounts();
    return saved;
}

bool OverviewViewModel::updateBankAccount(const std::shared_ptr<BankAccount>& account, const QString& name,
                                          double balance) {
    if (!account || account->isDeleted() || !balanceRule().accepts(balance))
        return false;
    ActionGuard action(*context_);
    account->setName(name);
    account->setBalance(balance);
    const bool saved = action.commit();
    fetchBankAccounts();
    return saved;
}

bool OverviewViewModel::deleteBankAccount(const std::shared_ptr<BankAccount>& account) {
    if (!account || account->isDeleted())
        return false;
    ActionGuard action(*context_);
    context_->deleteObject(account);
    const bool saved = action.commit();
    fetchBankAccounts();
    return saved;
}

QString OverviewViewModel::balanceCaption() {
    return QStringLiteral("Current Balance (%1)").arg(MoneyFormatter::currencyCode());
}

bool OverviewViewModel::commitAndRefresh(ActionGuard& action) {
    const bool saved = action.commit();
    if (saved)
        refresh();
    return saved;
}

bool OverviewViewModel::addIncome(const IncomeDraft& draft) {
    if (!CashFlowViewModel::amountRule().accepts(draft.amount))
        return false;
    ActionGuard action(*context_);
    Income::create(context_)->write(draft);
    return commitAndRefresh(action);
}

bool OverviewViewModel::addExpense(const ExpenseDraft& draft) {
    if (!CashFlowViewModel::amountRule().accepts(draft.amount))
        return false;
    // Money added here belongs to no account and no goal.
    ActionGuard action(*context_);
    ExpenseDraft unassigned = draft;
    unassigned.bankAccountID.reset();
    unassigned.goalID.reset();
    Expense::create(context_)->write(unassigned, CreditCard::withID(creditCards_, draft.creditCardID));
    return commitAndRefresh(action);
}

bool OverviewViewModel::addInvestment(const Investment::Draft& draft) {
    if (!InvestmentsViewModel::accepts(draft))
        return false;
    ActionGuard action(*context_);
    Investment::insertHolding(context_, draft);
    return commitAndRefresh(action);
}

OverviewViewModel::Headlines OverviewViewModel::headlines() const {
    const double flow = thisMonthFlow();
    const auto reason = &MoneyFormatter::notShownReason;
    return {MoneyFormatter::format(netWorth(), 0),
            MoneyFormatter::format(flow, 0),
            flow >= 0 ? FinanceTone::Gain : FinanceTone::Loss,
            MoneyFormatter::format(spendable(), 0),
            MoneyFormatter::format(totalLiquidCash(), 0),
            reason(netWorth()),
            reason(flow),
            reason(spendable()),
            reason(totalLiquidCash())};
}

std::vector<AccountRowText> OverviewViewModel::accountRows() const {
    std::vector<AccountRowText> rows;
    rows.reserve(bankAccounts_.size());
    for (const auto& account : bankAccounts_)
        rows.push_back(accountRow(account));
    return rows;
}

AccountRowText OverviewViewModel::accountRow(const std::shared_ptr<BankAccount>& account) {
    return {account, FinanceNames::account(*account), MoneyFormatter::format(account->balance(), 0)};
}

std::vector<OverviewViewModel::FlowBar> OverviewViewModel::sixMonthBars() const {
    std::vector<FlowBar> bars;
    bars.reserve(sixMonthFlow_.size());
    for (const auto& point : sixMonthFlow_)
        bars.push_back({DateText::shortMonth(point.month.date()), point.income, point.spend});
    return bars;
}

QString OverviewViewModel::axisLabel(double value) {
    return MoneyFormatter::number(value, 0);
}

QString OverviewViewModel::compactAxisLabel(double value) {
    return MoneyFormatter::compactNumber(value);
}
