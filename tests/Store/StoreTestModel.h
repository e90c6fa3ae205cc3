#pragma once

#include "Store/EntityDescription.h"
#include "Store/ManagedObject.h"
#include "Store/ObjectContext.h"

#include <QString>

#include <memory>

// A small model of the store's own for its tests: owners with cascading children
// (Project -> Task -> Item), a nullified link (Label <- Task), and every attribute type.
namespace storetest {

// Names of this model's keys, and misspelt ones for the misuse tests: "title"_key.
constexpr StoreKey operator""_key(const char* name, std::size_t) {
    return StoreKey{name};
}

class Project : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("Project"); }
    enum Attr { id, title, priority, deadline, createdAt, isArchived, streak, big, progress };
    enum Rel { tasks };

    std::optional<QUuid> uuid() const { return uuidValue(id); }
    void setUuid(const std::optional<QUuid>& v) { setOptional(id, v); }
    std::optional<QString> name() const { return textValue(title); }
    void setName(const std::optional<QString>& v) { setOptional(title, v); }
    std::optional<QDateTime> due() const { return dateValue(deadline); }
    void setDue(const std::optional<QDateTime>& v) { setOptional(deadline, v); }
    qint64 rank() const { return integerValue(priority); }
    void setRank(qint64 v) { setValue(priority, v); }
    bool archived() const { return flagValue(isArchived); }
    void setArchived(bool v) { setValue(isArchived, v); }
    double fraction() const { return doubleValue(progress); }
    std::vector<std::shared_ptr<ManagedObject>> allTasks() const { return relatedObjects(tasks); }
};

class Task : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("Task"); }
    enum Attr { title, order, isDone, createdAt };
    enum Rel { project, items, label };
    std::shared_ptr<Project> owner() const { return toOne<Project>(project); }
    void setOwner(const std::shared_ptr<Project>& p) { setRelatedObject(project, p); }
};

std::unique_ptr<ObjectModel> makeModel(bool withLabel = true, bool withNotes = true);

// Opens a store over path (":memory:" by default) with the test model; fails the test
// when it cannot.
std::unique_ptr<ObjectContext> openStore(const ObjectModel& model,
                                         const QString& path = QStringLiteral(":memory:"));

QString tempPath(const QString& name);

} // namespace storetest
