// What a start makes of the files a stopped salvage left: it follows the plan only while the
// files agree with it, puts a salvaged copy in place only once it has checked it, and sets
// aside (never deletes) what it cannot use.

#include "Store/RegularFile.h"
#include "Store/SalvageFiles.h"
#include "Store/SalvagePlan.h"
#include "Store/SalvageRebuild.h"
#include "Store/StoreCore.h"
#include "Store/StoreFile.h"
#include "Store/StoreIntegrityCheck.h"
#include "Store/StoreSalvage.h"

#include <QFile>
#include <QFileInfo>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <cstdio>
#include <optional>

using namespace SalvageFiles;

namespace {

void say(const QString& line) {
    std::fprintf(stderr, "Quorvale: %s\n", qPrintable(line));
    std::fflush(stderr);
}

// Says it, and keeps it for the alert.
void note(QStringList* notes, const QString& sentence) {
    say(sentence);
    *notes << sentence;
}

QString markerReason(const QString& path) {
    QFile marker(StoreCore::damageMarkerPath(path));
    const QString said =
        RegularFile::openRegular(marker) ? QString::fromUtf8(marker.readLine()).trimmed() : QString();
    return said.isEmpty() ? QStringLiteral("a salvage of it was stopped before it finished") : said;
}

// Sets a file aside, saying what it is (`what`, "the salvaged copy") and why it was not used;
// where it went, empty when it could not be moved.
QString setAsideSaying(const QString& file, const QString& what, const QString& why, QStringList* notes) {
    const QString to = setAside(file);
    note(notes,
         to.isEmpty()
             ? QStringLiteral("%1 %2 was not used (%3), and it could not be set aside.").arg(what, file, why)
             : QStringLiteral("%1 %2 was not used (%3); it was set aside at %4.").arg(what, file, why, to));
    return to;
}

// Why the salvaged copy cannot go in place; empty when it is a whole store holding what recorded
// says (when there is a plan to say it).
QString copyFault(const ObjectModel& model, const QString& copy, const std::map<QString, int>* recorded) {
    if (!present(copy))
        return QStringLiteral("it is missing");
    if (const QString what = RegularFile::whyNotAFile(copy); !what.isEmpty())
        return QStringLiteral("it is ") + what;
    // It was renamed whole after it was closed: nothing of SQLite's belongs beside it.
    for (const QString& suffix : {kWal, kShm, kJournal})
        if (present(copy + suffix))
            return QStringLiteral("a %1 lies beside it").arg(copy + suffix);
    if (const StoreIntegrityCheck::Answer check = StoreIntegrityCheck::run(copy); !check.sound)
        return QStringLiteral("it failed the integrity check: %1").arg(check.problem);
    if (!recorded)
        return {};
    const std::map<QString, int> counted = SalvageRebuild::countRecords(model, copy);
    for (const auto& [entity, count] : *recorded)
        if (!counted.count(entity) || counted.at(entity) != count)
            return QStringLiteral("it holds %1 %2 records where its plan recorded %3")
                .arg(counted.count(entity) ? counted.at(entity) : 0)
                .arg(entity)
                .arg(count);
    return {};
}

// Any row of any table counts, so that a store of an older format (a table this build adds
// missing) is never taken for an empty one.
bool holdsRecords(const QString& path) {
    try {
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READONLY);
        SQLite::Statement tables(db, "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
                                     "'sqlite_%'");
        while (tables.executeStep()) {
            const QString table = QString::fromUtf8(tables.getColumn(0).getText());
            const QString any = QStringLiteral("SELECT EXISTS (SELECT 1 FROM \"%1\")")
                                    .arg(QString(table).replace(u'"', QStringLiteral("\"\"")));
            if (db.execAndGet(any.toStdString()).getInt() != 0)
                return true;
        }
    } catch (const SQLite::Exception&) {
    }
    return false;
}

// The integrity check of the store at the path, run at most once a start: it reads the whole
// file, and the window waits for every check made before it shows. The verdict holds until the
// file at the path moves.
class PathCheck {
public:
    explicit PathCheck(const QString& path) : path_(path) {}
    bool sound() {
        if (!sound_)
            sound_ = StoreIntegrityCheck::run(path_).sound;
        return *sound_;
    }

private:
    QString path_;
    std::optional<bool> sound_;
};

// A store a person may have worked in: sound, and holding records.
bool holdsSoundRecords(const QString& path, PathCheck& check) {
    return check.sound() && holdsRecords(path);
}

// Moves a -wal or -shm left at the store's path to the damaged original it belongs with, or
// beside it under a name of its own (said in notes) when the original has one already.
bool moveLogsTo(const QString& path, const QString& original, QStringList* notes) {
    bool moved = true;
    for (const QString& suffix : {kWal, kShm}) {
        if (!present(path + suffix))
            continue;
        const QString to = (present(original + suffix) ? StoreFile::asideName(path) : original) + suffix;
        const bool went = renameNoReplace(path + suffix, to);
        if (went && to != original + suffix)
            note(notes,
                 QStringLiteral("%1, found without its store, was moved to %2.").arg(path + suffix, to));
        moved = went && moved;
    }
    return moved;
}

enum class AtPath { nothing, damaged, copy, other };

// Which of the plan's files is at the store's path, if any. A file keeps its identity when it is
// written over in place with its times put back (a backup copied back with `cp -a`), and a disk
// fault changes neither: only a store that fails the check is taken for the damaged original.
AtPath whatIsAt(const QString& path, const SalvagePlan& plan, PathCheck& check) {
    if (!present(path))
        return AtPath::nothing;
    const std::optional<Identity> id = identityOf(path);
    if (id && *id == plan.copy)
        return AtPath::copy;
    if (id && plan.damaged && *id == *plan.damaged && !check.sound())
        return AtPath::damaged;
    return AtPath::other;
}

StoreSalvage::Report notFinished(StoreSalvage::Report report, const QString& why) {
    report.complete = false;
    report.retryLater = true;
    report.movedTo.clear();
    report.error = why;
    return report;
}

// The new store is at the store's path, its marker and plan gone.
StoreSalvage::Report finished(const QString& path, StoreSalvage::Report report, const QString& aside) {
    report.complete = true;
    say(QStringLiteral("a salvage of the store %1 was stopped before it finished; it was finished now, and "
                       "the damaged original was kept at %2")
            .arg(path, aside));
    return report;
}

// A sound store with records was put at the store's path after the salvage stopped: it stays,
// and what the salvage left is set aside where a person can find it (said in notes).
void keepStoreAtPath(const QString& path, const SalvagePlan& plan, QStringList* notes) {
    // A backup copied back over the damaged original leaves no original at its aside name.
    say(QStringLiteral("a salvage of the store %1 was stopped before it finished, and a sound store with "
                       "records was put at %1 since; that store was kept%2")
            .arg(path, present(plan.aside)
                           ? QStringLiteral(", and the damaged original stays at %1").arg(plan.aside)
                           : QString()));
    // The damage it marked is the original's, kept aside; it goes before the plan that says so.
    QFile::remove(StoreCore::damageMarkerPath(path));
    syncFolder(QFileInfo(path).absolutePath());
    const QString stale = QStringLiteral("a sound store with records is at %1").arg(path);
    if (present(copyPath(path)))
        setAsideSaying(copyPath(path), QStringLiteral("The salvaged copy"), stale, notes);
    setAsideSaying(SalvagePlan::pathFor(path), QStringLiteral("The salvage's plan"), stale, notes);
    syncFolder(QFileInfo(path).absolutePath());
}

// Neither file the plan names is at the store's path, nor one to keep: it is set aside, as a
// damaged store or as an empty one.
bool moveOtherAside(const QString& path, PathCheck& check, QStringList* notes) {
    const bool sound = check.sound();
    const QString to = sound ? QString() : StoreFile::asideName(path);
    if (sound) {
        const QString kept = setAside(path);
        if (kept.isEmpty())
            return false;
        note(notes, QStringLiteral("An empty store found at %1 was set aside at %2.").arg(path, kept));
        return true;
    }
    for (const QString& suffix : kCompanions)
        if (!moveIfThere(path + suffix, to + suffix))
            return false;
    note(notes, QStringLiteral("A damaged store found at %1 was moved to %2.").arg(path, to));
    return true;
}

} // namespace

std::optional<StoreSalvage::Report> StoreSalvage::resume(const ObjectModel& model, const QString& path) {
    const QString ready = copyPath(path);
    // Left by a salvage stopped while it copied or built: only ever read by that salvage.
    removeWithCompanions(path + QStringLiteral(".salvage-source"));
    removeWithCompanions(path + QStringLiteral(".salvage-build"));
    QFile::remove(SalvagePlan::pathFor(path) + QStringLiteral(".part"));
    const QString reason = markerReason(path);
    QStringList notes;
    // Renamed, never opened: a pipe would make the start wait, a folder is no store.
    if (const QString what = RegularFile::whyNotAFile(ready); !what.isEmpty())
        setAsideSaying(ready, QStringLiteral("The salvaged copy"), QStringLiteral("it is ") + what, &notes);

    // The store at the path stays as it is: what was set aside on the way is still told.
    const auto asItIs = [&notes]() -> std::optional<Report> {
        if (notes.isEmpty())
            return std::nullopt;
        Report kept;
        kept.notes = notes;
        return kept;
    };
    SalvagePlan plan;
    QString unread;
    switch (SalvagePlan::read(path, &plan, &unread)) {
    case SalvagePlan::Found::unreadable:
        setAsideSaying(SalvagePlan::pathFor(path), QStringLiteral("The salvage's plan"), unread, &notes);
        break;
    case SalvagePlan::Found::read:
        if (std::optional<Report> report = followPlan(model, path, plan, reason, &notes)) {
            if (!report->complete && !report->retryLater)
                report->notes = notes;
            return report;
        }
        break;
    case SalvagePlan::Found::none:
        break;
    }
    if (std::optional<Report> report = withoutPlan(model, path, reason, &notes))
        return report;
    return asItIs();
}

std::optional<StoreSalvage::Report> StoreSalvage::followPlan(const ObjectModel& model, const QString& path,
                                                             const SalvagePlan& plan, const QString& reason,
                                                             QStringList* notes) {
    Report report = plan.report;
    report.reason = reason;
    PathCheck check(path);
    AtPath at = whatIsAt(path, plan, check);
    if (at == AtPath::copy) {
        dropMarkerThenPlan(path);
        return finished(path, report, plan.aside);
    }
    if (at == AtPath::other && !identityOf(path))
        return notFinished(report, QStringLiteral("%1 is %2").arg(path, RegularFile::whyNotAFile(path)));
    if (at == AtPath::other && holdsSoundRecords(path, check)) {
        keepStoreAtPath(path, plan, notes);
        Report kept; // neither complete nor to retry: the store at the path is opened as it is
        kept.checked = true;
        return kept;
    }
    if (at == AtPath::other && !moveOtherAside(path, check, notes))
        return notFinished(report, QStringLiteral("%1 could not be moved aside").arg(path));

    const QString ready = copyPath(path);
    const QString fault = copyFault(model, ready, &plan.report.recovered);
    // The damaged store itself, when it is still at the path, follows its log only with a whole
    // copy; under a name of its own when something took the plan's, and named where it went.
    QString original = plan.aside;
    if (at == AtPath::damaged && fault.isEmpty()) {
        if (present(plan.aside)) {
            SalvagePlan moved = plan;
            moved.aside = original = StoreFile::asideName(path);
            if (!moved.write(path))
                return notFinished(report,
                                   QStringLiteral("%1 could not be written").arg(SalvagePlan::pathFor(path)));
            syncFolder(QFileInfo(path).absolutePath());
        }
        if (!renameNoReplace(path, original))
            return notFinished(report, QStringLiteral("%1 could not be moved to %2").arg(path, original));
    }
    if ((at != AtPath::damaged || fault.isEmpty()) && !moveLogsTo(path, original, notes))
        return notFinished(report,
                           QStringLiteral("the log of %1 could not be moved beside the damaged original %2")
                               .arg(path, original));
    if (fault.isEmpty()) {
        if (!proceed(Step::place) || !renameNoReplace(ready, path))
            return notFinished(report,
                               QStringLiteral("the recovered store %1 could not be put in place").arg(ready));
        report.movedTo = original;
        dropMarkerThenPlan(path);
        report = finished(path, report, original);
        report.notes = *notes;
        report.checked = true; // copyFault() checked the copy now at the path
        return report;
    }
    // Done again from the damaged original; the copy that was not whole stays aside.
    if (present(ready))
        setAsideSaying(ready, QStringLiteral("The salvaged copy"), fault, notes);
    QFile::remove(SalvagePlan::pathFor(path));
    original = at == AtPath::damaged ? path : plan.aside;
    if (!present(original))
        return std::nullopt;
    StoreCore::leaveDamageMarker(path, reason);
    report = salvage(model, path, reason, original);
    report.notes = *notes + report.notes;
    return report;
}

std::optional<StoreSalvage::Report> StoreSalvage::withoutPlan(const ObjectModel& model, const QString& path,
                                                              const QString& reason, QStringList* notes) {
    const QString ready = copyPath(path);
    const QString marker = StoreCore::damageMarkerPath(path);
    Report report;
    report.reason = reason;
    if (present(path)) {
        // Only a salvaged copy beside it holds records the store at the path could hide.
        if (!present(ready))
            return std::nullopt;
        // With no plan to tell the files apart, the check and the records do: a store that is
        // damaged or holds records stays, and an empty one (made by a start that knew nothing of
        // the salvage) never wins over salvaged records.
        PathCheck check(path);
        if (!check.sound() || holdsRecords(path)) {
            // Not finished before the damaged files moved: the marker has it done again from them.
            if (present(marker))
                removeWithCompanions(ready);
            else
                setAsideSaying(ready, QStringLiteral("The salvaged copy"),
                               QStringLiteral("a store that is not empty is at %1").arg(path), notes);
            // A damaged one is salvaged for its marker; a sound one stays, checked.
            if (!check.sound() || present(marker))
                return std::nullopt;
            report.notes = *notes;
            report.checked = true;
            return report;
        }
        if (!moveOtherAside(path, check, notes))
            return notFinished(report, QStringLiteral("the empty store %1 could not be set aside").arg(path));
    }
    // No store at its path, yet a damaged original (or a whole salvaged copy) beside it: never a
    // new, empty store in their place.
    if (const QString original = newestOriginal(path); !original.isEmpty()) {
        // A log or shared memory left at the store's path without it (a move aside stopped
        // half-way by an older run) belongs with the original, when that has none.
        if (!moveLogsTo(path, original, notes))
            return notFinished(report, QStringLiteral("the log of %1 could not be moved beside the damaged "
                                                      "original %2")
                                           .arg(path, original));
        removeWithCompanions(ready);
        StoreCore::leaveDamageMarker(path, reason);
        report = salvage(model, path, reason, original);
        report.notes = *notes + report.notes;
        return report;
    }
    if (!present(ready))
        return std::nullopt;
    if (const QString fault = copyFault(model, ready, nullptr); !fault.isEmpty()) {
        const QString kept = setAsideSaying(ready, QStringLiteral("The salvaged copy"), fault, notes);
        // The records it holds are the only ones left: salvaged from it as from a damaged original.
        if (kept.isEmpty() || !identityOf(kept))
            return std::nullopt;
        StoreCore::leaveDamageMarker(path, reason);
        report = salvage(model, path, reason, kept);
        if (report.complete)
            report.movedTo.clear(); // the note names where the copy is; it is no original
        report.notes = *notes + report.notes;
        return report;
    }
    // A log, shared memory or journal at the path is none of the copy's: SQLite would take it for
    // the copy's own. Each goes aside under one name, or the copy does not go in place.
    const QString aside = StoreFile::asideName(path);
    const std::pair<QString, Step> moves[] = {
        {kWal, Step::moveLog}, {kShm, Step::moveShm}, {kJournal, Step::moveShm}};
    for (const auto& [suffix, step] : moves) {
        if (!present(path + suffix))
            continue;
        if (!proceed(step) || !renameNoReplace(path + suffix, aside + suffix))
            return notFinished(report,
                               QStringLiteral("%1 could not be moved to %2, and the recovered store %3 "
                                              "is not put beside it")
                                   .arg(path + suffix, aside + suffix, ready));
        note(notes, QStringLiteral("%1, found without its store, was moved to %2.")
                        .arg(path + suffix, aside + suffix));
    }
    // The marker goes first: a stop right after the copy is in place must not leave it marked
    // as damaged (with no plan, nothing would tell it from the damaged store).
    proceed(Step::finish);
    QFile::remove(marker);
    syncFolder(QFileInfo(path).absolutePath());
    if (!proceed(Step::place) || !renameNoReplace(ready, path))
        return notFinished(report,
                           QStringLiteral("the recovered store %1 could not be put in place").arg(ready));
    syncFolder(QFileInfo(path).absolutePath());
    report.complete = true;
    report.recovered = SalvageRebuild::countRecords(model, path);
    report.notes = *notes;
    report.checked = true; // copyFault() checked the copy now at the path
    say(QStringLiteral(
            "the store %1 was missing; the store recovered for it before (%2) was put in its place")
            .arg(path, ready));
    return report;
}
