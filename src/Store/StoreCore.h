#pragma once

#include "Store/QueryAccess.h"

#include "Store/EntityDescription.h"
#include "Store/ObjectRegistry.h"
#include "Store/ObjectState.h"
#include "Store/StatementCache.h"

#include <QSet>
#include <QString>

#include <SQLiteCpp/Database.h>

#include <functional>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

class ObjectContext;

// One relationship as the store resolves it: where it leads and, for a to-many one, which
// to-one relationship of the destination holds the link.
struct RelationInfo {
    int destination = -1;
    bool toMany = false;
    int inverse = -1; // to-many: the destination's to-one pointing back; to-one: its to-many side
    DeleteRule rule = DeleteRule::nullify;
};

struct EntityInfo {
    const EntityDescription* desc = nullptr;
    int index = 0;
    QString table;   // quoted
    QString columns; // t."pk", t."attr"..., t."toOne"... : the layout of every row read
    std::vector<RelationInfo> relations;
    std::vector<int> toOnes; // relationship indices stored as columns, in column order
    // The identity map: one object per record. Objects without unsaved changes are held
    // weakly and read again from the file when nobody holds them any more.
    ObjectRegistry registry;
    std::map<qint64, std::shared_ptr<ManagedObject>> pending; // inserted, changed or deleted
    qint64 nextPk = 1;
    quint64 linkGeneration = 1; // 0 marks a to-many list never read
};

// The engine behind one ObjectContext: the open file, its statements and the identity map.
class StoreCore {
public:
    using State = ManagedObject::State;

    StoreCore(ObjectContext* owner, const ObjectModel& model, const QString& path);
    ~StoreCore();

    ObjectContext* owner() const { return owner_; }
    const ObjectModel& model() const { return model_; }
    const QString& path() const { return path_; }
    SQLite::Database& db() { return db_; }
    StatementCache& statements() { return statements_; }

    int entityCount() const { return static_cast<int>(entities_.size()); }
    EntityInfo& entity(int index) { return entities_[static_cast<std::size_t>(index)]; }
    const EntityInfo& entity(int index) const { return entities_[static_cast<std::size_t>(index)]; }
    int entityIndex(QStringView name) const; // -1 when unknown

    // The registered object of a record, if one is alive.
    std::shared_ptr<ManagedObject> registered(int entity, qint64 pk) const;
    // The object of a row read in the layout of EntityInfo::columns, starting at column 0.
    std::shared_ptr<ManagedObject> fromRow(int entity, SQLite::Statement& row);
    // The object of a record by pk, read from the file when needed; nullptr when none.
    std::shared_ptr<ManagedObject> object(int entity, qint64 pk);
    std::shared_ptr<ManagedObject> insert(int entity);

    static State& state(const ManagedObject& object) { return *object.state_; }

    // Records that the object is about to change: keeps its saved values for rollback and
    // holds it strongly until saved.
    void willChange(ManagedObject& object);
    void markPending(ManagedObject& object);
    void touch(int entity);
    void touchAll();
    // The object leaves the context; its handle reads as deleted from now on.
    void detach(ManagedObject& object);
    void forget(int entity, qint64 pk); // from the object's destructor
    // Bumped whenever a record of the entity gains, loses or changes a to-one link, or
    // leaves, so cached to-many lists of that entity know to read again.
    quint64 linkGeneration(int entity) const {
        return entities_[static_cast<std::size_t>(entity)].linkGeneration;
    }
    void linksChanged(int entity) { ++entities_[static_cast<std::size_t>(entity)].linkGeneration; }
    void linksChangedEverywhere() {
        for (auto& info : entities_)
            ++info.linkGeneration;
    }
    bool hasPending() const;

    // Failures. A SQLite error that says the file is damaged stops every later write to it,
    // leaves a marker beside it so that the next start treats it as damaged, and is told once
    // through onDamage.
    int lastErrorCode = 0;                              // of the last failed write
    void noteFailure(const SQLite::Exception& failure); // of any read or write
    // Stops writes and leaves the marker; tell says whether onDamage hears of it.
    void markDamaged(const QString& reason, bool tell = true);
    bool isDamaged() const { return damaged_; }
    // Whether a write may go ahead; fills error (and lastErrorCode) when it may not. The first
    // write waits for the answer of a pending integrity check (integrityGate), whose "damaged"
    // counts as damage met.
    bool writable(QString* error);
    std::function<bool(QString* reason)> integrityGate; // true: sound
    std::function<void(const QString& reason)> onDamage;
    static QString damageMarkerPath(const QString& storePath);
    static void leaveDamageMarker(const QString& storePath, const QString& reason);
    bool hasPending(int entity) const { return !entities_[static_cast<std::size_t>(entity)].pending.empty(); }

private:
    std::shared_ptr<ManagedObject> create(int entity, qint64 pk);
    void emitChanges();

    ObjectContext* owner_;
    const ObjectModel& model_;
    QString path_;
    SQLite::Database db_;
    StatementCache statements_;
    std::vector<EntityInfo> entities_;
    QSet<QString> touched_;
    bool emitScheduled_ = false;
    bool damaged_ = false;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0); // for calls queued past this core's life
};
