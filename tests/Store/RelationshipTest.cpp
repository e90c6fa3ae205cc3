#include "StoreTestModel.h"

#include "Store/FetchRequest.h"

#include <gtest/gtest.h>

using namespace storetest;

namespace {

std::shared_ptr<ManagedObject> addItem(ObjectContext& context, const std::shared_ptr<ManagedObject>& task,
                                       const char* title) {
    auto item = context.insert(u"Item");
    item->setValue(u"title", QString::fromUtf8(title));
    item->setRelatedObject(0, task);
    return item;
}

} // namespace

TEST(StoreRelationships, ToManySideFollowsTheToOneSideAtOncePendingOrSaved) {
    auto model = makeModel();
    auto context = openStore(*model);
    auto p1 = context->insert<Project>();
    auto p2 = context->insert<Project>();
    auto t1 = context->insert<Task>();
    auto t2 = context->insert<Task>();
    t1->setOwner(p1);
    t2->setOwner(p1);
    EXPECT_EQ(p1->allTasks().size(), 2u);
    ASSERT_TRUE(context->save());
    EXPECT_EQ(p1->allTasks().size(), 2u);

    t1->setOwner(p2);
    ASSERT_EQ(p1->allTasks().size(), 1u);
    EXPECT_EQ(p1->allTasks()[0].get(), t2.get());
    ASSERT_EQ(p2->allTasks().size(), 1u);
    EXPECT_EQ(p2->allTasks()[0].get(), t1.get());
    EXPECT_EQ(t1->owner().get(), p2.get());
    ASSERT_TRUE(context->save());

    auto reopened = context->fetch<Project>(FetchRequest("Project"));
    EXPECT_EQ(reopened[1]->allTasks().size(), 1u);
    t2->setOwner(nullptr);
    EXPECT_TRUE(p1->allTasks().empty());
    context->rollback();
    EXPECT_EQ(p1->allTasks().size(), 1u);
}

TEST(StoreRelationships, DeletingCascadesThroughOwnedRecordsAndNullifiesTheRest) {
    auto model = makeModel();
    auto context = openStore(*model);
    auto project = context->insert<Project>();
    auto label = context->insert(u"Label");
    auto task = context->insert<Task>();
    task->setOwner(project);
    task->setRelatedObject(Task::label, label);
    addItem(*context, task, "a");
    addItem(*context, task, "b");
    auto kept = context->insert<Task>();
    kept->setRelatedObject(Task::label, label);
    ASSERT_TRUE(context->save());

    context->deleteObject(project);
    EXPECT_TRUE(project->isDeleted());
    EXPECT_TRUE(task->isDeleted());
    EXPECT_EQ(context->count(FetchRequest("Item")), 0);
    EXPECT_EQ(context->count(FetchRequest("Task")), 1);
    EXPECT_EQ(label->relatedObjects(0).size(), 1u);
    ASSERT_TRUE(context->save());
    EXPECT_EQ(context->count(FetchRequest("Item")), 0);
    EXPECT_EQ(context->count(FetchRequest("Task")), 1);

    context->deleteObject(label);
    EXPECT_FALSE(kept->isDeleted());
    EXPECT_EQ(kept->relatedObject(Task::label), nullptr);
    ASSERT_TRUE(context->save());
    EXPECT_EQ(context->count(FetchRequest("Task", Key("label"_key).absent())), 1);

    // Handles of deleted records read as deleted and ignore writes.
    EXPECT_FALSE(project->name().has_value());
    project->setName(QStringLiteral("ghost"));
    EXPECT_FALSE(context->hasChanges());
    EXPECT_TRUE(project->allTasks().empty());
}

TEST(StoreRelationships, DeletingAnUnsavedRecordForgetsItAndRollbackRestoresSavedOnes) {
    auto model = makeModel();
    auto context = openStore(*model);
    auto project = context->insert<Project>();
    auto task = context->insert<Task>();
    task->setOwner(project);
    ASSERT_TRUE(context->save());

    auto fresh = context->insert<Task>();
    fresh->setOwner(project);
    context->deleteObject(fresh);
    EXPECT_TRUE(fresh->isDeleted());
    EXPECT_EQ(project->allTasks().size(), 1u);

    context->deleteObject(project);
    EXPECT_EQ(context->count(FetchRequest("Task")), 0);
    context->rollback();
    EXPECT_FALSE(project->isDeleted());
    EXPECT_FALSE(task->isDeleted());
    EXPECT_EQ(project->allTasks().size(), 1u);
    EXPECT_FALSE(context->hasChanges());
}

// Lists of fetched owners read their to-many relationships together and keep them until a
// link changes; every way a link changes must show at once.
TEST(StoreRelationships, ToManyListsReadForAWholeFetchFollowEveryLaterChange) {
    auto model = makeModel();
    const QString path = tempPath("batches.sqlite");
    {
        auto writer = openStore(*model, path);
        for (int p = 0; p < 4; ++p) {
            auto project = writer->insert<Project>();
            project->setRank(p);
            for (int t = 0; t < p; ++t) {
                auto task = writer->insert<Task>();
                task->setOwner(project);
                for (int i = 0; i < 2; ++i)
                    addItem(*writer, task, "item");
            }
        }
        ASSERT_TRUE(writer->save());
    }
    auto context = openStore(*model, path);
    auto projects = context->fetch<Project>(FetchRequest("Project", {}, {{"priority"_key, true}}));
    ASSERT_EQ(projects.size(), 4u);
    for (int p = 0; p < 4; ++p) {
        ASSERT_EQ(projects[p]->allTasks().size(), std::size_t(p));
        for (const auto& task : projects[p]->allTasks())
            EXPECT_EQ(task->relatedObjects(Task::items).size(), 2u);
    }
    auto moved = projects[3]->allTasks()[0];
    EXPECT_EQ(moved->relatedObject(Task::project).get(), projects[3].get());

    // A changed value keeps the list; a moved, new or deleted record changes it.
    moved->setValue(Task::title, QStringLiteral("renamed"));
    EXPECT_EQ(projects[3]->allTasks().size(), 3u);
    std::static_pointer_cast<Task>(moved)->setOwner(projects[0]);
    EXPECT_EQ(projects[3]->allTasks().size(), 2u);
    EXPECT_EQ(projects[0]->allTasks().size(), 1u);
    auto fresh = context->insert<Task>();
    fresh->setOwner(projects[1]);
    EXPECT_EQ(projects[1]->allTasks().size(), 2u);
    context->deleteObject(projects[2]->allTasks()[0]);
    EXPECT_EQ(projects[2]->allTasks().size(), 1u);
    ASSERT_TRUE(context->save());
    EXPECT_EQ(projects[2]->allTasks().size(), 1u);
    context->deleteObject(projects[1]);
    context->rollback();
    EXPECT_EQ(projects[1]->allTasks().size(), 2u);
    ASSERT_TRUE(context->batchDelete(u"Task"));
    for (const auto& project : projects)
        EXPECT_TRUE(project->allTasks().empty());
    EXPECT_EQ(context->count(FetchRequest("Item", Key("task"_key).absent())), 10)
        << "a deleted task took its items along";
}
