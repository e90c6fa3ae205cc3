#include "ViewModels/Finance/FinanceOnboardingViewModel.h"

#include "Models/CashReserve.h"
#include "Models/CreditCard.h"
#include "Platform/Clock.h"
#include "Platform/UserDefaults.h"
#include "Store/ObjectContext.h"
#include "ViewModels/ActionSave.h"

#include <QUuid>

FinanceOnboardingViewModel::FinanceOnboardingViewModel(ObjectContext* context, QObject* parent)
    : QObject(parent), context_(context) {}

bool FinanceOnboardingViewModel::canMoveOnFromSavings(const QString& savingsText) {
    return savingsRule().verdict(savingsText).saves;
}

bool FinanceOnboardingViewModel::saveSavings(const QString& savingsText) {
    const AmountVerdict verdict = savingsRule().verdict(savingsText);
    if (!verdict.saves)
        return false;
    return !verdict.amount || saveCashReserve(*verdict.amount);
}

bool FinanceOnboardingViewModel::saveCashReserve(double amount) {
    if (!savingsRule().accepts(amount))
        return false;
    ActionGuard action(*context_);
    const auto stored = context_->fetch<CashReserve>(FetchRequest(CashReserve::entityName()));
    auto reserve = stored.empty() ? CashReserve::create(context_) : stored.front();
    if (!reserve->id())
        reserve->setId(QUuid::createUuid());
    reserve->setAmount(amount);
    reserve->setUpdatedAt(Clock::now());
    return action.commit();
}

bool FinanceOnboardingViewModel::addCard(const QString& name, int statementCloseDay, int paymentDueDay) {
    ActionGuard action(*context_);
    auto card = CreditCard::create(context_);
    card->setId(QUuid::createUuid());
    card->setName(name);
    card->setStatementCloseDay(qint16(statementCloseDay));
    card->setPaymentDueDay(qint16(paymentDueDay));
    card->setCreatedAt(Clock::now());
    return action.commit();
}

void FinanceOnboardingViewModel::complete() {
    UserDefaults::standard().setFlag(QStringLiteral("financeOnboardingComplete"), true);
}
