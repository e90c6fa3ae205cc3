#include "ViewModels/Finance/InvestmentsViewModel.h"

#include "Platform/CalendarHelpers.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"
#include "Store/PagedFetch.h"
#include "ViewModels/ActionSave.h"

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

bool InvestmentsViewModel::addInvestment(const Investment::Draft& draft) {
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
