#include "Views/ShellTestSupport.h"

#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Navigation/SidebarGoalItem.h"
#include "Views/Navigation/SidebarNavItem.h"
#include "Views/Navigation/SidebarNewGoalButton.h"
#include "Views/Navigation/SidebarView.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace {

class SidebarViewTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        skipOverlays();
        vm_ = std::make_unique<AppViewModel>();
    }
    void TearDown() override {
        sidebar_.reset();
        vm_.reset();
        ShellTest::TearDown();
    }
    SidebarView& sidebar() {
        if (!sidebar_) {
            sidebar_ = std::make_unique<SidebarView>(env(vm_.get()));
            sidebar_->resize(SidebarView::kWidth, 760);
            sidebar_->setAttribute(Qt::WA_DontShowOnScreen);
            sidebar_->show();
            qv::test::settle();
        }
        return *sidebar_;
    }
    QStringList rowTitles() {
        QStringList titles;
        for (SidebarGoalItem* row : sidebar().goalItems())
            titles << row->titleText();
        return titles;
    }
    QLabel* label(const char* name) { return sidebar().findChild<QLabel*>(QString::fromLatin1(name)); }

    std::unique_ptr<AppViewModel> vm_;
    std::unique_ptr<SidebarView> sidebar_;
};

} // namespace

TEST_F(SidebarViewTest, ListsEveryDestinationButSettingsAndHighlightsTheSelectedOne) {
    const auto items = sidebar().navItems();
    QStringList titles;
    for (SidebarNavItem* item : items)
        titles << item->text();
    EXPECT_EQ(titles, (QStringList{"Dashboard", "Goals", "Deadlines", "Achievements", "Journal", "Finance",
                                   "Calendar", "Links"}));
    EXPECT_TRUE(items[0]->isSelected());

    QTest::mouseClick(items[4], Qt::LeftButton);
    EXPECT_EQ(vm_->selectedDestination(), AppDestination::journal);
    EXPECT_TRUE(items[4]->isSelected());
    EXPECT_FALSE(items[0]->isSelected());

    QTest::mouseClick(sidebar().findChild<QToolButton*>("sidebarSettingsButton"), Qt::LeftButton);
    EXPECT_EQ(vm_->selectedDestination(), AppDestination::settings);
    for (SidebarNavItem* item : items)
        EXPECT_FALSE(item->isSelected()) << "settings has no row";
    EXPECT_EQ(label("sidebarProductName")->text(), QStringLiteral("Velmora"));
    EXPECT_EQ(label("sidebarSubtitle")->text(), QStringLiteral("Your goals, your way"));
}

TEST_F(SidebarViewTest, GoalRowsAreTheActiveGoalsOldestFirstAndFollowTheStore) {
    auto newer = makeGoal(QStringLiteral("Newer"), 1);
    auto older = makeGoal(QStringLiteral("Older"), 5, 3, 2);
    makeGoal(QStringLiteral("Achieved"), 9, 0, 0, 40, true);

    EXPECT_EQ(rowTitles(), (QStringList{"Older", "Newer"}));
    const auto rows = sidebar().goalItems();
    EXPECT_EQ(rows[0]->percentText(), QStringLiteral("66%")) << "2 of 3 steps, truncated";
    EXPECT_EQ(rows[1]->percentText(), QStringLiteral("0%"));

    // A step ticked elsewhere moves the percentage; a new goal joins at the end.
    older->milestones().front()->steps().back()->setIsCompleted(true);
    auto fresh = makeGoal(QStringLiteral("Fresh"), 0);
    qv::test::settle();
    EXPECT_EQ(rowTitles(), (QStringList{"Older", "Newer", "Fresh"}));
    EXPECT_EQ(sidebar().goalItems()[0]->percentText(), QStringLiteral("100%"));

    older->setIsArchived(true);
    context()->deleteObject(fresh);
    context()->save();
    qv::test::settle();
    EXPECT_EQ(rowTitles(), (QStringList{"Newer"}));
}

TEST_F(SidebarViewTest, WithoutActiveGoalsTheGoalSectionIsAbsent) {
    makeGoal(QStringLiteral("Achieved"), 3, 0, 0, 12, true);
    auto* section = sidebar().findChild<QWidget*>("sidebarGoalsSection");
    EXPECT_TRUE(section->isHidden());
    EXPECT_TRUE(sidebar().findChild<SidebarNewGoalButton*>()->isVisible());
    EXPECT_EQ(label("sidebarStreakText")->text(), QStringLiteral("Start your streak"));
    EXPECT_EQ(label("sidebarStreakText")->palette().color(QPalette::WindowText), Theme::textMuted());
    EXPECT_TRUE(label("sidebarStreakEmoji")->isHidden());

    makeGoal(QStringLiteral("Active"), 1);
    qv::test::settle();
    EXPECT_FALSE(section->isHidden());
}

TEST_F(SidebarViewTest, FooterShowsTheBestStreakOfTheActiveGoals) {
    makeGoal(QStringLiteral("A"), 3, 0, 0, 0);
    makeGoal(QStringLiteral("B"), 2, 0, 0, 5);
    makeGoal(QStringLiteral("C"), 1, 0, 0, 2);
    makeGoal(QStringLiteral("Done"), 4, 0, 0, 40, true);
    EXPECT_EQ(label("sidebarStreakText")->text(), QStringLiteral("5 day streak"));
    EXPECT_EQ(label("sidebarStreakText")->palette().color(QPalette::WindowText), AppTheme::Colors::amber());
    EXPECT_FALSE(label("sidebarStreakEmoji")->isHidden());

    for (const auto& goal : context()->fetch<Goal>(FetchRequest(Goal::entityName())))
        goal->setStreak(goal->title() == QStringLiteral("A") ? 1 : 0);
    context()->save();
    qv::test::settle();
    EXPECT_EQ(label("sidebarStreakText")->text(), QStringLiteral("1 day streak"));
}

TEST_F(SidebarViewTest, EyeButtonMasksTheTitleWithoutNavigating) {
    auto goal = makeGoal(QStringLiteral("Secret plan"), 2, 4, 1);
    SidebarGoalItem* row = sidebar().goalItems().front();
    EXPECT_EQ(row->eyeSymbol(), QStringLiteral("eye"));

    QSignalSpy clicked(row, &SidebarGoalItem::clicked);
    QTest::mouseClick(row->eyeButton(), Qt::LeftButton);
    EXPECT_TRUE(vm_->isGoalHidden(goal->objectID()));
    EXPECT_EQ(row->titleText(), QStringLiteral("•••••••"));
    EXPECT_EQ(row->eyeSymbol(), QStringLiteral("eye.slash"));
    EXPECT_EQ(row->percentText(), QStringLiteral("25%")) << "the percentage stays visible";
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(vm_->selectedDestination(), AppDestination::dashboard);

    QTest::mouseClick(row, Qt::LeftButton, {}, QPoint(40, row->height() / 2));
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(vm_->selectedDestination(), AppDestination::goals);
    EXPECT_FALSE(vm_->selectedGoalID().has_value()) << "the tapped goal is not selected";

    QTest::mouseClick(row->eyeButton(), Qt::LeftButton);
    EXPECT_EQ(row->titleText(), QStringLiteral("Secret plan"));
}

TEST_F(SidebarViewTest, TitlesAreShownAsTypedWithFallbacks) {
    makeGoal(QStringLiteral("<i>x</i> %1"), 3);
    auto untitled = makeGoal(QStringLiteral("x"), 2);
    untitled->setTitle(std::nullopt);
    untitled->setColorHex(std::nullopt);
    context()->save();
    EXPECT_EQ(rowTitles(), (QStringList{"<i>x</i> %1", "Untitled Goal"}));
    qv::test::saveScreen(&sidebar(), QStringLiteral("sidebar-literal-titles"));
}

TEST_F(SidebarViewTest, NewGoalButtonOnlyOpensTheGoalsDestination) {
    QTest::mouseClick(sidebar().findChild<SidebarNewGoalButton*>(), Qt::LeftButton);
    EXPECT_EQ(vm_->selectedDestination(), AppDestination::goals);
    EXPECT_EQ(context()->count(FetchRequest(Goal::entityName())), 0);
    EXPECT_FALSE(vm_->takeNewGoalRequest()) << "the button opens no sheet";
}

TEST_F(SidebarViewTest, TheGoalsAreOneTabStopAndTheEyeOnlyFollowsAFocusedRow) {
    makeGoal(QStringLiteral("Older"), 3);
    makeGoal(QStringLiteral("Newer"), 2);
    QApplication::setActiveWindow(&sidebar());
    EXPECT_EQ(sidebar().findChild<QWidget*>(QStringLiteral("sidebarScroll"))->focusPolicy(), Qt::NoFocus)
        << "the column itself is no stop";
    const QList<SidebarGoalItem*> rows = sidebar().goalItems();
    ASSERT_EQ(rows.size(), 2);
    for (SidebarGoalItem* row : rows)
        EXPECT_EQ(row->eyeButton()->focusPolicy(), Qt::NoFocus) << "an eye not drawn is no stop";
    EXPECT_EQ(rows[0]->focusPolicy(), Qt::TabFocus);
    EXPECT_EQ(rows[1]->focusPolicy(), Qt::NoFocus);

    QWidget* last = sidebar().navItems().last();
    last->setFocus(Qt::TabFocusReason);
    QTest::keyClick(last, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), rows[0]);
    EXPECT_EQ(rows[0]->eyeButton()->focusPolicy(), Qt::TabFocus) << "the focused row shows its eye";
    QTest::keyClick(rows[0], Qt::Key_Down);
    ASSERT_EQ(QApplication::focusWidget(), rows[1]);
    EXPECT_EQ(rows[0]->eyeButton()->focusPolicy(), Qt::NoFocus);
    QTest::keyClick(rows[1], Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), rows[1]->eyeButton());
    QTest::keyClick(rows[1]->eyeButton(), Qt::Key_Space);
    EXPECT_TRUE(vm_->isGoalHidden(rows[1]->goalID()));
    EXPECT_EQ(rows[1]->eyeButton()->accessibleName(), QStringLiteral("Show title"));
    QTest::keyClick(rows[1]->eyeButton(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), sidebar().findChild<SidebarNewGoalButton*>());

    // Shift+Tab goes back the way Tab came: the eye, then the row.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), rows[1]->eyeButton())
        << "back to the row last focused, its eye first";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), rows[1]) << "back to the row last focused";
    QTest::keyClick(rows[1], Qt::Key_Return);
    EXPECT_EQ(vm_->selectedDestination(), AppDestination::goals) << "Return does what a click does";
}
