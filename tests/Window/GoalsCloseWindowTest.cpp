// Closing the window while a sheet, alert or overlay of the goals screen or the goal detail is
// open: the window and everything in it go, with no layer calling back into a screen on its
// way out (the sanitizers of the lane's build report any such call).

#include "Window/WindowLane.h"

#include "Components/DatePickerField.h"
#include "Views/Achievements/AddAchievementSheet.h"
#include "Views/Goals/AddStepView.h"
#include "Views/Goals/MilestoneFrequencySheet.h"

#include <QCalendarWidget>

#include <functional>
#include <utility>
#include <vector>

namespace {

class CloseWithLayerOpen : public WindowLane {
protected:
    // The goals screen with the goal's panel open beside the list.
    void openDetail(const std::shared_ptr<Goal>& goal) {
        showWindow(QSize(1280, 820));
        goTo(AppDestination::goals);
        frames(600);
        ASSERT_NE(goalsScreen(), nullptr);
        click(rowOf(goal), QPoint(40, 20));
        frames(1000);
        ASSERT_NE(detail(), nullptr) << "selecting the goal opens its panel";
    }

    // What the user does to close the window of the application, and what the application
    // does once its event loop is done: the window is closed, then destroyed.
    void closeWindow() {
        window_->close();
        qv::test::settle();
        window_.reset();
        qv::test::settle();
    }

    void clickIn(QWidget* root, const char* name) {
        ASSERT_NE(root, nullptr);
        click(root->findChild<QWidget*>(QString::fromLatin1(name)));
    }
};

} // namespace

TEST_F(CloseWithLayerOpen, EveryLayerOfTheGoalScreensGoesWithTheWindow) {
    // Each opens one layer over the window with the goal's panel open; the check says it is up.
    using Open = std::function<bool(const std::shared_ptr<Goal>&)>;
    const auto topIs = [this](auto* content) { return content != nullptr; };
    const std::vector<std::pair<const char*, Open>> layers{
        {"edit goal",
         [&](const auto&) {
             clickIn(detail(), "editGoalButton");
             return topIs(sheet<CreateGoalView>());
         }},
        {"date picker of edit goal",
         [&](const auto&) {
             clickIn(detail(), "editGoalButton");
             auto* editor = sheet<CreateGoalView>();
             auto* picker = editor ? editor->findChild<DatePickerField*>() : nullptr;
             return picker && picker->openCalendar()->isVisible();
         }},
        {"add check-in",
         [&](const auto&) {
             clickIn(detail(), "addMilestoneButton");
             return topIs(sheet<AddMilestoneSheet>());
         }},
        {"check-in frequency",
         [&](const auto&) {
             clickIn(milestoneCards().value(0), "milestoneHeader");
             return topIs(sheet<MilestoneFrequencySheet>());
         }},
        {"add step",
         [&](const auto&) {
             clickIn(milestoneCards().value(0), "milestoneChevron");
             clickIn(milestoneCards().value(0), "addStepButton");
             return topIs(sheet<AddStepView>());
         }},
        {"delete check-in alert",
         [&](const auto&) {
             clickIn(milestoneCards().value(0), "milestoneDelete");
             return topSheet() != nullptr;
         }},
        {"achieve alert of the panel",
         [&](const auto&) {
             clickIn(detail(), "achieveButton");
             return topSheet() != nullptr;
         }},
        {"add achievement of the panel",
         [&](const auto&) {
             clickIn(detail(), "achieveButton");
             pressAlertButton(QStringLiteral("Add to Achievements"));
             return topIs(sheet<AddAchievementSheet>());
         }},
        {"confetti over the panel",
         [&](const auto&) {
             tick(3); // the check-in's last step: it is complete
             return detail()->findChild<QWidget*>(QStringLiteral("confetti")) != nullptr;
         }},
        {"new goal",
         [&](const auto&) {
             clickIn(goalsScreen(), "goalsNewGoalButton");
             return topIs(sheet<CreateGoalView>());
         }},
        {"delete goal alert",
         [&](const auto& goal) { return goalsScreen()->confirmDeleteGoal(goal->objectID()) != nullptr; }},
        {"achieve alert of the list",
         [&](const auto& goal) { return goalsScreen()->offerAchieve(goal->objectID()) != nullptr; }},
        {"add achievement of the list",
         [&](const auto& goal) {
             goalsScreen()->offerAchieve(goal->objectID());
             pressAlertButton(QStringLiteral("Add to Achievements"));
             return topIs(sheet<AddAchievementSheet>());
         }},
        {"sheet over a sheet",
         [&](const auto& goal) {
             clickIn(detail(), "editGoalButton");
             return topIs(sheet<CreateGoalView>()) &&
                    goalsScreen()->offerAchieve(goal->objectID()) != nullptr;
         }},
    };
    int round = 0;
    for (const auto& [name, open] : layers) {
        SCOPED_TRACE(name);
        auto goal = makeGoal(QStringLiteral("Close with %1 open").arg(QString::fromLatin1(name)), 5, 4, 3);
        ASSERT_NO_FATAL_FAILURE(openDetail(goal));
        ASSERT_TRUE(open(goal)) << "the layer opens";
        frames(++round % 2 ? 400 : 20); // at rest, or still coming up
        ASSERT_NO_FATAL_FAILURE(closeWindow());
        EXPECT_EQ(window_, nullptr);
    }
}
