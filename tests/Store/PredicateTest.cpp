#include "StoreTestModel.h"

#include "Store/FetchRequest.h"

#include <gtest/gtest.h>

#include <QTimeZone>

#include <algorithm>

using namespace storetest;

namespace {

QDateTime at(qint64 msecs) {
    return QDateTime::fromMSecsSinceEpoch(msecs, QTimeZone::utc());
}

const QUuid someUuid = QUuid::fromString(QStringLiteral("{6f1c2b7e-0d55-4c3a-9a51-2f0b8f0e4d11}"));

struct Row {
    std::optional<QString> title;
    qint64 priority;
    std::optional<QDateTime> deadline;
    bool archived;
    double progress;
    bool withUuid;
};

// Absent values, letter case, characters past the basic plane, equal keys and dates a
// millisecond apart: everything where SQL and memory could disagree.
const std::vector<Row> rows = {
    {QStringLiteral("beta"), 2, at(1'000), false, 0.5, false},
    {QStringLiteral("Beta"), 1, std::nullopt, true, 0.25, true},
    {std::nullopt, 3, at(999), false, 1.0, false},
    {QStringLiteral("alpha"), 2, at(1'001), false, 0.5, false},
    {QStringLiteral("\U0001F600 emoji"), 1, at(1'000), true, -1.0, false},
    {QStringLiteral("\uFF21 fullwidth"), 0, std::nullopt, false, 0.0, true},
    {QString(), 2, at(-5), false, 0.5, false},
    {QStringLiteral("alpha"), 2, at(1'000), true, 0.75, false},
};

void fill(ObjectContext& context) {
    std::vector<std::shared_ptr<Project>> projects;
    for (const Row& row : rows) {
        auto p = context.insert<Project>();
        p->setName(row.title);
        p->setRank(row.priority);
        p->setDue(row.deadline);
        p->setArchived(row.archived);
        p->setValue(Project::progress, row.progress);
        if (row.withUuid)
            p->setUuid(someUuid);
        projects.push_back(p);
    }
    // Tasks: two per project except the last; one without a project.
    for (std::size_t i = 0; i + 1 < projects.size(); ++i)
        for (int k = 0; k < 2; ++k) {
            auto t = context.insert<Task>();
            t->setValue(Task::order, qint64((i * 7 + k) % 5));
            t->setValue(Task::title, QStringLiteral("t%1").arg(i * 2 + k));
            t->setOwner(projects[i]);
        }
    context.insert<Task>()->setValue(Task::title, QStringLiteral("orphan"));
}

std::vector<Predicate> projectPredicates() {
    return {
        Predicate(),
        Key("title"_key) == QStringLiteral("alpha"),
        Key("title"_key) != QStringLiteral("alpha"),
        Key("title"_key) < QStringLiteral("alpha"),
        Key("title"_key) <= QStringLiteral("beta"),
        Key("title"_key) > QStringLiteral("Beta"),
        Key("title"_key) >= QStringLiteral("\uFF21"),
        Key("title"_key) == QVariant(),
        Key("title"_key) != QVariant(),
        Key("title"_key) < QVariant(),
        Key("title"_key) >= QVariant(),
        Key("title"_key).absent(),
        Key("title"_key).present(),
        Key("deadline"_key) < at(1'000),
        Key("deadline"_key) <= at(1'000),
        Key("deadline"_key) == at(1'001),
        Key("deadline"_key) > at(999),
        Key("isArchived"_key) == false,
        Key("isArchived"_key) == QVariant(true),
        Key("priority"_key) >= 2,
        Key("priority"_key) < 1.5,
        Key("progress"_key) == 0.5,
        Key("progress"_key) > 0,
        Key("id"_key) == someUuid,
        Key("id"_key) == someUuid.toString(),
        Key("id"_key).absent(),
        !(Key("title"_key) == QStringLiteral("alpha")),
        !(Key("deadline"_key) > at(999)),
        (Key("priority"_key) == 2 && Key("isArchived"_key) == false) || Key("title"_key).absent(),
        !(Key("priority"_key) == 2 ||
          (Key("deadline"_key) < at(1'000) && !(Key("title"_key) >= QStringLiteral("b")))),
        Key("deadline"_key) >= at(999) && Key("deadline"_key) < at(1'001),
        !(Key("deadline"_key) >= at(999) && Key("deadline"_key) <= at(1'000)),
        Key("title"_key).present() && Key("title"_key) < QStringLiteral("b"),
        Predicate::all({}),
        Predicate::any({}),
    };
}

std::vector<std::vector<SortDescriptor>> projectSorts() {
    return {
        {},
        {{"title"_key, true}},
        {{"title"_key, false}},
        {{"deadline"_key, true}, {"title"_key, false}},
        {{"priority"_key, false}, {"progress"_key, true}},
        {{"isArchived"_key, true}, {"id"_key, true}},
    };
}

std::vector<Predicate> taskPredicates(qint64 projectPk) {
    return {
        Key("project.title"_key) == QStringLiteral("alpha"),
        Key("project.title"_key) != QStringLiteral("alpha"),
        Key("project.title"_key) < QStringLiteral("b"),
        Key("project.title"_key).absent(),
        Key("project.title"_key).present(),
        Key("project.deadline"_key) > at(999),
        Key("project.deadline"_key) <= at(999),
        !(Key("project.priority"_key) >= 2),
        Key("project"_key) == QVariant::fromValue(ObjectRef{"Project", projectPk}),
        Key("project"_key) != QVariant::fromValue(ObjectRef{"Project", projectPk}),
        Key("project"_key).absent(),
        Key("project.isArchived"_key) == true && Key("order"_key) > 1,
    };
}

std::vector<qint64> pks(const std::vector<std::shared_ptr<ManagedObject>>& objects) {
    std::vector<qint64> out;
    for (const auto& o : objects)
        out.push_back(o->objectID());
    return out;
}

std::vector<qint64> run(ObjectContext& context, const QString& entity, const Predicate& p,
                        const std::vector<SortDescriptor>& sort = {}, int limit = 0, int offset = 0) {
    FetchRequest request(entity, p, sort, limit);
    request.fetchOffset = offset;
    const auto found = pks(context.fetch(request));
    EXPECT_EQ(context.count(request), static_cast<int>(found.size()));
    if (offset > 0 || limit > 0) {
        // A page is that stretch of the whole list.
        const auto all = pks(context.fetch(FetchRequest(entity, p, sort)));
        const auto from = all.begin() + std::min<std::ptrdiff_t>(offset, std::ssize(all));
        const auto to = limit > 0 ? from + std::min<std::ptrdiff_t>(limit, all.end() - from) : all.end();
        EXPECT_EQ(found, std::vector<qint64>(from, to));
    }
    return found;
}

} // namespace

TEST(StorePredicates, SavedAndPendingRecordsGiveTheSameRecordsInTheSameOrder) {
    auto model = makeModel();
    const QString path = tempPath("predicates.sqlite");
    auto pending = openStore(*model);
    fill(*pending);
    {
        auto writer = openStore(*model, path);
        fill(*writer);
        ASSERT_TRUE(writer->save());
    }
    auto saved = openStore(*model, path);

    int index = 0;
    for (const Predicate& p : projectPredicates()) {
        for (const auto& sort : projectSorts()) {
            for (auto [limit, offset] : {std::pair{0, 0}, {3, 0}, {3, 2}, {0, 2}, {2, 100}}) {
                SCOPED_TRACE(testing::Message() << "predicate " << index << " sort " << sort.size()
                                                << " limit " << limit << " offset " << offset);
                EXPECT_EQ(run(*saved, "Project", p, sort, limit, offset),
                          run(*pending, "Project", p, sort, limit, offset));
            }
        }
        ++index;
    }
    index = 0;
    for (const Predicate& p : taskPredicates(4)) {
        SCOPED_TRACE(testing::Message() << "task predicate " << index++);
        const std::vector<SortDescriptor> sort{{"project.title"_key, true}, {"order"_key, false}};
        EXPECT_EQ(run(*saved, "Task", p, sort), run(*pending, "Task", p, sort));
        EXPECT_EQ(run(*saved, "Task", p), run(*pending, "Task", p));
    }

    // Saved rows with unsaved ones among them: a record moved to the front, one added, one
    // gone; each page is still its stretch of the whole list.
    const auto projects = saved->fetch<Project>(FetchRequest("Project", {}, {{"title"_key, true}}));
    projects.back()->setName(QStringLiteral("0 first"));
    saved->insert<Project>()->setName(QStringLiteral("middle"));
    saved->deleteObject(projects[2]);
    for (auto [limit, offset] : {std::pair{3, 0}, {3, 2}, {0, 4}, {2, 7}}) {
        SCOPED_TRACE(testing::Message() << "unsaved; limit " << limit << " offset " << offset);
        EXPECT_EQ(run(*saved, "Project", {}, {{"title"_key, true}}, limit, offset).size(),
                  size_t(std::clamp(8 - offset, 0, limit > 0 ? limit : 8)));
    }
}

TEST(StorePredicates, AbsentIsSmallestTextComparesByCodePointAndEqualKeysKeepInsertionOrder) {
    auto model = makeModel();
    auto context = openStore(*model);
    fill(*context);
    ASSERT_TRUE(context->save());
    auto titles = [&](const std::vector<SortDescriptor>& sort) {
        std::vector<QString> out;
        for (const auto& p : context->fetch<Project>(FetchRequest("Project", {}, sort)))
            out.push_back(p->name().value_or(QStringLiteral("<absent>")));
        return out;
    };
    const std::vector<QString> ascending{
        "<absent>", "", "Beta", "alpha", "alpha", "beta", "\uFF21 fullwidth", "\U0001F600 emoji"};
    EXPECT_EQ(titles({{"title"_key, true}}), ascending);
    // Equal titles come back in insertion order both ways round.
    const auto alphas = context->fetch(
        FetchRequest("Project", Key("title"_key) == QStringLiteral("alpha"), {{"title"_key, false}}));
    ASSERT_EQ(alphas.size(), 2u);
    EXPECT_LT(alphas[0]->objectID(), alphas[1]->objectID());
    EXPECT_EQ(context->count(FetchRequest("Project", Key("title"_key) < QStringLiteral("a"))), 3);
    EXPECT_EQ(context->count(FetchRequest("Project", Key("deadline"_key) < at(1'000))), 4);
}

TEST(StorePredicates, KeyPathsReadThroughUnsavedChangesOfTheRecordsTheyCross) {
    auto model = makeModel();
    auto context = openStore(*model);
    fill(*context);
    ASSERT_TRUE(context->save());
    auto renamed =
        context->fetch<Project>(FetchRequest("Project", Key("title"_key) == QStringLiteral("beta")));
    ASSERT_EQ(renamed.size(), 1u);
    renamed[0]->setName(QStringLiteral("gamma"));
    const auto tasks =
        context->fetch(FetchRequest("Task", Key("project.title"_key) == QStringLiteral("gamma")));
    ASSERT_EQ(tasks.size(), 2u);
    EXPECT_EQ(context->count(FetchRequest("Task", Key("project.title"_key) == QStringLiteral("beta"))), 0);
    EXPECT_EQ(context->count(FetchRequest("Task", Key("project"_key) == renamed[0] && Key("order"_key) >= 0)),
              2);
    const auto sorted = context->fetch(FetchRequest("Task", Key("project.title"_key) < QStringLiteral("h"),
                                                    {{"project.title"_key, false}}, 2));
    ASSERT_EQ(sorted.size(), 2u);
    EXPECT_EQ(sorted[0].get(), tasks[0].get());
    EXPECT_EQ(sorted[1].get(), tasks[1].get());
    EXPECT_TRUE(Predicate(Key("project.title"_key) == QStringLiteral("gamma")).evaluate(*tasks[1]));
}
