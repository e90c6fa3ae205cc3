#include "Views/Goals/GoalsView.h"

#include "Components/AlertButton.h"
#include "Components/ElidedLabel.h"
#include "Components/SheetHost.h"
#include "Models/Expense.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/Persistence/PersistenceController.h"
#include "Platform/Clock.h"
#include "Platform/UserDefaults.h"
#include "Store/ObjectContext.h"
#include "Support/FullStore.h"
#include "Support/TestSupport.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/GoalsViewModel.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Achievements/AddAchievementSheet.h"
#include "Views/Goals/ArchivedGoalRow.h"
#include "Views/Goals/CreateGoalView.h"
#include "Views/Goals/GoalCardView.h"
#include "Views/Goals/GoalRowView.h"
#include "Views/Goals/GoalsTestSupport.h"
#include "Views/TestScreenModels.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <memory>

namespace {

class GoalsViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::setFake(QDateTime(QDate(2026, 3, 10), QTime(12, 0), Qt::UTC));
        context = controller.viewContext();
        window = GoalsTestSupport::darkWindow(1200, 760);
        new QVBoxLayout(window.get());
        window->layout()->setContentsMargins(0, 0, 0, 0);
        window->show();
    }
    void TearDown() override {
        window.reset();
        qv::test::settle();
        Clock::useSystem();
    }

    GoalsView* open() {
        delete view;
        view = new GoalsView(screens.env(context, &app), window.get());
        window->layout()->addWidget(view);
        view->show();
        qv::test::settle();
        return view;
    }

    std::shared_ptr<Goal> makeGoal(const QString& title, const QString& category = QStringLiteral("Health")) {
        Clock::advance(60);
        auto goal = Goal::create(context);
        goal->setTitle(title);
        goal->setCategory(category);
        goal->setColorHex(QStringLiteral("#0891B2"));
        goal->setPriority(2);
        context->save();
        return goal;
    }

    // The rows and cards the list shows (it keeps a few spare ones hidden for scrolling).
    template <typename T> QList<T*> all() {
        QList<T*> shown;
        for (T* w : view->findChildren<T*>())
            if (w->isVisible())
                shown << w;
        return shown;
    }

    template <typename T> T* widgetFor(const std::shared_ptr<Goal>& goal) {
        for (T* w : view->findChildren<T*>())
            if (w->goalID() == goal->objectID() && w->isVisible())
                return w;
        return nullptr;
    }

    // The newest alert or sheet over the window.
    SheetHost* topSheet() { return SheetHost::topmost(window.get()); }

    void pressAlertButton(const QString& title) {
        SheetHost* host = topSheet();
        ASSERT_NE(host, nullptr);
        for (AlertButton* button : host->findChildren<AlertButton*>())
            if (button->text() == title) {
                button->click();
                qv::test::settle();
                return;
            }
        FAIL() << "no alert button " << title.toStdString();
    }

    PersistenceController controller{true};
    std::unique_ptr<PersistenceController> disk; // for a test that needs a store to fill; outlives the screen
    ObjectContext* context = nullptr;
    AppViewModel app;
    TestScreenModels screens;
    std::unique_ptr<QWidget> window;
    GoalsView* view = nullptr;
};

TEST_F(GoalsViewTest, ListOrGridModeSurvivesRecreatingTheScreen) {
    makeGoal(QStringLiteral("Run"));
    makeGoal(QStringLiteral("Read"));
    open();
    EXPECT_FALSE(view->isGridMode());
    EXPECT_EQ(all<GoalRowView>().size(), 2);

    QTest::mouseClick(view->findChild<QToolButton*>(QStringLiteral("goalsGridModeButton")), Qt::LeftButton);
    qv::test::settle();
    EXPECT_TRUE(UserDefaults::standard().flag(GoalsView::viewModeKey()));
    EXPECT_EQ(all<GoalCardView>().size(), 2);
    EXPECT_TRUE(all<GoalRowView>().isEmpty());

    open();
    EXPECT_TRUE(view->isGridMode());
    EXPECT_EQ(all<GoalCardView>().size(), 2);
    QTest::mouseClick(view->findChild<QToolButton*>(QStringLiteral("goalsListModeButton")), Qt::LeftButton);
    qv::test::settle();
    open();
    EXPECT_FALSE(view->isGridMode());
    EXPECT_EQ(all<GoalRowView>().size(), 2);
}

TEST_F(GoalsViewTest, SelectingAGoalOpensThePanelAndSelectingItAgainClosesIt) {
    auto run = makeGoal(QStringLiteral("Run"));
    auto read = makeGoal(QStringLiteral("Read"));
    open();
    EXPECT_FALSE(view->detailPanel());

    QTest::mouseClick(widgetFor<GoalRowView>(run), Qt::LeftButton, {}, QPoint(40, 20));
    qv::test::settle();
    ASSERT_TRUE(view->detailPanel());
    EXPECT_TRUE(view->detailPanel()->isVisible());
    EXPECT_EQ(view->detailPanel()->width(), GoalsView::kDetailPanelWidth);
    EXPECT_EQ(view->findChildren<GoalsViewModel*>().size(), 1)
        << "the detail beside the list works with the screen's own goals list, not a second one";
    EXPECT_TRUE(widgetFor<GoalRowView>(run)->isSelected());

    QTest::mouseClick(widgetFor<GoalRowView>(read), Qt::LeftButton, {}, QPoint(40, 20));
    qv::test::settle();
    EXPECT_EQ(view->selectedGoalID(), read->objectID());
    EXPECT_FALSE(widgetFor<GoalRowView>(run)->isSelected());

    QTest::mouseClick(widgetFor<GoalRowView>(read), Qt::LeftButton, {}, QPoint(40, 20));
    qv::test::settle();
    EXPECT_EQ(view->selectedGoalID(), 0);
    EXPECT_FALSE(view->detailPanel());

    // The same in grid mode, through the cards.
    view->setGridMode(true);
    qv::test::settle();
    QTest::mouseClick(widgetFor<GoalCardView>(run), Qt::LeftButton, {}, QPoint(30, 60));
    qv::test::settle();
    EXPECT_EQ(view->selectedGoalID(), run->objectID());
    EXPECT_TRUE(widgetFor<GoalCardView>(run)->isSelected());
    QTest::mouseClick(widgetFor<GoalCardView>(run), Qt::LeftButton, {}, QPoint(30, 60));
    qv::test::settle();
    EXPECT_EQ(view->selectedGoalID(), 0);
}

TEST_F(GoalsViewTest, AchieveMovesTheGoalToTheAchievedTabAndRestoreBringsItBack) {
    auto goal = makeGoal(QStringLiteral("Learn Spanish"));
    makeGoal(QStringLiteral("Stay"));
    open();
    auto* count = view->findChild<QLabel*>(QStringLiteral("goalsAchievedCount"));
    EXPECT_FALSE(count->isVisible());

    widgetFor<GoalRowView>(goal)->findChild<QToolButton*>(QStringLiteral("goalRowAchieve"))->click();
    qv::test::settle();
    EXPECT_EQ(topSheet()->findChild<QLabel*>(QStringLiteral("alertTitle"))->text(),
              QStringLiteral("Mark as Achieved?"));
    pressAlertButton(QStringLiteral("Just Mark Complete"));
    EXPECT_TRUE(goal->isArchived());
    EXPECT_FALSE(context->hasChanges());
    EXPECT_EQ(widgetFor<GoalRowView>(goal), nullptr);
    EXPECT_TRUE(count->isVisible());
    EXPECT_EQ(count->text(), QStringLiteral("1"));

    QTest::mouseClick(view->findChild<QToolButton*>(QStringLiteral("goalsAchievedTab")), Qt::LeftButton);
    qv::test::settle();
    ArchivedGoalRow* row = widgetFor<ArchivedGoalRow>(goal);
    ASSERT_NE(row, nullptr);
    auto* restore = row->findChild<QToolButton*>(QStringLiteral("archivedGoalRestore"));
    EXPECT_FALSE(restore->isVisible());
    QEnterEvent enter(QPointF(10, 10), QPointF(10, 10), QPointF(10, 10));
    QApplication::sendEvent(row, &enter);
    EXPECT_TRUE(restore->isVisible());
    restore->click();
    qv::test::settle();
    EXPECT_FALSE(goal->isArchived());
    EXPECT_FALSE(count->isVisible());
    EXPECT_TRUE(view->findChild<QWidget*>(QStringLiteral("goalsArchivedEmptyState"))->isVisible());

    QTest::mouseClick(view->findChild<QToolButton*>(QStringLiteral("goalsActiveTab")), Qt::LeftButton);
    qv::test::settle();
    EXPECT_NE(widgetFor<GoalRowView>(goal), nullptr);
}

TEST_F(GoalsViewTest, AddToAchievementsAchievesFirstAndOpensThePrefilledSheet) {
    disk = std::make_unique<PersistenceController>(false); // a file store, which can be made full
    context = disk->viewContext();
    auto goal = makeGoal(QStringLiteral("Ship v1"));
    open();
    view->select(goal->objectID());
    // A goal the store refuses to mark achieved offers no achievement to record.
    qv::test::fillStore(*context);
    testing::internal::CaptureStdout();
    view->offerAchieve(goal->objectID());
    qv::test::settle();
    pressAlertButton(QStringLiteral("Add to Achievements"));
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(goal->isArchived());
    EXPECT_EQ(topSheet(), nullptr);
    qv::test::freeStore(*context);

    view->offerAchieve(goal->objectID());
    qv::test::settle();
    pressAlertButton(QStringLiteral("Add to Achievements"));
    EXPECT_TRUE(goal->isArchived());
    auto* sheet = qobject_cast<AddAchievementSheet*>(topSheet()->content());
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->title(), QStringLiteral("Ship v1"));
    EXPECT_EQ(sheet->emoji(), QStringLiteral("\U0001F3C6"));
    // The panel stays on the achieved goal until another tab or goal is chosen.
    EXPECT_TRUE(view->detailPanel());
    sheet->dismiss();
    qv::test::settle();
    EXPECT_TRUE(goal->isArchived());
}

TEST_F(GoalsViewTest, CardsAndRowsShowDeadlinesMoneyAndMarkupLiterally) {
    const QDateTime now = Clock::now();
    auto today = makeGoal(QStringLiteral("Today"));
    today->setDeadline(now.addSecs(-5 * 3600));
    auto overdue = makeGoal(QStringLiteral("Late"));
    overdue->setDeadline(now.addSecs(-25 * 3600));
    auto tomorrow = makeGoal(QStringLiteral("Soon"));
    tomorrow->setDeadline(now.addSecs(36 * 3600));
    auto money = makeGoal(QStringLiteral("Fund"));
    money->setNeedsMoney(true);
    money->setTargetAmount(5000);
    auto expense = Expense::create(context);
    expense->setAmount(6000);
    expense->setGoalID(money->id());
    auto markup = makeGoal(QStringLiteral("<b>x</b>"));
    context->save();

    open();
    auto* row = widgetFor<GoalRowView>(money);
    EXPECT_EQ(row->findChild<ElidedLabel*>(QStringLiteral("goalRowMoneyText"))->fullText(),
              QStringLiteral("6000/5000"));
    EXPECT_EQ(row->findChild<QLabel*>(QStringLiteral("goalRowPercent"))->text(), QStringLiteral("100%"));
    auto* markupTitle = widgetFor<GoalRowView>(markup)->findChild<QLabel*>(QStringLiteral("goalRowTitle"));
    EXPECT_EQ(markupTitle->text(), QStringLiteral("<b>x</b>"));
    EXPECT_EQ(markupTitle->textFormat(), Qt::PlainText);
    EXPECT_EQ(widgetFor<GoalRowView>(overdue)->findChild<QLabel*>(QStringLiteral("goalRowDeadline"))->text(),
              QStringLiteral("Overdue"));

    view->offerAchieve(markup->objectID());
    qv::test::settle();
    auto* message = topSheet()->findChild<QLabel*>(QStringLiteral("alertMessage"));
    EXPECT_EQ(message->text(), QStringLiteral("\"<b>x</b>\" will be marked as complete."));
    EXPECT_EQ(message->textFormat(), Qt::PlainText);
    pressAlertButton(QStringLiteral("Cancel"));
    EXPECT_FALSE(markup->isArchived());

    view->setGridMode(true);
    qv::test::settle();
    auto deadlineOf = [this](const std::shared_ptr<Goal>& goal) {
        return widgetFor<GoalCardView>(goal)->findChild<QLabel*>(QStringLiteral("goalCardDeadline"))->text();
    };
    EXPECT_EQ(deadlineOf(today), QStringLiteral("Due today"));
    EXPECT_EQ(deadlineOf(overdue), QStringLiteral("Overdue by 1d"));
    EXPECT_EQ(deadlineOf(tomorrow), QStringLiteral("Due tomorrow"));
    auto* cardTitle = widgetFor<GoalCardView>(markup)->findChild<QLabel*>(QStringLiteral("goalCardTitle"));
    EXPECT_EQ(cardTitle->text(), QStringLiteral("<b>x</b>"));
    EXPECT_EQ(cardTitle->textFormat(), Qt::PlainText);
}

TEST_F(GoalsViewTest, MaskingFollowsTheSharedStateInBothModesButNeverInTheAchievedList) {
    auto goal = makeGoal(QStringLiteral("Secret"));
    open();
    widgetFor<GoalRowView>(goal)->findChild<QToolButton*>(QStringLiteral("goalRowEye"))->click();
    qv::test::settle();
    EXPECT_TRUE(app.isGoalHidden(goal->objectID()));
    const QString mask = QStringLiteral("\u2022\u2022\u2022\u2022\u2022\u2022\u2022");
    EXPECT_EQ(widgetFor<GoalRowView>(goal)->findChild<QLabel*>(QStringLiteral("goalRowTitle"))->text(), mask);
    view->setGridMode(true);
    qv::test::settle();
    EXPECT_EQ(widgetFor<GoalCardView>(goal)->findChild<QLabel*>(QStringLiteral("goalCardTitle"))->text(),
              mask);
    view->viewModel()->achieveGoal(goal);
    view->setShowingArchived(true);
    qv::test::settle();
    EXPECT_EQ(
        widgetFor<ArchivedGoalRow>(goal)->findChild<QLabel*>(QStringLiteral("archivedGoalTitle"))->text(),
        QStringLiteral("Secret"));
}

TEST_F(GoalsViewTest, DeletingFromTheGridAsksFirstAndClosesThePanel) {
    auto goal = makeGoal(QStringLiteral("Doomed"));
    auto milestone = Milestone::create(context);
    milestone->setGoal(goal);
    context->save();
    open();
    view->setGridMode(true);
    qv::test::settle();
    view->select(goal->objectID());
    GoalCardView* card = widgetFor<GoalCardView>(goal);
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions())
            if (action->text() == QStringLiteral("Delete Goal"))
                menu->setActiveAction(action);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    emit card->customContextMenuRequested(QPoint(20, 20));
    qv::test::settle();
    EXPECT_FALSE(goal->isDeleted()) << "the grid's delete asks first";
    EXPECT_EQ(topSheet()->findChild<QLabel*>(QStringLiteral("alertTitle"))->text(),
              QStringLiteral("Delete \"Doomed\"?"));
    pressAlertButton(QStringLiteral("Delete Permanently"));
    EXPECT_TRUE(goal->isDeleted());
    EXPECT_TRUE(milestone->isDeleted());
    EXPECT_EQ(view->selectedGoalID(), 0);
    EXPECT_FALSE(view->detailPanel());
    EXPECT_TRUE(all<GoalCardView>().isEmpty() || !widgetFor<GoalCardView>(goal));
}

TEST_F(GoalsViewTest, ARowShowsItsFiguresAndItsMenuDeletesAtOnce) {
    auto goal = makeGoal(QStringLiteral("Save up"));
    goal->setStreak(12);
    goal->setDeadline(Clock::now().addSecs(-5 * 3600));
    auto milestone = Milestone::create(context);
    milestone->setGoal(goal);
    milestone->setIsCompleted(true);
    Milestone::create(context)->setGoal(goal);
    context->save();
    open();
    auto* row = widgetFor<GoalRowView>(goal);
    auto label = [row](const char* name) { return row->findChild<QLabel*>(QString::fromLatin1(name)); };
    EXPECT_EQ(label("goalRowEfforts")->text(), QStringLiteral("1/2"));
    EXPECT_EQ(label("goalRowDeadline")->text(), QStringLiteral("Due in 0d"));
    EXPECT_TRUE(label("goalRowStreakText")->isVisibleTo(row));
    auto figure = [row](const char* name) {
        return row->findChild<ElidedLabel*>(QString::fromLatin1(name))->fullText();
    };
    EXPECT_EQ(figure("goalRowStreakText"), QStringLiteral("12d"));

    goal->setNeedsMoney(true); // a money goal shows its figures instead of the streak
    context->save();
    qv::test::settle();
    EXPECT_FALSE(label("goalRowStreakText")->isVisibleTo(row));
    EXPECT_EQ(figure("goalRowMoneyText"), QStringLiteral("0/0"));
    goal->setTargetAmount(1e300); // any stored amount prints, however large or odd
    context->save();
    qv::test::settle();
    const QString huge = figure("goalRowMoneyText");
    EXPECT_TRUE(huge.startsWith(QStringLiteral("0/1000000000000000")));
    EXPECT_EQ(huge.size(), 2 + 301);
    // It elides to its room: the row keeps its width and its percentage in view.
    EXPECT_LT(row->minimumSizeHint().width(), 400);
    EXPECT_TRUE(label("goalRowMoneyText")->text().endsWith(QChar(0x2026)));
    EXPECT_GT(label("goalRowMoneyText")->width(), 100) << "it shows what fits";
    EXPECT_LE(label("goalRowPercent")->geometry().right(), row->width());
    goal->setTargetAmount(std::nan(""));
    context->save();
    qv::test::settle();
    EXPECT_EQ(figure("goalRowMoneyText"), QStringLiteral("0/0"));

    view->select(goal->objectID());
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        menu->setActiveAction(menu->actions().value(0));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(30, 20), row->mapToGlobal(QPoint(30, 20)));
    QApplication::sendEvent(row, &menuEvent);
    qv::test::settle();
    EXPECT_TRUE(goal->isDeleted());
    EXPECT_EQ(view->selectedGoalID(), 0);
    EXPECT_TRUE(view->findChild<QWidget*>(QStringLiteral("goalsEmptyState"))->isVisible());
}

TEST_F(GoalsViewTest, CategoryChipsFilterAndSearchShowsNoResults) {
    makeGoal(QStringLiteral("Run"), QStringLiteral("Health"));
    makeGoal(QStringLiteral("Ship"), QStringLiteral("Career"));
    open();
    auto chip = [this](const QString& text) -> QToolButton* {
        for (QToolButton* c : view->findChildren<QToolButton*>(QStringLiteral("goalsCategoryChip")))
            if (c->isVisible() && c->text() == text)
                return c;
        return nullptr;
    };
    ASSERT_NE(chip(QStringLiteral("Career")), nullptr);
    QTest::mouseClick(chip(QStringLiteral("Career")), Qt::LeftButton);
    qv::test::settle();
    EXPECT_EQ(view->viewModel()->filterCategory(), QStringLiteral("Career"));
    EXPECT_TRUE(chip(QStringLiteral("Career"))->property("chosen").toBool());
    ASSERT_EQ(all<GoalRowView>().size(), 1);
    EXPECT_EQ(all<GoalRowView>().front()->findChild<ElidedLabel*>(QStringLiteral("goalRowTitle"))->fullText(),
              QStringLiteral("Ship"));

    QTest::keyClicks(view->findChild<QLineEdit*>(QStringLiteral("goalsSearchField")), QStringLiteral("zzz"));
    qv::test::settle();
    EXPECT_EQ(view->findChild<QLabel*>(QStringLiteral("goalsEmptyTitle"))->text(),
              QStringLiteral("No results"));
    EXPECT_FALSE(view->findChild<QPushButton*>(QStringLiteral("goalsCreateFirstGoal"))->isVisibleTo(view));
    view->findChild<QToolButton*>(QStringLiteral("goalsSearchClear"))->click();
    qv::test::settle();
    EXPECT_EQ(all<GoalRowView>().size(), 1);
}

TEST_F(GoalsViewTest, NewGoalComesFromTheButtonTheEmptyStateAndTheMenuRequest) {
    app.requestNewGoal();
    open();
    auto* sheet = qobject_cast<CreateGoalView*>(topSheet()->content());
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(view->viewModel()->showCreateGoal());
    EXPECT_EQ(topSheet()->card()->size(), QSize(520, 620));
    int sheets = 0;
    for (SheetHost* host : window->findChildren<SheetHost*>())
        sheets += !host->isDismissing();
    EXPECT_EQ(sheets, 1);
    topSheet()->dismiss();
    qv::test::settle();
    EXPECT_FALSE(view->viewModel()->showCreateGoal());

    EXPECT_TRUE(view->findChild<QWidget*>(QStringLiteral("goalsEmptyState"))->isVisible());
    view->findChild<QPushButton*>(QStringLiteral("goalsCreateFirstGoal"))->click();
    qv::test::settle();
    ASSERT_NE(topSheet(), nullptr);
    topSheet()->dismiss();
    qv::test::settle();

    app.requestNewGoal(); // already on the goals screen
    qv::test::settle();
    ASSERT_NE(topSheet(), nullptr);
    EXPECT_NE(qobject_cast<CreateGoalView*>(topSheet()->content()), nullptr);
}

} // namespace
