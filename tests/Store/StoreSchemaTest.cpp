#include "StoreTestModel.h"

#include "Store/FetchRequest.h"

#include <gtest/gtest.h>

#include <QProcess>

using namespace storetest;

namespace {

// What the sqlite3 tool reads from the file: the documented format, not our reader.
QString sqliteTool(const QString& path, const QString& sql) {
    QProcess tool;
    tool.start(QStringLiteral("sqlite3"), {path, sql});
    tool.waitForFinished();
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

} // namespace

TEST(StoreSchema, TheFileIsReadableWithTheSqliteToolInTheDocumentedForm) {
    auto model = makeModel();
    const QString path = tempPath("format.sqlite");
    {
        auto context = openStore(*model, path);
        auto p = context->insert<Project>();
        p->setUuid(QUuid::fromString(QStringLiteral("{6f1c2b7e-0d55-4c3a-9a51-2f0b8f0e4d11}")));
        p->setName(QStringLiteral("it's"));
        p->setDue(QDateTime::fromMSecsSinceEpoch(1'700'000'000'250, Qt::UTC));
        p->setArchived(true);
        auto t = context->insert<Task>();
        t->setOwner(p);
        t->setValue(Task::order, 3);
        ASSERT_TRUE(context->save());
    }
    EXPECT_EQ(
        sqliteTool(path,
                   "SELECT pk, id, title, deadline, isArchived, priority, typeof(createdAt) FROM Project"),
        "1|6F1C2B7E-0D55-4C3A-9A51-2F0B8F0E4D11|it's|1700000000.25|1|0|null");
    EXPECT_EQ(sqliteTool(path, "SELECT \"order\", project FROM Task"), "3|1");
    EXPECT_EQ(sqliteTool(path, "PRAGMA journal_mode; PRAGMA user_version"), "wal\n1");
    EXPECT_EQ(sqliteTool(path, "PRAGMA integrity_check; PRAGMA foreign_key_check"), "ok");
    EXPECT_TRUE(
        sqliteTool(path, "EXPLAIN QUERY PLAN SELECT pk FROM Task WHERE project IS 1").contains("USING"));
}

TEST(StoreSchema, OpeningAddsAMissingTableAndColumnAndKeepsTheRows) {
    const QString path = tempPath("migrate.sqlite");
    {
        auto older = makeModel(false, false);
        auto context = openStore(*older, path);
        auto p = context->insert<Project>();
        p->setName(QStringLiteral("before"));
        auto t = context->insert<Task>();
        t->setOwner(p);
        auto item = context->insert(u"Item");
        item->setValue(u"title", QStringLiteral("old item"));
        item->setRelatedObject(0, t);
        ASSERT_TRUE(context->save());
    }
    auto model = makeModel();
    auto context = openStore(*model, path);
    auto items = context->fetch(FetchRequest("Item"));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->value(u"title").toString(), "old item");
    EXPECT_FALSE(items[0]->value(u"notes").isValid());
    EXPECT_EQ(items[0]->relatedObject(0)->value(u"project.title").toString(), "before");
    EXPECT_EQ(context->count(FetchRequest("Label")), 0);

    auto label = context->insert(u"Label");
    items[0]->setValue(u"notes", QStringLiteral("new column"));
    items[0]->relatedObject(0)->setRelatedObject(Task::label, label);
    ASSERT_TRUE(context->save());
    EXPECT_EQ(sqliteTool(path, "SELECT notes FROM Item; SELECT count(*) FROM Task WHERE label IS NOT NULL"),
              "new column\n1");
}
