#include "ViewModels/Finance/InvestmentsViewModel.h"

#include "Platform/CalendarHelpers.h"
#include "Platform/Clock.h"
#include "Platform/DateText.h"
#include "Platform/MoneyFormatter.h"
#include "Platform/TextHelpers.h"
#include "Store/ObjectContext.h"
#include "Store/PagedFetch.h"
#include "ViewModels/ActionSave.h"
#include "ViewModels/Finance/FinanceNames.h"

#include <cmath>

InvestmentsViewModel::InvestmentsViewModel(ObjectContext* context, QObject* parent)
    : QObject(parent), context_(context) {
    const QDate today = Clock::now().date();
    selectedMonth_ = Calendar::composeStartOfDay(today.year(), today.month(), 1);
    fetchInvestments();
    fetchForSelectedMonth();
}

void InvestmentsViewModel::refresh() {
    fetchInvestments();
    fetchForSelectedMonth();
}

void InvestmentsViewModel::fetchInvestments() {
    delete portfolio_;
    portfolio_ = new PagedFetch(context_,
                                FetchRequest(Investment::entityName(), Investment::isActive(),
                                             {{Investment::Keys::createdAt, false}}),
                                {}, this);
    // Holdings changed anywhere show at once, with totals to match.
    connect(portfolio_, &PagedFetch::changed, this, [this] {
        readTotals();
        emit investmentsChanged();
    });
    readTotals();
    emit investmentsChanged();
}

void InvestmentsViewModel::readTotals() {
    totals_ = InvestmentHoldings::live(*context_, Clock::now());
}

int InvestmentsViewModel::investmentCount() const {
    return portfolio_->count();
}

std::shared_ptr<Investment> InvestmentsViewModel::investmentAt(int index) const {
    return portfolio_->typedAt<Investment>(index);
}

void InvestmentsViewModel::fetchForSelectedMonth() {
    const QDate first = selectedMonth_.date();
    const QDateTime start = Calendar::composeStartOfDay(first.year(), first.month(), 1);
    const QDateTime end = Calendar::composeStartOfDay(first.year(), first.month() + 1, 1);
    monthlyInvestments_ = context_->fetch<Investment>(
        FetchRequest(Investment::entityName(),
                     Investment::isActive() && Key(Investment::Keys::buyDate) >= QVariant(start) &&
                         Key(Investment::Keys::buyDate) < QVariant(end),
                     {{Investment::Keys::buyDate, true}}));
    emit monthChanged();
}

void InvestmentsViewModel::moveMonth(int months) {
    const QDate first = selectedMonth_.date();
    selectedMonth_ = Calendar::composeStartOfDay(first.year(), first.month() + months, 1);
    fetchForSelectedMonth();
}

void InvestmentsViewModel::navigateToPreviousMonth() {
    moveMonth(-1);
}

void InvestmentsViewModel::navigateToNextMonth() {
    moveMonth(1);
}

InvestmentsViewModel::FormFields InvestmentsViewModel::fieldsOf(const QString& type) {
    const bool market = Investment::isMarketType(type);
    return {market, market || type != QLatin1String("realEstate"), type == QLatin1String("fixedDeposit")};
}

bool InvestmentsViewModel::canAdd(const FormText& form) {
    if (Text::trimmed(form.name).isEmpty())
        return false;
    const FormFields shown = fieldsOf(form.type);
    const auto takes = [](const AmountRule& rule, const QString& text, bool isShown) {
        return !isShown || rule.verdict(text).saves;
    };
    return takes(unitsRule(), form.units, shown.market) &&
           takes(buyPriceRule(), form.buyPrice, shown.market) &&
           takes(investedRule(), form.invested, !shown.market) &&
           takes(currentPriceRule(), form.currentPrice, shown.current) &&
           takes(interestRateRule(), form.interestRate, shown.interest);
}

void InvestmentsViewModel::readFigures(const FormText& form, Investment::Draft& draft) {
    const FormFields shown = fieldsOf(form.type);
    const auto read = [](const AmountRule& rule, const QString& text, bool isShown) {
        return isShown ? rule.verdict(text).amount.value_or(0.0) : 0.0;
    };
    draft.units = read(unitsRule(), form.units, shown.market);
    draft.buyPrice = read(buyPriceRule(), form.buyPrice, shown.market);
    draft.currentPrice = read(currentPriceRule(), form.currentPrice, shown.current);
    draft.investedAmount =
        shown.market ? draft.units * draft.buyPrice : read(investedRule(), form.invested, true);
    draft.interestRate = read(interestRateRule(), form.interestRate, shown.interest);
}

bool InvestmentsViewModel::accepts(const Investment::Draft& draft) {
    const bool market = fieldsOf(draft.investmentType).market;
    const AmountRule anyOrNone = AmountRule::zeroOrMore();
    if (market && !(unitsRule().accepts(draft.units) && buyPriceRule().accepts(draft.buyPrice)))
        return false;
    if (!market && !investedRule().accepts(draft.investedAmount))
        return false;
    return anyOrNone.accepts(draft.currentPrice) && anyOrNone.accepts(draft.interestRate) &&
           std::isfinite(draft.investedAmount);
}

bool InvestmentsViewModel::addInvestment(const Investment::Draft& draft) {
    if (!accepts(draft))
        return false;
    ActionGuard action(*context_);
    Investment::insertHolding(context_, draft);
    const bool saved = action.commit();
    refresh();
    return saved;
}

bool InvestmentsViewModel::deleteInvestment(const std::shared_ptr<Investment>& investment) {
    if (!investment || investment->isDeleted())
        return false;
    ActionGuard action(*context_);
    context_->deleteObject(investment);
    const bool saved = action.commit();
    refresh();
    return saved;
}

double InvestmentsViewModel::totalInvested() const {
    return totals_.investedFigure;
}

double InvestmentsViewModel::totalCurrentValue() const {
    return totals_.currentValue;
}

double InvestmentsViewModel::overallReturnPercentage() const {
    return Investment::returnPercentage(totalCurrentValue(), totalInvested());
}

std::optional<double> InvestmentsViewModel::cagr(const Investment& investment) const {
    return investment.annualGrowthRate(Clock::now());
}

namespace {

QString money(double amount) {
    return MoneyFormatter::format(amount, 0);
}

FinanceTone gainTone(bool gain) {
    return gain ? FinanceTone::Gain : FinanceTone::Loss;
}

// How a row names and marks each type of holding; the last stands for any other type.
struct TypeLook {
    const char* type;
    const char* label;
    const char* symbol;
};
constexpr TypeLook kTypeLooks[] = {
    {"stock", "Stock / ETF", "chart.bar.fill"},      {"mutualFund", "Mutual Fund", "dollarsign.circle.fill"},
    {"crypto", "Crypto", "bitcoinsign.circle.fill"}, {"fixedDeposit", "Fixed Deposit", "lock.fill"},
    {"realEstate", "Real Estate", "house.fill"},     {"", "Other", "ellipsis.circle.fill"},
};

const TypeLook& typeLook(const QString& type) {
    for (const auto& look : kTypeLooks)
        if (type == QLatin1String(look.type))
            return look;
    return kTypeLooks[std::size(kTypeLooks) - 1];
}

// "+3.3%" for a gain, "-1.5%" for a loss.
QString signedPercent(double value) {
    if (!std::isfinite(value))
        return MoneyFormatter::notShown;
    return (value >= 0 ? QStringLiteral("+") : QString()) + QString::asprintf("%.1f", value) +
           QStringLiteral("%");
}

} // namespace

QString InvestmentsViewModel::monthTitle() const {
    return DateText::monthYear(selectedMonth_.date());
}

InvestmentsViewModel::Summary InvestmentsViewModel::summary() const {
    const double current = totalCurrentValue();
    const double invested = totalInvested();
    const double overall = overallReturnPercentage();
    return {money(current),
            signedPercent(overall),
            gainTone(overall >= 0),
            money(invested),
            money(current - invested),
            gainTone(invested <= current),
            QString::number(investmentCount()),
            MoneyFormatter::notShownReason(current),
            MoneyFormatter::notShownReason(overall),
            MoneyFormatter::notShownReason(invested),
            MoneyFormatter::notShownReason(current - invested)};
}

HoldingRowText InvestmentsViewModel::portfolioRow(int index) const {
    return holdingRow(investmentAt(index), Clock::now());
}

HoldingRowText InvestmentsViewModel::monthRow(int index) const {
    if (index < 0 || std::size_t(index) >= monthlyInvestments_.size())
        return {};
    return holdingRow(monthlyInvestments_[std::size_t(index)], Clock::now());
}

HoldingRowText InvestmentsViewModel::holdingRow(const std::shared_ptr<Investment>& holding,
                                                const QDateTime& now) const {
    HoldingRowText row;
    if (!holding)
        return row;
    const QString type = holding->effectiveType();
    const double value = holding->currentValue(now);
    const double returned = Investment::returnPercentage(value, holding->investedFigure());
    row.holding = holding;
    row.name = FinanceNames::untitled(holding->name());
    row.typeLabel = typeLabel(type);
    row.symbol = typeSymbol(type);
    if (const auto growth = cagr(*holding)) {
        row.growthText = QStringLiteral(" · ") + QString::asprintf("%.1f", *growth) + tr("% p.a.");
        row.growthTone = gainTone(*growth >= 0);
    }
    row.valueText = money(value);
    row.returnText = signedPercent(returned);
    row.returnTone = gainTone(returned >= 0);
    return row;
}

QString InvestmentsViewModel::typeLabel(const QString& type) {
    return QString::fromLatin1(typeLook(type).label);
}

QString InvestmentsViewModel::typeSymbol(const QString& type) {
    return QString::fromLatin1(typeLook(type).symbol);
}

const std::vector<InvestmentsViewModel::TypeChoice>& InvestmentsViewModel::typeChoices() {
    static const std::vector<TypeChoice> choices{
        {QStringLiteral("stock"), QStringLiteral("Stocks / ETFs")},
        {QStringLiteral("mutualFund"), QStringLiteral("Mutual Fund / SIP")},
        {QStringLiteral("crypto"), QStringLiteral("Crypto")},
        {QStringLiteral("fixedDeposit"), QStringLiteral("Fixed Deposit / Bond")},
        {QStringLiteral("realEstate"), QStringLiteral("Real Estate")},
        {QStringLiteral("other"), QStringLiteral("Other")},
    };
    return choices;
}

QString InvestmentsViewModel::namePlaceholder(const QString& type) {
    if (type == QLatin1String("stock"))
        return QStringLiteral("e.g. Infosys");
    if (type == QLatin1String("mutualFund"))
        return QStringLiteral("e.g. Nifty 50 Index Fund");
    if (type == QLatin1String("crypto"))
        return QStringLiteral("e.g. Bitcoin");
    if (type == QLatin1String("fixedDeposit"))
        return QStringLiteral("e.g. SBI FD 2026");
    if (type == QLatin1String("realEstate"))
        return QStringLiteral("e.g. Flat in Mumbai");
    return QStringLiteral("Investment name");
}
