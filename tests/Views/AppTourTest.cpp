// Walks the whole window over the sample data, as a user would on a first day, and renders
// each destination built so far so that people can look at the screens in context.

#include "Views/ShellTestSupport.h"

#include "Core/MockData/MockDataSeeder.h"
#include "Models/Goal.h"
#include "Platform/Store/FetchRequest.h"
#include "Views/Goals/GoalDetailView.h"
#include "Views/Goals/GoalsView.h"
#include "Views/Navigation/ContentView.h"
#include "Views/Navigation/MainWindow.h"

#include <QLabel>

namespace {

class AppTour : public WindowTest {
protected:
    MainWindow& start() {
        skipOverlays();
        MockDataSeeder::seedIfNeeded(context(), [](int low, int) { return low; });
        return openWindow();
    }
    QString render(const QString& name) {
        qv::test::settle();
        return qv::test::saveScreen(window_.get(), name);
    }
};

bool showsText(QWidget* root, const QString& text) {
    for (QLabel* label : root->findChildren<QLabel*>())
        if (label->isVisibleTo(root) && label->text() == text)
            return true;
    return false;
}

} // namespace

TEST_F(AppTour, EveryBuiltDestinationInTheWindow) {
    start();
    for (AppDestination destination : {AppDestination::dashboard, AppDestination::goals,
                                       AppDestination::achievements, AppDestination::journal}) {
        vm_->navigate(destination);
        const QString path =
            render(QStringLiteral("app-") + AppDestinations::rawValue(destination).toLower());
        EXPECT_FALSE(QImage(path).isNull());
    }
}

TEST_F(AppTour, GoalsWithTheDetailOfTheOldestGoalBesideThem) {
    start();
    vm_->navigate(AppDestination::goals);
    qv::test::settle();
    auto* goals = qobject_cast<GoalsView*>(screen());
    ASSERT_NE(goals, nullptr);
    auto oldest =
        context()->fetch<Goal>(FetchRequest(Goal::entityName(), Key(QStringLiteral("isArchived")) == false,
                                            {{QStringLiteral("createdAt"), true}}, 1));
    ASSERT_EQ(oldest.size(), 1u);
    goals->select(oldest.front());
    qv::test::settle();
    auto* detail = goals->findChild<GoalDetailView*>();
    ASSERT_NE(detail, nullptr) << "the side panel hosts the goal detail";
    EXPECT_TRUE(showsText(detail, oldest.front()->title().value_or(QString())));
    render(QStringLiteral("app-goals-with-detail"));
}
