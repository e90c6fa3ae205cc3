#include "ModelTestSupport.h"

#include "Models/DailyLog.h"
#include "Models/Goal.h"
#include "Models/GoalCheckIn.h"
#include "Models/Milestone.h"
#include "Models/QuorvaleModel.h"
#include "Models/Step.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <QSet>

namespace {

class StoreSchema : public ModelTest {};

QVariant sampleValue(const AttributeDescription& a) {
    switch (a.type) {
    case AttributeType::uuid:
        return QVariant::fromValue(QUuid::createUuidV5(QUuid(), a.name));
    case AttributeType::text:
        return QStringLiteral("%1 \u00e9\U0001F3AF 'quoted'").arg(a.name);
    case AttributeType::date:
        return QVariant::fromValue(QDateTime(QDate(2026, 3, 14), QTime(10, 15, 30, 250), Qt::UTC));
    case AttributeType::int16:
        return QVariant::fromValue(qint64(-12345));
    case AttributeType::int32:
        return QVariant::fromValue(qint64(2000000000));
    case AttributeType::int64:
        return QVariant::fromValue(qint64(1) << 40);
    case AttributeType::doubleValue:
        return 1234.5678;
    case AttributeType::flag:
        return true;
    }
    return {};
}

bool isOptional(AttributeType t) {
    return t == AttributeType::uuid || t == AttributeType::text || t == AttributeType::date;
}

std::shared_ptr<ManagedObject> withId(ObjectContext* context, const QString& entity) {
    for (auto& o : context->fetch(FetchRequest(entity)))
        if (o->value(QStringLiteral("id")).isValid())
            return o;
    return nullptr;
}

// Every entity keeps every value, absent ones included, and both sides of its
// relationships through a save, close and reopen of the file.
TEST_F(StoreSchema, EveryEntityRoundTripsThroughTheFile) {
    useFileStore();
    const ObjectModel& model = QuorvaleModel::objectModel();
    ASSERT_EQ(model.entities().size(), 22u);
    for (const auto& e : model.entities()) {
        auto full = context()->insert(e->name);
        for (const auto& a : e->attributes)
            full->setValue(a.name, sampleValue(a));
        context()->insert(e->name);
    }
    for (const auto& e : model.entities()) {
        auto owner = withId(context(), e->name);
        for (std::size_t i = 0; i < e->relationships.size(); ++i)
            if (!e->relationships[i].toMany)
                owner->setRelatedObject(int(i), withId(context(), e->relationships[i].destination));
    }
    ASSERT_TRUE(store_->save());
    reopenFileStore();

    for (const auto& e : model.entities()) {
        SCOPED_TRACE(e->name.toStdString());
        const auto records = context()->fetch(FetchRequest(e->name));
        ASSERT_EQ(records.size(), 2u);
        auto full = withId(context(), e->name);
        auto empty = records[0] == full ? records[1] : records[0];
        for (const auto& a : e->attributes) {
            SCOPED_TRACE(a.name.toStdString());
            EXPECT_EQ(full->value(a.name), sampleValue(a));
            if (isOptional(a.type)) {
                EXPECT_FALSE(empty->value(a.name).isValid());
            }
        }
        for (std::size_t i = 0; i < e->relationships.size(); ++i) {
            const auto& r = e->relationships[i];
            SCOPED_TRACE(r.name.toStdString());
            const auto target = withId(context(), r.destination);
            if (r.toMany) {
                EXPECT_EQ(full->relatedObjects(int(i)), std::vector<std::shared_ptr<ManagedObject>>{target});
                EXPECT_TRUE(empty->relatedObjects(int(i)).empty());
            } else {
                EXPECT_EQ(full->relatedObject(int(i)), target);
                EXPECT_EQ(empty->relatedObject(int(i)), nullptr);
            }
            const auto* dest = model.entity(r.destination);
            ASSERT_NE(dest, nullptr);
            const int inverse = dest->relationshipIndex(r.inverse);
            ASSERT_GE(inverse, 0) << "every relationship has its inverse";
            EXPECT_EQ(dest->relationships[inverse].inverse, r.name);
        }
    }
}

TEST_F(StoreSchema, NewStoreFileHasEveryTableAndColumn) {
    useFileStore();
    EXPECT_TRUE(store_->createdNewStore());
    const QString path = PersistenceController::defaultStorePath();
    EXPECT_TRUE(path.endsWith(QStringLiteral("/Quorvale.sqlite")));
    store_.reset();

    SQLite::Database db(path.toStdString(), SQLite::OPEN_READONLY);
    for (const auto& e : QuorvaleModel::objectModel().entities()) {
        SCOPED_TRACE(e->name.toStdString());
        QSet<QString> columns;
        SQLite::Statement info(db, "PRAGMA table_info(\"" + e->name.toStdString() + "\")");
        while (info.executeStep())
            columns.insert(QString::fromStdString(info.getColumn(1).getString()));
        ASSERT_FALSE(columns.isEmpty()) << "missing table";
        for (const auto& a : e->attributes)
            EXPECT_TRUE(columns.contains(a.name)) << a.name.toStdString();
        for (const auto& r : e->relationships)
            EXPECT_EQ(columns.contains(r.name), !r.toMany) << r.name.toStdString();
    }
    store_ = std::make_unique<PersistenceController>(false);
    EXPECT_FALSE(store_->createdNewStore());
}

TEST_F(StoreSchema, DeletingAGoalRemovesWhatBelongsToIt) {
    useFileStore();
    auto doomed = Goal::create(context());
    auto kept = Goal::create(context());
    for (const auto& goal : {doomed, kept}) {
        auto milestone = Milestone::create(context());
        milestone->setGoal(goal);
        Step::create(context())->setMilestone(milestone);
        Step::create(context())->setMilestone(milestone);
        DailyLog::create(context())->setGoal(goal);
        GoalCheckIn::create(context())->setGoal(goal);
    }
    ASSERT_TRUE(store_->save());
    const auto keptId = kept->id();
    context()->deleteObject(doomed);
    ASSERT_TRUE(store_->save());
    reopenFileStore();
    EXPECT_EQ(count(Goal::entityName()), 1);
    EXPECT_EQ(count(Milestone::entityName()), 1);
    EXPECT_EQ(count(Step::entityName()), 2);
    EXPECT_EQ(count(DailyLog::entityName()), 1);
    EXPECT_EQ(count(GoalCheckIn::entityName()), 1);
    auto goals = context()->fetch<Goal>(FetchRequest(Goal::entityName()));
    ASSERT_EQ(goals.size(), 1u);
    EXPECT_EQ(goals[0]->id(), keptId);
    EXPECT_EQ(goals[0]->totalSteps(), 2);
}

TEST_F(StoreSchema, CreatorsFillIdCreationAndZeroes) {
    auto a = Goal::create(context());
    auto b = Goal::create(context());
    ASSERT_TRUE(a->id().has_value());
    EXPECT_NE(a->id(), b->id());
    EXPECT_EQ(a->createdAt(), now());
    EXPECT_EQ(context()->count(FetchRequest(Goal::entityName(), Key(Goal::Keys::isArchived) == false)), 2);
    EXPECT_EQ(context()->count(FetchRequest(Goal::entityName(), Key(Goal::Keys::streak) == QVariant(0))), 2);
    ASSERT_TRUE(store_->save());
    EXPECT_EQ(context()->count(FetchRequest(Goal::entityName(), Key(Goal::Keys::needsMoney) == false)), 2);
}

// The key constants, the accessors' indexes and the description come from one list, so a key
// names the description entry at its accessor's index, and a key path of keys reads through.
TEST_F(StoreSchema, KeysNameTheEntriesTheAccessorsUse) {
    const EntityDescription goal = Goal::description();
    EXPECT_EQ(goal.attributes[Goal::IsArchived].name, QString(Goal::Keys::isArchived));
    EXPECT_EQ(goal.attributes[Goal::MomentumStateAttr].name, QString(Goal::Keys::momentumState));
    EXPECT_EQ(goal.relationships[Goal::CheckIns].name, QString(Goal::Keys::checkIns));
    EXPECT_EQ(goal.relationships[Goal::CheckIns].destination, GoalCheckIn::entityName());
    EXPECT_EQ(goal.relationships[Goal::CheckIns].deleteRule, DeleteRule::cascade);
    const EntityDescription log = DailyLog::description();
    EXPECT_TRUE(log.attributes[DailyLog::Date].indexed);
    EXPECT_FALSE(log.attributes[DailyLog::Notes].indexed);
    EXPECT_FALSE(log.relationships[DailyLog::GoalRel].toMany);

    auto g = Goal::create(context());
    auto milestone = Milestone::create(context());
    milestone->setGoal(g);
    auto step = Step::create(context());
    step->setMilestone(milestone);
    step->setValue(Step::Keys::title, QStringLiteral("Read"));
    EXPECT_EQ(step->title(), QStringLiteral("Read"));
    const auto found = context()->fetch<Step>(
        FetchRequest(Step::entityName(), Key(Step::Keys::milestone, Milestone::Keys::goal) == g,
                     {{Step::Keys::createdAt, true}}));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], step);
}

} // namespace
