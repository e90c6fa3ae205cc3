#include "StoreTestModel.h"

#include "Store/FetchRequest.h"
#include "Store/LiveFetch.h"

#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <sqlite3.h>

using namespace storetest;

namespace {

// Another connection's view of how often the file was written.
class FileWatcher {
public:
    explicit FileWatcher(const QString& path) { sqlite3_open(path.toUtf8().constData(), &db_); }
    ~FileWatcher() { sqlite3_close(db_); }
    qint64 dataVersion() const {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db_, "PRAGMA data_version", -1, &s, nullptr);
        sqlite3_step(s);
        const qint64 v = sqlite3_column_int64(s, 0);
        sqlite3_finalize(s);
        return v;
    }

private:
    sqlite3* db_ = nullptr;
};

} // namespace

TEST(StoreChanges, SavingWithoutChangesDoesNotWriteTheFile) {
    auto model = makeModel();
    const QString path = tempPath("nochange.sqlite");
    auto context = openStore(*model, path);
    auto p = context->insert<Project>();
    p->setName(QStringLiteral("a"));
    ASSERT_TRUE(context->save());
    FileWatcher watcher(path);
    const qint64 before = watcher.dataVersion();

    EXPECT_TRUE(context->save());
    p->setName(QStringLiteral("a")); // the same value is no change
    EXPECT_FALSE(context->hasChanges());
    p->setName(QStringLiteral("b"));
    p->setName(QStringLiteral("a")); // changed and changed back: nothing to write
    EXPECT_TRUE(context->save());
    EXPECT_EQ(watcher.dataVersion(), before);

    p->setName(QStringLiteral("c"));
    EXPECT_TRUE(context->save());
    EXPECT_NE(watcher.dataVersion(), before);
}

TEST(StoreChanges, ObjectsChangedIsCoalescedToOncePerTurnWithTheEntitiesTouched) {
    auto model = makeModel();
    auto context = openStore(*model);
    QSignalSpy spy(context.get(), &ObjectContext::objectsChanged);
    auto project = context->insert<Project>();
    auto task = context->insert<Task>();
    task->setOwner(project);
    project->setName(QStringLiteral("x"));
    EXPECT_EQ(spy.count(), 0);
    qv::test::settle();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0][0].value<QSet<QString>>(), (QSet<QString>{"Project", "Task"}));
    ASSERT_TRUE(context->save());
    qv::test::settle();
    EXPECT_EQ(spy.count(), 1) << "saving changes no record";

    auto item = context->insert(u"Item");
    qv::test::settle();
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy[1][0].value<QSet<QString>>(), QSet<QString>{"Item"});
}

TEST(StoreChanges, LiveFetchSeesUnsavedInsertsAndFollowsTheEntitiesItDerivesFrom) {
    auto model = makeModel();
    auto context = openStore(*model);
    auto project = context->insert<Project>();
    project->setName(QStringLiteral("p"));
    ASSERT_TRUE(context->save());
    qv::test::settle();

    LiveFetch plain(context.get(),
                    FetchRequest("Project", Key("isArchived"_key) == false, {{"title"_key, true}}));
    LiveFetch derived(context.get(), FetchRequest("Project"), {"Task", "Item"});
    QSignalSpy plainSpy(&plain, &LiveFetch::changed);
    QSignalSpy derivedSpy(&derived, &LiveFetch::changed);
    EXPECT_EQ(plain.results().size(), 1u);

    auto fresh = context->insert<Project>();
    fresh->setName(QStringLiteral("a"));
    qv::test::settle();
    ASSERT_EQ(plain.results().size(), 2u);
    EXPECT_EQ(plain.typedResults<Project>()[0].get(), fresh.get());
    EXPECT_EQ(context->count(FetchRequest("Project")), 2);
    EXPECT_EQ(plainSpy.count(), 1);

    // A change to an item of a task of a project: only the list that follows items hears it.
    auto task = context->insert<Task>();
    task->setOwner(project);
    auto item = context->insert(u"Item");
    item->setRelatedObject(0, task);
    ASSERT_TRUE(context->save());
    qv::test::settle();
    const int derivedBefore = derivedSpy.count();
    const int plainBefore = plainSpy.count();
    item->setValue(u"isDone", true);
    qv::test::settle();
    EXPECT_EQ(derivedSpy.count(), derivedBefore + 1);
    EXPECT_EQ(plainSpy.count(), plainBefore);

    fresh->setArchived(true);
    qv::test::settle();
    EXPECT_EQ(plain.results().size(), 1u);

    // A list may outlive its store; its handles then read as deleted.
    context.reset();
    plain.refresh();
    EXPECT_TRUE(plain.results().empty());
    EXPECT_TRUE(project->isDeleted());
    EXPECT_FALSE(project->value("title").isValid());
}

TEST(StoreChanges, BatchDeleteEmptiesTheTableAndLeavesStaleHandlesReadingAsDeleted) {
    auto model = makeModel();
    const QString path = tempPath("batch.sqlite");
    auto context = openStore(*model, path);
    auto project = context->insert<Project>();
    project->setName(QStringLiteral("kept"));
    auto task = context->insert<Task>();
    task->setOwner(project);
    auto label = context->insert(u"Label");
    task->setRelatedObject(Task::label, label);
    ASSERT_TRUE(context->save());
    auto unsavedTask = context->insert<Task>();
    unsavedTask->setOwner(project);
    project->setName(QStringLiteral("renamed"));

    QString error;
    ASSERT_TRUE(context->batchDelete(u"Task", &error)) << error.toStdString();
    EXPECT_TRUE(task->isDeleted());
    EXPECT_TRUE(unsavedTask->isDeleted());
    EXPECT_FALSE(task->value(Task::title).isValid());
    EXPECT_EQ(task->value(Task::order).toLongLong(), 0);
    EXPECT_EQ(task->owner(), nullptr);
    task->setValue(Task::title, QStringLiteral("ignored"));
    context->deleteObject(task);
    EXPECT_EQ(context->count(FetchRequest("Task")), 0);
    EXPECT_TRUE(project->allTasks().empty());
    EXPECT_TRUE(label->relatedObjects(0).empty());
    // Pending changes of other entities survive.
    EXPECT_TRUE(project->isUpdated());
    ASSERT_TRUE(context->save());

    ASSERT_TRUE(context->batchDelete(u"Project"));
    EXPECT_FALSE(project->name().has_value());
    context->reset();
    EXPECT_TRUE(label->isDeleted());
    EXPECT_TRUE(label->relatedObjects(0).empty());
    EXPECT_EQ(context->count(FetchRequest("Label")), 1);
    EXPECT_FALSE(context->batchDelete(u"NoSuchEntity"));

    // New records never take a pk a deleted record had.
    auto next = context->insert<Task>();
    EXPECT_GT(next->objectID(), unsavedTask->objectID());
    ASSERT_TRUE(context->save());
    context.reset();
    auto reopened = openStore(*model, path);
    EXPECT_GT(reopened->insert<Task>()->objectID(), next->objectID());
}

TEST(StoreChanges, AFailedSaveKeepsThePendingChangesAndWritesNothing) {
    auto model = makeModel();
    const QString path = tempPath("failing.sqlite");
    auto context = openStore(*model, path);
    auto project = context->insert<Project>();
    ASSERT_TRUE(context->save());
    // A trigger stands in for a disk that refuses the second row of the transaction.
    sqlite3* other = nullptr;
    sqlite3_open(path.toUtf8().constData(), &other);
    ASSERT_EQ(sqlite3_exec(other,
                           "CREATE TRIGGER refuse BEFORE INSERT ON \"Task\" "
                           "BEGIN SELECT RAISE(ABORT, 'refused'); END",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    project->setName(QStringLiteral("changed"));
    auto task = context->insert<Task>();
    task->setOwner(project);

    QString error;
    EXPECT_FALSE(context->save(&error));
    EXPECT_TRUE(error.contains("refused"));
    EXPECT_TRUE(context->hasChanges());
    EXPECT_TRUE(task->isInserted());
    EXPECT_EQ(project->name(), QStringLiteral("changed"));
    {
        auto observer = openStore(*model, path);
        EXPECT_FALSE(observer->fetch<Project>(FetchRequest("Project"))[0]->name().has_value());
    }
    sqlite3_exec(other, "DROP TRIGGER refuse", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(context->save(&error)) << error.toStdString();
    auto observer = openStore(*model, path);
    EXPECT_EQ(observer->count(FetchRequest("Task", Key("project.title"_key) == QStringLiteral("changed"))),
              1);
}

TEST(StoreChanges, SumsCoverSavedRowsAndTheContextsUnsavedChanges) {
    auto model = makeModel();
    auto context = openStore(*model);
    std::vector<std::shared_ptr<Project>> saved;
    for (double progress : {0.5, 1.25, 2.0}) {
        auto project = context->insert<Project>();
        project->setValue(Project::progress, progress);
        saved.push_back(project);
    }
    ASSERT_TRUE(context->save());
    const FetchRequest open("Project", Key("isArchived"_key) == false);
    EXPECT_DOUBLE_EQ(context->sum(open, "progress"_key), 3.75);

    // An unsaved insert counts, an unsaved change replaces the saved value, an unsaved
    // delete and a record changed out of the request drop out.
    context->insert<Project>()->setValue(Project::progress, 10.0);
    saved[0]->setValue(Project::progress, 4.0);
    saved[1]->setArchived(true);
    context->deleteObject(saved[2]);
    EXPECT_DOUBLE_EQ(context->sum(open, "progress"_key), 14.0);
    EXPECT_DOUBLE_EQ(context->sum(FetchRequest("Project", Key("isArchived"_key) == true), "progress"_key),
                     1.25);
}
