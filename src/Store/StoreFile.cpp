#include "Store/StoreFile.h"

#include "Store/ObjectStoreInternals.h"
#include "Store/RegularFile.h"
#include "Store/SalvageFiles.h"
#include "Store/StoreCore.h"
#include "Store/StoreMigrations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kHeaderSize = 100;

quint32 bigEndian32(const unsigned char* p) {
    return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]);
}

quint32 bigEndian32(const QByteArray& bytes, int at = 0) {
    return bigEndian32(reinterpret_cast<const unsigned char*>(bytes.constData()) + at);
}

quint32 littleEndian32(const unsigned char* p) {
    return (quint32(p[3]) << 24) | (quint32(p[2]) << 16) | (quint32(p[1]) << 8) | quint32(p[0]);
}

// Reads a -wal file the way SQLite's recovery does: a header SQLite wrote (magic, version,
// page size, checksum), then frames for as long as each carries the header's salt and the
// running checksum over its first 8 bytes and its page.
class WalReader {
public:
    static std::optional<WalReader> start(const QByteArray& header) {
        if (header.size() < 32)
            return std::nullopt;
        const auto* h = reinterpret_cast<const unsigned char*>(header.constData());
        const quint32 magic = bigEndian32(h);
        if (magic != 0x377f0682 && magic != 0x377f0683)
            return std::nullopt;
        if (bigEndian32(h + 4) != 3007000)
            return std::nullopt;
        const quint32 pageSize = bigEndian32(h + 8);
        if (pageSize < 512 || pageSize > 65536 || (pageSize & (pageSize - 1)) != 0)
            return std::nullopt;
        WalReader log;
        log.bigEndianWords_ = magic & 1; // the word order of the checksums
        log.pageSize = static_cast<int>(pageSize);
        log.salt_ = header.mid(16, 8);
        log.sum(h, 24);
        if (log.s0_ != bigEndian32(h + 24) || log.s1_ != bigEndian32(h + 28))
            return std::nullopt;
        return log;
    }

    // Whether bytes are the next valid frame (its 24-byte header, then its page); the frame
    // is put in frame.
    bool next(const QByteArray& bytes, QByteArray* frame) {
        if (bytes.size() != 24 + pageSize || bytes.mid(8, 8) != salt_)
            return false;
        const auto* f = reinterpret_cast<const unsigned char*>(bytes.constData());
        sum(f, 8);
        sum(f + 24, pageSize);
        if (s0_ != bigEndian32(f + 16) || s1_ != bigEndian32(f + 20))
            return false;
        *frame = bytes;
        return true;
    }

    int pageSize = 0;

private:
    void sum(const unsigned char* p, int size) {
        for (int i = 0; i + 8 <= size; i += 8) {
            s0_ += (bigEndianWords_ ? bigEndian32(p + i) : littleEndian32(p + i)) + s1_;
            s1_ += (bigEndianWords_ ? bigEndian32(p + i + 4) : littleEndian32(p + i + 4)) + s0_;
        }
    }

    bool bigEndianWords_ = true;
    QByteArray salt_;
    quint32 s0_ = 0;
    quint32 s1_ = 0;
};

void say(const QString& line) {
    std::fprintf(stderr, "%s\n", qPrintable(line));
    std::fflush(stderr);
}

using RegularFile::openRegular;

} // namespace

QString StoreFile::asideName(const QString& path) {
    return SalvageFiles::unusedStampedName(path, QStringLiteral("corrupt"));
}

bool StoreFile::hasValidWalHeader(const QString& walPath) {
    QFile wal(walPath);
    return openRegular(wal) && WalReader::start(wal.read(32)).has_value();
}

QString StoreFile::unreadableLogReason(const QString& walPath, bool* valid) {
    *valid = false;
    QFile wal(walPath);
    if (!openRegular(wal)) {
        const int error = errno;
        return QStringLiteral("%1 cannot be opened (%2)")
            .arg(walPath, QFileInfo(walPath).isFile() ? QString::fromLocal8Bit(std::strerror(error))
                                                      : QStringLiteral("not a file"));
    }
    const QByteArray header = wal.read(32);
    if (wal.error() != QFileDevice::NoError)
        return QStringLiteral("%1 cannot be read (%2)").arg(walPath, wal.errorString());
    *valid = WalReader::start(header).has_value();
    return {};
}

std::optional<QByteArray> StoreFile::currentHeader(const QString& path) {
    QFile file(path);
    if (!openRegular(file))
        return std::nullopt;
    QByteArray header = file.read(kHeaderSize);
    QFile wal(path + QStringLiteral("-wal"));
    if (openRegular(wal)) {
        if (std::optional<WalReader> log = WalReader::start(wal.read(32))) {
            // Page 1 as the last transaction in the log committed it, if any did write it.
            QByteArray latest;
            QByteArray frame;
            while (log->next(wal.read(24 + log->pageSize), &frame)) {
                if (bigEndian32(frame) == 1)
                    latest = frame.mid(24, kHeaderSize);
                if (bigEndian32(frame, 4) != 0 && !latest.isEmpty())
                    header = latest;
            }
        }
    }
    if (header.size() < kHeaderSize || !header.startsWith(QByteArray("SQLite format 3\0", 16)))
        return std::nullopt;
    return header;
}

QString StoreFile::resolvedPath(const QString& path) {
    QString file = path;
    // As the system follows a chain of links, and no further than it does.
    for (int hops = 0; hops < 40 && QFileInfo(file).isSymLink(); ++hops)
        file = QFileInfo(file).symLinkTarget();
    return file;
}

QString StoreFile::cannotOpenReason(const QString& path) {
    const QString store = resolvedPath(path);
    const QString shown = store == path ? path : QStringLiteral("%1 (a link to %2)").arg(path, store);
    const QString suffixes[] = {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")};
    // What each file is comes first, from its name alone: no open below may wait on a pipe. A
    // -journal is never written in WAL mode, but SQLite opens one it finds to roll it back.
    for (const QString& suffix :
         {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")}) {
        const QString file = store + suffix;
        const QByteArray name = QFile::encodeName(file);
        struct stat info {};
        // The log and shared memory belong beside the store; a link in their place (to a log
        // elsewhere, or to nothing) is a mistake to undo, not a file to write through.
        if (!suffix.isEmpty() && ::lstat(name.constData(), &info) == 0 && S_ISLNK(info.st_mode)) {
            const QString target = QFileInfo(file).symLinkTarget();
            return QStringLiteral("%1 is a symbolic link (to %2%3); the store's %4 must be a file of its own "
                                  "beside it")
                .arg(file, target,
                     QFileInfo::exists(target) ? QString() : QStringLiteral(", which is not there"),
                     suffix == QStringLiteral("-wal")   ? QStringLiteral("log")
                     : suffix == QStringLiteral("-shm") ? QStringLiteral("shared memory")
                                                        : QStringLiteral("rollback journal"));
        }
        if (const QString what = RegularFile::notAFileReason(file); !what.isEmpty())
            return suffix.isEmpty() ? shown + what.mid(file.size()) : what;
    }
    // The damage marker decides whether the store is salvaged: only a file counts as one, and
    // anything else in its place (a folder would stay for ever) refuses every start until it goes.
    if (const QString what = RegularFile::notAFileReason(StoreCore::damageMarkerPath(store)); !what.isEmpty())
        return what;
    for (const QString& suffix : suffixes) {
        const QString file = store + suffix;
        const QString named = suffix.isEmpty() ? shown : file;
        const QFileInfo info(file);
        if (info.exists()) {
            if (::access(QFile::encodeName(file).constData(), R_OK | W_OK) != 0)
                return QStringLiteral("no permission to read and write %1").arg(named);
            // Permission bits are not the whole story (access lists, a file system that refuses).
            QFile opened(file);
            if (!opened.open(QIODevice::ReadWrite))
                return QStringLiteral("%1 cannot be opened (%2)").arg(named, opened.errorString());
            continue;
        }
        // Missing: opening creates it, in the folder the store (or its link's target) is in.
        const QString folder = QFileInfo(file).absolutePath();
        if (!QFileInfo(folder).isDir())
            return QStringLiteral("%1 is missing and so is the folder %2 it would be made in")
                .arg(suffix.isEmpty() ? path : file, folder);
        if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
            return QStringLiteral("%1 is missing and there is no permission to make it in %2")
                .arg(suffix.isEmpty() ? path : file, folder);
    }
    return {};
}

StoreFile::Result StoreFile::open(const ObjectModel& model, const QString& path) {
    Result result;
    if (path == QStringLiteral(":memory:")) {
        result.context = ObjectContext::open(model, path, &result.error);
        return result;
    }
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        result.error = QStringLiteral("cannot create the folder %1").arg(info.absolutePath());
        return result;
    }
    // Before SQLite opens anything: it would make a -wal beside a -shm it then cannot use, and a
    // log it cannot read would pass for none, its committed changes (and a newer build's version)
    // unseen. Such a start is refused with every file left as it is, as an unreadable store is.
    if (const QString reason = cannotOpenReason(path); !reason.isEmpty()) {
        result.error = QStringLiteral("unable to open database file: %1").arg(reason);
        return result;
    }
    // A store kept elsewhere through a link is opened, checked and salvaged where it is: its
    // log, its marker and a salvaged store all go beside it, and the link stays as it was.
    const QString store = resolvedPath(path);
    const QString linked =
        store == path ? QString() : QStringLiteral(" (the store %1 is a link to it)").arg(path);

    // A salvage stopped part-way (a kill, a power cut) is finished or done again before
    // anything else: the files at the store's path may be the damaged original's, or none.
    std::optional<StoreSalvage::Report> salvaged = StoreSalvage::resume(model, store);
    // The store at the path stays as it is, but what the salvage left was set aside: said all the same.
    if (salvaged && !salvaged->complete && !salvaged->retryLater) {
        result.salvage.notes = salvaged->notes;
        result.salvage.checked = salvaged->checked;
        salvaged.reset();
    }
    int code = SQLITE_OK;
    if (!salvaged) {
        // Before anything is moved or written: a file of a newer build is not this build's to touch.
        if (const std::optional<QString> refusal = StoreMigrations::newerStoreRefusal(store)) {
            result.error = *refusal;
            result.newerStore = true;
            return result;
        }
        // Only a log whose bytes were read and are not a log SQLite wrote is damage to move aside.
        const QString wal = store + QStringLiteral("-wal");
        if (QFileInfo(wal).size() > 0) {
            bool valid = false;
            if (const QString reason = unreadableLogReason(wal, &valid); !reason.isEmpty()) {
                result.error = QStringLiteral("unable to open database file: %1").arg(reason);
                return result;
            }
            const QString aside = valid ? QString() : asideName(store) + QStringLiteral("-wal");
            if (!valid && QFile::rename(wal, aside))
                say(QStringLiteral(
                        "Quorvale: the store's write-ahead log %1 was not one SQLite wrote; it was "
                        "moved to %2")
                        .arg(wal, aside));
        }

        // A run that met damage in this file left a marker: it is not opened for writing again.
        const QString marker = StoreCore::damageMarkerPath(store);
        if (QFile::exists(marker) && QFile::exists(store)) {
            result.error = QStringLiteral("damage was met in it while it was in use");
        } else {
            // A marker with no store, no salvaged copy and no original beside it has nothing
            // left to recover (resume found none).
            QFile::remove(marker);
            result.context = ObjectStoreInternals::open(model, store, &result.error, &code);
            result.newerStore = code == ObjectStoreInternals::newerStore;
            if (result.context || (code != SQLITE_NOTADB && code != SQLITE_CORRUPT))
                return result;
        }
        salvaged = StoreSalvage::recover(model, store, result.error);
        salvaged->notes = result.salvage.notes + salvaged->notes;
        salvaged->checked = false;
    }

    result.salvage = *salvaged;
    if (result.salvage.retryLater) {
        // The start stops here, as at a full disk: the store is neither used nor replaced.
        result.recoveryFailed = true;
        result.error = QStringLiteral("the store %1%2 is damaged (%3) and could not be recovered now: %4. It "
                                      "was left as it is; the next start will try again.")
                           .arg(store, linked, result.salvage.reason, result.salvage.error);
        return result;
    }
    result.movedTo = result.salvage.movedTo;
    result.context = ObjectStoreInternals::open(model, store, &result.error, &code);
    result.recoveryFailed = !result.context;
    return result;
}

QString StoreFile::failureLine(const Result& result) {
    if (result.newerStore)
        return result.error;
    return (result.recoveryFailed ? QStringLiteral("CoreData recovery failed: ")
                                  : QStringLiteral("CoreData load error: ")) +
           result.error;
}
