// Walks the whole window over the sample data, as a user would on a first day, and renders
// each destination built so far so that people can look at the screens in context.

#include "Views/ShellTestSupport.h"

#include "Models/Goal.h"
#include "Models/MockData/MockDataSeeder.h"
#include "Store/FetchRequest.h"
#include "Views/Goals/GoalDetailView.h"
#include "Views/Goals/GoalsView.h"
#include "Views/Navigation/ContentView.h"
#include "Views/Navigation/MainWindow.h"
#include "Views/Navigation/SidebarView.h"

#include <QImage>
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
    // Each screen with a text of its own that the render must show inside the window.
    const std::vector<std::pair<AppDestination, QString>> tour{
        {AppDestination::dashboard, QStringLiteral("Overall")},
        {AppDestination::goals, QStringLiteral("New Goal")},
        {AppDestination::achievements, QStringLiteral("Achievements")},
        {AppDestination::journal, QStringLiteral("Journal")}};
    for (const auto& [destination, text] : tour) {
        SCOPED_TRACE(AppDestinations::rawValue(destination).toStdString());
        vm_->navigate(destination);
        const QImage image(render(QStringLiteral("app-") + AppDestinations::rawValue(destination).toLower()));
        ASSERT_NE(screen(), nullptr);
        EXPECT_TRUE(qv::test::imageShows(image, window_.get(), screen()));
        EXPECT_TRUE(qv::test::imageShows(image, window_.get(), window_->contentView()->sidebar()));
        EXPECT_TRUE(qv::test::imageShowsText(image, window_.get(), text, screen())) << text.toStdString();
    }
}

TEST_F(AppTour, GoalsWithTheDetailOfTheOldestGoalBesideThem) {
    start();
    vm_->navigate(AppDestination::goals);
    qv::test::settle();
    auto* goals = qobject_cast<GoalsView*>(screen());
    ASSERT_NE(goals, nullptr);
    auto oldest = context()->fetch<Goal>(FetchRequest(
        Goal::entityName(), Key(Goal::Keys::isArchived) == false, {{Goal::Keys::createdAt, true}}, 1));
    ASSERT_EQ(oldest.size(), 1u);
    goals->select(oldest.front()->objectID());
    qv::test::settle();
    auto* detail = goals->findChild<GoalDetailView*>();
    ASSERT_NE(detail, nullptr) << "the side panel hosts the goal detail";
    EXPECT_TRUE(showsText(detail, oldest.front()->title().value_or(QString())));
    render(QStringLiteral("app-goals-with-detail"));
}
