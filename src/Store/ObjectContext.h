#pragma once

#include "Store/FetchRequest.h"
#include "Store/ManagedObject.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <vector>

// The one context through which records are read and written, on the main thread only.
// It keeps one object per record (identity map); fetches and counts see its unsaved
// inserts, changes and deletions. Every mutation marks it changed and, coalesced to once
// per event-loop turn, emits objectsChanged with the names of the entities touched.
class ObjectContext : public QObject {
    Q_OBJECT
public:
    // Opens (creating if needed) the SQLite store at path; ":memory:" is an in-memory store.
    // Adds missing tables and columns. Returns nullptr and fills error when it cannot.
    static std::unique_ptr<ObjectContext> open(const ObjectModel& model, const QString& path, QString* error);
    ~ObjectContext() override;

    const ObjectModel& model() const;
    QString path() const;

    std::shared_ptr<ManagedObject> insert(QStringView entityName);
    template <typename T> std::shared_ptr<T> insert() {
        return std::static_pointer_cast<T>(insert(T::entityName()));
    }

    std::vector<std::shared_ptr<ManagedObject>> fetch(const FetchRequest& request);
    template <typename T> std::vector<std::shared_ptr<T>> fetch(const FetchRequest& request) {
        std::vector<std::shared_ptr<T>> out;
        for (auto& o : fetch(request))
            out.push_back(std::static_pointer_cast<T>(o));
        return out;
    }
    int count(const FetchRequest& request);
    // The total of a number attribute over the records the request matches, unsaved changes
    // included, summed by the store without loading the records (0 when none match).
    double sum(const FetchRequest& request, StoreKey attribute);

    // Deletes the record and applies the delete rules of its relationships.
    void deleteObject(const std::shared_ptr<ManagedObject>& object);
    // Deletes every record of the entity in the store directly (pending changes of that
    // entity are dropped); handles of those records read as deleted. No delete rules run.
    bool batchDelete(QStringView entityName, QString* error = nullptr);
    // As above for several entities, all in one transaction: either every table is emptied
    // or none is.
    bool batchDelete(const QStringList& entityNames, QString* error = nullptr);

    bool hasChanges() const;
    // Whether any record of these entities has unsaved changes.
    bool hasChanges(const QStringList& entityNames) const;

    // Writes only what changed, in one transaction. On failure the transaction is rolled
    // back, the pending changes are kept, and error is filled.
    bool save(QString* error = nullptr);
    // SQLite's primary result code of the last failed save (SQLITE_FULL, ...); 0 before any.
    int lastErrorCode() const;
    // Saves; when that fails, prints "CoreData save error: " with the error on the standard
    // output and rolls every pending change back, so no later save can write it.
    bool commit(QString* error = nullptr);
    void rollback(); // discards pending changes
    void reset();    // forgets every object; handles read as deleted

signals:
    void objectsChanged(const QSet<QString>& entityNames);
    // Before save() writes or rollback() discards, with the records it concerns (they still
    // read their values and relationships); everything is true when the whole store may
    // read differently afterwards (a reset, a batch delete). Caches of derived figures
    // forget what these records feed.
    void aboutToCommit(const std::vector<std::shared_ptr<ManagedObject>>& objects, bool everything);

private:
    ObjectContext();
    struct Impl;
    std::unique_ptr<Impl> d;
    friend class ManagedObject;
    friend class ObjectStoreInternals;
    friend class StoreCore;
};
