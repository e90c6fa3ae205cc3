#include "Components/CastShadow.h"
#include "Models/Achievement.h"
#include "Models/Goal.h"
#include "ShellTestSupport.h"
#include "ViewModels/GoalsViewModel.h"
#include "ViewModels/Theme/AnimationTiming.h"
#include "Views/Goals/GoalRowView.h"
#include "Views/Goals/GoalsView.h"

#include <QGraphicsEffect>
#include <QTest>
#include <QVariantAnimation>

namespace {

// The whole window with animations on, driven to their ends without waiting: what stays
// on a widget then stays for as long as the user looks at the screen.
class AtRestTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        AnimationTiming::setAnimationsEnabled(true);
    }
    void TearDown() override {
        AnimationTiming::setAnimationsEnabled(false);
        WindowTest::TearDown();
    }

    // Runs every animation of the window to its end, the delayed ones too; endless ones
    // (a glow that breathes) are left alone.
    void finishAnimations() {
        for (int round = 0; round < 20; ++round) {
            qv::test::settle();
            bool any = false;
            for (QAbstractAnimation* animation : window_->findChildren<QAbstractAnimation*>()) {
                if (animation->loopCount() < 0 || animation->state() == QAbstractAnimation::Paused)
                    continue;
                any = true;
                if (animation->state() == QAbstractAnimation::Stopped)
                    animation->start();
                animation->setCurrentTime(animation->totalDuration());
            }
            if (!any)
                return;
        }
    }

    // Widgets that still carry a graphics effect, by class and name.
    QStringList widgetsWithEffects() const {
        QStringList found;
        for (QWidget* widget : window_->findChildren<QWidget*>())
            if (widget->graphicsEffect())
                found << QString::fromLatin1(widget->metaObject()->className()) + u'#' + widget->objectName();
        return found;
    }

    void expectAtRest(const char* where) {
        finishAnimations();
        QCursor::setPos(window_->mapToGlobal(QPoint(-50, -50)));
        EXPECT_EQ(widgetsWithEffects(), QStringList()) << where;
    }
};

TEST_F(AtRestTest, NoWidgetKeepsAGraphicsEffectOnAnyScreenOnceAnimationsEnd) {
    skipOverlays();
    for (int i = 0; i < 24; ++i)
        makeGoal(QStringLiteral("Goal %1").arg(i), i, 4, i % 5, i % 3);
    makeGoal(QStringLiteral("Done long ago"), 40, 2, 2, 0, true);
    auto achievement = Achievement::create(context());
    achievement->setTitle(QStringLiteral("First marathon"));
    context()->save();
    openWindow();
    expectAtRest("start");

    for (AppDestination d : AppDestinations::allCases) {
        vm_->navigate(d);
        expectAtRest(qPrintable(AppDestinations::title(d)));
    }

    vm_->navigate(AppDestination::goals);
    auto* goals = qobject_cast<GoalsView*>(screen());
    ASSERT_NE(goals, nullptr);
    goals->setGridMode(false);
    expectAtRest("goals list");
    auto* row = goals->findChild<GoalRowView*>();
    ASSERT_NE(row, nullptr);
    goals->select(row->goalID());
    expectAtRest("goals list with a goal selected");
    EXPECT_NE(CastShadow::of(row).color.alpha(), 0) << "the row's shadow is painted by its list";
    goals->setGridMode(true);
    expectAtRest("goals grid with a goal selected");
    goals->setShowingArchived(true);
    expectAtRest("achieved goals");
    goals->setShowingArchived(false);
    goals->setGridMode(false);
    expectAtRest("back to the list");
}

} // namespace
