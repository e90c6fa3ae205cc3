#pragma once

#include "Store/EntityDescription.h"

#include <QString>

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
    };

    // Builds a new store from a copy of the file at path, then moves the file aside and puts
    // the new store in its place; one line on standard error says why (reason) and where to.
    // When no whole new store could be made, the file stays where it is (retryLater).
    static Report recover(const ObjectModel& model, const QString& path, const QString& reason);
    // Builds a new store at target from what can be read of source; source is read, not changed.
    static Report salvageInto(const ObjectModel& model, const QString& source, const QString& target);
    // Moves a store file and its -wal and -shm aside under a time-stamped name; returns that
    // name, empty on failure.
    static QString moveAside(const QString& path);

private:
    // Writes the new store into temporary; complete when it holds all that could be read.
    static Report build(const ObjectModel& model, const QString& source, const QString& temporary);
};
