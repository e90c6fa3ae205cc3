#pragma once

#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/ModelTestSupport.h"
#include "Models/Persistence/PersistenceController.h"
#include "Models/Step.h"
#include "Platform/Clock.h"
#include "Platform/UserDefaults.h"
#include "Store/ObjectContext.h"
#include "Support/TestSupport.h"
#include "ViewModels/AppEnvironment.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/Theme/ThemeManager.h"
#include "Views/Navigation/ContentView.h"
#include "Views/Navigation/MainWindow.h"
#include "Views/TestScreenModels.h"

#include <gtest/gtest.h>

#include <QTimeZone>

#include <memory>

// An in-memory store, a frozen clock (Tuesday 10 March 2026, 10:00 local) and fresh
// defaults and theme for every shell test. Overlays are off unless a test asks for them.
class ShellTest : public testing::Test {
protected:
    void SetUp() override {
        Clock::setFake(local(2026, 3, 10, 10, 0));
        UserDefaults::resetStandard();
        ThemeManager::resetShared();
        store_ = std::make_unique<PersistenceController>(true);
    }
    void TearDown() override {
        qv::test::settle();
        store_.reset();
        ThemeManager::resetShared();
    }

    static QDateTime local(int y, int m, int d, int h, int min) {
        return QDateTime(QDate(y, m, d), QTime(h, min), QTimeZone::systemTimeZone());
    }

    void skipOverlays() {
        UserDefaults::standard().setFlag(QStringLiteral("onboardingComplete"), true);
        UserDefaults::standard().setDate(QStringLiteral("lastCheckInDate"), Clock::now());
    }

    ObjectContext* context() const { return store_->viewContext(); }
    AppEnvironment env(AppViewModel* vm) { return screens_.env(context(), vm); }

    // A goal created the given number of days ago, with steps of which `done` are complete.
    std::shared_ptr<Goal> makeGoal(const QString& title, int daysAgo, int steps = 0, int done = 0,
                                   int streak = 0, bool archived = false) {
        auto goal = Goal::create(context());
        goal->setTitle(title);
        goal->setCreatedAt(Clock::now().addDays(-daysAgo));
        goal->setStreak(streak);
        goal->setIsArchived(archived);
        goal->setColorHex(QStringLiteral("#0891B2"));
        if (steps > 0) {
            auto milestone = Milestone::create(context());
            milestone->setGoal(goal);
            for (int i = 0; i < steps; ++i) {
                auto step = Step::create(context());
                step->setMilestone(milestone);
                step->setIsCompleted(i < done);
            }
        }
        context()->save();
        return goal;
    }

    TestScreenModels screens_;
    std::unique_ptr<PersistenceController> store_;
};

// The real window built as the application builds it, shown offscreen at its default size.
class WindowTest : public ShellTest {
protected:
    void TearDown() override {
        window_.reset();
        vm_.reset();
        ShellTest::TearDown();
    }
    MainWindow& openWindow() {
        vm_ = std::make_unique<AppViewModel>();
        MainWindow::applyThemeToApplication();
        window_ = std::make_unique<MainWindow>(env(vm_.get()));
        window_->setAttribute(Qt::WA_DontShowOnScreen, true);
        window_->show();
        qv::test::settle();
        return *window_;
    }
    QWidget* screen() const { return window_->contentView()->currentScreen(); }

    std::unique_ptr<AppViewModel> vm_;
    std::unique_ptr<MainWindow> window_;
};
