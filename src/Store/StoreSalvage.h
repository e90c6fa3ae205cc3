#pragma once

#include "Store/EntityDescription.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <optional>
#include <vector>

// Recovering what can be read from a damaged store file. The damaged file is moved aside byte
// for byte (with its -wal and -shm); a copy of the moved files is read, never the files
// themselves, and a file cut short is read as far as it goes. Every pk that a table scan reaches
// (scanning on past errors) or that an index of the table names is read back by pk; the rows
// that read are copied with their pks into a temporary file, which is renamed into place only
// once complete. Each table's pk sequence goes on past the old maximum, so no pk is ever given
// out twice, and a record whose owner was lost follows the owner's delete rule (cascade: it
// goes too; otherwise the link is cleared).
//
// A salvage can be stopped at any instant (a kill, a power cut) and what is on disk lets the
// next start finish it or do it again: the damage marker stays until the new store is in place;
// the new store is built under one name and renamed to "<store>.salvage-new" only once whole;
// and before the damaged files move, "<store>.salvage-plan" names where they go, which files the
// damaged store and the new one are, and what the salvage recovered. A start that finds the plan
// follows it only while the files agree with it: a new store that is not whole (cut short, not a
// file, holding other records than the plan says) is set aside and the salvage done again from
// the damaged original, and a sound store with records put at the store's path since stays,
// with what the salvage left set aside. Without a store at its path, a start salvages again
// from the newest original kept aside rather than make an empty store. Nothing is deleted that
// may hold records, and no move replaces a file.
struct SalvagePlan;

class StoreSalvage {
public:
    struct Report {
        QString movedTo;                  // where the damaged file was kept; empty when not moved
        std::map<QString, int> recovered; // records per entity in the new store
        // Records per entity in the damaged store; nullopt when that could not be read (no
        // whole scan of the table or of any of its indexes could be read).
        std::map<QString, std::optional<int>> held;
        int total() const;
        // The entities of which the new store holds fewer records than the damaged one did, or
        // of which it is not known how many the damaged one held.
        std::vector<QString> lostFrom() const;
        bool complete = false; // a new store is in place (with what could be read)
        QString error;         // why not, or why nothing could be read
        // Not finished for a reason that may pass (a full disk, an I/O error): the damaged
        // store was left where it was, and the next start tries again.
        bool retryLater = false;
        // Not finished for want of room on the disk (retryLater): the next start with room finishes it.
        bool waitsForRoom() const;
        QString reason; // why the store was salvaged: the damage met
        // What else the start found of the salvage and set aside, one sentence each, naming
        // each file for what it is (a salvaged copy that was not whole, a plan that could not
        // be read).
        QStringList notes;
        // The store left at the path passed the integrity check in this start: the verdict is
        // passed on, so that no later check of the same start reads the whole file again.
        bool checked = false;
    };

    // The steps of a salvage, in order. Tests stop a salvage before each of them (as a power
    // cut would) or make one fail, and see what the next start makes of it.
    enum class Step {
        copyStore, // copying the damaged store for reading
        copyLog,   // copying its -wal
        build,     // writing the new store
        buildRows, // part-way through writing it, the first table's rows written
        ready,     // naming the whole new store "<store>.salvage-new"
        plan,      // writing where the damaged files go
        moveStore, // moving the damaged store aside
        moveLog,   // then its -wal
        moveShm,   // then its -shm
        place,     // putting the new store at the store's path
        finish,    // removing the damage marker
        dropPlan   // then the plan: a plan outlives the marker, so a stop between never leaves a
                   // sound store marked as damaged
    };
    static constexpr int kSteps = int(Step::dropPlan) + 1;
    static const char* stepName(Step step);
    // Called before each step; false makes that step fail as a failed write or rename would.
    // Only tests set it; empty (every step goes ahead) otherwise.
    using StepHook = std::function<bool(Step)>;
    static void setStepHook(StepHook hook);

    // Builds a new store from a copy of the file at path, then moves the file aside and puts
    // the new store in its place; one line on standard error says why (reason) and where to.
    // When no whole new store could be made, the file stays where it is (retryLater).
    static Report recover(const ObjectModel& model, const QString& path, const QString& reason);
    // At a start, before the store is opened: finishes a salvage of the store at path that was
    // stopped part-way, or salvages again from the newest original kept aside when no store is at
    // path. nullopt when there was none to finish and the store (or its absence) is as it seems;
    // a report neither complete nor to retry, holding only notes, when the store at path stays as
    // it is but what the salvage left was set aside.
    static std::optional<Report> resume(const ObjectModel& model, const QString& path);
    // Builds a new store at target from what can be read of source; source is read, not changed.
    static Report salvageInto(const ObjectModel& model, const QString& source, const QString& target);

private:
    // Whether a step goes ahead (the test's hook says so, or there is none).
    static bool proceed(Step step);
    // Salvages original (the store at path, or a damaged original already kept aside) into a new
    // store at path; the damaged files at path are moved beside original's name.
    static Report salvage(const ObjectModel& model, const QString& path, const QString& reason,
                          const QString& original);
    // Builds the new store from a copy of original and names it "<path>.salvage-new" once whole.
    static Report buildCopy(const ObjectModel& model, const QString& path, const QString& original);
    // Moves the damaged files at path to aside and puts the new store in their place; what
    // failed (the files moved put back where that could be done), empty when it is in place.
    static QString moveAsideAndPlace(const QString& path, const QString& aside);
    // The new store is at path: the marker goes, then the plan (a stop between them leaves the
    // plan to say the store is the salvaged copy, never a marker on a sound store).
    static void dropMarkerThenPlan(const QString& path);
    // A start's way through a stopped salvage's plan (SalvageResume.cpp): nullopt to go on as
    // if there were none; a report neither complete nor to retry when the store at path stays.
    static std::optional<Report> followPlan(const ObjectModel& model, const QString& path,
                                            const SalvagePlan& plan, const QString& reason,
                                            QStringList* notes);
    static std::optional<Report> withoutPlan(const ObjectModel& model, const QString& path,
                                             const QString& reason, QStringList* notes);
    // Writes the new store into temporary; complete when it holds all that could be read.
    static Report build(const ObjectModel& model, const QString& source, const QString& temporary);
};
