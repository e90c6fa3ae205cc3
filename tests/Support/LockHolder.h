#pragma once

#include <QFile>
#include <QString>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace qv::test {

// A child process that takes the lock of `lockFile` and then becomes `sleep seconds`, as a program
// that is not this one would hold it. Returns the child once it holds the lock; -1 when it could
// not take it (the child is gone then).
inline pid_t holdLockInChild(const QString& lockFile, const char* seconds) {
    int ready[2];
    if (::pipe(ready) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        const int fd = ::open(QFile::encodeName(lockFile).constData(), O_RDWR | O_CREAT, 0644);
        const bool locked = fd >= 0 && ::flock(fd, LOCK_EX) == 0;
        if (::write(ready[1], locked ? "1" : "0", 1) != 1 || !locked)
            _exit(1);
        ::execlp("sleep", "sleep", seconds, static_cast<char*>(nullptr));
        _exit(1);
    }
    ::close(ready[1]);
    char locked = '0';
    const bool told = child > 0 && ::read(ready[0], &locked, 1) == 1;
    ::close(ready[0]);
    return told && locked == '1' ? child : -1;
}

} // namespace qv::test
