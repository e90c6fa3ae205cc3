#include "Store/ObjectContext.h"

#include "Store/ChangeWriter.h"
#include "Store/FetchEngine.h"
#include "Store/ObjectStoreInternals.h"
#include "Store/StoreCore.h"
#include "Store/StoreFile.h"
#include "Store/StoreMigrations.h"
#include "Store/StoreMisuse.h"
#include "Store/StoreSchema.h"

#include <SQLiteCpp/Transaction.h>
#include <sqlite3.h>

#include <cstdio>

struct ObjectContext::Impl {
    std::unique_ptr<StoreCore> core;
};

namespace {

// The records with unsaved changes, in entity order.
std::vector<std::shared_ptr<ManagedObject>> pendingObjects(StoreCore& core) {
    std::vector<std::shared_ptr<ManagedObject>> pending;
    for (int e = 0; e < core.entityCount(); ++e)
        for (const auto& [pk, object] : core.entity(e).pending)
            pending.push_back(object);
    return pending;
}

// A to-one relationship of some entity that leads to the entity being deleted, with what
// deleting its destination does to the records holding it.
struct IncomingLink {
    int entity;
    int relationship;
    bool cascade;
};

std::vector<IncomingLink> incomingLinks(const StoreCore& core, int target) {
    std::vector<IncomingLink> out;
    const EntityInfo& dest = core.entity(target);
    for (int e = 0; e < core.entityCount(); ++e) {
        const EntityInfo& info = core.entity(e);
        for (int r : info.toOnes) {
            if (info.relations[static_cast<std::size_t>(r)].destination != target)
                continue;
            bool cascade = false;
            for (const RelationInfo& back : dest.relations)
                if (back.toMany && back.destination == e && back.inverse == r &&
                    back.rule == DeleteRule::cascade)
                    cascade = true;
            out.push_back({e, r, cascade});
        }
    }
    return out;
}

// SQLite's words for a failed open; when it could not open a file, or only for reading, they
// go on with the file and the reason.
QString openFailure(const QString& path, const SQLite::Exception& failure) {
    const QString said = QString::fromUtf8(failure.what());
    const int code = failure.getErrorCode() & 0xff;
    if (code != SQLITE_CANTOPEN && code != SQLITE_READONLY)
        return said;
    const QString reason = StoreFile::cannotOpenReason(path);
    return QStringLiteral("%1: %2").arg(said, reason.isEmpty() ? path : reason);
}

} // namespace

std::unique_ptr<ObjectContext> ObjectStoreInternals::open(const ObjectModel& model, const QString& path,
                                                          QString* error, int* resultCode) {
    // The version is read before anything can write: a file from a newer build is left as it is.
    if (const std::optional<QString> refusal = StoreMigrations::newerStoreRefusal(path)) {
        if (error)
            *error = *refusal;
        if (resultCode)
            *resultCode = ObjectStoreInternals::newerStore;
        return nullptr;
    }
    std::unique_ptr<ObjectContext> context(new ObjectContext());
    try {
        context->d->core = std::make_unique<StoreCore>(context.get(), model, path);
    } catch (const SQLite::Exception& failure) {
        if (error)
            *error = openFailure(path, failure);
        if (resultCode)
            *resultCode = failure.getErrorCode() & 0xff;
        return nullptr;
    }
    return context;
}

StoreCore& ObjectStoreInternals::core(ObjectContext& context) {
    return *context.d->core;
}

bool ObjectStoreInternals::reopen(ObjectContext& context, const QString& path,
                                  const std::function<void()>& whileClosed, QString* error) {
    const ObjectModel& model = context.d->core->model();
    emit context.aboutToCommit({}, true);
    context.d->core.reset();
    if (whileClosed)
        whileClosed();
    bool opened = true;
    try {
        context.d->core = std::make_unique<StoreCore>(&context, model, path);
    } catch (const SQLite::Exception& failure) {
        if (error)
            *error = openFailure(path, failure);
        context.d->core = std::make_unique<StoreCore>(&context, model, QStringLiteral(":memory:"));
        context.d->core->markDamaged(QString::fromUtf8(failure.what()));
        opened = false;
    }
    context.d->core->touchAll();
    return opened;
}

ObjectContext::ObjectContext() : d(std::make_unique<Impl>()) {}

ObjectContext::~ObjectContext() = default;

std::unique_ptr<ObjectContext> ObjectContext::open(const ObjectModel& model, const QString& path,
                                                   QString* error) {
    return ObjectStoreInternals::open(model, path, error, nullptr);
}

const ObjectModel& ObjectContext::model() const {
    return d->core->model();
}

QString ObjectContext::path() const {
    return d->core->path();
}

std::shared_ptr<ManagedObject> ObjectContext::insert(QStringView entityName) {
    const int e = d->core->entityIndex(entityName);
    if (e < 0) {
        StoreMisuse::report(QStringLiteral("insert of an unknown entity \"%1\"").arg(entityName));
        return nullptr;
    }
    return d->core->insert(e);
}

std::vector<std::shared_ptr<ManagedObject>> ObjectContext::fetch(const FetchRequest& request) {
    return FetchEngine(*d->core).fetch(request);
}

int ObjectContext::count(const FetchRequest& request) {
    return FetchEngine(*d->core).count(request);
}

double ObjectContext::sum(const FetchRequest& request, StoreKey attribute) {
    return FetchEngine(*d->core).sum(request, attribute);
}

void ObjectContext::deleteObject(const std::shared_ptr<ManagedObject>& object) {
    if (!object)
        return;
    StoreCore& core = *d->core;
    auto& s = StoreCore::state(*object);
    if (!s.live() || s.core != &core || s.deleted)
        return;
    // Marked first, so a cycle of cascading relationships ends here.
    core.willChange(*object);
    s.deleted = true;
    s.updated = false;
    core.linksChanged(s.entity);
    const EntityInfo& own = core.entity(s.entity);
    for (int r : own.toOnes)
        if (s.links[static_cast<std::size_t>(r)] &&
            own.relations[static_cast<std::size_t>(r)].destination >= 0)
            core.touch(own.relations[static_cast<std::size_t>(r)].destination);
    for (const IncomingLink& link : incomingLinks(core, s.entity)) {
        const EntityInfo& holder = core.entity(link.entity);
        const QString& name = holder.desc->relationships[static_cast<std::size_t>(link.relationship)].name;
        const auto holders = FetchEngine(core).fetch(FetchRequest(
            holder.desc->name,
            Predicate::compare(name, Predicate::Op::eq,
                               QVariant::fromValue(ObjectRef{object->entityName(), object->objectID()}))));
        for (const auto& h : holders) {
            if (link.cascade)
                deleteObject(h);
            else
                h->setRelatedObject(link.relationship, nullptr);
        }
    }
    // A record that was never saved simply goes away.
    if (s.inserted)
        core.detach(*object);
}

bool ObjectContext::batchDelete(QStringView entityName, QString* error) {
    return batchDelete(QStringList{entityName.toString()}, error);
}

bool ObjectContext::batchDelete(const QStringList& entityNames, QString* error) {
    StoreCore& core = *d->core;
    std::vector<int> targets;
    for (const QString& name : entityNames) {
        const int e = core.entityIndex(name);
        if (e < 0) {
            if (error)
                *error = QStringLiteral("unknown entity %1").arg(name);
            return false;
        }
        targets.push_back(e);
    }
    if (!core.writable(error))
        return false;
    emit aboutToCommit({}, true);
    std::vector<std::vector<IncomingLink>> links;
    for (int e : targets)
        links.push_back(incomingLinks(core, e));
    try {
        SQLite::Transaction transaction(core.db(), SQLite::TransactionBehavior::IMMEDIATE);
        for (std::size_t t = 0; t < targets.size(); ++t) {
            for (const IncomingLink& link : links[t]) {
                const EntityInfo& holder = core.entity(link.entity);
                const QString column = StoreSchema::quote(
                    holder.desc->relationships[static_cast<std::size_t>(link.relationship)].name);
                core.db().exec(QStringLiteral("UPDATE %1 SET %2 = NULL WHERE %2 IS NOT NULL")
                                   .arg(holder.table, column)
                                   .toStdString());
            }
            core.db().exec(QStringLiteral("DELETE FROM %1").arg(core.entity(targets[t]).table).toStdString());
        }
        transaction.commit();
    } catch (const SQLite::Exception& failure) {
        if (error)
            *error = QString::fromUtf8(failure.what());
        core.lastErrorCode = failure.getErrorCode() & 0xff;
        core.noteFailure(failure);
        return false;
    }

    for (std::size_t t = 0; t < targets.size(); ++t) {
        const int e = targets[t];
        const std::vector<std::shared_ptr<ManagedObject>> gone = core.entity(e).registry.alive();
        for (const auto& object : gone)
            core.detach(*object);
        core.entity(e).pending.clear();
        for (const IncomingLink& link : links[t]) {
            for (const auto& object : core.entity(link.entity).registry.alive()) {
                auto& s = StoreCore::state(*object);
                s.links[static_cast<std::size_t>(link.relationship)] = 0;
                if (s.snapshot)
                    s.savedLinks[static_cast<std::size_t>(link.relationship)] = 0;
            }
            core.touch(link.entity);
            core.linksChanged(link.entity);
        }
        core.touch(e);
        core.linksChanged(e);
    }
    return true;
}

bool ObjectContext::hasChanges() const {
    return d->core->hasPending();
}

bool ObjectContext::hasChanges(const QStringList& entityNames) const {
    for (const QString& name : entityNames) {
        const int e = d->core->entityIndex(name);
        if (e >= 0 && !d->core->entity(e).pending.empty())
            return true;
    }
    return false;
}

bool ObjectContext::save(QString* error) {
    if (d->core->hasPending())
        emit aboutToCommit(pendingObjects(*d->core), false);
    return ChangeWriter(*d->core).save(error);
}

int ObjectContext::lastErrorCode() const {
    return d->core->lastErrorCode;
}

bool ObjectContext::commit(QString* error) {
    QString reason;
    if (save(&reason))
        return true;
    std::printf("CoreData save error: %s\n", reason.toLocal8Bit().constData());
    std::fflush(stdout);
    rollback();
    if (error)
        *error = reason;
    return false;
}

void ObjectContext::rollback() {
    StoreCore& core = *d->core;
    if (!core.hasPending())
        return;
    emit aboutToCommit(pendingObjects(core), false);
    for (int e = 0; e < core.entityCount(); ++e) {
        EntityInfo& info = core.entity(e);
        if (info.pending.empty())
            continue;
        std::vector<std::shared_ptr<ManagedObject>> pending;
        for (const auto& [pk, object] : info.pending)
            pending.push_back(object);
        for (const auto& object : pending) {
            auto& s = StoreCore::state(*object);
            if (s.inserted) {
                core.detach(*object);
                continue;
            }
            if (s.snapshot) {
                s.values.assign(s.savedValues);
                s.links.assign(s.savedLinks);
                s.savedValues.clear();
                s.savedLinks.clear();
            }
            s.updated = s.deleted = s.snapshot = false;
        }
        info.pending.clear();
    }
    // Restored links change to-many sides elsewhere; every list looks again.
    core.touchAll();
    core.linksChangedEverywhere();
}

void ObjectContext::reset() {
    StoreCore& core = *d->core;
    emit aboutToCommit({}, true);
    for (int e = 0; e < core.entityCount(); ++e) {
        const std::vector<std::shared_ptr<ManagedObject>> alive = core.entity(e).registry.alive();
        for (const auto& object : alive)
            core.detach(*object);
        core.entity(e).registry.clear();
        core.entity(e).pending.clear();
    }
    core.touchAll();
    core.linksChangedEverywhere();
}
