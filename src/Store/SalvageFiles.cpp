#include "Store/SalvageFiles.h"

#include "Store/RegularFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SalvageFiles {

namespace {

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

bool isFolder(const QString& file) {
    struct stat info {};
    return ::lstat(QFile::encodeName(file).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Where a copy could not be made or written: a full disk is named with its folder.
QString copyFailed(const QString& from, const QString& to, int error, const char* verb) {
    if (error == ENOSPC || error == EDQUOT)
        return noRoom(QFileInfo(to).absolutePath(), QStringLiteral("a copy of the damaged store"));
    return QStringLiteral("a copy of %1 could not be %2 (%3)")
        .arg(from, QLatin1String(verb), systemError(error));
}

// Writes all of bytes; the error that stopped it, 0 when all went.
int writeAll(int fd, const char* bytes, ssize_t size) {
    for (ssize_t done = 0; done < size;) {
        const ssize_t wrote = ::write(fd, bytes + done, size_t(size - done));
        if (wrote < 0 && errno != EINTR)
            return errno;
        if (wrote > 0)
            done += wrote;
    }
    return 0;
}

} // namespace

bool present(const QString& file) {
    struct stat info {};
    return ::lstat(QFile::encodeName(file).constData(), &info) == 0;
}

bool renameNoReplace(const QString& from, const QString& to) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system that cannot refuse in the rename: a second name, then the first one goes
    // (a folder cannot have one, and is renamed after a look at its target instead).
    if (::link(source.constData(), target.constData()) == 0)
        return ::unlink(source.constData()) == 0;
    return errno == EPERM && !present(to) && ::rename(source.constData(), target.constData()) == 0;
}

bool moveIfThere(const QString& from, const QString& to) {
    return !present(from) || renameNoReplace(from, to);
}

void removeWithCompanions(const QString& path) {
    for (const QString& suffix : {QString(), kWal, kShm, kJournal}) {
        if (isFolder(path + suffix))
            setAside(path + suffix);
        else
            QFile::remove(path + suffix);
    }
}

void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

namespace {
const QString kNoRoom = QStringLiteral("the disk is full: ");
} // namespace

QString noRoom(const QString& folder, const QString& what) {
    return kNoRoom + QStringLiteral("there is no room in %1 for %2").arg(folder, what);
}

bool isNoRoom(const QString& why) {
    return why.startsWith(kNoRoom);
}

// A copy cut short by a full disk must not pass for the damaged store. Only a regular file is
// read (a pipe would wait for a writer).
QString copyWhole(const QString& from, const QString& to) {
    QFile source(from);
    if (!RegularFile::openRegular(source)) {
        const int error = errno;
        const QString what = RegularFile::whyNotAFile(QFileInfo(from).canonicalFilePath());
        return what.isEmpty() ? QStringLiteral("%1 could not be read (%2)").arg(from, systemError(error))
                              : QStringLiteral("%1 is %2").arg(from, what);
    }
    const int target =
        ::open(QFile::encodeName(to).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (target < 0)
        return copyFailed(from, to, errno, "made");
    QString failed;
    std::vector<char> block(1 << 20);
    while (failed.isEmpty()) {
        const qint64 got = source.read(block.data(), qint64(block.size()));
        if (got < 0)
            failed = QStringLiteral("%1 could not be read (%2)").arg(from, source.errorString());
        else if (got == 0)
            break;
        else if (const int error = writeAll(target, block.data(), got))
            failed = copyFailed(from, to, error, "written");
    }
    if (::close(target) != 0 && failed.isEmpty())
        failed = copyFailed(from, to, errno, "written");
    return failed;
}

QString unusedStampedName(const QString& file, const QString& kind) {
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const auto taken = [](const QString& name) {
        return present(name) || present(name + kWal) || present(name + kShm) || present(name + kJournal);
    };
    QString name = QStringLiteral("%1.%2-%3").arg(file, kind, stamp);
    for (int n = 2; taken(name); ++n)
        name = QStringLiteral("%1.%2-%3-%4").arg(file, kind, stamp).arg(n);
    return name;
}

QString setAside(const QString& file) {
    const QString name = unusedStampedName(file, QStringLiteral("set-aside"));
    if (!renameNoReplace(file, name))
        return {};
    for (const QString& suffix : {kWal, kShm, kJournal})
        moveIfThere(file + suffix, name + suffix);
    return name;
}

QString newestOriginal(const QString& path) {
    const QFileInfo store(path);
    const QString prefix = store.fileName() + QStringLiteral(".corrupt-");
    QString newest;
    std::pair<QString, int> newestKey;
    for (const QString& name :
         QDir(store.absolutePath())
             .entryList({prefix + u'*'}, QDir::AllEntries | QDir::System | QDir::Hidden)) {
        const QString rest = name.mid(prefix.size());
        const QString file = store.absolutePath() + u'/' + name;
        if (rest.endsWith(kWal) || rest.endsWith(kShm) || rest.endsWith(kJournal) || !identityOf(file))
            continue;
        // "yyyyMMdd-HHmmss", then "-n" from the second one made in the same second.
        const std::pair<QString, int> key(rest.left(15), rest.size() > 16 ? rest.mid(16).toInt() : 1);
        if (newest.isEmpty() || key > newestKey) {
            newest = file;
            newestKey = key;
        }
    }
    return newest;
}

std::optional<Identity> identityOf(const QString& file) {
    struct stat info {};
    if (::lstat(QFile::encodeName(file).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return Identity{quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size),
                    qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

} // namespace SalvageFiles
