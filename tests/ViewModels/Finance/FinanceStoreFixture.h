#pragma once

#include "Models/BankAccount.h"
#include "Models/CreditCard.h"
#include "Models/Expense.h"
#include "Models/Income.h"
#include "Models/Investment.h"
#include "Models/Persistence/PersistenceController.h"
#include "Models/Subscription.h"
#include "Platform/Clock.h"
#include "Platform/UserDefaults.h"
#include "Store/ObjectContext.h"

#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>

#include <QFile>

#include <memory>

// A file store of the test's own (so a second connection can make it refuse writes), fresh
// defaults and a frozen clock, with builders for money records.
class FinanceStoreFixture : public testing::Test {
protected:
    explicit FinanceStoreFixture(QDateTime frozenAt = QDateTime(QDate(2026, 3, 14), QTime(10, 0)))
        : now(std::move(frozenAt)) {}
    void SetUp() override {
        Clock::setFake(now);
        UserDefaults::resetStandard();
        const QString path = PersistenceController::defaultStorePath();
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(path + QLatin1String(suffix));
        store = std::make_unique<PersistenceController>(false);
        context = store->viewContext();
    }
    void TearDown() override {
        store.reset();
        Clock::useSystem();
    }

    // From now on the store refuses every insert, change and deletion of the entity's records.
    void refuseWrites(const QString& entity) {
        SQLite::Database db(PersistenceController::defaultStorePath().toStdString(), SQLite::OPEN_READWRITE);
        for (const char* op : {"INSERT", "UPDATE", "DELETE"})
            db.exec(
                QStringLiteral("CREATE TRIGGER refuse_%1_%2 BEFORE %2 ON \"%1\" BEGIN SELECT RAISE(ABORT, "
                               "'disk is full'); END;")
                    .arg(entity, QLatin1String(op))
                    .toStdString());
    }

    static QDateTime at(int y, int m, int d, int h = 12) { return QDateTime(QDate(y, m, d), QTime(h, 0)); }

    std::shared_ptr<BankAccount> account(const QString& name, double balance) {
        auto record = BankAccount::create(context);
        record->setName(name);
        record->setBalance(balance);
        record->setCreatedAt(Clock::now());
        context->save();
        return record;
    }
    std::shared_ptr<CreditCard> card(int closeDay) {
        auto record = CreditCard::create(context);
        record->setName(QStringLiteral("Card"));
        record->setStatementCloseDay(qint16(closeDay));
        record->setPaymentDueDay(5);
        context->save();
        return record;
    }
    std::shared_ptr<Expense> expense(double amount, const QString& type, const QDateTime& date,
                                     const std::shared_ptr<CreditCard>& byCard = nullptr) {
        auto record = Expense::create(context);
        record->setAmount(amount);
        record->setExpenseType(type);
        record->setDate(date);
        if (byCard)
            record->setCreditCardID(byCard->id());
        record->setBilledMonth(Expense::computeBilledMonth(date, byCard));
        context->save();
        return record;
    }
    void income(double amount, const QDateTime& date) {
        auto record = Income::create(context);
        record->setAmount(amount);
        record->setDate(date);
        context->save();
    }
    std::shared_ptr<Investment> holding(const std::optional<QString>& type, double invested,
                                        std::optional<QString> status = QStringLiteral("active"),
                                        std::optional<QDateTime> createdAt = std::nullopt) {
        auto record = Investment::create(context);
        record->setInvestmentType(type);
        record->setInvestedAmount(invested);
        record->setUnits(1);
        record->setBuyPrice(invested);
        record->setCurrentPrice(invested);
        record->setStatus(status);
        record->setCreatedAt(createdAt.value_or(at(2025, 6, 1)));
        context->save();
        return record;
    }

    const QDateTime now;
    std::unique_ptr<PersistenceController> store;
    ObjectContext* context = nullptr;
};
