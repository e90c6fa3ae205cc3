// The application as it starts: one instance per data folder, a store it must not touch, a
// damaged store salvaged after the window shows.

#include "Models/Goal.h"
#include "Models/QuorvaleModel.h"
#include "Platform/SingleInstanceGuard.h"
#include "Store/ObjectContext.h"
#include "Store/StoreFile.h"
#include "Store/StoreMigrations.h"
#include "Support/LockHolder.h"
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSysInfo>
#include <QThread>

#include <SQLiteCpp/Database.h>

#include <csignal>
#include <cstdio>
#include <map>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class SingleInstance : public testing::Test {
protected:
    void SetUp() override {
        binary_ = QStringLiteral(QV_APP_BINARY);
        ASSERT_TRUE(QFileInfo(binary_).isExecutable()) << binary_.toStdString();
        dataFolder_ = qv::test::tempHome() + QStringLiteral("/data/Quorvale");
        // The session's runtime folder, where the first start listens for later ones: private.
        const QString runtime = qv::test::tempHome() + QStringLiteral("/runtime");
        ASSERT_TRUE(QDir().mkpath(runtime));
        ASSERT_TRUE(QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    }
    void TearDown() override {
        qunsetenv("XDG_RUNTIME_DIR");
        for (QProcess* p : started_) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(10000);
            }
            delete p;
        }
    }

    // The application, with the variables of `differing` set its own way.
    QProcess* start(const std::map<QString, QString>& differing = {}) {
        auto* process = new QProcess;
        started_.push_back(process);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QUORVALE_TRACE_RAISE"), QStringLiteral("1"));
        for (const auto& [name, value] : differing)
            env.insert(name, value);
        process->setProcessEnvironment(env);
        process->start(binary_, {});
        EXPECT_TRUE(process->waitForStarted(10000));
        return process;
    }

    // True once some instance answers on the data folder's socket.
    bool waitUntilListening(QProcess* owner) {
        const QDeadlineTimer deadline(30000);
        while (!deadline.hasExpired() && owner->state() == QProcess::Running) {
            QLocalSocket probe;
            probe.connectToServer(SingleInstanceGuard::serverName(dataFolder_));
            if (probe.waitForConnected(200))
                return true;
            QThread::msleep(50);
        }
        return false;
    }

    static bool waitForLine(QProcess* process, const QByteArray& line) {
        const QDeadlineTimer deadline(60000);
        QByteArray seen;
        while (!deadline.hasExpired()) {
            seen += process->readAllStandardOutput();
            if (seen.split('\n').contains(line))
                return true;
            process->waitForReadyRead(200);
        }
        return false;
    }

    QString binary_;
    QString dataFolder_;
    std::vector<QProcess*> started_;
};

} // namespace

TEST_F(SingleInstance, ASecondStartRaisesTheFirstAndExits) {
    QProcess* first = start();
    ASSERT_TRUE(waitUntilListening(first)) << first->readAllStandardError().toStdString();

    // Started from another shell, whose temporary folder is another: the two still meet.
    const QString otherTemp = qv::test::tempHome() + QStringLiteral("/other-tmp");
    ASSERT_TRUE(QDir().mkpath(otherTemp));
    QProcess* second = start({{QStringLiteral("TMPDIR"), otherTemp}});
    ASSERT_TRUE(second->waitForFinished(30000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0) << second->readAllStandardError().toStdString();
    EXPECT_TRUE(second->readAllStandardOutput().isEmpty());

    EXPECT_TRUE(waitForLine(first, "raised"));
    EXPECT_EQ(first->state(), QProcess::Running);
}

TEST_F(SingleInstance, AStartAfterTheFirstWasKilledRunsNormally) {
    QProcess* first = start();
    ASSERT_TRUE(waitUntilListening(first));
    first->kill();
    ASSERT_TRUE(first->waitForFinished(10000));

    QProcess* next = start();
    ASSERT_TRUE(waitUntilListening(next)) << next->readAllStandardError().toStdString();
    EXPECT_FALSE(next->waitForFinished(1000));
    EXPECT_EQ(next->state(), QProcess::Running);

    // It is the instance now: a further start reaches it.
    QProcess* later = start();
    ASSERT_TRUE(later->waitForFinished(30000));
    EXPECT_EQ(later->exitCode(), 0);
    EXPECT_TRUE(waitForLine(next, "raised"));
}

// The first start's socket removed under it (a clean-up of old files): a second start finds the
// first alive and nobody to answer for it, and ends with its line rather than wait for ever.
TEST_F(SingleInstance, ASecondStartThatNobodyAnswersForEndsWithItsLine) {
    QProcess* first = start();
    ASSERT_TRUE(waitUntilListening(first)) << first->readAllStandardError().toStdString();
    ASSERT_TRUE(QFile::remove(SingleInstanceGuard::serverName(dataFolder_)));

    QProcess* second = start();
    ASSERT_TRUE(second->waitForFinished(30000)) << "the second start waits for an answer that never comes";
    EXPECT_NE(second->exitCode(), 0);
    const QByteArray said = second->readAllStandardError();
    EXPECT_TRUE(
        said.contains(QStringLiteral("Quorvale: already running for %1 (process %2), but it did not answer")
                          .arg(dataFolder_)
                          .arg(first->processId())
                          .toUtf8()))
        << said.toStdString();
    EXPECT_EQ(first->state(), QProcess::Running);
}

// A first start that dies while it is still starting (killed while it salvages its store, say):
// a second start waiting for it takes the lock and starts in its place. The first here is this
// test: a process holding the lock, and this one answering for it that it is still starting.
TEST_F(SingleInstance, ASecondStartWaitingForAFirstThatDiesStartsInItsPlace) {
    ASSERT_TRUE(QDir().mkpath(dataFolder_));
    const QString lockFile = SingleInstanceGuard(dataFolder_).lockFilePath();
    const pid_t first = qv::test::holdLockInChild(lockFile, "120");
    ASSERT_GT(first, 0);
    {
        QFile lock(lockFile);
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
        lock.write(QByteArray::number(first) + "\nQuorvale\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    QLocalServer answering;
    ASSERT_TRUE(answering.listen(SingleInstanceGuard::serverName(dataFolder_)))
        << answering.errorString().toStdString();
    int asked = 0;
    QObject::connect(&answering, &QLocalServer::newConnection, [&] {
        while (QLocalSocket* socket = answering.nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, [socket, &asked] {
                if (!socket->canReadLine())
                    return;
                socket->readLine();
                socket->write("starting\n");
                socket->flush();
                socket->disconnectFromServer();
                ++asked;
            });
        }
    });

    QProcess* second = start();
    // Asked again after it was told once: it waits.
    const QDeadlineTimer deadline(30000);
    while (asked < 2 && !deadline.hasExpired() && second->state() == QProcess::Running) {
        qv::test::settle(1);
        QThread::msleep(10);
    }
    ASSERT_GE(asked, 2) << second->readAllStandardError().toStdString();
    ::kill(first, SIGKILL);
    ::waitpid(first, nullptr, 0);
    answering.close();

    ASSERT_TRUE(waitUntilListening(second)) << "the second start did not start in the first's place: "
                                            << second->readAllStandardError().toStdString();
    QProcess* later = start();
    ASSERT_TRUE(later->waitForFinished(30000));
    EXPECT_EQ(later->exitCode(), 0) << later->readAllStandardError().toStdString();
    EXPECT_TRUE(waitForLine(second, "raised"));
}

TEST_F(SingleInstance, AStartThatCannotTakeTheLockEndsNonZeroWithItsReason) {
    // A lock in the way that cannot be removed (a folder); as root, permissions would not do.
    ASSERT_TRUE(QDir().mkpath(dataFolder_ + QStringLiteral("/Quorvale.lock")));
    QProcess* blocked = start();
    ASSERT_TRUE(blocked->waitForFinished(30000));
    EXPECT_EQ(blocked->exitStatus(), QProcess::NormalExit);
    EXPECT_NE(blocked->exitCode(), 0);
    const QByteArray said = blocked->readAllStandardError();
    EXPECT_TRUE(said.contains("Quorvale: cannot start: the lock file")) << said.toStdString();
    EXPECT_EQ(said.count("Quorvale:"), 1) << said.toStdString();
    EXPECT_FALSE(QFile::exists(dataFolder_ + QStringLiteral("/Quorvale.sqlite")))
        << "the store is not touched";
}

TEST_F(SingleInstance, APipeAsAnyFileAStartOpensEndsTheStartNamingItAndStaysWhereItIs) {
    const QString settings = qv::test::tempHome() + QStringLiteral("/config/Quorvale");
    const QString store = dataFolder_ + QStringLiteral("/Quorvale.sqlite");
    const QString defaults = settings + QStringLiteral("/defaults.sqlite");
    const QString pipes[] = {dataFolder_ + QStringLiteral("/Quorvale.lock"),
                             store + QStringLiteral("-journal"), defaults + QStringLiteral("-journal"),
                             defaults + QStringLiteral("-wal"), defaults + QStringLiteral("-shm")};
    for (const QString& pipe : pipes) {
        SCOPED_TRACE(pipe.toStdString());
        ASSERT_TRUE(QDir().mkpath(dataFolder_));
        ASSERT_TRUE(QDir().mkpath(settings));
        ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
        QElapsedTimer clock;
        clock.start();
        QProcess* refused = start();
        // Far longer than any start takes: what is asserted is that it ends at all.
        const bool ended = refused->waitForFinished(30000);
        std::printf("a pipe as %s: the start ended in %.2f s\n", qPrintable(QFileInfo(pipe).fileName()),
                    clock.elapsed() / 1000.0);
        ASSERT_TRUE(ended) << "the start waits on the pipe";
        EXPECT_NE(refused->exitCode(), 0);
        const QString said = QString::fromLocal8Bit(refused->readAllStandardError());
        EXPECT_TRUE(said.contains(pipe + QStringLiteral(" is a named pipe"))) << said.toStdString();
        struct stat info {};
        EXPECT_TRUE(::lstat(QFile::encodeName(pipe).constData(), &info) == 0 && S_ISFIFO(info.st_mode))
            << "the pipe stays where it was";
        EXPECT_FALSE(::lstat(QFile::encodeName(store).constData(), &info) == 0 && S_ISFIFO(info.st_mode))
            << "no pipe is moved to the store's path";
        ASSERT_TRUE(QDir(dataFolder_).removeRecursively());
        ASSERT_TRUE(QDir(settings).removeRecursively());
    }
}

TEST_F(SingleInstance, AStoreOfANewerBuildEndsTheStartNonZeroAndStaysAsItIs) {
    QDir().mkpath(dataFolder_);
    const QString store = dataFolder_ + QStringLiteral("/Quorvale.sqlite");
    {
        SQLite::Database db(store.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        db.exec(
            "CREATE TABLE \"Goal\" (\"pk\" INTEGER PRIMARY KEY, \"title\" TEXT, \"shiny\" TEXT NOT NULL)");
        db.exec("PRAGMA user_version = " + std::to_string(StoreMigrations::latestVersion() + 1));
    }
    QFile file(store);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    QProcess* refused = start();
    ASSERT_TRUE(refused->waitForFinished(30000));
    EXPECT_NE(refused->exitCode(), 0);
    const QByteArray said = refused->readAllStandardError();
    EXPECT_TRUE(said.contains("was written by a newer Quorvale")) << said.toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    EXPECT_FALSE(QFile::exists(dataFolder_ + QStringLiteral("/Quorvale.lock"))) << "the lock is let go";

    // Once the newer build's file is gone, a start runs as usual: nothing was left behind.
    QFile::remove(store);
    QProcess* next = start();
    EXPECT_TRUE(waitUntilListening(next)) << next->readAllStandardError().toStdString();
}

TEST_F(SingleInstance, ADamagedStoreIsCheckedAfterTheWindowShowsAndSalvaged) {
    const QString store = dataFolder_ + QStringLiteral("/Quorvale.sqlite");
    {
        StoreFile::Result opened = StoreFile::open(QuorvaleModel::objectModel(), store);
        ASSERT_TRUE(opened.context) << opened.error.toStdString();
        for (int i = 0; i < 50; ++i)
            Goal::create(opened.context.get())->setTitle(QStringLiteral("Goal %1").arg(i));
        ASSERT_TRUE(opened.context->save());
    }
    int root = 0;
    {
        SQLite::Database db(store.toStdString(), SQLite::OPEN_READONLY);
        root = db.execAndGet("SELECT rootpage FROM sqlite_master WHERE name = 'Goal_createdAt'").getInt();
    }
    ASSERT_GT(root, 1);
    {
        // An index page that opening the store never reads: only the check finds it.
        QFile file(store);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(qint64(root - 1) * 4096);
        file.write(QByteArray(4096, char(0x5A)));
    }

    QProcess* app = start();
    ASSERT_TRUE(waitUntilListening(app)) << app->readAllStandardError().toStdString();
    const QDeadlineTimer deadline(30000);
    QByteArray said;
    while (!said.contains("is damaged") && !deadline.hasExpired() && app->state() == QProcess::Running) {
        app->waitForReadyRead(200);
        said += app->readAllStandardError();
    }
    EXPECT_TRUE(said.contains("is damaged")) << said.toStdString();
    app->kill();
    app->waitForFinished(10000);
    EXPECT_EQ(QDir(dataFolder_).entryList({QStringLiteral("Quorvale.sqlite.corrupt-*")}, QDir::Files).size(),
              1);
    StoreFile::Result reopened = StoreFile::open(QuorvaleModel::objectModel(), store);
    ASSERT_TRUE(reopened.context);
    EXPECT_TRUE(reopened.movedTo.isEmpty()) << "the new store is sound";
    EXPECT_EQ(reopened.context->count(FetchRequest(Goal::entityName())), 50);
}
