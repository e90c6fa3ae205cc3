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

#include <cstdio>

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

// Sets a file aside, saying what it is (`what`, "the salvaged copy") and why it was not used.
void setAsideSaying(const QString& file, const QString& what, const QString& why, QStringList* notes) {
    const QString to = setAside(file);
    note(notes,
         to.isEmpty()
             ? QStringLiteral("%1 %2 was not used (%3), and it could not be set aside").arg(what, file, why)
             : QStringLiteral("%1 %2 was not used (%3); it was set aside at %4.").arg(what, file, why, to));
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

// A store a person may have worked in: sound, and holding records.
bool holdsSoundRecords(const ObjectModel& model, const QString& path) {
    if (!StoreIntegrityCheck::run(path).sound)
        return false;
    for (const auto& [entity, count] : SalvageRebuild::countRecords(model, path))
        if (count > 0)
            return true;
    return false;
}

// Moves a -wal or -shm left at the store's path to the damaged original it belongs with, or
// beside it under a name of its own when the original has one already.
bool moveLogsTo(const QString& path, const QString& original) {
    bool moved = true;
    for (const QString& suffix : {kWal, kShm})
        if (present(path + suffix))
            moved = renameNoReplace(path + suffix,
                                    (present(original + suffix) ? StoreFile::asideName(path) : original) +
                                        suffix) &&
                    moved;
    return moved;
}

enum class AtPath { nothing, damaged, copy, other };

// Which of the plan's files is at the store's path, if any.
AtPath whatIsAt(const QString& path, const SalvagePlan& plan) {
    if (!present(path))
        return AtPath::nothing;
    const std::optional<Identity> id = identityOf(path);
    if (id && *id == plan.copy)
        return AtPath::copy;
    if (id && plan.damaged && *id == *plan.damaged)
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

// The new store is at the store's path: the plan and the marker go.
StoreSalvage::Report finished(const QString& path, StoreSalvage::Report report, const QString& aside) {
    QFile::remove(SalvagePlan::pathFor(path));
    QFile::remove(StoreCore::damageMarkerPath(path));
    syncFolder(QFileInfo(path).absolutePath());
    report.complete = true;
    say(QStringLiteral("a salvage of the store %1 was stopped before it finished; it was finished now, and "
                       "the damaged original was kept at %2")
            .arg(path, aside));
    return report;
}

// A sound store with records was put at the store's path after the salvage stopped: it stays,
// and what the salvage left is set aside where a person can find it.
void keepStoreAtPath(const QString& path, const SalvagePlan& plan) {
    QStringList notes;
    say(QStringLiteral(
            "a salvage of the store %1 was stopped before it finished, and a sound store with "
            "records was put at %1 since; that store was kept, and the damaged original stays at %2")
            .arg(path, plan.aside));
    const QString stale = QStringLiteral("it is older than the store at %1").arg(path);
    if (present(copyPath(path)))
        setAsideSaying(copyPath(path), QStringLiteral("The salvaged copy"), stale, &notes);
    setAsideSaying(SalvagePlan::pathFor(path), QStringLiteral("The salvage's plan"), stale, &notes);
    // The damage it marked is the original's, kept aside.
    QFile::remove(StoreCore::damageMarkerPath(path));
    syncFolder(QFileInfo(path).absolutePath());
}

// Neither file the plan names is at the store's path, nor one to keep: it is set aside, as a
// damaged store or as an empty one.
bool moveOtherAside(const QString& path, QStringList* notes) {
    const bool sound = StoreIntegrityCheck::run(path).sound;
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

    SalvagePlan plan;
    QString unread;
    switch (SalvagePlan::read(path, &plan, &unread)) {
    case SalvagePlan::Found::unreadable:
        setAsideSaying(SalvagePlan::pathFor(path), QStringLiteral("The salvage's plan"), unread, &notes);
        break;
    case SalvagePlan::Found::read:
        if (std::optional<Report> report = followPlan(model, path, plan, reason, &notes))
            return report->complete || report->retryLater ? report : std::nullopt;
        break;
    case SalvagePlan::Found::none:
        break;
    }
    return withoutPlan(model, path, reason, &notes);
}

std::optional<StoreSalvage::Report> StoreSalvage::followPlan(const ObjectModel& model, const QString& path,
                                                             const SalvagePlan& plan, const QString& reason,
                                                             QStringList* notes) {
    Report report = plan.report;
    report.reason = reason;
    AtPath at = whatIsAt(path, plan);
    if (at == AtPath::copy)
        return finished(path, report, plan.aside);
    if (at == AtPath::other && !identityOf(path))
        return notFinished(report, QStringLiteral("%1 is %2").arg(path, RegularFile::whyNotAFile(path)));
    if (at == AtPath::other && holdsSoundRecords(model, path)) {
        keepStoreAtPath(path, plan);
        return Report{}; // neither complete nor to retry: the store at the path is opened as it is
    }
    if (at == AtPath::other && !moveOtherAside(path, notes))
        return notFinished(report, QStringLiteral("%1 could not be moved aside").arg(path));

    const QString ready = copyPath(path);
    const QString fault = copyFault(model, ready, &plan.report.recovered);
    // The damaged store itself, when it is still at the path, follows its log only with a whole copy.
    if (at == AtPath::damaged && fault.isEmpty() &&
        !renameNoReplace(path, present(plan.aside) ? StoreFile::asideName(path) : plan.aside))
        return notFinished(report, QStringLiteral("%1 could not be moved to %2").arg(path, plan.aside));
    if ((at != AtPath::damaged || fault.isEmpty()) && !moveLogsTo(path, plan.aside))
        return notFinished(report,
                           QStringLiteral("the log of %1 could not be moved beside the damaged original %2")
                               .arg(path, plan.aside));
    if (fault.isEmpty()) {
        if (!renameNoReplace(ready, path))
            return notFinished(report,
                               QStringLiteral("the recovered store %1 could not be put in place").arg(ready));
        report = finished(path, report, plan.aside);
        report.notes = *notes;
        return report;
    }
    // Done again from the damaged original; the copy that was not whole stays aside.
    if (present(ready))
        setAsideSaying(ready, QStringLiteral("The salvaged copy"), fault, notes);
    QFile::remove(SalvagePlan::pathFor(path));
    const QString original = at == AtPath::damaged ? path : plan.aside;
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
        moveLogsTo(path, original);
        removeWithCompanions(ready);
        StoreCore::leaveDamageMarker(path, reason);
        Report report = salvage(model, path, reason, original);
        report.notes = *notes + report.notes;
        return report;
    }
    if (!present(ready))
        return std::nullopt;
    if (const QString fault = copyFault(model, ready, nullptr); !fault.isEmpty()) {
        setAsideSaying(ready, QStringLiteral("The salvaged copy"), fault, notes);
        return std::nullopt;
    }
    for (const QString& suffix : {kWal, kShm})
        moveIfThere(path + suffix, StoreFile::asideName(path) + suffix);
    Report report;
    report.reason = reason;
    if (!renameNoReplace(ready, path))
        return notFinished(report,
                           QStringLiteral("the recovered store %1 could not be put in place").arg(ready));
    QFile::remove(marker);
    syncFolder(QFileInfo(path).absolutePath());
    report.complete = true;
    report.recovered = SalvageRebuild::countRecords(model, path);
    report.notes = *notes;
    say(QStringLiteral(
            "the store %1 was missing; the store recovered for it before (%2) was put in its place")
            .arg(path, ready));
    return report;
}
