#include "Components/SheetHost.h"
#include "Views/Goals/CreateGoalView.h"
#include "Views/ShellTestSupport.h"

#include "Support/FullStore.h"

#include "Components/AlertDialog.h"
#include "Components/AuroraBackground.h"
#include "Components/StatCard.h"
#include "Models/MockData/MockDataSeeder.h"
#include "ViewModels/AchievementsViewModel.h"
#include "ViewModels/DashboardViewModel.h"
#include "Views/Dashboard/CheckInGoalRow.h"
#include "Views/Dashboard/DailyCheckInModal.h"
#include "Views/Dashboard/DashboardHeader.h"
#include "Views/Dashboard/DashboardView.h"
#include "Views/Finance/FinanceView.h"
#include "Views/Navigation/CheckInOverlay.h"
#include "Views/Navigation/ContentView.h"
#include "Views/Navigation/MainWindow.h"
#include "Views/Navigation/SidebarGoalItem.h"
#include "Views/Navigation/SidebarNavItem.h"
#include "Views/Navigation/SidebarView.h"
#include "Views/Onboarding/OnboardingView.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>

namespace {

class ShellContent : public WindowTest {
protected:
    MainWindow& start() { return openWindow(); }
    ContentView& content() { return *window_->contentView(); }
    SidebarGoalItem* firstGoalRow() { return content().sidebar()->goalItems().value(0); }
};

using ShellContentDates = ShellContent;

// The screen class each destination shows.
QString screenClassOf(AppDestination destination) {
    switch (destination) {
    case AppDestination::dashboard:
        return QStringLiteral("DashboardView");
    case AppDestination::goals:
        return QStringLiteral("GoalsView");
    case AppDestination::deadlines:
        return QStringLiteral("DeadlinesView");
    case AppDestination::achievements:
        return QStringLiteral("AchievementsView");
    case AppDestination::journal:
        return QStringLiteral("DailyLogView");
    case AppDestination::expenses:
        return QStringLiteral("FinanceView");
    case AppDestination::calendar:
        return QStringLiteral("CalendarPageView");
    case AppDestination::links:
        return QStringLiteral("LinksView");
    case AppDestination::settings:
        return QStringLiteral("SettingsView");
    }
    return {};
}

QString classOf(QWidget* screen) {
    return QString::fromLatin1(screen->metaObject()->className());
}

} // namespace

TEST_F(ShellContent, EachSelectionBuildsANewScreenOfItsDestination) {
    skipOverlays();
    start();
    EXPECT_TRUE(qobject_cast<DashboardView*>(content().currentScreen()));
    EXPECT_EQ(content().sidebar()->width(), 220);
    EXPECT_EQ(content().sidebar()->width() + content().currentScreen()->width(), content().width());

    for (AppDestination d : AppDestinations::allCases) {
        QPointer<QWidget> before = content().currentScreen();
        vm_->navigate(d);
        qv::test::settle();
        EXPECT_EQ(classOf(content().currentScreen()), screenClassOf(d));
        if (d != AppDestination::dashboard) {
            EXPECT_TRUE(before.isNull()) << "the screen left behind is discarded";
        }
    }
    EXPECT_EQ(content().currentScreen()->objectName(), QStringLiteral("SettingsView"));

    vm_->navigate(AppDestination::journal);
    QPointer<QWidget> firstJournal = content().currentScreen();
    vm_->navigate(AppDestination::dashboard);
    vm_->navigate(AppDestination::journal);
    qv::test::settle();
    EXPECT_TRUE(firstJournal.isNull());
    EXPECT_EQ(classOf(content().currentScreen()), QStringLiteral("DailyLogView"));
}

TEST_F(ShellContent, DashboardIsBuiltAnewEachTimeItIsChosen) {
    skipOverlays();
    start();
    QPointer<QWidget> first = content().currentScreen();
    auto* dashboard = qobject_cast<DashboardView*>(first.data());
    ASSERT_TRUE(dashboard);
    ASSERT_NE(dashboard->achievementsViewModel(), nullptr);
    EXPECT_EQ(dashboard->achievementsViewModel()->parent(), dashboard) << "it lives as long as the screen";
    vm_->navigate(AppDestination::links);
    vm_->navigate(AppDestination::dashboard);
    qv::test::settle();
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(qobject_cast<DashboardView*>(content().currentScreen()));
}

TEST_F(ShellContent, GoalsMenuHasNewGoalOnCtrlNWhichOpensGoals) {
    skipOverlays();
    start();
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("Quorvale"));
    EXPECT_EQ(window_->size(), QSize(1200, 760 + window_->menuBar()->height()).boundedTo(window_->size()));
    const auto menus = window_->menuBar()->actions();
    ASSERT_EQ(menus.size(), 1) << "no menu offers another window";
    EXPECT_EQ(menus[0]->text(), QStringLiteral("Goals"));
    const auto items = menus[0]->menu()->actions();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0]->text(), QStringLiteral("New Goal"));
    EXPECT_EQ(items[0]->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));

    items[0]->trigger();
    EXPECT_EQ(vm_->selectedDestination(), AppDestination::goals);
    qv::test::settle();
    SheetHost* sheet = SheetHost::topmost(window_.get());
    ASSERT_NE(sheet, nullptr) << "the goals screen opens its create sheet";
    EXPECT_NE(sheet->findChild<CreateGoalView*>(), nullptr);
    EXPECT_FALSE(vm_->takeNewGoalRequest()) << "the request is taken once";
}

TEST_F(ShellContent, AFailedSaveShowsItsReasonOverTheSheetThatKeepsWhatWasTyped) {
    skipOverlays();
    start();
    window_->menuBar()->actions()[0]->menu()->actions()[0]->trigger();
    qv::test::settle();
    SheetHost* sheet = SheetHost::topmost(window_.get());
    ASSERT_NE(sheet, nullptr);
    auto* title = sheet->findChild<QLineEdit*>(QStringLiteral("createGoalTitleField"));
    ASSERT_NE(title, nullptr);
    QTest::keyClicks(title, QStringLiteral("Run a marathon"));
    qv::test::fillStore(*context());
    testing::internal::CaptureStdout();
    sheet->findChild<QPushButton*>(QStringLiteral("createGoalConfirm"))->click();
    qv::test::settle();
    testing::internal::GetCapturedStdout();

    SheetHost* alert = SheetHost::topmost(window_.get());
    ASSERT_NE(alert, sheet) << "the alert stands over the sheet";
    EXPECT_EQ(alert->findChild<QLabel*>(QStringLiteral("alertTitle"))->text(),
              QStringLiteral("Couldn't Save"));
    EXPECT_EQ(alert->findChild<QLabel*>(QStringLiteral("alertMessage"))->text(),
              QStringLiteral("Couldn't save: the disk is full"));
    EXPECT_EQ(title->text(), QStringLiteral("Run a marathon"));
    EXPECT_EQ(context()->count(FetchRequest(Goal::entityName())), 0);
    qv::test::saveScreen(window_.get(), QStringLiteral("shell-failed-save-alert"));
}

TEST_F(ShellContent, DamageMetAtASaveKeepsTheSheetAndItsTextUntilItIsClosedAndThenTheNoticeStands) {
    skipOverlays();
    UserDefaults::standard().setFlag(FinanceView::onboardingCompleteKey, true);
    struct Case {
        const char* what;
        std::function<void()> open;
        QStringList fields; // typed into, in order: the title first
        QString confirm;
        QString cancel;
    };
    const std::vector<Case> cases{
        {"New Goal",
         [this] { window_->newGoalAction()->trigger(); },
         {QStringLiteral("createGoalTitleField")},
         QStringLiteral("createGoalConfirm"),
         QStringLiteral("createGoalCancel")},
        {"Add Expense",
         [this] {
             vm_->navigate(AppDestination::expenses);
             qv::test::settle();
             auto* add = screen()->findChild<QPushButton*>(QStringLiteral("addExpenseButton"));
             ASSERT_NE(add, nullptr);
             add->click();
         },
         {QStringLiteral("titleField"), QStringLiteral("amountField")},
         QStringLiteral("saveButton"),
         QStringLiteral("cancelButton")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        start();
        // As the application tells the window of its store.
        store_->watchStore([this](const QString& title, const QString& message) {
            vm_->setStoreWaitsForSalvage(store_->waitsForSalvage(), store_->waitsForRoom());
            AlertDialog::present(window_.get(), title, message);
        });
        ASSERT_NO_FATAL_FAILURE(c.open());
        qv::test::settle();
        QPointer<SheetHost> sheet = SheetHost::topmost(window_.get());
        ASSERT_TRUE(sheet);
        QPointer<QLineEdit> title = sheet->findChild<QLineEdit*>(c.fields[0]);
        for (const QString& name : c.fields) {
            auto* field = sheet->findChild<QLineEdit*>(name);
            ASSERT_NE(field, nullptr) << name.toStdString();
            QTest::keyClicks(field,
                             name == c.fields[0] ? QStringLiteral("Run a marathon") : QStringLiteral("12"));
        }
        // The save meets the damage; the store tells of it once the save has failed.
        qv::test::meetDamage(*context());
        testing::internal::CaptureStdout();
        sheet->findChild<QPushButton*>(c.confirm)->click();
        qv::test::settle();
        testing::internal::GetCapturedStdout();
        ASSERT_TRUE(vm_->storeWaitsForSalvage());

        QStringList alerts;
        for (SheetHost* top = SheetHost::topmost(window_.get()); top && top != sheet;
             top = SheetHost::topmost(window_.get())) {
            auto* heading = top->findChild<QLabel*>(QStringLiteral("alertTitle"));
            ASSERT_NE(heading, nullptr) << "only alerts stand over the sheet";
            alerts << heading->text() + u'|' +
                          top->findChild<QLabel*>(QStringLiteral("alertMessage"))->text();
            top->findChild<QAbstractButton*>()->click();
            qv::test::settle();
        }
        EXPECT_TRUE(alerts.contains(QStringLiteral("Couldn't Save|Couldn't save: the store is damaged")))
            << alerts.join(u'\n').toStdString();
        ASSERT_TRUE(sheet && title) << "the sheet outlives the damage met at its save";
        EXPECT_EQ(title->text(), QStringLiteral("Run a marathon"));
        EXPECT_NE(classOf(content().currentScreen()), QStringLiteral("HeldRecordsScreen"))
            << "the screen under the sheet stays while the sheet is open";

        sheet->findChild<QPushButton*>(c.cancel)->click();
        qv::test::settle();
        EXPECT_EQ(classOf(content().currentScreen()), QStringLiteral("HeldRecordsScreen"));
        EXPECT_EQ(SheetHost::topmost(window_.get()), nullptr);
        window_.reset();
        vm_.reset();
        store_ = std::make_unique<PersistenceController>(true);
    }
}

TEST_F(ShellContent, MaskingSurvivesAThemeChangeButNotARestart) {
    skipOverlays();
    makeGoal(QStringLiteral("Private goal"), 3, 2, 1);
    start();
    vm_->navigate(AppDestination::settings);
    QTest::mouseClick(firstGoalRow()->eyeButton(), Qt::LeftButton);
    ASSERT_EQ(firstGoalRow()->titleText(), QStringLiteral("•••••••"));

    QPointer<QWidget> oldSidebar = content().sidebar();
    QPointer<QWidget> oldScreen = content().currentScreen();
    ThemeManager::shared().setCurrentTheme(AppColorTheme::forest);
    qv::test::settle();
    EXPECT_TRUE(oldSidebar.isNull()) << "everything below the root is built anew";
    EXPECT_TRUE(oldScreen.isNull());
    EXPECT_EQ(content().currentScreen()->objectName(), QStringLiteral("SettingsView"));
    EXPECT_EQ(firstGoalRow()->titleText(), QStringLiteral("•••••••"));

    window_.reset();
    vm_.reset();
    start();
    EXPECT_EQ(firstGoalRow()->titleText(), QStringLiteral("Private goal"));
    EXPECT_EQ(vm_->selectedDestination(), AppDestination::dashboard);
}

TEST_F(ShellContentDates, CheckInShowsWhenTheLastOneWasOnAnotherDay) {
    UserDefaults::standard().setFlag(QStringLiteral("onboardingComplete"), true);
    auto overlayWith = [&](const std::function<void()>& store) {
        store();
        window_.reset();
        start();
        return content().checkInOverlay() != nullptr;
    };
    const QString key = QStringLiteral("lastCheckInDate");
    EXPECT_TRUE(overlayWith([&] { UserDefaults::standard().setDate(key, local(2026, 3, 9, 23, 59)); }));
    EXPECT_TRUE(overlayWith([&] { UserDefaults::standard().setText(key, QStringLiteral("yesterday")); }));
    EXPECT_FALSE(overlayWith([&] { UserDefaults::standard().setDate(key, local(2026, 3, 10, 0, 1)); }));
}

TEST_F(ShellContent, OnFirstRunTheOnboardingCoversTheCheckInUntilItCloses) {
    start();
    QWidget* onboarding = content().onboardingOverlay();
    QWidget* checkIn = content().checkInOverlay();
    ASSERT_TRUE(onboarding && checkIn);
    const QWidgetList stack =
        onboarding->parentWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    EXPECT_GT(stack.indexOf(onboarding), stack.indexOf(checkIn)) << "the onboarding lies above";
    EXPECT_FALSE(content().background()->isVisible()) << "the covered backdrop rests";
    qv::test::saveScreen(window_.get(), QStringLiteral("shell-onboarding"));

    QTest::mouseClick(onboarding->findChild<QPushButton*>("finishOnboardingButton"), Qt::LeftButton);
    qv::test::settle();
    EXPECT_EQ(content().onboardingOverlay(), nullptr);
    ASSERT_EQ(content().checkInOverlay(), checkIn) << "the check-in shows without a new start";
    EXPECT_TRUE(checkIn->isVisible());
    EXPECT_TRUE(content().background()->isVisible());
    EXPECT_EQ(content().background()->coveredRegion(), QRegion(content().rect()))
        << "under the frosted dim layer the backdrop's frames repaint nothing";
    qv::test::saveScreen(window_.get(), QStringLiteral("shell-check-in"));

    QTest::mouseClick(checkIn->findChild<QPushButton*>("completeCheckInButton"), Qt::LeftButton);
    qv::test::settle();
    EXPECT_EQ(content().checkInOverlay(), nullptr);
    EXPECT_EQ(content().background()->coveredRegion(), QRegion(0, 0, 220, content().height()));
    EXPECT_TRUE(UserDefaults::standard().flag(QStringLiteral("onboardingComplete")));
    EXPECT_EQ(UserDefaults::standard().date(QStringLiteral("lastCheckInDate")), Clock::now());
}

TEST_F(ShellContent, TheScreenUnderAClosingOverlayReadsTheStoreAgain) {
    start();
    auto* dashboard = qobject_cast<DashboardView*>(content().currentScreen());
    ASSERT_NE(dashboard, nullptr);
    auto* onboarding = qobject_cast<OnboardingView*>(content().onboardingOverlay());
    ASSERT_NE(onboarding, nullptr);
    const auto press = [](QWidget* in, const char* name) {
        for (auto* button : in->findChildren<QPushButton*>(QLatin1String(name)))
            if (button->isVisible())
                return QTest::mouseClick(button, Qt::LeftButton), qv::test::settle();
        ADD_FAILURE() << "no button " << name;
    };
    press(onboarding, "getStartedButton");
    onboarding->findChild<QLineEdit*>("nameField")->setText("Ada");
    press(onboarding, "continueButton");
    onboarding->findChild<QLineEdit*>("goalTitleField")->setText("Morning run");
    press(onboarding, "createGoalButton");
    press(onboarding, "finishOnboardingButton");
    qv::test::settle(8);
    ASSERT_EQ(content().onboardingOverlay(), nullptr);
    ASSERT_EQ(content().currentScreen(), dashboard) << "the same screen, not a new one";
    const auto figure = [dashboard](int card) {
        return dashboard->statCards().at(std::size_t(card))->value();
    };
    EXPECT_EQ(figure(0), QStringLiteral("1")) << "Active Goals counts the onboarding's goal";
    EXPECT_EQ(figure(2), QStringLiteral("1")) << "and so does Total Goals";
    EXPECT_TRUE(dashboard->header()->ringColumn()->isVisibleTo(dashboard)) << "the ring of the active goals";

    // The check-in, under the onboarding until now, ticks the goal: its streak counts at once.
    auto* checkIn = qobject_cast<CheckInOverlay*>(content().checkInOverlay());
    ASSERT_NE(checkIn, nullptr);
    EXPECT_EQ(figure(3), DashboardViewModel::streakCardText(0));
    const auto rows = checkIn->modal()->goalRows();
    ASSERT_EQ(rows.size(), 1u);
    QTest::mouseClick(rows[0], Qt::LeftButton);
    QTest::mouseClick(checkIn->modal()->completeButton(), Qt::LeftButton);
    qv::test::settle(8);
    ASSERT_EQ(content().checkInOverlay(), nullptr);
    EXPECT_EQ(figure(3), DashboardViewModel::streakCardText(1)) << "Best Streak after the check-in";
    qv::test::saveScreen(window_.get(), QStringLiteral("shell-first-dashboard-after-onboarding"));
}

TEST_F(ShellContent, TheSidebarIsOneMaterialFromHeaderToFooterAtFullHeight) {
    skipOverlays();
    MockDataSeeder::seedIfNeeded(context(), [](int low, int) { return low; });
    start();
    window_->resize(1920, 1040);
    qv::test::settle();
    SidebarView* sidebar = content().sidebar();
    auto* list = sidebar->findChild<QScrollArea*>(QStringLiteral("sidebarScroll"));
    ASSERT_NE(list, nullptr);
    const QRect page(list->widget()->mapTo(sidebar, QPoint()), list->widget()->size());
    auto* footer = sidebar->findChild<QWidget*>(QStringLiteral("sidebarFooter"));
    ASSERT_LT(page.bottom() + 40, footer->y()) << "room below the last row at this height";
    qv::test::saveScreen(window_.get(), QStringLiteral("shell-sidebar-full-height"));
    const QImage image =
        window_->grab(QRect(sidebar->mapTo(window_.get(), QPoint()), sidebar->size())).toImage();
    // The material drifts slowly with the backdrop under it; a block painted over it steps at
    // the list page's lower edge.
    const int x = SidebarView::kWidth - 6;
    const QColor inside = image.pixelColor(x, page.bottom() - 1);
    const QColor below = image.pixelColor(x, page.bottom() + 3);
    EXPECT_LE(std::abs(inside.red() - below.red()) + std::abs(inside.green() - below.green()) +
                  std::abs(inside.blue() - below.blue()),
              8)
        << inside.name().toStdString() << " in the list, " << below.name().toStdString() << " below it";
}

TEST_F(ShellContent, RendersTheDashboardWithSidebarAndBackdrop) {
    skipOverlays();
    MockDataSeeder::seedIfNeeded(context(), [](int low, int) { return low; });
    start();
    ASSERT_FALSE(content().sidebar()->goalItems().isEmpty());
    content().sidebar()->goalItems().at(1)->eyeButton()->click();
    EXPECT_TRUE(content().background()->isVisible());
    qv::test::saveScreen(window_.get(), QStringLiteral("shell-dashboard"));
    vm_->navigate(AppDestination::journal);
    qv::test::saveScreen(window_.get(), QStringLiteral("shell-journal"));
}

TEST_F(ShellContent, WhileTheStoreWaitsForItsSalvageEveryDestinationSaysTheRecordsAreKeptAndNothingCreates) {
    skipOverlays();
    makeGoal(QStringLiteral("Run a marathon"), 3);
    start();
    vm_->setStoreWaitsForSalvage(true);
    qv::test::settle();
    const auto offersToCreate = [this] {
        QStringList offers;
        for (QAbstractButton* button : window_->findChildren<QAbstractButton*>()) {
            const QString words = button->text() + u' ' + button->accessibleName();
            if (button->isVisible() && button->isEnabled() &&
                words.contains(QRegularExpression(QStringLiteral("New|Create|Add|Set Your First"))))
                offers << words;
        }
        return offers;
    };
    for (AppDestination d : AppDestinations::allCases) {
        vm_->navigate(d);
        qv::test::settle();
        SCOPED_TRACE(classOf(content().currentScreen()).toStdString());
        EXPECT_EQ(classOf(content().currentScreen()), QStringLiteral("HeldRecordsScreen"));
        const auto* title = content().currentScreen()->findChild<QLabel*>(QStringLiteral("heldRecordsTitle"));
        ASSERT_NE(title, nullptr);
        EXPECT_TRUE(title->isVisible());
        EXPECT_EQ(offersToCreate(), QStringList());
    }
    EXPECT_TRUE(content().sidebar()->goalItems().isEmpty()) << "no list that may read as empty";
    EXPECT_FALSE(window_->newGoalAction()->isEnabled());
    window_->newGoalAction()->trigger();
    qv::test::settle();
    EXPECT_EQ(SheetHost::topmost(window_.get()), nullptr);
    vm_->navigate(AppDestination::dashboard);
    qv::test::saveScreen(window_.get(), QStringLiteral("shell-records-held"));

    // Repaired: the planner and its goals are back.
    vm_->setStoreWaitsForSalvage(false);
    qv::test::settle();
    EXPECT_TRUE(qobject_cast<DashboardView*>(content().currentScreen()));
    EXPECT_EQ(content().sidebar()->goalItems().size(), 1);
    EXPECT_TRUE(window_->newGoalAction()->isEnabled());
}
