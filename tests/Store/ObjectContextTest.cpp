#include "StoreTestModel.h"

#include "Store/FetchRequest.h"
#include "Store/ObjectContext.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QTimeZone>
#include <QUuid>

using namespace storetest;

namespace {

QDateTime at(qint64 msecs) {
    return QDateTime::fromMSecsSinceEpoch(msecs, QTimeZone::utc());
}

} // namespace

TEST(ObjectContext, EveryAttributeTypeRoundTripsThroughTheFileIncludingAbsentValues) {
    auto model = makeModel();
    const QString path = tempPath("roundtrip.sqlite");
    const QUuid uuid = QUuid::createUuid();
    qint64 fullPk = 0, emptyPk = 0;
    {
        auto context = openStore(*model, path);
        auto full = context->insert<Project>();
        ASSERT_TRUE(full);
        full->setUuid(uuid);
        full->setName(QStringLiteral("Zoë 🚀 \"quoted\""));
        full->setValue(Project::priority, qint64(-32768));
        full->setDue(at(1'700'000'000'123));
        full->setValue(Project::createdAt, at(-86'400'001));
        full->setArchived(true);
        full->setValue(Project::streak, qint64(2'147'483'647));
        full->setValue(Project::big, qint64(9'007'199'254'740'993));
        full->setValue(Project::progress, 0.1 + 0.2);
        auto empty = context->insert<Project>();
        empty->setName(QString()); // present but empty is not absent
        fullPk = full->objectID();
        emptyPk = empty->objectID();
        QString error;
        ASSERT_TRUE(context->save(&error)) << error.toStdString();
    }
    auto context = openStore(*model, path);
    auto all = context->fetch<Project>(FetchRequest("Project"));
    ASSERT_EQ(all.size(), 2u);
    const auto& full = all[0];
    EXPECT_EQ(full->objectID(), fullPk);
    EXPECT_EQ(full->uuid(), uuid);
    EXPECT_EQ(full->name(), QStringLiteral("Zoë 🚀 \"quoted\""));
    EXPECT_EQ(full->rank(), -32768);
    EXPECT_EQ(full->due(), at(1'700'000'000'123));
    EXPECT_EQ(full->value(Project::createdAt).toDateTime(), at(-86'400'001));
    EXPECT_TRUE(full->archived());
    EXPECT_EQ(full->value(Project::streak).toLongLong(), 2'147'483'647);
    EXPECT_EQ(full->value(Project::big).toLongLong(), 9'007'199'254'740'993);
    EXPECT_EQ(full->fraction(), 0.1 + 0.2);

    const auto& empty = all[1];
    EXPECT_EQ(empty->objectID(), emptyPk);
    EXPECT_FALSE(empty->uuid().has_value());
    ASSERT_TRUE(empty->name().has_value());
    EXPECT_TRUE(empty->name()->isEmpty());
    EXPECT_FALSE(empty->due().has_value());
    EXPECT_FALSE(empty->value(u"deadline").isValid());
    EXPECT_EQ(empty->rank(), 0);
    EXPECT_FALSE(empty->archived());
    EXPECT_EQ(empty->fraction(), 0.0);
}

TEST(ObjectContext, KeepsOneObjectPerRecordAndSeesUnsavedChanges) {
    auto model = makeModel();
    auto context = openStore(*model);
    auto a = context->insert<Project>();
    a->setName(QStringLiteral("a"));
    ASSERT_TRUE(context->save());
    auto fetched = context->fetch(FetchRequest("Project"));
    ASSERT_EQ(fetched.size(), 1u);
    EXPECT_EQ(fetched[0].get(), a.get());

    auto b = context->insert<Project>();
    b->setName(QStringLiteral("b"));
    EXPECT_TRUE(context->hasChanges());
    EXPECT_TRUE(b->isInserted());
    EXPECT_EQ(context->count(FetchRequest("Project")), 2);
    EXPECT_EQ(context->count(FetchRequest("Project", Key("title"_key) == QStringLiteral("b"))), 1);
    a->setName(QStringLiteral("c"));
    EXPECT_TRUE(a->isUpdated());
    EXPECT_EQ(context->count(FetchRequest("Project", Key("title"_key) == QStringLiteral("a"))), 0);
    EXPECT_EQ(context->fetch(FetchRequest("Project", Key("title"_key) == QStringLiteral("c")))[0].get(),
              a.get());

    context->rollback();
    EXPECT_FALSE(context->hasChanges());
    EXPECT_EQ(a->name(), QStringLiteral("a"));
    EXPECT_TRUE(b->isDeleted());
    EXPECT_EQ(context->count(FetchRequest("Project")), 1);
}
