#include "Store/RegularFile.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile {

bool openRegular(QFile& file) {
    const int fd = ::open(QFile::encodeName(file.fileName()).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return false;
    }
    return true;
}

QString notAFile(const struct stat& info) {
    if (S_ISDIR(info.st_mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(info.st_mode))
        return QStringLiteral("a named pipe, not a file");
    if (S_ISSOCK(info.st_mode))
        return QStringLiteral("a socket, not a file");
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        return QStringLiteral("a device, not a file");
    if (S_ISLNK(info.st_mode))
        return QStringLiteral("a symbolic link, not a file");
    return QStringLiteral("not a regular file");
}

QString notAFileReason(const QString& file) {
    struct stat info {};
    if (::stat(QFile::encodeName(file).constData(), &info) != 0 || S_ISREG(info.st_mode))
        return {};
    return QStringLiteral("%1 is %2").arg(file, notAFile(info));
}

QString whyNotAFile(const QString& file) {
    struct stat info {};
    if (::lstat(QFile::encodeName(file).constData(), &info) != 0 || S_ISREG(info.st_mode))
        return {};
    return notAFile(info);
}

} // namespace RegularFile
