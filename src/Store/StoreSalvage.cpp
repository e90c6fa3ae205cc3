#include "Store/StoreSalvage.h"

#include "Store/StoreCore.h"
#include "Store/StoreFile.h"
#include "Store/StoreMigrations.h"
#include "Store/StoreSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Transaction.h>

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kWal = QStringLiteral("-wal");
const QString kShm = QStringLiteral("-shm");
const QString kCompanions[] = {QString(), kWal, kShm};

StoreSalvage::StepHook& stepHook() {
    static StoreSalvage::StepHook hook;
    return hook;
}

bool proceed(StoreSalvage::Step step) {
    const StoreSalvage::StepHook& hook = stepHook();
    return !hook || hook(step);
}

void say(const QString& line) {
    std::fprintf(stderr, "%s\n", qPrintable(line));
    std::fflush(stderr);
}

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Whether anything is at the name, a link to nothing included.
bool present(const QString& file) {
    struct stat info {};
    return ::lstat(QFile::encodeName(file).constData(), &info) == 0;
}

// A rename that replaces nothing and never falls back to a copy (as QFile::rename does across
// file systems): each move of a salvage is whole or not done at all.
bool renameFile(const QString& from, const QString& to) {
    return !present(to) &&
           ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// Moves the file when it is there.
bool moveFile(const QString& from, const QString& to) {
    return !present(from) || renameFile(from, to);
}

void removeWithCompanions(const QString& path) {
    for (const QString& suffix : {QString(), kWal, kShm, QStringLiteral("-journal")})
        QFile::remove(path + suffix);
}

// Makes the renames in a folder last through a power cut, in the order they were made.
void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

QString noRoom(const QString& folder, const QString& what) {
    return QStringLiteral("the disk is full: there is no room in %1 for %2").arg(folder, what);
}

// Copies a file, checking every read and write: a copy cut short by a full disk must not pass
// for the damaged store. Only a regular file is read (a pipe would wait for a writer). Returns
// what failed, empty when the copy is whole.
QString copyWhole(const QString& from, const QString& to) {
    const int source = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (source < 0)
        return QStringLiteral("%1 could not be read (%2)").arg(from, systemError(errno));
    struct stat info {};
    if (::fstat(source, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(source);
        return QStringLiteral("%1 is not a file").arg(from);
    }
    const int target =
        ::open(QFile::encodeName(to).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (target < 0) {
        const int error = errno;
        ::close(source);
        return error == ENOSPC || error == EDQUOT
                   ? noRoom(QFileInfo(to).absolutePath(), QStringLiteral("a copy of the damaged store"))
                   : QStringLiteral("a copy of %1 could not be made (%2)").arg(from, systemError(error));
    }
    QString failed;
    const auto cannotWrite = [&](int error) {
        failed = error == ENOSPC || error == EDQUOT
                     ? noRoom(QFileInfo(to).absolutePath(), QStringLiteral("a copy of the damaged store"))
                     : QStringLiteral("a copy of %1 could not be written (%2)").arg(from, systemError(error));
    };
    std::vector<char> block(1 << 20);
    while (failed.isEmpty()) {
        const ssize_t got = ::read(source, block.data(), block.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            failed = QStringLiteral("%1 could not be read (%2)").arg(from, systemError(errno));
            break;
        }
        if (got == 0)
            break;
        for (ssize_t done = 0; done < got && failed.isEmpty();) {
            const ssize_t wrote = ::write(target, block.data() + done, size_t(got - done));
            if (wrote < 0 && errno != EINTR)
                cannotWrite(errno);
            else if (wrote > 0)
                done += wrote;
        }
    }
    ::close(source);
    if (::close(target) != 0 && failed.isEmpty())
        cannotWrite(errno);
    return failed;
}

// Where the damaged files of a salvage go, and what the salvage recovered: written before any
// of them moves, so that a start after a stop can finish the moves and tell what came back.
struct Plan {
    QString aside;
    StoreSalvage::Report report;
};

QString planPath(const QString& path) {
    return path + QStringLiteral(".salvage-plan");
}

bool writePlan(const QString& path, const QString& aside, const StoreSalvage::Report& report) {
    QByteArray text = "aside\t" + QFileInfo(aside).fileName().toUtf8() + '\n';
    for (const auto& [entity, count] : report.recovered)
        text += "recovered\t" + entity.toUtf8() + '\t' + QByteArray::number(count) + '\n';
    for (const auto& [entity, held] : report.held)
        text += "held\t" + entity.toUtf8() + '\t' + (held ? QByteArray::number(*held) : "-") + '\n';
    // Whole or not there: written under another name, then renamed.
    const QString part = planPath(path) + QStringLiteral(".part");
    {
        QFile file(part);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size() ||
            !file.flush() || ::fsync(file.handle()) != 0) {
            file.close();
            QFile::remove(part);
            return false;
        }
    }
    if (::rename(QFile::encodeName(part).constData(), QFile::encodeName(planPath(path)).constData()) != 0) {
        QFile::remove(part);
        return false;
    }
    return true;
}

std::optional<Plan> readPlan(const QString& path) {
    QFile file(planPath(path));
    if (!QFileInfo(file.fileName()).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    Plan plan;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() == 2 && fields[0] == "aside" && !fields[1].isEmpty() && !fields[1].contains('/'))
            plan.aside = QFileInfo(path).absolutePath() + u'/' + QString::fromUtf8(fields[1]);
        else if (fields.size() == 3 && fields[0] == "recovered")
            plan.report.recovered[QString::fromUtf8(fields[1])] = fields[2].toInt();
        else if (fields.size() == 3 && fields[0] == "held")
            plan.report.held[QString::fromUtf8(fields[1])] =
                fields[2] == "-" ? std::nullopt : std::optional<int>(fields[2].toInt());
    }
    if (plan.aside.isEmpty())
        return std::nullopt;
    plan.report.movedTo = plan.aside;
    return plan;
}

// The newest damaged original kept beside the store ("<store>.corrupt-<stamp>[-n]"), not a log
// moved aside alone; empty when there is none.
QString newestOriginal(const QString& path) {
    const QFileInfo store(path);
    const QString prefix = store.fileName() + QStringLiteral(".corrupt-");
    QString newest;
    std::pair<QString, int> newestKey;
    for (const QFileInfo& file : QDir(store.absolutePath()).entryInfoList({prefix + u'*'}, QDir::Files)) {
        const QString rest = file.fileName().mid(prefix.size());
        if (rest.endsWith(kWal) || rest.endsWith(kShm) || rest.endsWith(QStringLiteral("-journal")))
            continue;
        // "yyyyMMdd-HHmmss", then "-n" from the second one made in the same second.
        const std::pair<QString, int> key(rest.left(15), rest.size() > 16 ? rest.mid(16).toInt() : 1);
        if (newest.isEmpty() || key > newestKey) {
            newest = file.absoluteFilePath();
            newestKey = key;
        }
    }
    return newest;
}

QString markerReason(const QString& path) {
    QFile marker(StoreCore::damageMarkerPath(path));
    // Only a regular file is opened: a start never waits on a pipe.
    const QString said = QFileInfo(marker.fileName()).isFile() && marker.open(QIODevice::ReadOnly)
                             ? QString::fromUtf8(marker.readLine()).trimmed()
                             : QString();
    return said.isEmpty() ? QStringLiteral("a salvage of it was stopped before it finished") : said;
}

std::map<QString, int> countRecords(const ObjectModel& model, const QString& path) {
    std::map<QString, int> counted;
    try {
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READONLY);
        for (const auto& entity : model.entities())
            counted[entity->name] = db.execAndGet(QStringLiteral("SELECT count(*) FROM %1")
                                                      .arg(StoreSchema::quote(entity->name))
                                                      .toStdString())
                                        .getInt();
    } catch (const SQLite::Exception&) {
    }
    return counted;
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

// Every pk the indexes of the table name, and every pk a scan of the table reaches. A scan
// that meets a damaged page goes on past it pk by pk, as far as any pk is known to have been
// given out (by the table's sequence, its last page or an index), so that every row a lookup
// by pk can read is found; beyond that it probes further and further ahead.
Gathered gatherPks(sqlite3* src, const QString& table) {
    Gathered found;
    const QString quoted = StoreSchema::quote(table);
    const auto wholeScan = [&found](int rows) { found.held = std::max(found.held.value_or(0), rows); };
    QStringList indexes;
    {
        Query list(src,
                   QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = ?"));
        sqlite3_bind_text(list.get(), 1, table.toUtf8().constData(), -1, SQLITE_TRANSIENT);
        while (list.step() == SQLITE_ROW)
            indexes << list.text(0);
    }
    for (const QString& index : indexes) {
        Query scan(
            src,
            QStringLiteral("SELECT \"pk\" FROM %1 INDEXED BY %2").arg(quoted, StoreSchema::quote(index)));
        int rows = 0;
        int rc;
        while ((rc = scan.step()) == SQLITE_ROW) {
            found.pks.insert(scan.int64(0));
            ++rows;
        }
        if (rc == SQLITE_DONE)
            wholeScan(rows);
    }
    found.highest = sourceSequence(src, table);
    {
        Query last(src, QStringLiteral("SELECT max(\"pk\") FROM %1").arg(quoted));
        if (last.step() == SQLITE_ROW)
            found.highest = std::max(found.highest, last.int64(0));
    }
    if (!found.pks.empty())
        found.highest = std::max(found.highest, *found.pks.rbegin());

    Query from(src, QStringLiteral("SELECT \"pk\" FROM %1 WHERE \"pk\" >= ? ORDER BY \"pk\"").arg(quoted));
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
            found.pks.insert(pk);
            ++rows;
            read = true;
            next = pk < kMost ? pk + 1 : kMost;
        }
        if (rc == SQLITE_DONE)
            break;
        whole = false;
        if (read) {
            // The seek to the pk after the last one read tells whether that pk was lost.
            found.highest = std::max(found.highest, next - 1);
            stride = 1;
        } else if (next < 1) {
            next = 1; // pks are given out from 1
        } else if (next <= found.highest) {
            ++next;
        } else if (stride > (qint64(1) << 40)) {
            break;
        } else {
            next += stride;
            stride *= 2;
        }
    }
    if (whole)
        wholeScan(rows);
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

int StoreSalvage::Report::total() const {
    int sum = 0;
    for (const auto& [entity, count] : recovered)
        sum += count;
    return sum;
}

std::vector<QString> StoreSalvage::Report::lostFrom() const {
    std::vector<QString> lost;
    for (const auto& [entity, count] : held) {
        const auto kept = recovered.find(entity);
        if (!count || kept == recovered.end() || kept->second < *count)
            lost.push_back(entity);
    }
    return lost;
}

const char* StoreSalvage::stepName(Step step) {
    static const char* const names[] = {"copyStore", "copyLog", "build",   "buildRows", "ready", "plan",
                                        "moveStore", "moveLog", "moveShm", "place",     "finish"};
    return names[int(step)];
}

void StoreSalvage::setStepHook(StepHook hook) {
    stepHook() = std::move(hook);
}

StoreSalvage::Report StoreSalvage::recover(const ObjectModel& model, const QString& path,
                                           const QString& reason) {
    // Until the new store is in place, a start after a stop (or after a salvage that could not
    // finish) goes through all this again.
    StoreCore::leaveDamageMarker(path, reason);
    return salvage(model, path, reason, path);
}

StoreSalvage::Report StoreSalvage::salvage(const ObjectModel& model, const QString& path,
                                           const QString& reason, const QString& original) {
    const QString folder = QFileInfo(path).absolutePath();
    const QString source = path + QStringLiteral(".salvage-source");
    const QString building = path + QStringLiteral(".salvage-build");
    const QString ready = path + QStringLiteral(".salvage-new");
    Report report;
    const auto stop = [&](const QString& why) {
        report.complete = false;
        report.retryLater = true;
        report.movedTo.clear();
        report.error = why;
        report.reason = reason;
        say(QStringLiteral(
                "Quorvale: the store %1 is damaged (%2) and could not be recovered now: %3; it was "
                "left where it is")
                .arg(path, reason, why));
        return report;
    };
    if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
        return stop(QStringLiteral("no new store can be written in its folder %1 (%2)")
                        .arg(folder, systemError(errno)));

    // Built from a copy before anything moves: reading a store can rewrite its log, and the
    // original is to be kept exactly as it was.
    removeWithCompanions(source);
    removeWithCompanions(building);
    removeWithCompanions(ready);
    QFile::remove(planPath(path));
    const QString madeToFail = QStringLiteral("the copy of %1 failed");
    QString failed = proceed(Step::copyStore) ? copyWhole(original, source) : madeToFail.arg(original);
    if (failed.isEmpty() && !proceed(Step::copyLog))
        failed = madeToFail.arg(original + kWal);
    else if (failed.isEmpty() && present(original + kWal))
        failed = copyWhole(original + kWal, source + kWal);
    if (failed.isEmpty())
        report = build(model, source, building);
    else
        report.error = failed;
    removeWithCompanions(source);
    // Under this name the new store is whole: a start finds either it or nothing.
    if (report.complete && (!proceed(Step::ready) || !renameFile(building, ready))) {
        report.complete = false;
        report.error = QStringLiteral("the recovered store could not be named %1").arg(ready);
    }
    removeWithCompanions(building);
    // Without a whole new store the damaged one stays where it is: nothing empty takes its
    // place, and the marker makes the next start try again.
    if (!report.complete)
        return stop(report.error);
    syncFolder(folder);

    const QString aside = original == path ? StoreFile::asideName(path) : original;
    if (!proceed(Step::plan) || !writePlan(path, aside, report)) {
        removeWithCompanions(ready);
        return stop(QStringLiteral("%1 could not be written").arg(planPath(path)));
    }
    syncFolder(folder);
    // All three go, or none: a store without its log is a different store.
    const Step moves[] = {Step::moveStore, Step::moveLog, Step::moveShm};
    QStringList moved;
    bool whole = true;
    for (int i = 0; i < 3 && whole; ++i) {
        const QString& suffix = kCompanions[i];
        const bool there = present(path + suffix);
        whole = proceed(moves[i]) && moveFile(path + suffix, aside + suffix);
        if (whole && there)
            moved << suffix;
    }
    const bool placed = whole && proceed(Step::place) && renameFile(ready, path);
    if (!placed) {
        bool back = true;
        for (const QString& suffix : moved)
            back = renameFile(aside + suffix, path + suffix) && back;
        syncFolder(folder);
        if (!back)
            // The plan stays: the next start moves the rest aside and puts the new store in place.
            return stop(QStringLiteral("the damaged store was moved aside only in part; the next start "
                                       "finishes the move"));
        QFile::remove(planPath(path));
        removeWithCompanions(ready);
        return stop(whole ? QStringLiteral("the recovered store could not be put in place")
                          : QStringLiteral("the damaged store could not be moved aside to %1").arg(aside));
    }
    syncFolder(folder);
    proceed(Step::finish);
    QFile::remove(planPath(path));
    QFile::remove(StoreCore::damageMarkerPath(path));
    syncFolder(folder);
    report.complete = true;
    report.movedTo = aside;
    report.reason = reason;
    if (original == path)
        say(QStringLiteral("Quorvale: the store %1 is damaged (%2); it was moved to %3")
                .arg(path, reason, aside));
    else
        say(QStringLiteral(
                "Quorvale: the store %1 was missing beside its damaged original %2; it was salvaged "
                "again from that original")
                .arg(path, aside));
    return report;
}

std::optional<StoreSalvage::Report> StoreSalvage::resume(const ObjectModel& model, const QString& path) {
    const QString folder = QFileInfo(path).absolutePath();
    const QString ready = path + QStringLiteral(".salvage-new");
    const QString marker = StoreCore::damageMarkerPath(path);
    // Left by a salvage stopped while it copied or built: only ever read by that salvage.
    removeWithCompanions(path + QStringLiteral(".salvage-source"));
    removeWithCompanions(path + QStringLiteral(".salvage-build"));
    QFile::remove(planPath(path) + QStringLiteral(".part"));
    const QString reason = markerReason(path);

    if (std::optional<Plan> plan = readPlan(path)) {
        Report report = plan->report;
        report.reason = reason;
        if (present(ready)) {
            // Stopped while the damaged files moved: the rest of them follow, the new store goes in.
            for (const QString& suffix : kCompanions) {
                if (!present(path + suffix))
                    continue;
                // One already there was moved by the salvage; one at the path as well was made
                // since (a store opened after a move that could not be undone) and is kept too.
                const QString to =
                    (present(plan->aside + suffix) ? StoreFile::asideName(path) : plan->aside) + suffix;
                if (!renameFile(path + suffix, to)) {
                    report.retryLater = true;
                    report.movedTo.clear();
                    report.error =
                        QStringLiteral("%1 could not be moved to %2, beside the rest of the damaged "
                                       "store")
                            .arg(path + suffix, to);
                    return report;
                }
            }
            if (!renameFile(ready, path)) {
                report.retryLater = true;
                report.movedTo.clear();
                report.error = QStringLiteral("the recovered store %1 could not be put in place").arg(ready);
                return report;
            }
            syncFolder(folder);
        }
        if (present(path)) {
            QFile::remove(planPath(path));
            QFile::remove(marker);
            syncFolder(folder);
            report.complete = true;
            say(QStringLiteral("Quorvale: a salvage of the store %1 was stopped before it finished; it was "
                               "finished now, and the damaged original was kept at %2")
                    .arg(path, plan->aside));
            return report;
        }
        QFile::remove(planPath(path)); // the salvaged store went missing since: salvaged again below
    }

    if (present(path)) {
        // Not finished before the damaged files moved: the marker has it done again from them.
        if (present(marker))
            removeWithCompanions(ready);
        return std::nullopt;
    }
    // No store at its path, yet a damaged original (or a whole salvaged copy) beside it: never a
    // new, empty store in their place.
    if (const QString original = newestOriginal(path); !original.isEmpty()) {
        // A log or shared memory left at the store's path without it (a move aside stopped
        // half-way by an older run) belongs with the original, when that has none.
        for (const QString& suffix : {kWal, kShm})
            if (present(path + suffix))
                renameFile(path + suffix,
                           (present(original + suffix) ? StoreFile::asideName(path) : original) + suffix);
        removeWithCompanions(ready);
        StoreCore::leaveDamageMarker(path, reason);
        return salvage(model, path, reason, original);
    }
    if (present(ready) && !present(ready + QStringLiteral("-journal"))) {
        for (const QString& suffix : {kWal, kShm})
            if (present(path + suffix))
                renameFile(path + suffix, StoreFile::asideName(path) + suffix);
        Report report;
        report.reason = reason;
        if (!renameFile(ready, path)) {
            report.retryLater = true;
            report.error = QStringLiteral("the recovered store %1 could not be put in place").arg(ready);
            return report;
        }
        QFile::remove(marker);
        syncFolder(folder);
        report.complete = true;
        report.recovered = countRecords(model, path);
        say(QStringLiteral(
                "Quorvale: the store %1 was missing; the store recovered for it before (%2) was put "
                "in its place")
                .arg(path, ready));
        return report;
    }
    return std::nullopt;
}

StoreSalvage::Report StoreSalvage::salvageInto(const ObjectModel& model, const QString& source,
                                               const QString& target) {
    const QString building = target + QStringLiteral(".salvage-build");
    Report report = build(model, source, building);
    if (report.complete && !renameFile(building, target)) {
        report.complete = false;
        report.error = QStringLiteral("the recovered store could not be put in place");
    }
    removeWithCompanions(building);
    return report;
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
                const qint64 highest = found.highest;
                if (highest <= 0)
                    continue;
                // The table's sequence goes on past the highest pk it ever gave out.
                SQLite::Statement raise(dst, "UPDATE sqlite_sequence SET seq = max(seq, ?) WHERE name = ?");
                raise.bind(1, static_cast<int64_t>(highest));
                raise.bind(2, entity->name.toStdString());
                if (raise.exec() == 0) {
                    SQLite::Statement add(dst, "INSERT INTO sqlite_sequence (name, seq) VALUES (?, ?)");
                    add.bind(1, entity->name.toStdString());
                    add.bind(2, static_cast<int64_t>(highest));
                    add.exec();
                }
            }
            settleOrphans(dst, model);
            for (const auto& entity : model.entities())
                report.recovered[entity->name] = dst.execAndGet(QStringLiteral("SELECT count(*) FROM %1")
                                                                    .arg(StoreSchema::quote(entity->name))
                                                                    .toStdString())
                                                     .getInt();
            transaction.commit();
        }
        report.complete = true;
    } catch (const SQLite::Exception& error) {
        // Freeing space is what helps then, and where is what a person needs to know.
        report.error =
            (error.getErrorCode() & 0xff) == SQLITE_FULL
                ? noRoom(QFileInfo(temporary).absolutePath(), QStringLiteral("the recovered store"))
                : QStringLiteral("the recovered store could not be written (%1)")
                      .arg(QString::fromUtf8(error.what()));
        removeWithCompanions(temporary);
    }
    sqlite3_close(src);
    return report;
}
