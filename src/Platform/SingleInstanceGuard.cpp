#include "Platform/SingleInstanceGuard.h"

#include "Store/RegularFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QMutex>
#include <QPointer>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>

#include <atomic>
#include <optional>

#include <QDateTime>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QByteArray kRaiseRequest = QByteArrayLiteral("raise\n");
const QByteArray kAcknowledgement = QByteArrayLiteral("ok\n");
const QByteArray kStarting = QByteArrayLiteral("starting\n");
const QByteArray kRefused = QByteArrayLiteral("refused ");
// How often a later start asks again while the first is still starting.
constexpr int kAskAgainMs = 100;
// The longest answer read: a refusal's line.
constexpr qint64 kLongestAnswer = 4096;
// The longest path a local socket can have (the address's sun_path, less its ending zero).
constexpr int kLongestSocketPath = int(sizeof(sockaddr_un::sun_path)) - 1;

void reply(QLocalSocket* socket, const QByteArray& line) {
    socket->write(line);
    socket->flush();
    socket->disconnectFromServer();
}

// Sends the raise request and reads the answer's line; empty when none came in time.
QByteArray ask(QLocalSocket& socket, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    const auto left = [&deadline] { return int(qMax<qint64>(1, deadline.remainingTime())); };
    socket.write(kRaiseRequest);
    if (!socket.waitForBytesWritten(left()))
        return {};
    while (!socket.canReadLine() && socket.waitForReadyRead(left())) {
    }
    return socket.canReadLine() ? socket.readLine(kLongestAnswer) : QByteArray();
}

QString canonicalFolder(const QString& folder) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QDir(folder).absolutePath()) : canonical;
}

QString hashedName(const QString& dataFolder) {
    const QByteArray hash =
        QCryptographicHash::hash(canonicalFolder(dataFolder).toUtf8(), QCryptographicHash::Sha256).toHex();
    return QStringLiteral("quorvale-") + QString::fromLatin1(hash.left(24));
}

// The session's runtime folder, when the environment names one Qt finds fit (the user's own, and
// private). Without one Qt would make one under the temporary folder: the very place a
// clean-up of old files reaches, and one that moves with TMPDIR.
QString runtimeFolder() {
    const QString named = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (named.isEmpty())
        return {};
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return !folder.isEmpty() && QDir::cleanPath(folder) == QDir::cleanPath(named) ? folder : QString();
}

// Where the login manager keeps this user's runtime folder: a start whose environment names no
// runtime folder still finds an instance started from the desktop there.
QString usualRuntimeFolder() {
    const QString folder = QStringLiteral("/run/user/%1").arg(::getuid());
    struct stat info {};
    const bool own = ::stat(QFile::encodeName(folder).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
                     info.st_uid == ::getuid();
    return own ? folder : QString();
}

// A socket path the system takes; empty for one too long.
QString fitting(const QString& path) {
    return QFile::encodeName(path).size() <= kLongestSocketPath ? path : QString();
}

// The program a process runs, as the system names it (at most 15 characters); empty when that
// cannot be read.
QString programOf(qint64 pid) {
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    return comm.open(QIODevice::ReadOnly) ? QString::fromUtf8(comm.readAll()).trimmed() : QString();
}

// Whether a process runs this program: this process itself, or one started from a file of the
// same name (a lock file of an earlier build of it counts).
bool isThisProgram(qint64 pid, const QString& program) {
    if (pid == ::getpid())
        return true;
    return program == programOf(::getpid()) ||
           program.compare(QStringLiteral("quorvale"), Qt::CaseInsensitive) == 0;
}

// The process holding a lock on the file, from the system's table of locks; 0 when not found.
qint64 lockHolder(const struct stat& file) {
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    const QByteArray inode = ':' + QByteArray::number(qulonglong(file.st_ino));
    // "1: FLOCK  ADVISORY  WRITE 4242 08:01:1234567 0 EOF"; waiters' lines carry "->".
    for (const QByteArray& line : locks.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 6 || fields[1] == "->" || !fields[5].endsWith(inode))
            continue;
        bool read = false;
        const qint64 pid = fields[4].toLongLong(&read);
        if (read && pid > 0)
            return pid;
    }
    return 0;
}

} // namespace

// Lives on the guard's answering thread, which nothing else keeps busy: it listens on the
// folder's socket and answers there, going to the main thread only once the window is up.
class SingleInstanceGuard::Answerer : public QObject {
public:
    explicit Answerer(SingleInstanceGuard* guard) : guard_(guard) {}

    std::atomic<bool> started = false;

    void setRefusing(const QString& line) {
        const QMutexLocker lock(&mutex_);
        refusal_ = line;
    }

    void listen(const QStringList& names) {
        // Holding the lock means no live instance owns these names; a socket file left behind by
        // a killed one would only make listen() fail, or keep a later start asking it.
        for (const QString& name : names) {
            if (!QDir::isAbsolutePath(name)) {
                QLocalServer::removeServer(name); // a name Qt places in the temporary folder
                continue;
            }
            struct stat info {};
            const QByteArray path = QFile::encodeName(name);
            if (::lstat(path.constData(), &info) == 0 && S_ISSOCK(info.st_mode))
                ::unlink(path.constData());
        }
        server_ = new QLocalServer(this);
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        connect(server_, &QLocalServer::newConnection, this, &Answerer::serve);
        // The first place a later start looks that takes a socket.
        for (const QString& name : names)
            if (server_->listen(name))
                return;
        qWarning("Quorvale: cannot listen for later starts: %s", qPrintable(server_->errorString()));
    }

private:
    void serve() {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { answer(socket); });
        }
    }

    void answer(QLocalSocket* socket) {
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() > 64)
                socket->disconnectFromServer();
            return;
        }
        if (socket->readLine(64) != kRaiseRequest) {
            socket->disconnectFromServer();
            return;
        }
        if (const QString refusal = refusing(); !refusal.isEmpty()) {
            // Its message waits for the person in front of it: it comes to the front, and the
            // later start ends with the same line rather than wait for a window.
            QMetaObject::invokeMethod(
                guard_, [guard = guard_] { emit guard->raiseRequested(); }, Qt::QueuedConnection);
            reply(socket, kRefused + refusal.simplified().toUtf8().left(kLongestAnswer - 16) + '\n');
            return;
        }
        if (!started) {
            reply(socket, kStarting);
            return;
        }
        // The answer waits for the main thread to have raised the window: an instance whose
        // window is up but that is stuck must not seem to answer.
        QPointer<QLocalSocket> asking = socket;
        QMetaObject::invokeMethod(
            guard_,
            [guard = guard_, self = this, asking] {
                emit guard->raiseRequested();
                QMetaObject::invokeMethod(
                    self,
                    [asking] {
                        if (asking)
                            reply(asking, kAcknowledgement);
                    },
                    Qt::QueuedConnection);
            },
            Qt::QueuedConnection);
    }

    QString refusing() {
        const QMutexLocker lock(&mutex_);
        return refusal_;
    }

    SingleInstanceGuard* guard_;
    QLocalServer* server_ = nullptr;
    QMutex mutex_;
    QString refusal_;
};

SingleInstanceGuard::SingleInstanceGuard(const QString& dataFolder, QObject* parent)
    : QObject(parent), folder_(dataFolder) {}

SingleInstanceGuard::~SingleInstanceGuard() {
    // The answerer goes with its thread's end (closing the socket) before the lock is let go.
    if (answering_) {
        answering_->quit();
        answering_->wait();
    }
}

void SingleInstanceGuard::setStarted() {
    if (answerer_)
        answerer_->started = true;
}

QString SingleInstanceGuard::lockFilePath() const {
    return QDir(folder_).filePath(QStringLiteral("Quorvale.lock"));
}

void SingleInstanceGuard::setRefusing(const QString& line) {
    if (answerer_)
        answerer_->setRefusing(line.isEmpty() ? QStringLiteral("Quorvale could not start") : line);
}

QString SingleInstanceGuard::serverName(const QString& dataFolder) {
    return serverNames(dataFolder).constFirst();
}

QStringList SingleInstanceGuard::serverNames(const QString& dataFolder) {
    QStringList names;
    const auto add = [&names](const QString& path) {
        if (!path.isEmpty() && !names.contains(path))
            names << path;
    };
    const QString name = hashedName(dataFolder);
    if (const QString runtime = runtimeFolder(); !runtime.isEmpty())
        add(fitting(runtime + u'/' + name));
    // Beside the lock: the one place every start of the folder agrees on.
    add(fitting(QDir(canonicalFolder(dataFolder)).filePath(QStringLiteral("Quorvale.socket"))));
    if (const QString usual = usualRuntimeFolder(); !usual.isEmpty())
        add(fitting(usual + u'/' + name));
    // A data folder too deep for a socket's path: the temporary folder is the one place left.
    add(name);
    return names;
}

QString SingleInstanceGuard::ownerDescription() const {
    if (ownerPid_ <= 0)
        return QStringLiteral("a start that has not yet said which process it is");
    if (!ownerHost_.isEmpty())
        return QStringLiteral("process %1 on the machine %2").arg(ownerPid_).arg(ownerHost_);
    return QStringLiteral("process %1").arg(ownerPid_);
}

QString SingleInstanceGuard::elsewhereRefusal() const {
    // Held: the other machine's instance runs now (a lock shared over the network). Not held, it
    // may run there still, or be a copy that came with a backup or from another computer: only
    // someone who can look at that machine knows, and quitting there would not remove this copy.
    if (ownerHoldsLock_)
        return QStringLiteral("Quorvale: already running for %1 on another machine (%2); quit it there first")
            .arg(folder_, ownerDescription());
    return QStringLiteral(
               "Quorvale: the lock file %1 was left by Quorvale on %2 (process %3). If Quorvale no longer "
               "runs there, remove %1 and start again.")
        .arg(lockFilePath(), ownerHost_)
        .arg(ownerPid_);
}

SingleInstanceGuard::Outcome SingleInstanceGuard::acquire() {
    ownerPid_ = 0;
    ownerHost_.clear();
    ownerHoldsLock_ = false;
    if (!QDir().mkpath(folder_)) {
        error_ = QStringLiteral("cannot create the folder %1").arg(folder_);
        return Outcome::Failed;
    }
    // Looked at before anything opens it: opening a named pipe waits for a writer, and a start
    // never waits on a file.
    if (const QString reason = RegularFile::notAFileReason(lockFilePath()); !reason.isEmpty()) {
        error_ = QStringLiteral("the lock file ") + reason;
        return Outcome::Failed;
    }
    lock_ = std::make_unique<QLockFile>(lockFilePath());
    // Age alone never makes the lock stale: a week-long session keeps it. The owner's
    // process having gone does.
    lock_->setStaleLockTime(0);
    // Another start may be making the lock file, or taking over a left-over one, at this very
    // moment; such a race settles within moments, a left-over that cannot be removed never.
    const QDeadlineTimer deadline(kSettleMs);
    while (true) {
        if (lock_->tryLock(0)) {
            listen();
            return Outcome::Acquired;
        }
        if (lock_->error() != QLockFile::LockFailedError)
            break;
        const Found found = inspectLock();
        if (found == Found::liveOwner) {
            lock_.reset();
            return Outcome::AlreadyRunning;
        }
        if (found == Found::otherOwner) {
            lock_.reset();
            return Outcome::Failed;
        }
        if (found == Found::stuck || deadline.hasExpired())
            break;
        // After a removal, whichever start creates the file anew wins; otherwise look again soon.
        if (found != Found::removed)
            QThread::msleep(5);
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

SingleInstanceGuard::Found SingleInstanceGuard::inspectLock() {
    const QByteArray name = QFile::encodeName(lockFilePath());
    // Not blocking: something put in its place since acquire() looked must not hold the start.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? Found::removed : Found::unsettled;
    // A start locks its lock file the moment it has made it, before the file names it, and the
    // lock goes with its process: whoever holds it is alive, however new the file.
    const bool probed = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    const bool held = !probed && errno == EWOULDBLOCK;
    // While the probe holds the lock nobody else removes the file, so what is read here is
    // what gets removed.
    QByteArray content(256, Qt::Uninitialized);
    const ssize_t got = ::read(fd, content.data(), size_t(content.size()));
    content.truncate(got > 0 ? int(got) : 0);
    struct stat info {};
    const bool statted = ::fstat(fd, &info) == 0;
    const QList<QByteArray> lines = content.split('\n');
    bool named = false;
    qint64 pid = lines.value(0).toLongLong(&named);
    named = named && pid > 0 && lines.size() >= 3; // pid, application, host: written whole
    const QString application = QString::fromUtf8(lines.value(1)).trimmed();
    const QString host = QString::fromUtf8(lines.value(2)).trimmed();
    const bool elsewhere = named && !host.isEmpty() && host != QSysInfo::machineHostName();
    const auto heldByOther = [this](qint64 holder, const QString& program) {
        error_ = QStringLiteral("the lock file %1 is held by another program, not by Quorvale (%2)")
                     .arg(lockFilePath(), holder <= 0 ? QStringLiteral("it does not say which")
                                          : program.isEmpty()
                                              ? QStringLiteral("process %1").arg(holder)
                                              : QStringLiteral("%1, process %2").arg(program).arg(holder));
        return Found::otherOwner;
    };

    Found found = Found::unsettled;
    bool leftOver = false;
    if (statted && !S_ISREG(info.st_mode)) {
        found = Found::stuck; // a folder or the like in its place: no start takes it over
    } else if (held) {
        found = Found::liveOwner;
        if (named && !elsewhere && !application.isEmpty() && !isThisProgram(pid, application) &&
            application.compare(QCoreApplication::applicationName(), Qt::CaseInsensitive) != 0) {
            found = heldByOther(pid, programOf(pid));
        } else if (!named && statted) {
            // A start locks the file before it names itself; whoever else locks it is another
            // program (a backup or sync tool, say), and waiting for it to answer helps nobody.
            const qint64 holder = lockHolder(info);
            const QString program = holder > 0 ? programOf(holder) : QString();
            if (holder > 0 && !program.isEmpty() && !isThisProgram(holder, program))
                found = heldByOther(holder, program);
            else
                pid = holder;
        }
    } else if (named) {
        const QString program = elsewhere ? QString() : programOf(pid);
        if (elsewhere)
            found = Found::liveOwner; // a folder shared with another machine: its process cannot be checked
        // The signal-0 probe: the process exists (EPERM: it exists but belongs to someone else),
        // and still runs this program (not a process number given to another since).
        else if ((::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM) &&
                 (program.isEmpty() || isThisProgram(pid, program)))
            found = Found::liveOwner;
        else
            leftOver = true;
    } else {
        // Names no owner and nobody holds it: a write cut short, or a file made an instant ago
        // whose maker has not locked it yet. Only one that has stayed so for a while is left over.
        const qint64 age = statted ? QDateTime::currentSecsSinceEpoch() - qint64(info.st_mtime) : 0;
        leftOver = age >= kFreshLockSecs;
    }
    if (found == Found::liveOwner) {
        ownerPid_ = pid;
        ownerHost_ = elsewhere ? host : QString();
        ownerHoldsLock_ = held;
    }
    if (leftOver)
        found = ::unlink(name.constData()) == 0 || errno == ENOENT ? Found::removed : Found::unsettled;
    ::close(fd); // lets the probe's lock go with it
    return found;
}

void SingleInstanceGuard::listen() {
    if (answering_)
        return;
    answering_ = new QThread(this);
    answering_->setObjectName(QStringLiteral("Quorvale later starts"));
    answerer_ = new Answerer(this);
    answerer_->moveToThread(answering_);
    connect(answering_, &QThread::finished, answerer_, &QObject::deleteLater);
    answering_->start();
    // Listening before acquire() returns: a later start that finds the lock taken finds the socket.
    QMetaObject::invokeMethod(
        answerer_, [answerer = answerer_, names = serverNames(folder_)] { answerer->listen(names); },
        Qt::BlockingQueuedConnection);
}

SingleInstanceGuard::Raise SingleInstanceGuard::requestRaise(int timeoutMs) {
    const QStringList names = serverNames(folder_);
    refusal_.clear();
    // Counted from the first time nobody listened, and again after each answer: an owner that
    // answers "starting" is waited for, one nobody answers for only this long.
    std::optional<QDeadlineTimer> unheard;
    while (true) {
        bool connected = false;
        for (const QString& name : names) {
            QLocalSocket socket;
            socket.connectToServer(name);
            // A path nobody listens at fails at once; only a listener that does not accept waits.
            if (!socket.waitForConnected(timeoutMs))
                continue;
            connected = true;
            const QByteArray answer = ask(socket, timeoutMs);
            if (answer == kAcknowledgement)
                return Raise::Raised;
            if (answer.startsWith(kRefused)) {
                refusal_ = QString::fromUtf8(answer.mid(kRefused.size())).trimmed();
                return Raise::Refused;
            }
            if (answer != kStarting)
                return Raise::NoAnswer;
            break;
        }
        if (connected) {
            // Still opening its store or building its window: however long that takes, it is
            // on its way, and it says so each time.
            unheard.reset();
            QThread::msleep(kAskAgainMs);
            continue;
        }
        // Nobody listens: the owner is between taking the lock and listening, it has gone, or its
        // socket was removed under it (then nothing will ever answer).
        const Found found = inspectLock();
        if (found != Found::liveOwner && found != Found::unsettled)
            return Raise::OwnerGone;
        if (!unheard)
            unheard = QDeadlineTimer(timeoutMs);
        else if (unheard->hasExpired())
            return Raise::NoAnswer;
        QThread::msleep(50);
    }
}

#include "moc_SingleInstanceGuard.cpp"
