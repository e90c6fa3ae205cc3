#pragma once

#include "Models/Bill.h"
#include "Models/CalendarSubtask.h"
#include "Models/CalendarTask.h"
#include "Models/TaskCategory.h"
#include "ViewModels/CalendarViewModel.h"
#include "Views/CalendarView/CalendarChip.h"
#include "Views/CalendarView/CalendarPageView.h"
#include "Views/CalendarView/CalendarTaskRow.h"
#include "Views/ShellTestSupport.h"

#include <QLocale>
#include <QTest>

#include <memory>

// A calendar page over a seeded store on the shell's frozen clock (Tuesday 10 March 2026),
// shown offscreen at the window's default size inside the themed application.
class CalendarPageTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        MainWindow::applyThemeToApplication();
        app = std::make_unique<AppViewModel>();
    }
    void TearDown() override {
        host.reset();
        app.reset();
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
        ShellTest::TearDown();
    }

    CalendarPageView& openPage(QSize size = {940, 760}) {
        host = std::make_unique<QWidget>();
        host->setObjectName(QStringLiteral("pageHost"));
        host->resize(size);
        page = new CalendarPageView(env(app.get()), host.get());
        page->setGeometry(QRect(QPoint(), size));
        host->setAttribute(Qt::WA_DontShowOnScreen, true);
        host->show();
        qv::test::settle();
        return *page;
    }
    CalendarViewModel& model() const { return *page->viewModel(); }

    std::shared_ptr<TaskCategory> category(const QString& name, const QString& hex) {
        auto c = TaskCategory::create(context());
        c->setName(name);
        c->setColorHex(hex);
        context()->save();
        return c;
    }
    std::shared_ptr<CalendarTask> task(const QString& title, const QDate& day,
                                       const std::shared_ptr<TaskCategory>& c = nullptr) {
        auto t = CalendarTask::create(context());
        t->setTitle(title);
        t->setDate(day.startOfDay(Qt::LocalTime));
        t->setCategory(c);
        Clock::advance(1);
        context()->save();
        return t;
    }
    std::shared_ptr<CalendarSubtask> subtask(const std::shared_ptr<CalendarTask>& t, const QString& title,
                                             bool done = false) {
        auto s = CalendarSubtask::create(context());
        s->setTitle(title);
        s->setIsCompleted(done);
        s->setTask(t);
        Clock::advance(1);
        context()->save();
        return s;
    }
    std::shared_ptr<Milestone> milestone(const std::shared_ptr<Goal>& goal, const QString& title,
                                         const QString& frequency) {
        auto m = Milestone::create(context());
        m->setTitle(title);
        m->setFrequency(frequency);
        m->setGoal(goal);
        context()->save();
        return m;
    }
    std::shared_ptr<Step> step(const std::shared_ptr<Milestone>& m, const QString& title, bool textStep) {
        auto s = Step::create(context());
        s->setTitle(title);
        s->setInputType(textStep ? QStringLiteral("Write a note") : QStringLiteral("Complete"));
        s->setMilestone(m);
        Clock::advance(1);
        context()->save();
        return s;
    }
    std::shared_ptr<Bill> bill(const QString& name, int dueDay, double amount) {
        auto b = Bill::create(context());
        b->setName(name);
        b->setDueDay(static_cast<qint16>(dueDay));
        b->setAmount(amount);
        b->setCategory(QStringLiteral("Utilities"));
        context()->save();
        return b;
    }

    template <typename T> T* find(const QString& name) const { return host->findChild<T*>(name); }
    void click(QWidget* widget) {
        ASSERT_NE(widget, nullptr);
        QTest::mouseClick(widget, Qt::LeftButton);
        qv::test::settle();
    }

    std::unique_ptr<AppViewModel> app;
    std::unique_ptr<QWidget> host;
    CalendarPageView* page = nullptr;
};
