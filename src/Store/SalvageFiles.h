#pragma once

#include <QString>

#include <optional>

// The files a salvage reads, moves and leaves behind. Every move is a rename within the store's
// folder that replaces nothing and never falls back to a copy: whole or not done at all.
namespace SalvageFiles {

inline const QString kWal = QStringLiteral("-wal");
inline const QString kShm = QStringLiteral("-shm");
inline const QString kJournal = QStringLiteral("-journal");
// The store itself, then what SQLite keeps beside it.
inline const QString kCompanions[] = {QString(), kWal, kShm};

// Where a salvage puts the new store once it is whole, until it goes in place.
inline QString copyPath(const QString& store) {
    return store + QStringLiteral(".salvage-new");
}

// Whether anything is at the name, a link to nothing included.
bool present(const QString& file);
// Renames from to `to` only while nothing is at `to`, checked by the rename itself.
bool renameNoReplace(const QString& from, const QString& to);
// Moves the file when it is there; true when nothing was there to move.
bool moveIfThere(const QString& from, const QString& to);
// Removes the file and what SQLite keeps beside it. A folder in their place is not emptied
// but set aside, as a salvage must be able to write those names again.
void removeWithCompanions(const QString& path);
// Makes the renames in a folder last through a power cut, in the order they were made.
void syncFolder(const QString& folder);
// Copies a regular file, checking every read and write; what failed, empty when the copy is whole.
QString copyWhole(const QString& from, const QString& to);
// "<file>.<kind>-<UTC stamp>[-n]", with n counting up until neither that name nor its -wal, -shm
// or -journal is taken.
QString unusedStampedName(const QString& file, const QString& kind);
// Renames a file (with its -wal, -shm and -journal) to "<file>.set-aside-<UTC stamp>", a name
// unused so far; the new name, empty when it could not be moved.
QString setAside(const QString& file);
// The newest damaged original kept beside the store ("<store>.corrupt-<stamp>[-n]", a regular
// file, not a log moved aside alone); empty when there is none.
QString newestOriginal(const QString& path);
// The line saying the disk is full, naming the folder and what found no room in it.
QString noRoom(const QString& folder, const QString& what);
// Whether a reason is such a line: freeing space is what lets the salvage finish.
bool isNoRoom(const QString& why);

// Which file is at a name: the same one for as long as it is neither replaced nor written.
struct Identity {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    bool operator==(const Identity&) const = default;
};
// The identity of the regular file at the name (a link not followed); nullopt otherwise.
std::optional<Identity> identityOf(const QString& file);

} // namespace SalvageFiles
