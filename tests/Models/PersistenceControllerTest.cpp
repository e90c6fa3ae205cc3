#include "ModelTestSupport.h"

#include "Models/Expense.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/QuorvaleModel.h"
#include "Models/Step.h"
#include "Store/LiveFetch.h"
#include "Store/StoreSalvage.h"
#include "Support/FullStore.h"
#include "Support/TestSupport.h"

#include <QFile>
#include <QSet>

#include <algorithm>

namespace {

class PersistenceControllerTests : public ModelTest {};

TEST_F(PersistenceControllerTests, DeleteAllDataWipesTenEntityTypesAndKeepsTheRest) {
    useFileStore();
    const QSet<QString> wiped{"Step",    "Milestone", "DailyLog",     "Goal",       "CreditCard",
                              "Expense", "Income",    "Subscription", "Investment", "CashReserve"};
    const ObjectModel& model = QuorvaleModel::objectModel();
    for (const auto& e : model.entities())
        context()->insert(e->name)->setValue(QStringLiteral("id"), QVariant::fromValue(QUuid::createUuid()));
    ASSERT_TRUE(store_->save());

    auto goal = context()->fetch<Goal>(FetchRequest(Goal::entityName())).at(0);
    auto step = context()->fetch<Step>(FetchRequest(Step::entityName())).at(0);
    auto pending = Goal::create(context());
    pending->setTitle(QStringLiteral("unsaved"));

    store_->deleteAllData();

    EXPECT_FALSE(context()->hasChanges());
    EXPECT_TRUE(goal->isDeleted());
    EXPECT_FALSE(goal->title().has_value());
    EXPECT_FALSE(goal->id().has_value());
    EXPECT_TRUE(goal->milestonesArray().empty());
    EXPECT_DOUBLE_EQ(goal->progressPercentage(), 0.0);
    EXPECT_TRUE(step->isDeleted());
    EXPECT_EQ(step->milestone(), nullptr);
    goal->setTitle(QStringLiteral("ignored"));
    EXPECT_FALSE(context()->hasChanges());

    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& e : model.entities())
            EXPECT_EQ(count(e->name), wiped.contains(e->name) ? 0 : 1)
                << e->name.toStdString() << " pass " << pass;
        reopenFileStore();
    }
}

TEST_F(PersistenceControllerTests, SaveReportsSuccessAndLeavesNothingPending) {
    EXPECT_TRUE(store_->save());
    Goal::create(context())->setTitle(QStringLiteral("Ship"));
    EXPECT_TRUE(context()->hasChanges());
    EXPECT_TRUE(store_->save());
    EXPECT_FALSE(context()->hasChanges());
}

TEST_F(PersistenceControllerTests, SharedInstanceOpensTheFileStoreAndCanBeReplaced) {
    auto& shared = PersistenceController::shared();
    EXPECT_EQ(&shared, &PersistenceController::shared());
    EXPECT_EQ(shared.viewContext()->path(), PersistenceController::defaultStorePath());
    Goal::create(shared.viewContext());
    ASSERT_TRUE(shared.save());
    PersistenceController::resetShared();
    EXPECT_EQ(count(Goal::entityName()), 0) << "the test's in-memory store is its own";
    EXPECT_EQ(PersistenceController::shared().viewContext()->count(FetchRequest(Goal::entityName())), 1);

    PersistenceController::setShared(std::make_unique<PersistenceController>(true));
    EXPECT_EQ(PersistenceController::shared().viewContext()->count(FetchRequest(Goal::entityName())), 0);
}

TEST_F(PersistenceControllerTests, ADamagedStoreIsReplacedByANewOne) {
    const QString path = PersistenceController::defaultStorePath();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(8192, 'x'));
    file.close();

    useFileStore();
    EXPECT_TRUE(store_->createdNewStore());
    EXPECT_EQ(count(Goal::entityName()), 0);
    Goal::create(context());
    ASSERT_TRUE(store_->save());
    reopenFileStore();
    EXPECT_FALSE(store_->createdNewStore());
    EXPECT_EQ(count(Goal::entityName()), 1);
}

TEST_F(PersistenceControllerTests, TheRecoveryMessageNamesEachKindThatLostRecordsWithinWhatAWindowShows) {
    StoreSalvage::Report report;
    report.movedTo = QStringLiteral("/data/Quorvale.sqlite.corrupt-20260310-090000");
    for (const auto& entity : QuorvaleModel::objectModel().entities()) {
        report.recovered[entity->name] = 0;
        report.held[entity->name] = 0;
    }
    report.recovered[QStringLiteral("Goal")] = 1519;
    report.held[QStringLiteral("Goal")] = 2000;
    report.recovered[QStringLiteral("Step")] = 7575;
    report.held[QStringLiteral("Step")] = std::nullopt;
    report.recovered[QStringLiteral("BankAccount")] = 23;
    report.held[QStringLiteral("BankAccount")] = 23;
    EXPECT_EQ(
        PersistenceController::recoveredMessage(report),
        QStringLiteral("Quorvale found damage in its store and recovered 9,117 records into a new one. Some "
                       "records could not be recovered:\n"
                       "\u2022 Goals: 1,519 of 2,000 saved\n"
                       "\u2022 Steps: 7,575 saved; count unreadable\n\n"
                       "The original was kept at /data/Quorvale.sqlite.corrupt-20260310-090000."));

    // Every kind unreadable: one sentence, not a line per kind.
    for (auto& [entity, held] : report.held)
        held = std::nullopt;
    for (auto& [entity, count] : report.recovered)
        count = 0;
    EXPECT_EQ(
        PersistenceController::recoveredMessage(report),
        QStringLiteral("Quorvale found damage in its store and could read none of its records; it started a "
                       "new, empty one. The original was kept at "
                       "/data/Quorvale.sqlite.corrupt-20260310-090000."));

    // Many kinds short: eight lines at most.
    for (auto& [entity, held] : report.held)
        held = 5;
    const QString many = PersistenceController::recoveredMessage(report);
    EXPECT_EQ(many.count(u'\u2022'), 8) << many.toStdString();
    EXPECT_TRUE(many.contains(QStringLiteral("\u2022 Goals: 0 of 5 saved\n"))) << many.toStdString();
    EXPECT_TRUE(many.contains(QStringLiteral("\u2022 %1 other kinds of record lost some too\n")
                                  .arg(QuorvaleModel::objectModel().entities().size() - 7)))
        << many.toStdString();
}

TEST_F(PersistenceControllerTests, GoalListFollowsItsStepsAndExpenses) {
    auto goal = Goal::create(context());
    goal->setNeedsMoney(false);
    auto milestone = Milestone::create(context());
    milestone->setGoal(goal);
    auto step = Step::create(context());
    step->setMilestone(milestone);
    ASSERT_TRUE(store_->save());

    LiveFetch goals(context(), FetchRequest(Goal::entityName(), Key(Goal::Keys::isArchived) == false),
                    {QStringLiteral("Milestone"), QStringLiteral("Step"), QStringLiteral("Expense"),
                     QStringLiteral("DailyLog")});
    int changes = 0;
    QObject::connect(&goals, &LiveFetch::changed, [&] { ++changes; });
    qv::test::settle();
    changes = 0;

    step->setIsCompleted(true);
    step->setCompletedAt(Clock::now());
    qv::test::settle();
    EXPECT_GE(changes, 1);
    ASSERT_EQ(goals.typedResults<Goal>().size(), 1u);
    EXPECT_DOUBLE_EQ(goals.typedResults<Goal>()[0]->progressPercentage(), 1.0);

    changes = 0;
    Expense::create(context())->setGoalID(goal->id());
    qv::test::settle();
    EXPECT_GE(changes, 1);
}

} // namespace

TEST_F(PersistenceControllerTests, AReadThatMeetsADamagedPageAnswersWhatItReadAndWhatIsHeldAndCountsThose) {
    useFileStore();
    for (int i = 0; i < 300; ++i) {
        auto goal = Goal::create(context());
        goal->setTitle(QStringLiteral("Goal %1").arg(i, 3, 10, QLatin1Char('0')));
    }
    ASSERT_TRUE(context()->save());
    // What a screen shows is held: the newest goal, whose record lies on the table's last page.
    const FetchRequest byTitle(Goal::entityName(), {}, {{Goal::Keys::title, false}});
    FetchRequest first = byTitle;
    first.fetchLimit = 1;
    const auto shown = context()->fetch(first);
    ASSERT_EQ(shown.size(), 1u);

    qv::test::damageLastPage(*context(), Goal::entityName());
    testing::internal::CaptureStderr();
    const auto all = context()->fetch(byTitle);
    const int counted = context()->count(FetchRequest(Goal::entityName()));
    FetchRequest secondPage = byTitle;
    secondPage.fetchOffset = 32;
    secondPage.fetchLimit = 32;
    const auto page = context()->fetch(secondPage);
    const std::string warnings = testing::internal::GetCapturedStderr();
    EXPECT_NE(warnings.find("malformed"), std::string::npos) << warnings;
    EXPECT_TRUE(store_->waitsForSalvage());

    // The sort met the damaged page before any row came back, yet the goals before that page
    // and the goal held show, in order, and the count and the pages agree with the fetch.
    ASSERT_GT(all.size(), 200u);
    EXPECT_LT(all.size(), 300u);
    EXPECT_EQ(all.front(), shown.front());
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end(), [](const auto& a, const auto& b) {
        return static_cast<Goal&>(*a).title() > static_cast<Goal&>(*b).title();
    }));
    EXPECT_EQ(counted, int(all.size()));
    ASSERT_EQ(page.size(), 32u);
    EXPECT_TRUE(std::equal(page.begin(), page.end(), all.begin() + 32));
}
