#pragma once

#include "Models/Bill.h"
#include "Models/CalendarSubtask.h"
#include "Models/CalendarTask.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/Persistence/PersistenceController.h"
#include "Models/Step.h"
#include "Models/TaskCategory.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"
#include "ViewModels/CalendarViewModel.h"

#include "ViewModels/Calendar/CalendarStoreRefusal.h"

#include <QLocale>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

// A calendar model over a fresh store (in memory, or a file when a test needs the store to
// refuse writes), on a frozen clock: Saturday 14 March 2026, 10:00 local time.
class CalendarTest : public testing::Test {
protected:
    void SetUp() override {
        Clock::setFake(local(2026, 3, 14, 10));
        store = std::make_unique<PersistenceController>(!usesFileStore());
        context = store->viewContext();
    }
    void TearDown() override {
        vm.reset();
        store.reset();
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
        Clock::useSystem();
    }
    virtual bool usesFileStore() const { return false; }

    static QDateTime local(int y, int m, int d, int h = 0, int min = 0) {
        return QDateTime(QDate(y, m, d), QTime(h, min));
    }

    CalendarViewModel& model() {
        if (!vm)
            vm = std::make_unique<CalendarViewModel>(context);
        return *vm;
    }

    std::shared_ptr<Goal> goal(const QDateTime& createdAt, std::optional<QDateTime> deadline = std::nullopt) {
        auto g = Goal::create(context);
        g->setTitle(QStringLiteral("Goal"));
        g->setCreatedAt(createdAt);
        g->setDeadline(deadline);
        context->save();
        return g;
    }
    std::shared_ptr<Milestone> milestone(const std::shared_ptr<Goal>& g, const QString& frequency,
                                         std::optional<QDateTime> due = std::nullopt) {
        auto m = Milestone::create(context);
        m->setTitle(frequency);
        m->setFrequency(frequency);
        m->setDueDate(due);
        m->setOrder(static_cast<qint16>(g->milestones().size()));
        m->setGoal(g);
        context->save();
        return m;
    }
    std::shared_ptr<CalendarTask> task(const QString& title, const QDateTime& day,
                                       std::optional<QString> frequency = std::nullopt,
                                       std::optional<QDateTime> until = std::nullopt) {
        auto t = CalendarTask::create(context);
        t->setTitle(title);
        t->setDate(day.date().startOfDay(Qt::LocalTime));
        t->setRepeatFrequency(frequency);
        t->setRepeatUntil(until);
        context->save();
        return t;
    }
    std::shared_ptr<CalendarSubtask> subtask(const std::shared_ptr<CalendarTask>& t, const QString& title,
                                             bool done = false) {
        auto s = CalendarSubtask::create(context);
        s->setTitle(title);
        s->setIsCompleted(done);
        s->setTask(t);
        context->save();
        return s;
    }
    std::shared_ptr<Bill> bill(const QString& name, int dueDay) {
        auto b = Bill::create(context);
        b->setName(name);
        b->setDueDay(static_cast<qint16>(dueDay));
        context->save();
        return b;
    }

    QStringList taskTitlesOn(const QDateTime& day) {
        model().selectDate(day);
        QStringList titles;
        for (const auto& t : model().tasksForSelectedDate())
            titles << t->title().value_or(QString());
        return titles;
    }
    QStringList milestoneTitlesOn(const QDateTime& day) {
        model().selectDate(day);
        QStringList titles;
        for (const auto& item : model().milestonesForSelectedDate())
            titles << item.milestone->title().value_or(QString());
        return titles;
    }
    int count(const QString& entity) { return context->count(FetchRequest(entity)); }

    // Closes the store and opens its file again, so what follows reads what is on disk.
    void reopen() {
        vm.reset();
        store.reset();
        store = std::make_unique<PersistenceController>(false);
        context = store->viewContext();
    }

    void refuseWrites(bool refuse = true) { refuseCalendarWrites(context->path(), refuse); }

    std::unique_ptr<PersistenceController> store;
    ObjectContext* context = nullptr;
    std::unique_ptr<CalendarViewModel> vm;
};

// The same over a store file.
class CalendarFileTest : public CalendarTest {
protected:
    bool usesFileStore() const override { return true; }
};
