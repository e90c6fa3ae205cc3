#include "Store/FetchEngine.h"

#include "Store/CompiledPredicate.h"
#include "Store/KeyPath.h"
#include "Store/StoreCore.h"
#include "Store/StoreMisuse.h"
#include "Store/StoreSchema.h"

#include <unordered_map>

#include <algorithm>

namespace {

struct SortKey {
    KeyPath path;
    bool ascending;
};

struct Plan {
    int entity = -1;
    std::vector<SortKey> sort;
    bool sortTrusted = true;
    std::vector<std::shared_ptr<ManagedObject>> pendingMatches;
    QString excluded; // JSON array of pks whose saved rows the context overrides
};

QString sqlWhere(const CompiledPredicate& predicate, const Plan& plan) {
    QString where = predicate.sql();
    if (!plan.excluded.isEmpty())
        where += QStringLiteral(" AND t.\"pk\" NOT IN (SELECT value FROM json_each(?))");
    return where;
}

void bindAll(SQLite::Statement& statement, const CompiledPredicate& predicate, const Plan& plan) {
    int index = 1;
    for (const StoreValue& v : predicate.binds())
        v.bind(statement, index++);
    if (!plan.excluded.isEmpty())
        statement.bind(index, plan.excluded.toStdString());
}

Plan plan(StoreCore& core, int entity, const FetchRequest& request, const CompiledPredicate& predicate) {
    Plan p;
    p.entity = entity;
    for (const SortDescriptor& d : request.sortDescriptors) {
        SortKey key{KeyPath::resolve(core, entity, d.key), d.ascending};
        for (int crossed : key.path.crossedEntities())
            if (core.hasPending(crossed))
                p.sortTrusted = false;
        p.sort.push_back(std::move(key));
    }
    QStringList excluded;
    for (const auto& [pk, object] : core.entity(entity).pending) {
        const auto& s = StoreCore::state(*object);
        if (!s.inserted)
            excluded << QString::number(pk);
        if (!s.deleted && predicate.matches(*object))
            p.pendingMatches.push_back(object);
    }
    if (!excluded.isEmpty())
        p.excluded = u'[' + excluded.join(u',') + u']';
    return p;
}

// One aggregate expression over the saved rows a plan leaves to SQL (the unsaved matches are
// the caller's to add in); 0 when the store fails (answered, when given, is then false), which is
// noted as any failed read is.
double savedAggregate(StoreCore& core, const FetchRequest& request, const CompiledPredicate& predicate,
                      const Plan& p, const QString& expression, const char* what, bool* answered = nullptr) {
    try {
        auto statement =
            core.statements().get(QStringLiteral("SELECT %1 FROM %2 t WHERE %3")
                                      .arg(expression, core.entity(p.entity).table, sqlWhere(predicate, p)));
        bindAll(*statement, predicate, p);
        if (statement->executeStep())
            return statement->getColumn(0).getDouble();
    } catch (const SQLite::Exception& error) {
        qWarning("store: %s %s failed: %s", what, qPrintable(request.entityName), error.what());
        core.noteFailure(error);
        if (answered)
            *answered = false;
    }
    return 0;
}

// The rows of entity that match, read in the table's own order until a damaged page stops the
// read (the damage is noted already).
std::vector<std::shared_ptr<ManagedObject>>
readUpToDamage(StoreCore& core, int entity, const CompiledPredicate& predicate, const Plan& p) {
    std::vector<std::shared_ptr<ManagedObject>> rows;
    const EntityInfo& info = core.entity(entity);
    try {
        auto statement = core.statements().get(QStringLiteral("SELECT %1 FROM %2 t WHERE %3")
                                                   .arg(info.columns, info.table, sqlWhere(predicate, p)));
        bindAll(*statement, predicate, p);
        while (statement->executeStep()) {
            auto object = core.fromRow(entity, *statement);
            if (predicate.sqlIsExact() || predicate.matches(*object))
                rows.push_back(std::move(object));
        }
    } catch (const SQLite::Exception&) {
    }
    return rows;
}

void sortInMemory(std::vector<std::shared_ptr<ManagedObject>>& objects, const std::vector<SortKey>& sort) {
    struct Row {
        std::vector<StoreValue> keys;
        std::shared_ptr<ManagedObject> object;
    };
    std::vector<Row> rows;
    rows.reserve(objects.size());
    for (auto& object : objects) {
        Row row{{}, std::move(object)};
        for (const SortKey& key : sort)
            row.keys.push_back(key.path.valueOf(*row.object));
        rows.push_back(std::move(row));
    }
    std::sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
        for (std::size_t i = 0; i < sort.size(); ++i) {
            const int c = StoreValue::compare(a.keys[i], b.keys[i]);
            if (c != 0)
                return sort[i].ascending ? c < 0 : c > 0;
        }
        return a.object->objectID() < b.object->objectID();
    });
    objects.clear();
    for (auto& row : rows)
        objects.push_back(std::move(row.object));
}

} // namespace

std::vector<std::shared_ptr<ManagedObject>> FetchEngine::fetch(const FetchRequest& request) {
    const int entity = core_.entityIndex(request.entityName);
    if (entity < 0) {
        StoreMisuse::report(QStringLiteral("fetch of an unknown entity \"%1\"").arg(request.entityName));
        return {};
    }
    const EntityInfo& info = core_.entity(entity);
    const CompiledPredicate predicate(core_, entity, request.predicate);
    Plan p = plan(core_, entity, request, predicate);

    QStringList order;
    for (const SortKey& key : p.sort)
        order << (key.path.isValid() ? key.path.sqlExpression(core_) : QStringLiteral("NULL")) +
                     (key.ascending ? QStringLiteral(" ASC") : QStringLiteral(" DESC"));
    order << QStringLiteral("t.\"pk\" ASC");
    QString sql =
        QStringLiteral("SELECT %1 FROM %2 t WHERE %3 ORDER BY %4")
            .arg(info.columns, info.table, sqlWhere(predicate, p), order.join(QStringLiteral(", ")));
    // A page is cut in SQL when the saved rows alone decide it; unsaved records merged in below
    // may come before it, so then SQL returns everything up to the page's end instead.
    const bool boundsInSql = predicate.sqlIsExact() && p.sortTrusted;
    const int offset = std::max(0, request.fetchOffset);
    bool pageInSql = boundsInSql && p.pendingMatches.empty();
    if (pageInSql && (request.fetchLimit > 0 || offset > 0))
        sql += QStringLiteral(" LIMIT %1 OFFSET %2")
                   .arg(request.fetchLimit > 0 ? request.fetchLimit : -1)
                   .arg(offset);
    else if (boundsInSql && request.fetchLimit > 0)
        sql += QStringLiteral(" LIMIT %1").arg(qint64(request.fetchLimit) + offset);

    std::vector<std::shared_ptr<ManagedObject>> out;
    bool failed = false;
    try {
        auto statement = core_.statements().get(sql);
        bindAll(*statement, predicate, p);
        while (statement->executeStep()) {
            auto object = core_.fromRow(entity, *statement);
            if (predicate.sqlIsExact() || predicate.matches(*object))
                out.push_back(std::move(object));
        }
    } catch (const SQLite::Exception& error) {
        qWarning("store: fetch of %s failed: %s", qPrintable(request.entityName), error.what());
        core_.noteFailure(error);
        failed = true;
    }
    if (failed) {
        // A damaged page stopped the read part way, or, with a sort, before any row came back:
        // the table is read again in its own order up to the damage, and the records a screen
        // holds, read before and kept in memory as they were saved, join them. That is what can
        // be shown, so a list does not turn empty and drop the record a sheet is editing.
        // Whatever the page asked for, they are sorted and cut here.
        // Held here while the records in memory are gathered, so those count them in.
        const auto readable = readUpToDamage(core_, entity, predicate, p);
        out = heldMatches(entity, predicate);
        pageInSql = false;
    }
    if (failed || !p.pendingMatches.empty() || !p.sortTrusted) {
        out.insert(out.end(), p.pendingMatches.begin(), p.pendingMatches.end());
        sortInMemory(out, p.sort);
    }
    if (offset > 0 && !pageInSql)
        out.erase(out.begin(), out.begin() + std::min<std::ptrdiff_t>(offset, std::ssize(out)));
    if (request.fetchLimit > 0 && out.size() > static_cast<std::size_t>(request.fetchLimit))
        out.resize(static_cast<std::size_t>(request.fetchLimit));
    remember(out);
    return out;
}

int FetchEngine::count(const FetchRequest& request) {
    const int entity = core_.entityIndex(request.entityName);
    if (entity < 0) {
        StoreMisuse::report(QStringLiteral("count of an unknown entity \"%1\"").arg(request.entityName));
        return 0;
    }
    const CompiledPredicate predicate(core_, entity, request.predicate);
    // In a store that met damage SQLite may count through an index past a page a fetch cannot
    // read: the count is of what a fetch hands back, so a list's count never runs past its rows.
    if (!predicate.sqlIsExact() || request.fetchLimit > 0 || request.fetchOffset > 0 || core_.isDamaged())
        return static_cast<int>(fetch(request).size());
    const Plan p = plan(core_, entity, request, predicate);
    bool answered = true;
    const int saved =
        int(savedAggregate(core_, request, predicate, p, QStringLiteral("count(*)"), "count of", &answered));
    if (!answered)
        return static_cast<int>(fetch(request).size());
    return saved + static_cast<int>(p.pendingMatches.size());
}

double FetchEngine::sum(const FetchRequest& request, const QString& attribute) {
    const int entity = core_.entityIndex(request.entityName);
    if (entity < 0) {
        StoreMisuse::report(QStringLiteral("sum over an unknown entity \"%1\"").arg(request.entityName));
        return 0;
    }
    const int column = core_.entity(entity).desc->attributeIndex(attribute);
    if (column < 0) {
        StoreMisuse::report(
            QStringLiteral("sum of an unknown attribute \"%1\" of %2").arg(attribute, request.entityName));
        return 0;
    }
    const CompiledPredicate predicate(core_, entity, request.predicate);
    double total = 0;
    if (!predicate.sqlIsExact() || request.fetchLimit > 0 || request.fetchOffset > 0) {
        for (const auto& object : fetch(request))
            total += object->value(column).toDouble();
        return total;
    }
    const Plan p = plan(core_, entity, request, predicate);
    total = savedAggregate(core_, request, predicate, p, QStringLiteral("total(t.\"%1\")").arg(attribute),
                           "sum over");
    for (const auto& object : p.pendingMatches)
        total += object->value(column).toDouble();
    return total;
}

std::vector<std::shared_ptr<ManagedObject>> FetchEngine::heldMatches(int entity,
                                                                     const CompiledPredicate& predicate) {
    std::vector<std::shared_ptr<ManagedObject>> held;
    for (auto& object : core_.entity(entity).registry.alive()) {
        // Unsaved records come in with the plan's own matches.
        const auto& s = StoreCore::state(*object);
        if (s.live() && !s.pending() && predicate.matches(*object))
            held.push_back(std::move(object));
    }
    return held;
}

void FetchEngine::remember(const std::vector<std::shared_ptr<ManagedObject>>& objects) {
    if (objects.size() < 2)
        return;
    auto batch = std::make_shared<FetchBatch>(objects.begin(), objects.end());
    for (const auto& object : objects)
        StoreCore::state(*object).batch = batch;
}

const std::vector<std::shared_ptr<ManagedObject>>& FetchEngine::related(const ManagedObject& object,
                                                                        int relationship) {
    static const std::vector<std::shared_ptr<ManagedObject>> none;
    auto& s = StoreCore::state(object);
    if (!s.live())
        return none;
    const RelationInfo& ri = core_.entity(s.entity).relations[static_cast<std::size_t>(relationship)];
    if (!ri.toMany || ri.destination < 0 || ri.inverse < 0)
        return none;
    if (s.toMany.size() <= static_cast<std::size_t>(relationship))
        s.toMany.resize(static_cast<std::size_t>(relationship) + 1);
    ToManyCache* cache = &s.toMany[static_cast<std::size_t>(relationship)];
    if (cache->generation == core_.linkGeneration(ri.destination))
        return cache->objects;
    if (s.batch && !core_.hasPending(ri.destination)) {
        loadForBatch(object, relationship);
        cache = &s.toMany[static_cast<std::size_t>(relationship)];
        if (cache->generation == core_.linkGeneration(ri.destination))
            return cache->objects;
    }
    const EntityDescription& dest = *core_.entity(ri.destination).desc;
    const QString& inverse = dest.relationships[static_cast<std::size_t>(ri.inverse)].name;
    auto found = fetch(FetchRequest(
        dest.name,
        Predicate::compare(inverse, Predicate::Op::eq,
                           QVariant::fromValue(ObjectRef{object.entityName(), object.objectID()}))));
    cache = &s.toMany[static_cast<std::size_t>(relationship)];
    cache->objects = std::move(found);
    cache->generation = core_.linkGeneration(ri.destination);
    return cache->objects;
}

void FetchEngine::loadForBatch(const ManagedObject& object, int relationship) {
    const auto& s = StoreCore::state(object);
    const RelationInfo& ri = core_.entity(s.entity).relations[static_cast<std::size_t>(relationship)];
    const EntityInfo& dest = core_.entity(ri.destination);
    const quint64 generation = core_.linkGeneration(ri.destination);
    const auto batch = s.batch; // the fetch below may replace it

    std::vector<std::shared_ptr<ManagedObject>> owners;
    for (const auto& weak : *batch) {
        auto owner = weak.lock();
        if (!owner)
            continue;
        auto& os = StoreCore::state(*owner);
        if (!os.live() || os.entity != s.entity)
            continue;
        if (os.toMany.size() <= static_cast<std::size_t>(relationship))
            os.toMany.resize(static_cast<std::size_t>(relationship) + 1);
        if (os.toMany[static_cast<std::size_t>(relationship)].generation != generation)
            owners.push_back(std::move(owner));
    }

    const QString sql =
        QStringLiteral("SELECT %1 FROM %2 t WHERE t.%3 IN (SELECT value FROM json_each(?)) ORDER BY t.\"pk\"")
            .arg(dest.columns, dest.table,
                 StoreSchema::quote(dest.desc->relationships[static_cast<std::size_t>(ri.inverse)].name));
    std::unordered_map<qint64, std::vector<std::shared_ptr<ManagedObject>>> byOwner;
    std::vector<std::shared_ptr<ManagedObject>> loaded;
    constexpr std::size_t chunk = 500;
    try {
        for (std::size_t from = 0; from < owners.size(); from += chunk) {
            QStringList pks;
            for (std::size_t i = from; i < std::min(owners.size(), from + chunk); ++i)
                pks << QString::number(owners[i]->objectID());
            auto statement = core_.statements().get(sql);
            statement->bind(1, (u'[' + pks.join(u',') + u']').toStdString());
            while (statement->executeStep()) {
                auto child = core_.fromRow(ri.destination, *statement);
                const qint64 owner = StoreCore::state(*child).links[static_cast<std::size_t>(ri.inverse)];
                byOwner[owner].push_back(child);
                loaded.push_back(std::move(child));
            }
        }
    } catch (const SQLite::Exception& error) {
        qWarning("store: reading %s failed: %s", qPrintable(dest.desc->name), error.what());
        core_.noteFailure(error);
        return;
    }
    for (const auto& owner : owners) {
        ToManyCache& cache = StoreCore::state(*owner).toMany[static_cast<std::size_t>(relationship)];
        auto it = byOwner.find(owner->objectID());
        cache.objects =
            it == byOwner.end() ? std::vector<std::shared_ptr<ManagedObject>>{} : std::move(it->second);
        cache.generation = generation;
    }
    remember(loaded);
}
