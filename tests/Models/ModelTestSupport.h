#pragma once

#include "Models/Persistence/PersistenceController.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"

#include <gtest/gtest.h>

#include <QDateTime>

#include <memory>

// A fresh in-memory store and a frozen clock for every test.
class ModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::setFake(now());
        store_ = std::make_unique<PersistenceController>(true);
    }
    void TearDown() override {
        store_.reset();
        PersistenceController::resetShared();
        Clock::useSystem();
    }

    // Saturday 14 March 2026, 10:00 local time.
    static QDateTime now() { return QDateTime(QDate(2026, 3, 14), QTime(10, 0)); }
    static QDateTime local(int y, int m, int d, int h = 0, int min = 0) {
        return QDateTime(QDate(y, m, d), QTime(h, min));
    }

    ObjectContext* context() const { return store_->viewContext(); }
    int count(const QString& entity) const { return context()->count(FetchRequest(entity)); }

    // Closes the store and opens it again from its file.
    void reopenFileStore() {
        store_.reset();
        store_ = std::make_unique<PersistenceController>(false);
    }
    void useFileStore() { reopenFileStore(); }

    std::unique_ptr<PersistenceController> store_;
};

// An in-memory store and the clock frozen at `now`, for tests that need nothing else.
class FrozenClockStoreTest : public testing::Test {
protected:
    explicit FrozenClockStoreTest(const QDateTime& frozenAt) : now(frozenAt) {}
    void SetUp() override {
        Clock::setFake(now);
        persistence = std::make_unique<PersistenceController>(true);
        context = persistence->viewContext();
    }
    void TearDown() override { Clock::useSystem(); }

    const QDateTime now;
    std::unique_ptr<PersistenceController> persistence;
    ObjectContext* context = nullptr;
};
