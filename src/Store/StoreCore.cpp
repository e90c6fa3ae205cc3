#include "Store/StoreCore.h"

#include "Store/ObjectContext.h"
#include "Store/StoreMigrations.h"
#include "Store/StoreMisuse.h"
#include "Store/StoreSchema.h"

#include <QFile>
#include <QMetaObject>

#include <SQLiteCpp/Transaction.h>
#include <sqlite3.h>

namespace {

constexpr int busyTimeoutMs = 2000;

int relationshipIndex(const EntityDescription& entity, const QString& name) {
    return name.isEmpty() ? -1 : entity.relationshipIndex(name);
}

// The to-one relationship of dest that holds the links of owner's to-many relationship rel.
int toManyInverse(const EntityDescription& owner, const RelationshipDescription& rel,
                  const EntityDescription& dest) {
    const int named = relationshipIndex(dest, rel.inverse);
    if (named >= 0 && !dest.relationships[static_cast<std::size_t>(named)].toMany)
        return named;
    for (std::size_t i = 0; i < dest.relationships.size(); ++i) {
        const auto& back = dest.relationships[i];
        if (!back.toMany && back.destination == owner.name &&
            (back.inverse == rel.name || back.inverse.isEmpty()))
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

StoreCore::StoreCore(ObjectContext* owner, const ObjectModel& model, const QString& path)
    : owner_(owner), model_(model), path_(path),
      db_(path.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE | SQLite::OPEN_NOMUTEX,
          busyTimeoutMs),
      statements_(db_) {
    if (sqlite3_db_readonly(db_.getHandle(), "main") == 1)
        throw SQLite::Exception("attempt to write a readonly database", SQLITE_READONLY);
    // Reading the journal mode is the first access to the file's header: a file that is not
    // a database or is damaged fails here.
    db_.execAndGet("PRAGMA journal_mode = WAL");
    db_.exec("PRAGMA synchronous = FULL");
    db_.exec("PRAGMA foreign_keys = ON");
    db_.exec("PRAGMA cache_size = -16384");
    StoreMigrations::migrate(db_, model_, db_.execAndGet("PRAGMA user_version").getInt());
    // Attributes added to the model since (the inferred part of a migration) come as columns.
    {
        SQLite::Transaction transaction(db_, SQLite::TransactionBehavior::IMMEDIATE);
        StoreSchema::apply(db_, model_);
        transaction.commit();
    }

    const auto& descs = model_.entities();
    entities_.resize(descs.size());
    for (std::size_t i = 0; i < descs.size(); ++i) {
        EntityInfo& info = entities_[i];
        info.desc = descs[i].get();
        info.index = static_cast<int>(i);
        info.table = StoreSchema::quote(info.desc->name);
        QStringList columns{QStringLiteral("t.\"pk\"")};
        for (const auto& attr : info.desc->attributes)
            columns << QStringLiteral("t.") + StoreSchema::quote(attr.name);
        for (std::size_t r = 0; r < info.desc->relationships.size(); ++r) {
            const auto& rel = info.desc->relationships[r];
            if (!rel.toMany) {
                info.toOnes.push_back(static_cast<int>(r));
                columns << QStringLiteral("t.") + StoreSchema::quote(rel.name);
            }
        }
        info.columns = columns.join(u", ");
        info.nextPk = StoreSchema::nextPk(db_, *info.desc);
    }
    for (auto& info : entities_) {
        for (const auto& rel : info.desc->relationships) {
            RelationInfo ri;
            ri.destination = entityIndex(rel.destination);
            ri.toMany = rel.toMany;
            ri.rule = rel.deleteRule;
            if (ri.destination >= 0) {
                const EntityDescription& dest = *entity(ri.destination).desc;
                ri.inverse =
                    rel.toMany ? toManyInverse(*info.desc, rel, dest) : relationshipIndex(dest, rel.inverse);
            }
            if (ri.destination < 0 || (rel.toMany && ri.inverse < 0))
                StoreMisuse::report(QStringLiteral("relationship %1.%2 leads to no %3.%4")
                                        .arg(info.desc->name, rel.name, rel.destination, rel.inverse));
            info.relations.push_back(ri);
        }
    }
}

StoreCore::~StoreCore() {
    // Handles kept elsewhere read as deleted from now on; the cached lists they hold are let
    // go only after every object has left, so no destructor reaches back into this core.
    std::vector<std::shared_ptr<ManagedObject>> alive;
    for (auto& info : entities_)
        for (auto& object : info.registry.alive())
            alive.push_back(std::move(object));
    for (const auto& object : alive) {
        auto& s = state(*object);
        s.gone = true;
        s.core = nullptr;
    }
    for (const auto& object : alive) {
        state(*object).toMany.clear();
        state(*object).batch.reset();
    }
    for (auto& info : entities_) {
        info.registry.clear();
        info.pending.clear();
    }
}

int StoreCore::entityIndex(QStringView name) const {
    for (const auto& info : entities_)
        if (info.desc->name == name)
            return info.index;
    return -1;
}

std::shared_ptr<ManagedObject> StoreCore::registered(int e, qint64 pk) const {
    return entity(e).registry.find(pk);
}

std::shared_ptr<ManagedObject> StoreCore::create(int e, qint64 pk) {
    EntityInfo& info = entity(e);
    std::shared_ptr<ManagedObject> object = info.desc->make ? info.desc->make() : nullptr;
    if (!object)
        object = std::shared_ptr<ManagedObject>(new ManagedObject());
    object->entity_ = info.desc;
    object->pk_ = pk;
    object->state_ = State::make(info.desc->attributes.size(), info.desc->relationships.size());
    auto& s = *object->state_;
    s.core = this;
    s.entity = e;
    info.registry.insert(pk, object);
    return object;
}

std::shared_ptr<ManagedObject> StoreCore::fromRow(int e, SQLite::Statement& row) {
    const qint64 pk = row.getColumn(0).getInt64();
    if (auto known = registered(e, pk))
        return known;
    auto object = create(e, pk);
    auto& s = state(*object);
    const EntityInfo& info = entity(e);
    int column = 1;
    for (std::size_t a = 0; a < s.values.size(); ++a)
        s.values[a] = StoreValue::fromColumn(row, column++);
    for (int r : info.toOnes) {
        const SQLite::Column c = row.getColumn(column++);
        s.links[static_cast<std::size_t>(r)] = c.isNull() ? 0 : c.getInt64();
    }
    // Numbers and flags always hold a value, even in rows written before the column existed.
    for (std::size_t a = 0; a < s.values.size(); ++a) {
        const AttributeType type = info.desc->attributes[a].type;
        if (s.values[a].isNull() && type != AttributeType::uuid && type != AttributeType::text &&
            type != AttributeType::date)
            s.values[a] = StoreValue::fromVariant(QVariant(), type);
    }
    return object;
}

std::shared_ptr<ManagedObject> StoreCore::object(int e, qint64 pk) {
    if (e < 0 || pk <= 0)
        return nullptr;
    if (auto known = registered(e, pk))
        return known;
    const EntityInfo& info = entity(e);
    try {
        auto row = statements_.get(
            QStringLiteral("SELECT %1 FROM %2 t WHERE t.\"pk\" = ?").arg(info.columns, info.table));
        row->bind(1, static_cast<int64_t>(pk));
        if (row->executeStep())
            return fromRow(e, *row);
    } catch (const SQLite::Exception& error) {
        qWarning("store: cannot read %s %lld: %s", qPrintable(info.desc->name), pk, error.what());
        noteFailure(error);
    }
    return nullptr;
}

std::shared_ptr<ManagedObject> StoreCore::insert(int e) {
    EntityInfo& info = entity(e);
    auto object = create(e, info.nextPk++);
    auto& s = state(*object);
    for (std::size_t a = 0; a < s.values.size(); ++a)
        s.values[a] = StoreValue::fromVariant(QVariant(), info.desc->attributes[a].type);
    s.inserted = true;
    info.pending[object->pk_] = object;
    touch(e);
    return object;
}

void StoreCore::willChange(ManagedObject& object) {
    auto& s = state(object);
    if (!s.inserted && !s.snapshot) {
        s.savedValues = s.values.copy();
        s.savedLinks = s.links.copy();
        s.snapshot = true;
    }
    markPending(object);
}

void StoreCore::markPending(ManagedObject& object) {
    auto& s = state(object);
    if (!s.inserted && !s.deleted)
        s.updated = true;
    entity(s.entity).pending[object.pk_] = object.shared_from_this();
    touch(s.entity);
}

void StoreCore::touch(int e) {
    touched_.insert(entity(e).desc->name);
    if (emitScheduled_)
        return;
    emitScheduled_ = true;
    // The context may have put another file (another core) behind it by the time this runs.
    QMetaObject::invokeMethod(
        owner_,
        [this, alive = std::weak_ptr<int>(alive_)] {
            if (alive.lock())
                emitChanges();
        },
        Qt::QueuedConnection);
}

void StoreCore::touchAll() {
    for (const auto& info : entities_)
        touch(info.index);
}

void StoreCore::emitChanges() {
    emitScheduled_ = false;
    QSet<QString> names;
    names.swap(touched_);
    if (!names.isEmpty())
        emit owner_->objectsChanged(names);
}

void StoreCore::detach(ManagedObject& object) {
    auto& s = state(object);
    if (!s.core)
        return;
    const auto keep = object.shared_from_this();
    EntityInfo& info = entity(s.entity);
    info.registry.erase(object.pk_);
    info.pending.erase(object.pk_);
    s.gone = true;
    s.core = nullptr;
    for (StoreValue& v : s.values)
        v = StoreValue();
    s.savedValues.clear();
    s.savedLinks.clear();
    s.toMany.clear();
    s.batch.reset();
}

void StoreCore::forget(int e, qint64 pk) {
    entity(e).registry.eraseIfExpired(pk);
}

bool StoreCore::hasPending() const {
    for (const auto& info : entities_)
        if (!info.pending.empty())
            return true;
    return false;
}

QString StoreCore::damageMarkerPath(const QString& storePath) {
    return storePath + QStringLiteral(".damaged");
}

void StoreCore::leaveDamageMarker(const QString& storePath, const QString& reason) {
    // Written beside the store rather than into it: the damaged file takes no more writes.
    QFile marker(damageMarkerPath(storePath));
    if (!marker.exists() && marker.open(QIODevice::WriteOnly | QIODevice::Truncate))
        marker.write(reason.toUtf8() + '\n');
}

void StoreCore::noteFailure(const SQLite::Exception& failure) {
    const int code = failure.getErrorCode() & 0xff;
    if (code == SQLITE_CORRUPT || code == SQLITE_NOTADB)
        markDamaged(QString::fromUtf8(failure.what()));
}

void StoreCore::markDamaged(const QString& reason, bool tell) {
    if (damaged_)
        return;
    damaged_ = true;
    if (path_ != QStringLiteral(":memory:"))
        leaveDamageMarker(path_, reason);
    if (tell && onDamage)
        onDamage(reason);
}

bool StoreCore::writable(QString* error) {
    if (integrityGate) {
        const auto gate = std::move(integrityGate);
        integrityGate = nullptr;
        QString reason;
        // The check's owner deals with what it found; until then nothing more is written.
        if (!gate(&reason))
            markDamaged(reason, false);
    }
    if (!damaged_)
        return true;
    lastErrorCode = SQLITE_CORRUPT;
    if (error)
        *error = QStringLiteral("the store is damaged; no more changes are written to it");
    return false;
}
