#include "Store/StoreSalvage.h"

#include "Store/SalvageFiles.h"
#include "Store/SalvagePlan.h"
#include "Store/StoreCore.h"
#include "Store/StoreFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <unistd.h>

using namespace SalvageFiles;

namespace {

StoreSalvage::StepHook& stepHook() {
    static StoreSalvage::StepHook hook;
    return hook;
}

void say(const QString& line) {
    std::fprintf(stderr, "%s\n", qPrintable(line));
    std::fflush(stderr);
}

// Puts back what a move aside stopped part-way had moved; false when some of it could not be.
bool putBack(const QString& path, const QString& aside, const QStringList& moved) {
    bool back = true;
    for (const QString& suffix : moved)
        back = renameNoReplace(aside + suffix, path + suffix) && back;
    syncFolder(QFileInfo(path).absolutePath());
    return back;
}

} // namespace

int StoreSalvage::Report::total() const {
    int sum = 0;
    for (const auto& [entity, count] : recovered)
        sum += count;
    return sum;
}

bool StoreSalvage::Report::waitsForRoom() const {
    return retryLater && isNoRoom(error);
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
    static const char* const names[] = {"copyStore", "copyLog", "build",   "buildRows", "ready",  "plan",
                                        "moveStore", "moveLog", "moveShm", "place",     "finish", "dropPlan"};
    return names[int(step)];
}

void StoreSalvage::setStepHook(StepHook hook) {
    stepHook() = std::move(hook);
}

bool StoreSalvage::proceed(Step step) {
    const StepHook& hook = stepHook();
    return !hook || hook(step);
}

StoreSalvage::Report StoreSalvage::recover(const ObjectModel& model, const QString& path,
                                           const QString& reason) {
    // Until the new store is in place, a start after a stop (or after a salvage that could not
    // finish) goes through all this again.
    StoreCore::leaveDamageMarker(path, reason);
    return salvage(model, path, reason, path);
}

StoreSalvage::Report StoreSalvage::buildCopy(const ObjectModel& model, const QString& path,
                                             const QString& original) {
    const QString source = path + QStringLiteral(".salvage-source");
    const QString building = path + QStringLiteral(".salvage-build");
    const QString ready = copyPath(path);
    // Built from a copy before anything moves: reading a store can rewrite its log, and the
    // original is to be kept exactly as it was.
    removeWithCompanions(source);
    removeWithCompanions(building);
    removeWithCompanions(ready);
    QFile::remove(SalvagePlan::pathFor(path));
    Report report;
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
    if (report.complete && (!proceed(Step::ready) || !renameNoReplace(building, ready))) {
        report.complete = false;
        report.error = QStringLiteral("the recovered store could not be named %1").arg(ready);
    }
    removeWithCompanions(building);
    return report;
}

QString StoreSalvage::moveAsideAndPlace(const QString& path, const QString& aside) {
    // All three go, or none: a store without its log is a different store.
    const Step moves[] = {Step::moveStore, Step::moveLog, Step::moveShm};
    QStringList moved;
    bool whole = true;
    for (int i = 0; i < 3 && whole; ++i) {
        const QString& suffix = kCompanions[i];
        const bool there = present(path + suffix);
        whole = proceed(moves[i]) && moveIfThere(path + suffix, aside + suffix);
        if (whole && there)
            moved << suffix;
    }
    if (whole && proceed(Step::place) && renameNoReplace(copyPath(path), path))
        return {};
    if (!putBack(path, aside, moved))
        // The plan stays: the next start moves the rest aside and puts the new store in place.
        return QStringLiteral(
            "the damaged store was moved aside only in part; the next start finishes the move");
    QFile::remove(SalvagePlan::pathFor(path));
    removeWithCompanions(copyPath(path));
    return whole ? QStringLiteral("the recovered store could not be put in place")
                 : QStringLiteral("the damaged store could not be moved aside to %1").arg(aside);
}

void StoreSalvage::dropMarkerThenPlan(const QString& path) {
    const QString folder = QFileInfo(path).absolutePath();
    proceed(Step::finish);
    QFile::remove(StoreCore::damageMarkerPath(path));
    syncFolder(folder);
    proceed(Step::dropPlan);
    QFile::remove(SalvagePlan::pathFor(path));
    syncFolder(folder);
}

StoreSalvage::Report StoreSalvage::salvage(const ObjectModel& model, const QString& path,
                                           const QString& reason, const QString& original) {
    const QString folder = QFileInfo(path).absolutePath();
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
                        .arg(folder, QString::fromLocal8Bit(std::strerror(errno))));
    report = buildCopy(model, path, original);
    // Without a whole new store the damaged one stays where it is: nothing empty takes its
    // place, and the marker makes the next start try again.
    if (!report.complete)
        return stop(report.error);
    syncFolder(folder);

    SalvagePlan plan;
    plan.aside = original == path ? StoreFile::asideName(path) : original;
    plan.damaged = original == path ? identityOf(path) : std::nullopt;
    plan.copy = identityOf(copyPath(path)).value_or(Identity{});
    plan.report = report;
    if (!proceed(Step::plan) || !plan.write(path)) {
        removeWithCompanions(copyPath(path));
        return stop(QStringLiteral("%1 could not be written").arg(SalvagePlan::pathFor(path)));
    }
    syncFolder(folder);
    if (const QString failed = moveAsideAndPlace(path, plan.aside); !failed.isEmpty())
        return stop(failed);
    syncFolder(folder);
    dropMarkerThenPlan(path);
    report.complete = true;
    report.movedTo = plan.aside;
    report.reason = reason;
    if (original == path)
        say(QStringLiteral("Quorvale: the store %1 is damaged (%2); it was moved to %3")
                .arg(path, reason, plan.aside));
    else
        say(QStringLiteral("Quorvale: the store %1 was salvaged again from %2, kept aside")
                .arg(path, plan.aside));
    return report;
}

StoreSalvage::Report StoreSalvage::salvageInto(const ObjectModel& model, const QString& source,
                                               const QString& target) {
    const QString building = target + QStringLiteral(".salvage-build");
    Report report = build(model, source, building);
    if (report.complete && !renameNoReplace(building, target)) {
        report.complete = false;
        report.error = QStringLiteral("the recovered store could not be put in place");
    }
    removeWithCompanions(building);
    return report;
}
