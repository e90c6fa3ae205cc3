#include "support/FinanceSeed.h"

#include "support/HeavyStore.h"

#include "Models/CreditCard.h"
#include "Models/Expense.h"
#include "Models/Income.h"
#include "Models/Investment.h"
#include "Models/QuorvaleModel.h"
#include "Models/Subscription.h"
#include "Store/FetchRequest.h"
#include "Store/ObjectContext.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QUuid>

#include <cstdio>
#include <cstdlib>

namespace {
constexpr int seedVersion = 1;
const char* const kTypes[] = {"stock", "mutualFund", "crypto", "fixedDeposit", "realEstate", "other"};
const char* const kCycles[] = {"monthly", "quarterly", "annual"};
} // namespace

void FinanceSeed::add(ObjectContext& context, int scale) {
    QRandomGenerator random(20260615u + unsigned(scale));
    const QDateTime now = HeavyStore::now();
    const qint64 sixMonths = qint64(183) * 24 * 3600;
    auto moment = [&] { return now.addSecs(-qint64(random.bounded(double(sixMonths)))); };

    const auto cards = context.fetch<CreditCard>(FetchRequest(CreditCard::entityName()));
    for (int e = 0; e < 3000 * scale; ++e) {
        auto expense = context.insert<Expense>();
        expense->setId(QUuid::createUuid());
        expense->setTitle(QStringLiteral("Spend %1").arg(e));
        expense->setAmount(1.0 + random.bounded(900.0));
        expense->setDate(moment());
        expense->setExpenseType(e % 3 == 0 ? QStringLiteral("fixed") : QStringLiteral("dynamic"));
        std::shared_ptr<CreditCard> card;
        if (e % 3 == 1 && !cards.empty()) {
            card = cards[std::size_t(e) % cards.size()];
            expense->setCreditCardID(card->id());
            expense->setPaymentMethod(QStringLiteral("creditCard"));
        } else {
            expense->setPaymentMethod(QStringLiteral("debit"));
        }
        expense->setBilledMonth(Expense::computeBilledMonth(*expense->date(), card));
    }
    for (int i = 0; i < 120 * scale; ++i) {
        auto income = context.insert<Income>();
        income->setId(QUuid::createUuid());
        income->setTitle(QStringLiteral("Income"));
        income->setAmount(1000.0 + random.bounded(60000.0));
        income->setDate(moment());
    }
    for (int s = 0; s < 30 * scale; ++s) {
        auto subscription = context.insert<Subscription>();
        subscription->setId(QUuid::createUuid());
        subscription->setName(QStringLiteral("Service %1").arg(s));
        subscription->setPrice(random.bounded(2000.0));
        subscription->setBillingCycle(QString::fromLatin1(kCycles[s % 3]));
        subscription->setStatus(s % 5 == 0 ? QStringLiteral("paused") : QStringLiteral("active"));
        subscription->setCreatedAt(moment());
    }
    for (int v = 0; v < 120 * scale; ++v) {
        auto investment = context.insert<Investment>();
        investment->setId(QUuid::createUuid());
        investment->setName(QStringLiteral("Holding %1").arg(v));
        investment->setInvestmentType(QString::fromLatin1(kTypes[v % 6]));
        investment->setUnits(random.bounded(100.0));
        investment->setBuyPrice(random.bounded(5000.0));
        investment->setCurrentPrice(random.bounded(5000.0));
        investment->setInvestedAmount(investment->units() * investment->buyPrice());
        investment->setInterestRate(v % 6 == 3 ? 7.0 : 0.0);
        investment->setBuyDate(moment());
        investment->setCreatedAt(investment->buyDate());
        investment->setStatus(QStringLiteral("active"));
    }
    QString error;
    if (!context.save(&error)) {
        std::fprintf(stderr, "cannot seed finance records: %s\n", qPrintable(error));
        std::exit(1);
    }
}

QString FinanceSeed::ensure(const QString& folder, int scale) {
    const QString path = QStringLiteral("%1/finance-%2x-v%3.sqlite").arg(folder).arg(scale).arg(seedVersion);
    if (QFile::exists(path))
        return path;
    const QString heavy = HeavyStore::ensure(folder, scale);
    const QString partial = path + QStringLiteral(".partial");
    QFile::remove(partial);
    QFile::copy(heavy, partial);
    QString error;
    auto context = ObjectContext::open(QuorvaleModel::objectModel(), partial, &error);
    if (!context) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(partial), qPrintable(error));
        std::exit(1);
    }
    add(*context, scale);
    context.reset();
    QFile::rename(partial, path);
    return path;
}
