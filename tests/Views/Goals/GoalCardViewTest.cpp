#include "Views/Goals/GoalCardView.h"

#include "Components/CapsuleBadge.h"
#include "Components/MomentumBadge.h"
#include "Components/PriorityBadge.h"
#include "Components/SmallProgressBar.h"
#include "Models/Goal.h"
#include "Models/Persistence/PersistenceController.h"
#include "Platform/Clock.h"
#include "Platform/TextHelpers.h"
#include "Support/TestSupport.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Goals/GoalStyle.h"
#include "Views/Goals/StreakBadge.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <cmath>

namespace {

class GoalCardViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::setFake(QDateTime(QDate(2026, 3, 10), QTime(12, 0), Qt::UTC));
        goal = Goal::create(controller.viewContext());
        goal->setTitle(QStringLiteral("Write a novel"));
    }
    void TearDown() override { Clock::useSystem(); }

    // What the goals screen hands the card, now.
    GoalCardText textOf(bool hidden = false) const { return GoalCardText::of(*goal, hidden, Clock::now()); }
    std::unique_ptr<GoalCardView> card(bool hidden, std::function<void()> toggle) {
        auto view = std::make_unique<GoalCardView>(textOf(hidden), std::move(toggle));
        view->resize(420, view->heightForWidth(420));
        return view;
    }
    static QString text(QWidget* w, const char* name) {
        auto* label = w->findChild<QLabel*>(QString::fromLatin1(name));
        return label && label->isVisibleTo(w) ? label->text() : QStringLiteral("<none>");
    }

    PersistenceController controller{true};
    std::shared_ptr<Goal> goal;
};

TEST_F(GoalCardViewTest, DeadlineTextAndColourFollowTheDayCount) {
    EXPECT_EQ(GoalStyle::deadlineColor(DeadlineTone::overdue), AppTheme::Colors::coral());
    EXPECT_EQ(GoalStyle::deadlineColor(DeadlineTone::soon), AppTheme::Colors::amber());
    EXPECT_EQ(GoalStyle::deadlineColor(DeadlineTone::later), Theme::textMuted());

    auto view = card(false, {});
    EXPECT_EQ(text(view.get(), "goalCardDeadline"), QStringLiteral("<none>")); // no row without a deadline
    goal->setDeadline(Clock::now().addDays(7));
    view->setText(textOf());
    EXPECT_EQ(text(view.get(), "goalCardDeadline"), QStringLiteral("Due in 7 days"));
}

TEST_F(GoalCardViewTest, MaskingCategoryBadgesAndTheEyeButton) {
    goal->setPriority(7);
    goal->setStreak(0);
    goal->setMomentumState(QStringLiteral("stalling"));
    int toggles = 0;
    auto view = card(true, [&toggles] { ++toggles; });
    EXPECT_EQ(text(view.get(), "goalCardTitle"),
              QStringLiteral("\u2022\u2022\u2022\u2022\u2022\u2022\u2022"));
    EXPECT_EQ(view->findChild<CapsuleBadge*>(QStringLiteral("goalCardCategory"))->text(),
              QStringLiteral("Personal"));
    EXPECT_EQ(view->findChild<PriorityBadge*>()->priority(), GoalPriority::medium);
    EXPECT_EQ(view->findChild<MomentumBadge*>()->state(), MomentumState::stalling);
    EXPECT_FALSE(view->findChild<StreakBadge*>()->isVisibleTo(view.get()));

    QSignalSpy clicks(view.get(), &GoalCardView::clicked);
    view->findChild<QToolButton*>(QStringLiteral("goalCardEye"))->click();
    EXPECT_EQ(toggles, 1);
    EXPECT_TRUE(view->isTitleMasked()) << "the host flips the mask, not the card";
    EXPECT_EQ(clicks.count(), 0);
    view->setText(textOf(false));
    EXPECT_EQ(text(view.get(), "goalCardTitle"), QStringLiteral("Write a novel"));

    goal->setStreak(1);
    view->setText(textOf());
    EXPECT_TRUE(view->findChild<StreakBadge*>()->isVisibleTo(view.get()));
    EXPECT_EQ(view->findChild<StreakBadge*>()->text(), QStringLiteral("1d"));

    auto dashboard = card(true, {});
    EXPECT_EQ(dashboard->findChild<QToolButton*>(QStringLiteral("goalCardEye")), nullptr);
}

TEST_F(GoalCardViewTest, ClicksOnTheBodyAreReportedAndHoverFiresNothing) {
    auto view = card(false, [] { ADD_FAILURE() << "hover must not toggle"; });
    QSignalSpy clicks(view.get(), &GoalCardView::clicked);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(view.get(), &enter);
    EXPECT_TRUE(view->isHovered());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(view.get(), &leave);
    EXPECT_FALSE(view->isHovered());
    EXPECT_EQ(clicks.count(), 0);
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, QPoint(30, 120));
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(GoalCardViewTest, ALongTitleTakesTwoLinesEndingInAnEllipsis) {
    goal->setTitle(QString(QStringLiteral("climb every mountain ")).repeated(12));
    const QString category = QStringLiteral("Relationships, friends and the whole family, near and far");
    goal->setCategory(category);
    auto view = card(false, {});
    view->setAttribute(Qt::WA_DontShowOnScreen, true);
    view->show();
    qv::test::settle();
    const QString shown = text(view.get(), "goalCardTitle");
    EXPECT_EQ(shown.count(QLatin1Char('\n')), 1);
    EXPECT_TRUE(shown.endsWith(QChar(0x2026)));
    // A long category is shortened to the title column rather than running under the ring.
    view->resize(280, view->heightForWidth(280));
    qv::test::settle();
    auto* tag = view->findChild<CapsuleBadge*>(QStringLiteral("goalCardCategory"));
    EXPECT_TRUE(tag->text().endsWith(QChar(0x2026)));
    EXPECT_LE(tag->geometry().right(),
              view->findChild<QLabel*>(QStringLiteral("goalCardTitle"))->geometry().right());
    EXPECT_EQ(tag->toolTip(), Text::plainToolTip(category)) << "the full category, as plain text";
    // Progress that is not a number draws as empty rather than failing.
    goal->setManualProgress(std::nan(""));
    view->setText(textOf());
    view->resize(420, view->heightForWidth(420));
    qv::test::saveScreen(view.get(), QStringLiteral("goals_card_long_title"));
}

} // namespace

TEST(GoalCardBarGlow, GlowsOnlyWhileHovered) {
    PersistenceController controller{true};
    auto goal = Goal::create(controller.viewContext());
    goal->setTitle(QStringLiteral("Run a marathon"));
    GoalCardView card(GoalCardText::of(*goal, false, Clock::now()), {});
    auto* bar = card.findChild<SmallProgressBar*>(QStringLiteral("goalCardBar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->showGlow());
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&card, &enter);
    EXPECT_TRUE(card.isHovered());
    EXPECT_TRUE(bar->showGlow());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&card, &leave);
    EXPECT_FALSE(bar->showGlow());
}
