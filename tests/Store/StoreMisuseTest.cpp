#include "StoreTestModel.h"

#include "Store/FetchRequest.h"
#include "Support/StoreMisuseCapture.h"

#include <gtest/gtest.h>

#include <QUuid>

using namespace storetest;

namespace {

class StoreMisuseTest : public testing::Test {
protected:
    void SetUp() override {
        model = makeModel();
        context = openStore(*model);
        alpha = context->insert<Project>();
        alpha->setName(QStringLiteral("alpha"));
        task = context->insert<Task>();
        task->setOwner(alpha);
        ASSERT_TRUE(context->save());
        alpha->setName(QStringLiteral("alpha, edited")); // one record pending, one saved
    }

    // The report of one action, which must be exactly one and name what was wrong.
    QString onlyReport() {
        const QStringList reports = capture.take();
        EXPECT_EQ(reports.size(), 1) << reports.join(u'\n').toStdString();
        return reports.value(0);
    }
    template <typename Action> QString onlyReportOf(Action action) {
        action();
        return onlyReport();
    }
    // Saved and pending records alike; the count agrees with the fetch.
    int fetched(const QString& entity, const Predicate& p, std::vector<SortDescriptor> sort = {}) {
        const FetchRequest request(entity, p, std::move(sort));
        const int n = int(context->fetch(request).size());
        EXPECT_FALSE(onlyReport().isEmpty());
        EXPECT_EQ(context->count(request), n);
        capture.take();
        return n;
    }

    qv::test::StoreMisuseCapture capture;
    std::unique_ptr<ObjectModel> model;
    std::unique_ptr<ObjectContext> context;
    std::shared_ptr<Project> alpha;
    std::shared_ptr<Task> task;
};

} // namespace

TEST_F(StoreMisuseTest, KeyPathsThatNameNothingAreReportedAndKeepTheirOldAnswers) {
    // A misspelt flag used to match nothing and a misspelt absence test everything, silently.
    EXPECT_EQ(fetched("Project", Key("isArchivd"_key) == false), 0);
    EXPECT_EQ(fetched("Project", Key("titel"_key).absent()), 1);
    EXPECT_EQ(fetched("Task", Key("project.titel"_key) == QStringLiteral("alpha")), 0);
    EXPECT_EQ(fetched("Task", Key("projekt.title"_key).present()), 0);
    EXPECT_EQ(fetched("Project", Predicate(), {{"titel"_key, true}}), 1);

    context->fetch(FetchRequest("Project", Key("isArchivd"_key) == false));
    EXPECT_EQ(onlyReport(), QStringLiteral("key path \"isArchivd\" of Project: Project has no attribute or "
                                           "relationship \"isArchivd\""));
    context->fetch(FetchRequest("Project", Key("tasks.title"_key) == QStringLiteral("x")));
    EXPECT_TRUE(
        onlyReport().contains(QStringLiteral("\"tasks\" is a to-many relationship of Project, which a key "
                                             "path cannot cross")));
    context->fetch(FetchRequest("Project", Key("tasks"_key).present()));
    EXPECT_TRUE(onlyReport().contains(QStringLiteral("cannot end in")));
}

TEST_F(StoreMisuseTest, OperandsThatCanNeverMatchAreReported) {
    const auto other = context->insert<Project>();
    EXPECT_TRUE(onlyReportOf([&] {
                    context->fetch(FetchRequest("Task", Key("project"_key) == task));
                }).contains(QStringLiteral("a relationship to Project compared with a record of Task")));
    EXPECT_TRUE(onlyReportOf([&] {
                    context->fetch(FetchRequest("Task", Key("project"_key) == 7));
                }).contains(QStringLiteral("not a record")));
    EXPECT_TRUE(onlyReportOf([&] {
                    context->fetch(FetchRequest("Task", Key("title"_key) == other));
                }).contains(QStringLiteral("an attribute compared with a record")));
    // The right record, and no record at all, are what the relationship is for.
    context->fetch(FetchRequest("Task", Key("project"_key) == alpha || Key("project"_key).absent()));
    EXPECT_TRUE(capture.take().isEmpty());
}

TEST_F(StoreMisuseTest, UnknownEntitiesAndKeysOfRecordsAreReported) {
    EXPECT_TRUE(context->fetch(FetchRequest("Projekt")).empty());
    EXPECT_EQ(onlyReport(), QStringLiteral("fetch of an unknown entity \"Projekt\""));
    EXPECT_EQ(context->count(FetchRequest("Projekt")), 0);
    EXPECT_EQ(onlyReport(), QStringLiteral("count of an unknown entity \"Projekt\""));
    EXPECT_EQ(context->insert(u"Projekt"), nullptr);
    EXPECT_EQ(onlyReport(), QStringLiteral("insert of an unknown entity \"Projekt\""));

    alpha->setValue(QStringLiteral("titel"), QStringLiteral("x"));
    EXPECT_EQ(onlyReport(), QStringLiteral("Project has no attribute or to-one relationship \"titel\""));
    EXPECT_FALSE(alpha->value(QStringLiteral("titel")).isValid());
    EXPECT_FALSE(onlyReport().isEmpty());
    EXPECT_FALSE(task->value(QStringLiteral("projekt.title")).isValid());
    EXPECT_FALSE(onlyReport().isEmpty());
    alpha->setValue(QStringLiteral("tasks"), QVariant());
    EXPECT_FALSE(onlyReport().isEmpty()) << "a to-many side is changed from its to-one side";
    task->setValue(QStringLiteral("project"), 12);
    EXPECT_TRUE(onlyReport().contains(QStringLiteral("not a record")));
    alpha->setValue(99, 1);
    EXPECT_FALSE(onlyReport().isEmpty());

    auto stray = context->insert<Task>();
    stray->setRelatedObject(Task::project, task);
    EXPECT_EQ(onlyReport(), QStringLiteral("Task.project cannot hold a record of Task"));
    EXPECT_EQ(stray->owner(), nullptr);
    EXPECT_EQ(alpha->name(), QStringLiteral("alpha, edited")) << "nothing else changed";
}

TEST(StoreMisuseModel, RelationshipsToNothingAreReportedWhenTheStoreOpens) {
    qv::test::StoreMisuseCapture capture;
    ObjectModel model;
    model.add(
        {QStringLiteral("Owner"), {{"name", AttributeType::text}}, {{"parts", "Part", true, "owner"}}, {}});
    auto context = openStore(model);
    ASSERT_TRUE(context);
    ASSERT_EQ(capture.reports.size(), 1);
    EXPECT_EQ(capture.reports[0], QStringLiteral("relationship Owner.parts leads to no Part.owner"));
}

TEST(StoreMisuseModel, AReleaseBuildPrintsEachFaultOnce) {
    const QString fault = QStringLiteral("printed once ") + QUuid::createUuid().toString();
    EXPECT_TRUE(StoreMisuse::printOnce(fault));
    EXPECT_FALSE(StoreMisuse::printOnce(fault));
    EXPECT_TRUE(StoreMisuse::printOnce(fault + QStringLiteral(" and another")));
}
