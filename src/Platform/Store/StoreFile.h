#pragma once

#include "Platform/Store/ObjectContext.h"

#include <QString>

#include <memory>

// Opening the store file at start-up. A file that is not a database or is damaged is never
// deleted: it is moved aside under a time-stamped name together with its -wal and -shm
// files, one line on standard error says where, and a new store takes its place. A -wal
// file whose header is not one SQLite wrote is moved aside the same way, and the store
// opens with what it holds. Every other failure (locked, unreadable, read-only, disk full)
// leaves the files untouched.
class StoreFile {
public:
    struct Result {
        std::unique_ptr<ObjectContext> context; // null when opening failed
        QString error;                          // why it failed
        bool recoveryFailed = false;            // the damaged file was moved but no new store could be made
        QString movedTo;                        // where a damaged file went, when one was moved
    };

    static Result open(const ObjectModel& model, const QString& path);
    // As open; a failure ends the process with "CoreData load error: " and the error (or
    // "CoreData recovery failed: " when even a new store cannot be made).
    static std::unique_ptr<ObjectContext> openOrExit(const ObjectModel& model, const QString& path);

    // The name a damaged file is moved to: "<path>.corrupt-<UTC stamp>", unused so far.
    static QString asideName(const QString& path);
    // Whether a -wal file starts with a header SQLite wrote (magic, version, checksum).
    static bool hasValidWalHeader(const QString& walPath);
};
