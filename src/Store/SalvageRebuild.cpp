#include "Store/SalvageRebuild.h"

#include "Store/SalvageFiles.h"
#include "Store/StoreMigrations.h"
#include "Store/StoreSalvage.h"
#include "Store/StoreSchema.h"

#include <QFileInfo>
#include <QStringList>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Transaction.h>

#include <sqlite3.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <set>
#include <utility>

using SalvageFiles::removeWithCompanions;

namespace {

std::map<QString, int> countsIn(SQLite::Database& db, const ObjectModel& model) {
    std::map<QString, int> counted;
    for (const auto& entity : model.entities())
        counted[entity->name] = db.execAndGet(QStringLiteral("SELECT count(*) FROM %1")
                                                  .arg(StoreSchema::quote(entity->name))
                                                  .toStdString())
                                    .getInt();
    return counted;
}

// The table's sequence goes on past the highest pk it ever gave out.
void raiseSequence(SQLite::Database& dst, const QString& table, qint64 highest) {
    SQLite::Statement raise(dst, "UPDATE sqlite_sequence SET seq = max(seq, ?) WHERE name = ?");
    raise.bind(1, static_cast<int64_t>(highest));
    raise.bind(2, table.toStdString());
    if (raise.exec() == 0) {
        SQLite::Statement add(dst, "INSERT INTO sqlite_sequence (name, seq) VALUES (?, ?)");
        add.bind(1, table.toStdString());
        add.bind(2, static_cast<int64_t>(highest));
        add.exec();
    }
}

// A failure of SQLite that says something about the new store's surroundings (space, the
// disk, memory), not about a row read from the damaged one: the salvage stops.
bool isPassing(int code) {
    switch (code & 0xff) {
    case SQLITE_CONSTRAINT:
    case SQLITE_MISMATCH:
    case SQLITE_TOOBIG:
        return false;
    default:
        return true;
    }
}

// A prepared statement on a raw connection; the damaged copy is read through the C API so that
// every error is a result code to step past, not an exception.
class Query {
public:
    Query(sqlite3* db, const QString& sql) {
        sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt_, nullptr);
    }
    ~Query() { sqlite3_finalize(stmt_); }
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;
    bool valid() const { return stmt_ != nullptr; }
    sqlite3_stmt* get() const { return stmt_; }
    int step() { return stmt_ ? sqlite3_step(stmt_) : SQLITE_ERROR; }
    void reset() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
    void bind(int i, qint64 value) { sqlite3_bind_int64(stmt_, i, value); }
    qint64 int64(int i) const { return sqlite3_column_int64(stmt_, i); }
    QString text(int i) const {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i)));
    }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

QStringList sourceColumns(sqlite3* src, const QString& table) {
    QStringList names;
    Query info(src, QStringLiteral("PRAGMA table_info(%1)").arg(StoreSchema::quote(table)));
    while (info.step() == SQLITE_ROW)
        names << info.text(1);
    return names;
}

qint64 sourceSequence(sqlite3* src, const QString& table) {
    Query seq(src, QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ?"));
    sqlite3_bind_text(seq.get(), 1, table.toUtf8().constData(), -1, SQLITE_TRANSIENT);
    return seq.step() == SQLITE_ROW ? seq.int64(0) : 0;
}

// The pks found in one table of the damaged copy, and how many rows it held when a whole scan
// of the table or of one of its indexes could be read.
struct Gathered {
    std::set<qint64> pks;
    std::optional<int> held;
    qint64 highest = 0; // the highest pk known to have been given out
};

void countWholeScan(Gathered* found, int rows) {
    found->held = std::max(found->held.value_or(0), rows);
}

// Every pk the indexes of the table name; an index read to its end counts the table's rows.
void gatherFromIndexes(sqlite3* src, const QString& table, Gathered* found) {
    QStringList indexes;
    {
        Query list(src,
                   QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = ?"));
        sqlite3_bind_text(list.get(), 1, table.toUtf8().constData(), -1, SQLITE_TRANSIENT);
        while (list.step() == SQLITE_ROW)
            indexes << list.text(0);
    }
    for (const QString& index : indexes) {
        Query scan(src, QStringLiteral("SELECT \"pk\" FROM %1 INDEXED BY %2")
                            .arg(StoreSchema::quote(table), StoreSchema::quote(index)));
        int rows = 0;
        int rc;
        while ((rc = scan.step()) == SQLITE_ROW) {
            found->pks.insert(scan.int64(0));
            ++rows;
        }
        if (rc == SQLITE_DONE)
            countWholeScan(found, rows);
    }
}

// How far pks are known to have been given out: the table's sequence, its last page, an index.
qint64 highestKnown(sqlite3* src, const QString& table, const Gathered& found) {
    qint64 highest = sourceSequence(src, table);
    Query last(src, QStringLiteral("SELECT max(\"pk\") FROM %1").arg(StoreSchema::quote(table)));
    if (last.step() == SQLITE_ROW)
        highest = std::max(highest, last.int64(0));
    return found.pks.empty() ? highest : std::max(highest, *found.pks.rbegin());
}

// Every pk a scan of the table reaches. A scan that meets a damaged page goes on past it pk by
// pk, as far as any pk is known to have been given out, so that every row a lookup by pk can
// read is found; beyond that it probes further and further ahead.
void scanPastDamage(sqlite3* src, const QString& table, Gathered* found) {
    Query from(src, QStringLiteral("SELECT \"pk\" FROM %1 WHERE \"pk\" >= ? ORDER BY \"pk\"")
                        .arg(StoreSchema::quote(table)));
    constexpr qint64 kMost = std::numeric_limits<qint64>::max();
    constexpr int kMostSteps = 1 << 22; // seeks past damage, per table
    qint64 next = std::numeric_limits<qint64>::min();
    qint64 stride = 1;
    int rows = 0;
    bool whole = true;
    for (int attempt = 0; attempt < kMostSteps && from.valid(); ++attempt) {
        from.reset();
        from.bind(1, next);
        bool read = false;
        int rc;
        while ((rc = from.step()) == SQLITE_ROW) {
            const qint64 pk = from.int64(0);
            found->pks.insert(pk);
            ++rows;
            read = true;
            next = pk < kMost ? pk + 1 : kMost;
        }
        if (rc == SQLITE_DONE)
            break;
        whole = false;
        if (read) {
            // The seek to the pk after the last one read tells whether that pk was lost.
            found->highest = std::max(found->highest, next - 1);
            stride = 1;
        } else if (next < 1) {
            next = 1; // pks are given out from 1
        } else if (next <= found->highest) {
            ++next;
        } else if (stride > (qint64(1) << 40)) {
            break;
        } else {
            next += stride;
            stride *= 2;
        }
    }
    if (whole)
        countWholeScan(found, rows);
}

Gathered gatherPks(sqlite3* src, const QString& table) {
    Gathered found;
    gatherFromIndexes(src, table, &found);
    found.highest = highestKnown(src, table, found);
    scanPastDamage(src, table, &found);
    if (!found.pks.empty())
        found.highest = std::max(found.highest, *found.pks.rbegin());
    return found;
}

// Copies the rows of one table that read, by pk; returns what was found of the table.
Gathered copyTable(sqlite3* src, SQLite::Database& dst, const EntityDescription& entity) {
    const QStringList present = sourceColumns(src, entity.name);
    if (present.isEmpty())
        return {};
    QStringList wanted{QStringLiteral("pk")};
    for (const auto& attr : entity.attributes)
        wanted << attr.name;
    for (const auto& rel : entity.relationships)
        if (!rel.toMany)
            wanted << rel.name;
    QStringList columns;
    QStringList marks;
    for (const QString& name : wanted)
        if (present.contains(name)) {
            columns << StoreSchema::quote(name);
            marks << QStringLiteral("?");
        }
    const QString table = StoreSchema::quote(entity.name);
    const Gathered found = gatherPks(src, entity.name);

    Query read(src, QStringLiteral("SELECT %1 FROM %2 WHERE \"pk\" = ?").arg(columns.join(u", "), table));
    Query write(
        dst.getHandle(),
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns.join(u", "), marks.join(u", ")));
    if (!read.valid() || !write.valid())
        return found;
    for (qint64 pk : found.pks) {
        read.reset();
        read.bind(1, pk);
        if (read.step() != SQLITE_ROW)
            continue;
        write.reset();
        for (int c = 0; c < columns.size(); ++c)
            sqlite3_bind_value(write.get(), c + 1, sqlite3_column_value(read.get(), c));
        // A row the new store's schema refuses is lost with the damage; a full disk ends it all.
        if (const int rc = write.step(); rc != SQLITE_DONE && isPassing(rc))
            throw SQLite::Exception(dst.getHandle(), rc);
    }
    return found;
}

// Whether deleting a record of owner deletes the records of entity that link to it through rel.
bool cascades(const ObjectModel& model, const EntityDescription& entity, const RelationshipDescription& rel) {
    const EntityDescription* owner = model.entity(rel.destination);
    if (!owner)
        return false;
    for (const auto& back : owner->relationships)
        if (back.toMany && back.destination == entity.name &&
            (back.inverse == rel.name || rel.inverse == back.name))
            return back.deleteRule == DeleteRule::cascade;
    return false;
}

// Records whose owner was lost follow the owner's delete rule, until nothing changes: a
// cascade can orphan records further down.
void settleOrphans(SQLite::Database& dst, const ObjectModel& model) {
    for (bool changed = true; changed;) {
        changed = false;
        for (const auto& entity : model.entities()) {
            for (const auto& rel : entity->relationships) {
                if (rel.toMany || !model.entity(rel.destination))
                    continue;
                const QString table = StoreSchema::quote(entity->name);
                const QString column = StoreSchema::quote(rel.name);
                const QString orphan = QStringLiteral("%1 IS NOT NULL AND %1 NOT IN (SELECT \"pk\" FROM %2)")
                                           .arg(column, StoreSchema::quote(rel.destination));
                const QString sql =
                    cascades(model, *entity, rel)
                        ? QStringLiteral("DELETE FROM %1 WHERE %2").arg(table, orphan)
                        : QStringLiteral("UPDATE %1 SET %2 = NULL WHERE %3").arg(table, column, orphan);
                if (dst.exec(sql.toStdString()) > 0)
                    changed = true;
            }
        }
    }
}

} // namespace

std::map<QString, int> SalvageRebuild::countRecords(const ObjectModel& model, const QString& path) {
    try {
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READONLY);
        return countsIn(db, model);
    } catch (const SQLite::Exception&) {
        return {};
    }
}

StoreSalvage::Report StoreSalvage::build(const ObjectModel& model, const QString& source,
                                         const QString& temporary) {
    Report report;
    removeWithCompanions(temporary);
    if (!proceed(StoreSalvage::Step::build)) {
        report.error = QStringLiteral("the recovered store could not be written (it was made to fail)");
        return report;
    }
    sqlite3* src = nullptr;
    if (sqlite3_open_v2(source.toUtf8().constData(), &src, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        report.error = QString::fromUtf8(sqlite3_errmsg(src));
    else
        // Lets the reads past a header whose page count is more than the file holds (a file cut
        // short): every page that is there is read, and those that are not are damage to step
        // past. Only the copy is opened, and nothing is written to it.
        sqlite3_exec(src, "PRAGMA writable_schema = ON", nullptr, nullptr, nullptr);
    try {
        {
            SQLite::Database dst(temporary.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
            StoreMigrations::migrate(dst, model, 0);
            SQLite::Transaction transaction(dst);
            bool first = true;
            for (const auto& entity : model.entities()) {
                const Gathered found = report.error.isEmpty() ? copyTable(src, dst, *entity) : Gathered{};
                if (std::exchange(first, false) && !proceed(StoreSalvage::Step::buildRows))
                    throw SQLite::Exception("it was made to fail", SQLITE_IOERR);
                report.held[entity->name] = found.held;
                if (found.highest > 0)
                    raiseSequence(dst, entity->name, found.highest);
            }
            settleOrphans(dst, model);
            report.recovered = countsIn(dst, model);
            transaction.commit();
        }
        report.complete = true;
    } catch (const SQLite::Exception& error) {
        // Freeing space is what helps then, and where is what a person needs to know.
        report.error = (error.getErrorCode() & 0xff) == SQLITE_FULL
                           ? SalvageFiles::noRoom(QFileInfo(temporary).absolutePath(),
                                                  QStringLiteral("the recovered store"))
                           : QStringLiteral("the recovered store could not be written (%1)")
                                 .arg(QString::fromUtf8(error.what()));
        removeWithCompanions(temporary);
    }
    sqlite3_close(src);
    return report;
}
