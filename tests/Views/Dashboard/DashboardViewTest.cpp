#include "Views/ShellTestSupport.h"

#include "Components/SheetHost.h"
#include "Components/StatCard.h"
#include "Models/Achievement.h"
#include "Models/AchievementCategory.h"
#include "Models/MockData/MockDataSeeder.h"
#include "ViewModels/AchievementsViewModel.h"
#include "ViewModels/DashboardViewModel.h"
#include "Views/Achievements/AddAchievementSheet.h"
#include "Views/Dashboard/AchievementsTimelineWidget.h"
#include "Views/Dashboard/DashboardEmptyState.h"
#include "Views/Dashboard/DashboardGoalsSection.h"
#include "Views/Dashboard/DashboardHeader.h"
#include "Views/Dashboard/DashboardStreakBadge.h"
#include "Views/Dashboard/DashboardView.h"
#include "Views/Dashboard/QuoteCard.h"
#include "Views/Dashboard/RecentAchievementRow.h"
#include "Views/Goals/GoalCardView.h"
#include "Views/Goals/GoalDetailView.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class DashboardScreen : public WindowTest {
protected:
    DashboardView* dashboard() const { return qobject_cast<DashboardView*>(screen()); }
    DashboardView& start() {
        skipOverlays();
        openWindow();
        EXPECT_NE(dashboard(), nullptr);
        return *dashboard();
    }
    QStringList statValues() const {
        QStringList out;
        for (StatCard* card : dashboard()->statCards())
            out << card->value();
        return out;
    }
    QStringList cardTitles() const {
        QStringList out;
        for (GoalCardView* card : dashboard()->goalsSection()->cards())
            out << card->titleText();
        return out;
    }
    std::shared_ptr<Achievement> achievement(const QString& title, int daysAgo, const QString& emoji = {},
                                             const std::shared_ptr<AchievementCategory>& category = {}) {
        auto a = Achievement::create(context());
        a->setTitle(title.isEmpty() ? std::nullopt : std::optional<QString>(title));
        a->setDate(Clock::now().addDays(-daysAgo));
        if (!emoji.isEmpty())
            a->setEmoji(emoji);
        a->setCategory(category);
        return a;
    }
    void revisit() {
        vm_->navigate(AppDestination::links);
        vm_->navigate(AppDestination::dashboard);
        qv::test::settle();
    }
};

} // namespace

TEST_F(DashboardScreen, ShowsTheFiguresQuoteAndNewestCardsOfTheStore) {
    MockDataSeeder::seedIfNeeded(context(), [](int low, int) { return low; });
    makeGoal(QStringLiteral("Newest goal with a long streak"), 0, 4, 4, 99);
    DashboardView& view = start();
    const DashboardViewModel* model = view.viewModel();
    EXPECT_EQ(statValues(),
              (QStringList{QString::number(model->activeGoals()), QString::number(model->completedGoals()),
                           QString::number(model->totalGoals()), QStringLiteral("99d")}));
    EXPECT_TRUE(view.header()->streakBadge()->isVisible());
    EXPECT_EQ(view.header()->streakBadge()->text(), QStringLiteral("99"));
    EXPECT_TRUE(view.header()->ringColumn()->isVisible());
    EXPECT_EQ(view.header()->greetingText(), QStringLiteral("Good Morning"));
    EXPECT_EQ(view.header()->dateText(), QStringLiteral("Tuesday, March 10"));
    EXPECT_TRUE(view.quoteCard()->isVisible());
    EXPECT_TRUE(view.quoteCard()->quoteText().startsWith(QLatin1Char('"')));
    EXPECT_TRUE(view.quoteCard()->authorText().startsWith(QStringLiteral("\u2014 ")));
    EXPECT_FALSE(view.emptyState()->isVisible());
    ASSERT_FALSE(cardTitles().isEmpty());
    EXPECT_LE(cardTitles().size(), DashboardViewModel::kMaxGoalCards);
    EXPECT_EQ(cardTitles().front(), QStringLiteral("Newest goal with a long streak"));
    qv::test::saveScreen(window_.get(), QStringLiteral("dashboard-sample"));
}

TEST_F(DashboardScreen, OnScreenTheFiguresFollowTheFirstFrame) {
    makeGoal(QStringLiteral("Halfway"), 0, 4, 2, 7);
    makeGoal(QStringLiteral("Done"), 1, 2, 2, 3);
    skipOverlays();
    vm_ = std::make_unique<AppViewModel>();
    MainWindow::applyThemeToApplication();
    window_ = std::make_unique<MainWindow>(env(vm_.get()));
    window_->show();
    EXPECT_EQ(dashboard()->viewModel()->totalGoals(), 0) << "every goal's progress waits for the first frame";
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    qv::test::settle();
    EXPECT_EQ(statValues(), (QStringList{"1", "1", "2", "7d"}));
    EXPECT_DOUBLE_EQ(dashboard()->viewModel()->overallProgress(), 0.75);
}

TEST_F(DashboardScreen, WithoutActiveGoalsInvitesToSetTheFirstOne) {
    makeGoal(QStringLiteral("Done long ago"), 10, 0, 0, 30, true);
    DashboardView& view = start();
    EXPECT_EQ(statValues(), (QStringList{"0", "0", "0", "\u2014"}));
    EXPECT_FALSE(view.header()->streakBadge()->isVisible());
    EXPECT_FALSE(view.header()->ringColumn()->isVisible());
    EXPECT_FALSE(view.quoteCard()->isVisible());
    EXPECT_FALSE(view.goalsSection()->isVisible());
    EXPECT_TRUE(view.emptyState()->isVisible());
    EXPECT_TRUE(view.achievementsWidget()->isVisible());
    EXPECT_TRUE(view.achievementsWidget()->emptyRow()->isVisible());
    qv::test::saveScreen(window_.get(), QStringLiteral("dashboard-empty"));

    // The first goal, made anywhere, replaces the invitation at once.
    makeGoal(QStringLiteral("First"), 0);
    qv::test::settle();
    EXPECT_FALSE(view.emptyState()->isVisible());
    EXPECT_TRUE(view.goalsSection()->isVisible());
    EXPECT_EQ(cardTitles(), (QStringList{"First"}));
    EXPECT_EQ(statValues().at(2), QStringLiteral("0")) << "the figures wait for the next showing";
    revisit();
    EXPECT_EQ(statValues().at(2), QStringLiteral("1"));

    context()->deleteObject(dashboard()->viewModel()->goals().front());
    context()->save();
    qv::test::settle();
    QTest::mouseClick(dashboard()->emptyState()->createButton(), Qt::LeftButton);
    qv::test::settle();
    EXPECT_EQ(vm_->selectedDestination(), AppDestination::goals);
}

TEST_F(DashboardScreen, HiddenGoalsLeaveTheCardsAtOnceButStayInTheFigures) {
    std::vector<std::shared_ptr<Goal>> goals;
    for (int i = 0; i < 9; ++i)
        goals.push_back(makeGoal(QStringLiteral("Goal %1").arg(i + 1), 9 - i));
    DashboardView& view = start();
    vm_->toggleGoalHidden(goals[8]->objectID());
    vm_->toggleGoalHidden(goals[6]->objectID());
    qv::test::settle();
    EXPECT_EQ(cardTitles(), (QStringList{"Goal 8", "Goal 6", "Goal 5", "Goal 4", "Goal 3", "Goal 2"}));
    EXPECT_EQ(statValues().at(2), QStringLiteral("9"));
    for (GoalCardView* card : view.goalsSection()->cards())
        EXPECT_FALSE(card->isTitleMasked());
    qv::test::saveScreen(window_.get(), QStringLiteral("dashboard-hidden"));

    for (const auto& g : goals)
        if (!vm_->isGoalHidden(g->objectID()))
            vm_->toggleGoalHidden(g->objectID());
    qv::test::settle();
    EXPECT_TRUE(cardTitles().isEmpty());
    EXPECT_TRUE(view.goalsSection()->isVisible()) << "every goal hidden is not the empty state";
    EXPECT_FALSE(view.emptyState()->isVisible());

    vm_->toggleGoalHidden(goals[0]->objectID());
    qv::test::settle();
    EXPECT_EQ(cardTitles(), (QStringList{"Goal 1"}));
    QTest::mouseClick(view.goalsSection()->seeAllButton(), Qt::LeftButton);
    qv::test::settle();
    EXPECT_EQ(vm_->selectedDestination(), AppDestination::goals);
}

TEST_F(DashboardScreen, TheCardsFollowTheNewestActiveGoalsAsGoalsComeGoAndFinish) {
    std::vector<std::shared_ptr<Goal>> goals;
    for (int i = 0; i < 8; ++i)
        goals.push_back(makeGoal(QStringLiteral("Goal %1").arg(i + 1), 10 - i, i == 5 ? 2 : 0));
    start();
    EXPECT_EQ(cardTitles(), (QStringList{"Goal 8", "Goal 7", "Goal 6", "Goal 5", "Goal 4", "Goal 3"}));

    makeGoal(QStringLiteral("Fresh"), 0);
    goals[7]->setIsArchived(true);
    context()->save();
    qv::test::settle();
    EXPECT_EQ(cardTitles(), (QStringList{"Fresh", "Goal 7", "Goal 6", "Goal 5", "Goal 4", "Goal 3"}));

    // Hidden goals give their places to older ones the list had not read before.
    vm_->toggleGoalHidden(goals[6]->objectID());
    vm_->toggleGoalHidden(goals[4]->objectID());
    qv::test::settle();
    EXPECT_EQ(cardTitles(), (QStringList{"Fresh", "Goal 6", "Goal 4", "Goal 3", "Goal 2", "Goal 1"}));

    // A goal finished elsewhere counts as completed the next time the screen shows.
    EXPECT_EQ(statValues().mid(0, 3), (QStringList{"8", "0", "8"}));
    for (const auto& step : goals[5]->milestones().front()->steps())
        step->setIsCompleted(true);
    context()->save();
    revisit();
    EXPECT_EQ(statValues().mid(0, 3), (QStringList{"7", "1", "8"}));
    EXPECT_EQ(cardTitles().at(1), QStringLiteral("Goal 6"));
    EXPECT_DOUBLE_EQ(dashboard()->viewModel()->overallProgress(), 1.0 / 8);
}

TEST_F(DashboardScreen, ACardOpensTheGoalDetailInASheet) {
    makeGoal(QStringLiteral("Open me"), 1, 3, 1);
    DashboardView& view = start();
    ASSERT_EQ(view.goalsSection()->cards().size(), 1u);
    GoalCardView* card = view.goalsSection()->cards().front();
    QTest::mouseClick(card, Qt::LeftButton, {}, QPoint(20, 20));
    qv::test::settle();
    SheetHost* sheet = SheetHost::topmost(window_.get());
    ASSERT_NE(sheet, nullptr);
    auto* detail = qobject_cast<GoalDetailView*>(sheet->content());
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->goal()->title(), QStringLiteral("Open me"));
    EXPECT_GE(sheet->card()->width(), 620);
    EXPECT_GE(sheet->card()->height(), 520);
    EXPECT_EQ(view.selectedGoalID(), detail->goal()->objectID());
    qv::test::saveScreen(window_.get(), QStringLiteral("dashboard-goal-detail"));
    QTest::keyClick(sheet, Qt::Key_Escape);
    qv::test::settle();
    EXPECT_EQ(SheetHost::topmost(window_.get()), nullptr);
    EXPECT_EQ(view.selectedGoalID(), 0);
}

TEST_F(DashboardScreen, TimelineShowsTheFiveNewestWinsAndInvitesTheFirst) {
    DashboardView& view = start();
    AchievementsTimelineWidget* widget = view.achievementsWidget();
    EXPECT_TRUE(widget->emptyRow()->isVisible());
    EXPECT_TRUE(widget->rows().isEmpty());
    QTest::mouseClick(widget->emptyRow(), Qt::LeftButton);
    qv::test::settle();
    SheetHost* host = SheetHost::topmost(window_.get());
    ASSERT_NE(host, nullptr);
    auto* sheet = qobject_cast<AddAchievementSheet*>(host->content());
    ASSERT_NE(sheet, nullptr);
    auto* title = sheet->findChild<QLineEdit*>();
    ASSERT_NE(title, nullptr);
    QTest::keyClicks(title, QStringLiteral("First 5k"));
    QPushButton* save = nullptr;
    for (QPushButton* b : sheet->findChildren<QPushButton*>())
        if (b->text().contains(QStringLiteral("Save")))
            save = b;
    ASSERT_NE(save, nullptr);
    QTest::mouseClick(save, Qt::LeftButton);
    qv::test::settle();
    ASSERT_EQ(widget->rows().size(), 1);
    auto* only = qobject_cast<RecentAchievementRow*>(widget->rows().front());
    EXPECT_EQ(only->titleText(), QStringLiteral("First 5k"));
    EXPECT_TRUE(only->isLast());
    EXPECT_FALSE(widget->emptyRow()->isVisible());

    auto category = AchievementCategory::create(context());
    auto unnamed = AchievementCategory::create(context());
    unnamed->setName(std::nullopt);
    category->setName(QStringLiteral("Health"));
    for (int i = 1; i <= 6; ++i)
        achievement(QStringLiteral("Win %1").arg(i), i, i == 1 ? QStringLiteral("\U0001F525") : QString(),
                    i == 1 ? category : (i == 2 ? unnamed : nullptr));
    achievement(QString(), 0)->setDate(Clock::now().addSecs(60));
    context()->save();
    revisit();
    const QList<QWidget*> rows = dashboard()->achievementsWidget()->rows();
    ASSERT_EQ(rows.size(), 5);
    auto row = [&](int i) { return qobject_cast<RecentAchievementRow*>(rows.at(i)); };
    EXPECT_EQ(row(0)->titleText(), QStringLiteral("Untitled"));
    EXPECT_EQ(row(0)->emojiText(), QStringLiteral("\U0001F3C6"));
    EXPECT_TRUE(row(0)->categoryText().isEmpty());
    EXPECT_EQ(row(2)->titleText(), QStringLiteral("Win 1"));
    EXPECT_EQ(row(2)->emojiText(), QStringLiteral("\U0001F525"));
    EXPECT_EQ(row(2)->categoryText(), QStringLiteral("Health"));
    EXPECT_EQ(row(2)->dateText(), QStringLiteral("1 day ago"));
    EXPECT_EQ(row(3)->categoryText(), QStringLiteral("Other"));
    EXPECT_EQ(row(4)->titleText(), QStringLiteral("Win 3"));
    EXPECT_TRUE(row(4)->isLast());
    EXPECT_FALSE(row(3)->isLast());
    EXPECT_GT(row(3)->height(), row(4)->height()) << "the last row has no connector and no bottom padding";
    qv::test::saveScreen(dashboard()->achievementsWidget(), QStringLiteral("dashboard-achievements"));

    QTest::mouseClick(dashboard()->achievementsWidget()->seeAllButton(), Qt::LeftButton);
    qv::test::settle();
    EXPECT_EQ(vm_->selectedDestination(), AppDestination::achievements);
}

TEST_F(DashboardScreen, FitsTheSmallestWindow) {
    for (int i = 0; i < 3; ++i)
        makeGoal(QStringLiteral("A goal whose title is much longer than any card could ever show in full %1")
                     .arg(i),
                 i, 2, 1, 3);
    start();
    window_->resize(900, 600);
    qv::test::settle();
    EXPECT_LE(window_->minimumSizeHint().width(), 900);
    EXPECT_LE(dashboard()->minimumSizeHint().width(), 900 - 220);
    qv::test::saveScreen(window_.get(), QStringLiteral("dashboard-900x600"));
}
