#pragma once

#include "Models/BankAccount.h"
#include "Models/CreditCard.h"
#include "Models/Persistence/PersistenceController.h"
#include "Platform/Clock.h"
#include "Platform/UserDefaults.h"
#include "Store/ObjectContext.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QStringList>

#include <memory>
#include <sqlite3.h>

// A store on a file (so a test can make the disk refuse a save), the clock frozen at a given
// moment, and the helpers the money tests share.
class FinanceStoreTest : public testing::Test {
protected:
    explicit FinanceStoreTest(const QDateTime& frozenAt) : now(frozenAt) {}
    void SetUp() override {
        Clock::setFake(now);
        UserDefaults::resetStandard();
        store = std::make_unique<PersistenceController>(false);
        context = store->viewContext();
    }
    void TearDown() override {
        allowWrites();
        store.reset();
        Clock::useSystem();
    }

    static QDateTime local(int y, int m, int d, int h = 0, int min = 0) {
        return QDateTime(QDate(y, m, d), QTime(h, min));
    }

    std::shared_ptr<BankAccount> makeAccount(const QString& name, double balance) {
        Clock::advanceMs(1);
        auto account = BankAccount::create(context);
        account->setName(name);
        account->setBalance(balance);
        context->save();
        return account;
    }
    std::shared_ptr<CreditCard> makeCard(const QString& name, int closeDay, int dueDay) {
        Clock::advanceMs(1);
        auto card = CreditCard::create(context);
        card->setName(name);
        card->setStatementCloseDay(qint16(closeDay));
        card->setPaymentDueDay(qint16(dueDay));
        context->save();
        return card;
    }

    // The disk refuses every insert, update and delete of these tables until allowWrites().
    void refuseWrites(const QStringList& tables) {
        if (!refuser_)
            sqlite3_open(PersistenceController::defaultStorePath().toUtf8().constData(), &refuser_);
        for (const QString& table : tables)
            for (const char* op : {"INSERT", "UPDATE", "DELETE"}) {
                const QString sql =
                    QStringLiteral("CREATE TRIGGER IF NOT EXISTS \"refuse_%1_%2\" BEFORE %2 ON \"%1\" "
                                   "BEGIN SELECT RAISE(ABORT, 'disk refused'); END")
                        .arg(table, QLatin1String(op));
                ASSERT_EQ(sqlite3_exec(refuser_, sql.toUtf8().constData(), nullptr, nullptr, nullptr),
                          SQLITE_OK);
                triggers_ << QStringLiteral("refuse_%1_%2").arg(table, QLatin1String(op));
            }
    }
    void allowWrites() {
        if (!refuser_)
            return;
        for (const QString& name : triggers_)
            sqlite3_exec(refuser_,
                         QStringLiteral("DROP TRIGGER IF EXISTS \"%1\"").arg(name).toUtf8().constData(),
                         nullptr, nullptr, nullptr);
        triggers_.clear();
        sqlite3_close(refuser_);
        refuser_ = nullptr;
    }
    // What the file holds, read through a second context.
    std::unique_ptr<PersistenceController> reopened() const {
        return std::make_unique<PersistenceController>(false);
    }

    const QDateTime now;
    std::unique_ptr<PersistenceController> store;
    ObjectContext* context = nullptr;

private:
    sqlite3* refuser_ = nullptr;
    QStringList triggers_;
};
