#include "StoreTestModel.h"

#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>

namespace storetest {

std::unique_ptr<ObjectModel> makeModel(bool withLabel, bool withNotes) {
    auto model = std::make_unique<ObjectModel>();
    model->add({QStringLiteral("Project"),
                {{"id", AttributeType::uuid},
                 {"title", AttributeType::text},
                 {"priority", AttributeType::int16},
                 {"deadline", AttributeType::date},
                 {"createdAt", AttributeType::date},
                 {"isArchived", AttributeType::flag},
                 {"streak", AttributeType::int32},
                 {"big", AttributeType::int64},
                 {"progress", AttributeType::doubleValue}},
                {{"tasks", "Task", true, "project", DeleteRule::cascade}},
                [] { return std::make_shared<Project>(); }});
    std::vector<AttributeDescription> taskAttrs{{"title", AttributeType::text},
                                                {"order", AttributeType::int16},
                                                {"isDone", AttributeType::flag},
                                                {"createdAt", AttributeType::date, true}};
    std::vector<RelationshipDescription> taskRels{{"project", "Project", false, "tasks"},
                                                  {"items", "Item", true, "task", DeleteRule::cascade}};
    if (withLabel)
        taskRels.push_back({"label", "Label", false, "tasks"});
    model->add({QStringLiteral("Task"), taskAttrs, taskRels, [] { return std::make_shared<Task>(); }});
    std::vector<AttributeDescription> itemAttrs{{"title", AttributeType::text},
                                                {"isDone", AttributeType::flag}};
    if (withNotes)
        itemAttrs.push_back({"notes", AttributeType::text});
    model->add({QStringLiteral("Item"), itemAttrs, {{"task", "Task", false, "items"}}, {}});
    if (withLabel)
        model->add({QStringLiteral("Label"),
                    {{"name", AttributeType::text}},
                    {{"tasks", "Task", true, "label"}},
                    {}});
    return model;
}

std::unique_ptr<ObjectContext> openStore(const ObjectModel& model, const QString& path) {
    QString error;
    auto context = ObjectContext::open(model, path, &error);
    EXPECT_TRUE(context) << error.toStdString();
    return context;
}

QString tempPath(const QString& name) {
    const QString dir = qv::test::tempHome() + QStringLiteral("/store");
    QDir().mkpath(dir);
    return dir + u'/' + name;
}

} // namespace storetest
