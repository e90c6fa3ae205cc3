#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace SQLite {
class Database;
}
class ObjectModel;

// The file's format version (PRAGMA user_version) and the numbered steps that bring an older
// file up to date. Step n takes a file of version n - 1 to version n inside one transaction,
// so a file is always at one version or the next, never between. Step 1 is the present format
// itself; a later change of format adds a step, never edits one.
class StoreMigrations {
public:
    using Step = std::function<void(SQLite::Database& db, const ObjectModel& model)>;

    static const std::vector<Step>& steps();
    static int latestVersion() { return static_cast<int>(steps().size()); }

    // The version of an existing file, read from its header (as its -wal file last committed
    // it) before anything else touches it, making nothing beside it; nullopt when there is no
    // file or it holds no store header (then opening it read-write tells why).
    static std::optional<int> readVersion(const QString& path);

    // Runs the steps after version from, in order, each in its own transaction that also
    // records the new version. A step that fails leaves the file at the version before it.
    static void migrate(SQLite::Database& db, const ObjectModel& model, int from);
    static void migrate(SQLite::Database& db, const ObjectModel& model, int from,
                        const std::vector<Step>& steps);

    // When the file at path was written by a newer build than this one (its version read as
    // readVersion does, before anything touches it), the line that says so; nullopt otherwise.
    // Whoever opens a store asks this first and leaves such a file as it is.
    static std::optional<QString> newerStoreRefusal(const QString& path);
};
