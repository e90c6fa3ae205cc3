#include "Platform/SingleInstanceGuard.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QSysInfo>
#include <QThread>

#include <cerrno>
#include <signal.h>
#include <sys/types.h>

namespace {

const QByteArray kRaiseRequest = QByteArrayLiteral("raise\n");
const QByteArray kAcknowledgement = QByteArrayLiteral("ok\n");

QString canonicalFolder(const QString& folder) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QDir(folder).absolutePath()) : canonical;
}

} // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString& dataFolder, QObject* parent)
    : QObject(parent), folder_(dataFolder) {}

SingleInstanceGuard::~SingleInstanceGuard() {
    if (server_)
        server_->close();
}

QString SingleInstanceGuard::lockFilePath() const {
    return QDir(folder_).filePath(QStringLiteral("Quorvale.lock"));
}

QString SingleInstanceGuard::serverName(const QString& dataFolder) {
    const QByteArray hash =
        QCryptographicHash::hash(canonicalFolder(dataFolder).toUtf8(), QCryptographicHash::Sha256).toHex();
    return QStringLiteral("quorvale-") + QString::fromLatin1(hash.left(24));
}

SingleInstanceGuard::Outcome SingleInstanceGuard::acquire() {
    ownerPid_ = 0;
    if (!QDir().mkpath(folder_)) {
        error_ = QStringLiteral("cannot create the folder %1").arg(folder_);
        return Outcome::Failed;
    }
    lock_ = std::make_unique<QLockFile>(lockFilePath());
    // Age alone never makes the lock stale: a week-long session keeps it. The owner's
    // process having gone does.
    lock_->setStaleLockTime(0);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (lock_->tryLock(0)) {
            listen();
            return Outcome::Acquired;
        }
        if (lock_->error() != QLockFile::LockFailedError)
            break;
        if (ownerIsAlive()) {
            lock_.reset();
            return Outcome::AlreadyRunning;
        }
        // No live owner: the lock is left over. Another start may be taking it over at the
        // same moment; whichever creates the file first wins the second attempt.
        if (attempt == 0 && !lock_->removeStaleLockFile())
            break;
    }
    const QLockFile::LockError reason = lock_->error();
    lock_.reset();
    switch (reason) {
    case QLockFile::PermissionError:
        error_ = QStringLiteral("no permission to write the lock file %1").arg(lockFilePath());
        break;
    case QLockFile::LockFailedError:
        error_ = QStringLiteral("the lock file %1 is left over and cannot be removed").arg(lockFilePath());
        break;
    default:
        error_ = QStringLiteral("cannot write the lock file %1 (is the disk full?)").arg(lockFilePath());
    }
    return Outcome::Failed;
}

bool SingleInstanceGuard::ownerIsAlive() {
    qint64 pid = 0;
    QString host;
    QString app;
    if (!lock_->getLockInfo(&pid, &host, &app) || pid <= 0)
        return false; // names no owner
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return true; // a folder shared with another machine: its process cannot be checked
    // The signal-0 probe: the process exists (EPERM: it exists but belongs to someone else).
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM)
        return false;
    ownerPid_ = pid;
    return true;
}

void SingleInstanceGuard::listen() {
    const QString name = serverName(folder_);
    // Holding the lock means no live instance owns the name; a socket file left behind by a
    // killed one would only make listen() fail.
    QLocalServer::removeServer(name);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstanceGuard::serveConnection);
    if (!server_->listen(name))
        qWarning("Quorvale: cannot listen for later starts: %s", qPrintable(server_->errorString()));
}

void SingleInstanceGuard::serveConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > 64)
                    socket->disconnectFromServer();
                return;
            }
            const QByteArray line = socket->readLine(64);
            if (line == kRaiseRequest) {
                socket->write(kAcknowledgement);
                socket->flush();
                emit raiseRequested();
            }
            socket->disconnectFromServer();
        });
    }
}

bool SingleInstanceGuard::requestRaise(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    const QString name = serverName(folder_);
    // The running instance may still be starting up between taking the lock and listening.
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (socket.waitForConnected(static_cast<int>(qMax<qint64>(1, deadline.remainingTime())))) {
            socket.write(kRaiseRequest);
            if (!socket.waitForBytesWritten(static_cast<int>(qMax<qint64>(1, deadline.remainingTime()))))
                return false;
            while (!socket.canReadLine() &&
                   socket.waitForReadyRead(static_cast<int>(qMax<qint64>(1, deadline.remainingTime())))) {
            }
            return socket.readLine() == kAcknowledgement;
        }
        QThread::msleep(50);
    }
    return false;
}

#include "moc_SingleInstanceGuard.cpp"
