#include "Platform/Store/StoreFile.h"

#include "Platform/Store/ObjectStoreInternals.h"
#include "Platform/Store/StoreCore.h"
#include "Platform/Store/StoreMigrations.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cstdio>

namespace {

quint32 bigEndian32(const unsigned char* p) {
    return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]);
}

quint32 littleEndian32(const unsigned char* p) {
    return (quint32(p[3]) << 24) | (quint32(p[2]) << 16) | (quint32(p[1]) << 8) | quint32(p[0]);
}

void say(const QString& line) {
    std::fprintf(stderr, "%s\n", qPrintable(line));
    std::fflush(stderr);
}

} // namespace

QString StoreFile::asideName(const QString& path) {
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = QStringLiteral("%1.corrupt-%2").arg(path, stamp);
    for (int n = 2; QFile::exists(name) || QFile::exists(name + QStringLiteral("-wal")); ++n)
        name = QStringLiteral("%1.corrupt-%2-%3").arg(path, stamp).arg(n);
    return name;
}

bool StoreFile::hasValidWalHeader(const QString& walPath) {
    QFile wal(walPath);
    if (!wal.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = wal.read(32);
    if (header.size() < 32)
        return false;
    const auto* h = reinterpret_cast<const unsigned char*>(header.constData());
    const quint32 magic = bigEndian32(h);
    if (magic != 0x377f0682 && magic != 0x377f0683)
        return false;
    if (bigEndian32(h + 4) != 3007000)
        return false;
    const quint32 pageSize = bigEndian32(h + 8);
    if (pageSize < 512 || pageSize > 65536 || (pageSize & (pageSize - 1)) != 0)
        return false;
    // SQLite's checksum over the first 24 bytes, in the word order the magic names.
    const bool big = magic & 1;
    quint32 s0 = 0, s1 = 0;
    for (int i = 0; i < 24; i += 8) {
        s0 += (big ? bigEndian32(h + i) : littleEndian32(h + i)) + s1;
        s1 += (big ? bigEndian32(h + i + 4) : littleEndian32(h + i + 4)) + s0;
    }
    return s0 == bigEndian32(h + 24) && s1 == bigEndian32(h + 28);
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
    // Before anything is moved or written: a file of a newer build is not this build's to touch.
    if (const auto version = StoreMigrations::readVersion(path);
        version && *version > StoreMigrations::latestVersion()) {
        result.error = StoreMigrations::newerStoreMessage(path, *version);
        result.newerStore = true;
        return result;
    }
    const QString wal = path + QStringLiteral("-wal");
    if (QFileInfo(wal).size() > 0 && !hasValidWalHeader(wal)) {
        const QString aside = asideName(path) + QStringLiteral("-wal");
        if (QFile::rename(wal, aside))
            say(QStringLiteral(
                    "Quorvale: the store's write-ahead log %1 was not readable; it was moved to %2")
                    .arg(wal, aside));
    }

    // A run that met damage in this file left a marker: it is not opened for writing again.
    const QString marker = StoreCore::damageMarkerPath(path);
    int code = SQLITE_OK;
    if (QFile::exists(marker) && QFile::exists(path)) {
        result.error = QStringLiteral("damage was met in it while it was in use");
    } else {
        QFile::remove(marker);
        result.context = ObjectStoreInternals::open(model, path, &result.error, &code);
        result.newerStore = code == ObjectStoreInternals::newerStore;
        if (result.context || (code != SQLITE_NOTADB && code != SQLITE_CORRUPT))
            return result;
    }

    result.salvage = StoreSalvage::recover(model, path, result.error);
    if (result.salvage.movedTo.isEmpty()) {
        result.error = QStringLiteral("%1 (and it could not be moved aside)").arg(result.error);
        return result;
    }
    result.movedTo = result.salvage.movedTo;
    result.context = ObjectStoreInternals::open(model, path, &result.error, &code);
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
