#pragma once

#include "Store/SalvageFiles.h"
#include "Store/StoreSalvage.h"

#include <QString>

#include <optional>

// Where the damaged files of a salvage go, which files it is about, and what the salvage
// recovered: written before any of them moves, so that a start after a stop can finish the
// moves while the files are still the ones it names, and tell what came back.
struct SalvagePlan {
    QString aside; // where the damaged store goes, beside the store
    // The damaged store at the store's path when the plan was written; none when it had been
    // kept aside already (a salvage done again from an original).
    std::optional<SalvageFiles::Identity> damaged;
    SalvageFiles::Identity copy; // the salvaged copy, "<store>.salvage-new"
    StoreSalvage::Report report; // what the copy holds

    static QString pathFor(const QString& store);
    // Whole or not there: written under another name, then renamed over the one before.
    bool write(const QString& store) const;

    enum class Found { none, unreadable, read };
    // The plan beside the store. unreadable (with why) for one that is not a regular file, or
    // whose any line is not one this build writes: nothing in it can be trusted then.
    static Found read(const QString& store, SalvagePlan* plan, QString* why);
};
