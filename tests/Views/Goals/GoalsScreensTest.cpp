#include "Views/Goals/GoalsView.h"

#include "Components/SheetHost.h"
#include "Models/Expense.h"
#include "Models/Goal.h"
#include "Models/MockData/MockDataSeeder.h"
#include "Models/Persistence/PersistenceController.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"
#include "Support/TestSupport.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/GoalsViewModel.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Goals/CreateGoalView.h"
#include "Views/Goals/GoalsTestSupport.h"
#include "Views/TestScreenModels.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

namespace {

// Renders the goals screen with the sample data for people to look at.
class GoalsScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::setFake(QDateTime(QDate(2026, 3, 10), QTime(12, 0), Qt::UTC));
        context = controller.viewContext();
        int next = 0;
        MockDataSeeder::seedIfNeeded(
            context, [&next](int low, int high) { return low + (next++ * 7) % (high - low + 1); });
        auto fund = Goal::create(context);
        fund->setTitle(QStringLiteral("Emergency fund"));
        fund->setCategory(QStringLiteral("Finance"));
        fund->setColorHex(QStringLiteral("#059669"));
        fund->setPriority(3);
        fund->setNeedsMoney(true);
        fund->setTargetAmount(5000);
        fund->setDeadline(Clock::now().addDays(45));
        auto expense = Expense::create(context);
        expense->setAmount(1200);
        expense->setGoalID(fund->id());
        context->save();

        window = GoalsTestSupport::darkWindow(1200, 760);
        auto* layout = new QVBoxLayout(window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        view = new GoalsView(screens.env(context, &app), window.get());
        layout->addWidget(view);
        window->show();
        qv::test::settle();
    }
    void TearDown() override {
        window.reset();
        qv::test::settle();
        Clock::useSystem();
    }

    PersistenceController controller{true};
    ObjectContext* context = nullptr;
    AppViewModel app;
    TestScreenModels screens;
    std::unique_ptr<QWidget> window;
    GoalsView* view = nullptr;
};

TEST_F(GoalsScreensTest, RendersListGridEditorAndAchievedTab) {
    const auto goals = view->viewModel()->activeGoals();
    ASSERT_GE(goals.size(), 4u);
    app.toggleGoalHidden(goals[2]->objectID());
    view->select(goals[1]->objectID());
    qv::test::saveScreen(window.get(), QStringLiteral("goals_list"));

    view->select(goals[1]->objectID());
    view->setGridMode(true);
    qv::test::saveScreen(window.get(), QStringLiteral("goals_grid"));

    SheetHost* sheet = view->showCreateGoal();
    qv::test::settle();
    auto* editor = qobject_cast<CreateGoalView*>(sheet->content());
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor->findChild<QLineEdit*>(QStringLiteral("createGoalTitleField")),
                     QStringLiteral("Run a half marathon"));
    qv::test::saveScreen(window.get(), QStringLiteral("goals_editor"));
    sheet->dismiss();
    qv::test::settle();

    SheetHost* edit =
        CreateGoalView::present(window.get(), view->viewModel(), goals.front(), QSize(500, 640));
    qv::test::saveScreen(window.get(), QStringLiteral("goals_editor_edit"));
    edit->dismiss();
    qv::test::settle();

    // The whole form of a money goal with a deadline, with the custom category entry open.
    CreateGoalView form(view->viewModel(), goals.front());
    form.resize(520, 1180);
    form.findChild<QAbstractButton*>(QStringLiteral("createGoalCustomChip"))->click();
    qv::test::saveScreen(&form, QStringLiteral("goals_editor_form"));

    view->viewModel()->achieveGoal(goals[2]);
    view->viewModel()->achieveGoal(goals[3]);
    view->setShowingArchived(true);
    qv::test::saveScreen(window.get(), QStringLiteral("goals_achieved"));
}

// Long texts in a window as narrow as the app's with the side panel open.
TEST_F(GoalsScreensTest, RendersLongTextsBesideTheDetailPanel) {
    auto goal = Goal::create(context);
    goal->setTitle(
        QStringLiteral("Finish the illustrated field guide to every mushroom of the northern forests"));
    goal->setCategory(QStringLiteral("Relationships and family life"));
    goal->setNeedsMoney(true);
    goal->setTargetAmount(1e12);
    goal->setStreak(1234);
    goal->setDeadline(Clock::now().addDays(-400));
    context->save();
    window->resize(980, 760);
    qv::test::settle();
    view->select(goal->objectID());
    // The long title elides inside its row (the full text in its tooltip); the row and the panel
    // beside it lie inside the window.
    const auto shownTitles = [this](const QImage& image, const char* titleName, const QString& tip) {
        int shown = 0;
        for (auto* title : view->findChildren<QWidget*>(QString::fromLatin1(titleName)))
            if (qv::test::imageShows(image, window.get(), title) && title->toolTip().contains(tip))
                ++shown;
        return shown;
    };
    const QImage list(qv::test::saveScreen(window.get(), QStringLiteral("goals_long_list")));
    EXPECT_EQ(shownTitles(list, "goalRowTitle", goal->title().value()), 1);
    ASSERT_NE(view->detailPanel(), nullptr);
    EXPECT_TRUE(qv::test::imageShows(list, window.get(), view->detailPanel()));
    view->setGridMode(true);
    const QImage grid(qv::test::saveScreen(window.get(), QStringLiteral("goals_long_grid")));
    EXPECT_GE(shownTitles(grid, "goalCardTitle", QString()), 2) << "cards beside the panel";
    EXPECT_TRUE(qv::test::imageShows(grid, window.get(), view->detailPanel()));
}

} // namespace
