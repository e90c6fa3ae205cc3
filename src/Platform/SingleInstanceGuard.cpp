#include "Platform/SingleInstanceGuard.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

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
    if (!QDir().mkpath(folder_)) {
        error_ = QStringLiteral("cannot create %1").arg(folder_);
        return Outcome::Failed;
    }
    lock_ = std::make_unique<QLockFile>(lockFilePath());
    // Age alone never makes the lock stale: a week-long session keeps it. The owner's
    // process having gone does.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) {
        listen();
        return Outcome::Acquired;
    }
    const QLockFile::LockError reason = lock_->error();
    lock_.reset();
    if (reason == QLockFile::LockFailedError)
        return Outcome::AlreadyRunning;
    error_ = reason == QLockFile::PermissionError
                 ? QStringLiteral("no permission to write %1").arg(lockFilePath())
                 : QStringLiteral("cannot use %1").arg(lockFilePath());
    return Outcome::Failed;
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
