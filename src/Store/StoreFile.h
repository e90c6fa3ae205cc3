#pragma once

#include "Store/ObjectContext.h"
#include "Store/StoreSalvage.h"

#include <QString>

#include <memory>
#include <optional>

// Opening the store file at start-up. A file that is not a database or is damaged (or that a
// run before met damage in) is never deleted: it is moved aside under a time-stamped name
// together with its -wal and -shm files, one line on standard error says where, and a new
// store salvaged from a copy of it takes its place. A salvage stopped part-way is finished or
// done again before anything else. A -wal
// file whose header was read and is not one SQLite wrote is moved aside the same way, and the
// store opens with what it holds. A file written by a newer build, a store, -wal or -shm that
// cannot be opened, one of them or a -journal that is not a regular file (or, but for the store,
// is a link), and every other failure (locked, read-only, disk full), leaves the files untouched
// and makes nothing beside them. A store that is a link is used, and salvaged, where the link points.
class StoreFile {
public:
    struct Result {
        std::unique_ptr<ObjectContext> context; // null when opening failed
        QString error;                          // why it failed
        bool recoveryFailed = false;            // damage was met and no new store could be made
        QString movedTo;                        // where a damaged file went, when one was moved
        bool newerStore = false;                // written by a newer build; error is the whole line
        StoreSalvage::Report salvage;           // what was recovered from a damaged file
    };

    static Result open(const ObjectModel& model, const QString& path);
    // The one line a failed open ends the process with: "CoreData load error: " and the error,
    // "CoreData recovery failed: " when no new store could be made for a damaged one (the
    // error then says whether the next start tries again), or the newer-store line.
    static QString failureLine(const Result& result);

    // The name a damaged file is moved to: "<path>.corrupt-<UTC stamp>", unused so far.
    static QString asideName(const QString& path);
    // Whether a -wal file starts with a header SQLite wrote (magic, version, checksum).
    static bool hasValidWalHeader(const QString& walPath);
    // Why the -wal file's header could not be read, naming the file; empty when it was read,
    // and then valid says whether SQLite wrote it.
    static QString unreadableLogReason(const QString& walPath, bool* valid);
    // The file's database header (its first 100 bytes) as a reader sees it: from the last
    // commit of page 1 in its -wal file, else from the file itself. Read as plain bytes, so
    // nothing is made or changed beside the file; nullopt when it holds no SQLite header.
    static std::optional<QByteArray> currentHeader(const QString& path);
    // Why SQLite could not open the store at path or its -wal or -shm file for writing, naming
    // the file: not a regular file (a folder, a pipe, a socket, a device; a -wal, -shm or
    // -journal that is a link, or a -journal or damage marker that is not a file), no permission,
    // or missing where it cannot be made; empty when none of these is so. Opens nothing that could wait.
    static QString cannotOpenReason(const QString& path);
    // The file a chain of links at path ends at; path itself when it is no link.
    static QString resolvedPath(const QString& path);
};
