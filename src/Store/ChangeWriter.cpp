#include "Store/ChangeWriter.h"

#include "Store/StoreCore.h"
#include "Store/StoreSchema.h"

#include <SQLiteCpp/Transaction.h>

namespace {

enum class Write { none, insert, update, remove };

bool sameValue(const StoreValue& a, const StoreValue& b) {
    return a.isNull() == b.isNull() && a.isText() == b.isText() && StoreValue::compare(a, b) == 0;
}

Write writeFor(const StoreCore::State& s) {
    if (s.inserted)
        return s.deleted ? Write::none : Write::insert;
    if (s.deleted)
        return Write::remove;
    if (!s.updated || !s.snapshot)
        return Write::none;
    for (std::size_t a = 0; a < s.values.size(); ++a)
        if (!sameValue(s.values[a], s.savedValues[a]))
            return Write::update;
    return s.links == s.savedLinks ? Write::none : Write::update;
}

void bindLink(SQLite::Statement& statement, int index, qint64 pk) {
    if (pk)
        statement.bind(index, static_cast<int64_t>(pk));
    else
        statement.bind(index);
}

void insertRow(StoreCore& core, const EntityInfo& info, const ManagedObject& object) {
    const auto& s = StoreCore::state(object);
    QStringList names{QStringLiteral("\"pk\"")};
    for (const auto& attr : info.desc->attributes)
        names << StoreSchema::quote(attr.name);
    for (int r : info.toOnes)
        names << StoreSchema::quote(info.desc->relationships[static_cast<std::size_t>(r)].name);
    QStringList marks;
    marks.fill(QStringLiteral("?"), names.size());
    auto statement = core.statements().get(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                               .arg(info.table, names.join(u','), marks.join(u',')));
    int index = 1;
    statement->bind(index++, static_cast<int64_t>(object.objectID()));
    for (const StoreValue& v : s.values)
        v.bind(*statement, index++);
    for (int r : info.toOnes)
        bindLink(*statement, index++, s.links[static_cast<std::size_t>(r)]);
    statement->exec();
}

void updateRow(StoreCore& core, const EntityInfo& info, const ManagedObject& object) {
    const auto& s = StoreCore::state(object);
    QStringList sets;
    for (std::size_t a = 0; a < s.values.size(); ++a)
        if (!sameValue(s.values[a], s.savedValues[a]))
            sets << StoreSchema::quote(info.desc->attributes[a].name) + QStringLiteral(" = ?");
    for (int r : info.toOnes)
        if (s.links[static_cast<std::size_t>(r)] != s.savedLinks[static_cast<std::size_t>(r)])
            sets << StoreSchema::quote(info.desc->relationships[static_cast<std::size_t>(r)].name) +
                        QStringLiteral(" = ?");
    auto statement = core.statements().get(
        QStringLiteral("UPDATE %1 SET %2 WHERE \"pk\" = ?").arg(info.table, sets.join(u',')));
    int index = 1;
    for (std::size_t a = 0; a < s.values.size(); ++a)
        if (!sameValue(s.values[a], s.savedValues[a]))
            s.values[a].bind(*statement, index++);
    for (int r : info.toOnes)
        if (s.links[static_cast<std::size_t>(r)] != s.savedLinks[static_cast<std::size_t>(r)])
            bindLink(*statement, index++, s.links[static_cast<std::size_t>(r)]);
    statement->bind(index, static_cast<int64_t>(object.objectID()));
    statement->exec();
}

void deleteRow(StoreCore& core, const EntityInfo& info, qint64 pk) {
    auto statement = core.statements().get(QStringLiteral("DELETE FROM %1 WHERE \"pk\" = ?").arg(info.table));
    statement->bind(1, static_cast<int64_t>(pk));
    statement->exec();
}

} // namespace

bool ChangeWriter::save(QString* error) {
    bool anything = false;
    for (int e = 0; e < core_.entityCount() && !anything; ++e)
        for (const auto& [pk, object] : core_.entity(e).pending)
            if (writeFor(StoreCore::state(*object)) != Write::none) {
                anything = true;
                break;
            }

    if (anything && !core_.writable(error))
        return false;
    if (anything) {
        try {
            SQLite::Transaction transaction(core_.db(), SQLite::TransactionBehavior::IMMEDIATE);
            for (int e = 0; e < core_.entityCount(); ++e) {
                const EntityInfo& info = core_.entity(e);
                for (const auto& [pk, object] : info.pending) {
                    switch (writeFor(StoreCore::state(*object))) {
                    case Write::insert:
                        insertRow(core_, info, *object);
                        break;
                    case Write::update:
                        updateRow(core_, info, *object);
                        break;
                    case Write::remove:
                        deleteRow(core_, info, pk);
                        break;
                    case Write::none:
                        break;
                    }
                }
            }
            transaction.commit();
        } catch (const SQLite::Exception& failure) {
            if (error)
                *error = QString::fromUtf8(failure.what());
            core_.lastErrorCode = failure.getErrorCode() & 0xff;
            core_.noteFailure(failure);
            return false;
        }
    }

    for (int e = 0; e < core_.entityCount(); ++e) {
        EntityInfo& info = core_.entity(e);
        std::vector<std::shared_ptr<ManagedObject>> done;
        for (const auto& [pk, object] : info.pending)
            done.push_back(object);
        for (const auto& object : done) {
            auto& s = StoreCore::state(*object);
            if (s.deleted) {
                core_.detach(*object);
                continue;
            }
            s.inserted = s.updated = s.snapshot = false;
            s.savedValues.clear();
            s.savedLinks.clear();
        }
        info.pending.clear();
    }
    return true;
}
