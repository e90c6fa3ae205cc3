// The lock that keeps a second start of the application from opening the same store.

#include "Platform/SingleInstanceGuard.h"

#include "Support/LockHolder.h"
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QObject>
#include <QProcess>
#include <QSysInfo>
#include <QThread>

#include <atomic>
#include <csignal>
#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Asks the instance of the folder to raise its window from another thread, as a later start
// would, while this thread's event loop (the instance's main thread) runs.
SingleInstanceGuard::Raise ask(const QString& folder, int timeoutMs) {
    std::atomic<SingleInstanceGuard::Raise> answer = SingleInstanceGuard::Raise::NoAnswer;
    std::unique_ptr<QThread> sender(
        QThread::create([&] { answer = SingleInstanceGuard(folder).requestRaise(timeoutMs); }));
    sender->start();
    const QDeadlineTimer deadline(30000);
    while (!sender->isFinished() && !deadline.hasExpired())
        qv::test::settle(1);
    sender->wait();
    return answer;
}

} // namespace

TEST(SingleInstanceGuard, TakesOverALockLeftByADeadProcessAndTellsLiveOnesApart) {
    const QString folder = qv::test::tempHome() + QStringLiteral("/data/Guarded");
    SingleInstanceGuard first(folder);
    ASSERT_EQ(first.acquire(), SingleInstanceGuard::Outcome::Acquired);
    SingleInstanceGuard second(folder);
    EXPECT_EQ(second.acquire(), SingleInstanceGuard::Outcome::AlreadyRunning);

    int raised = 0;
    QObject::connect(&first, &SingleInstanceGuard::raiseRequested, [&raised] { ++raised; });
    first.setStarted();
    EXPECT_EQ(ask(folder, 5000), SingleInstanceGuard::Raise::Raised);
    EXPECT_EQ(raised, 1);

    SingleInstanceGuard elsewhere(qv::test::tempHome() + QStringLiteral("/data/Other"));
    EXPECT_NE(SingleInstanceGuard::serverName(folder),
              SingleInstanceGuard::serverName(qv::test::tempHome() + QStringLiteral("/data/Other")));
    EXPECT_EQ(elsewhere.requestRaise(300), SingleInstanceGuard::Raise::OwnerGone) << "nobody holds it";
}

// A later start that finds the first still starting (its main thread busy opening the store or
// building the window) waits for it past the time it gives an answer, and hands over once the
// window is up; a first whose window is up and whose main thread does not answer is refused.
TEST(SingleInstanceGuard, ALaterStartWaitsForAFirstStillStartingButNotForOneUpAndMute) {
    const QString folder = qv::test::tempHome() + QStringLiteral("/data/Starting");
    SingleInstanceGuard first(folder);
    ASSERT_EQ(first.acquire(), SingleInstanceGuard::Outcome::Acquired);
    int raised = 0;
    QObject::connect(&first, &SingleInstanceGuard::raiseRequested, [&raised] { ++raised; });

    std::atomic<SingleInstanceGuard::Raise> answer = SingleInstanceGuard::Raise::NoAnswer;
    std::unique_ptr<QThread> later(
        QThread::create([&] { answer = SingleInstanceGuard(folder).requestRaise(200); }));
    later->start();
    // This thread stays busy, as a start's does while it builds its window, for five times the
    // later start's bound on an answer.
    EXPECT_FALSE(later->wait(1000)) << "the later start gave up on a first still starting";
    first.setStarted();
    const QDeadlineTimer deadline(30000);
    while (!later->isFinished() && !deadline.hasExpired())
        qv::test::settle(1);
    ASSERT_TRUE(later->wait(30000));
    EXPECT_EQ(answer.load(), SingleInstanceGuard::Raise::Raised);
    EXPECT_EQ(raised, 1);

    // Up, and its main thread never gets to the request while the later start waits.
    answer = SingleInstanceGuard::Raise::Raised;
    std::unique_ptr<QThread> refused(
        QThread::create([&] { answer = SingleInstanceGuard(folder).requestRaise(200); }));
    refused->start();
    ASSERT_TRUE(refused->wait(30000));
    EXPECT_EQ(answer.load(), SingleInstanceGuard::Raise::NoAnswer);
    qv::test::settle(); // the request it missed arrives; nobody waits for its answer
}

// A first that could not start and is showing why tells a later start its line, and asks for its
// message to come to the front; one whose socket was removed under it (a clean-up of old files)
// answers nothing, and a later start does not wait for it.
TEST(SingleInstanceGuard, ALaterStartHearsWhyTheFirstCannotStartAndWaitsForNobodyUnheard) {
    const QString folder = qv::test::tempHome() + QStringLiteral("/data/Refusing");
    SingleInstanceGuard first(folder);
    ASSERT_EQ(first.acquire(), SingleInstanceGuard::Outcome::Acquired);
    int raised = 0;
    QObject::connect(&first, &SingleInstanceGuard::raiseRequested, [&raised] { ++raised; });
    const QString line = QStringLiteral("CoreData load error: unable to open database file");
    first.setRefusing(line);

    std::atomic<SingleInstanceGuard::Raise> answer = SingleInstanceGuard::Raise::Raised;
    QString told;
    std::unique_ptr<QThread> later(QThread::create([&] {
        SingleInstanceGuard guard(folder);
        answer = guard.requestRaise(5000);
        told = guard.refusal();
    }));
    later->start();
    ASSERT_TRUE(later->wait(30000));
    EXPECT_EQ(answer.load(), SingleInstanceGuard::Raise::Refused);
    EXPECT_EQ(told, line);
    const QDeadlineTimer deadline(30000);
    while (raised == 0 && !deadline.hasExpired())
        qv::test::settle(1);
    EXPECT_EQ(raised, 1) << "the message is brought to the front";

    ASSERT_TRUE(QFile::remove(SingleInstanceGuard::serverName(folder)));
    std::unique_ptr<QThread> unheard(
        QThread::create([&] { answer = SingleInstanceGuard(folder).requestRaise(200); }));
    unheard->start();
    ASSERT_TRUE(unheard->wait(30000)) << "a later start waits for a first nobody answers for";
    EXPECT_EQ(answer.load(), SingleInstanceGuard::Raise::NoAnswer);
}

TEST(SingleInstanceGuard, ALockNamingADeadProcessOrNoOneIsTakenOver) {
    const QString folder = qv::test::tempHome() + QStringLiteral("/data/Stale");
    QDir().mkpath(folder);
    QProcess gone;
    gone.start(QStringLiteral("true"), {});
    ASSERT_TRUE(gone.waitForStarted(10000));
    const qint64 deadPid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished(10000));

    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    // A dead process, a process number given to another program since (the first one), nobody.
    const QList<QByteArray> leftovers{QByteArray::number(deadPid) + "\nquorvale\n" + host + "\n",
                                      "1\nquorvale\n" + host + "\n", QByteArray(), QByteArray("\0\0\0\0", 4)};
    for (const QByteArray& content : leftovers) {
        SingleInstanceGuard guard(folder);
        QFile lock(guard.lockFilePath());
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
        lock.write(content);
        lock.close();
        EXPECT_EQ(guard.acquire(), SingleInstanceGuard::Outcome::Acquired) << content.toStdString();
    }
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/Quorvale.lock"))) << "released with the guard";
}

TEST(SingleInstanceGuard, ALockOfAnotherMachineOrHeldByAnotherProgramIsNamedAsSuch) {
    const QString folder = qv::test::tempHome() + QStringLiteral("/data/Shared");
    QDir().mkpath(folder);
    SingleInstanceGuard guard(folder);
    const QString lockFile = guard.lockFilePath();
    {
        // Written by a start on another machine that shares the folder: not this machine's to
        // take over, and its process cannot be looked for here.
        QFile lock(lockFile);
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
        lock.write("4242\nQuorvale\nstudy-pc-" + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    EXPECT_EQ(guard.acquire(), SingleInstanceGuard::Outcome::AlreadyRunning);
    EXPECT_EQ(guard.ownerDescription(),
              QStringLiteral("process 4242 on the machine study-pc-%1").arg(QSysInfo::machineHostName()));
    EXPECT_TRUE(QFile::exists(lockFile)) << "left to its owner";
    // Held by no process: a copy restored from a backup or brought from another computer, which
    // quitting there would not remove. The line says which file may go, and when.
    EXPECT_EQ(
        guard.elsewhereRefusal(),
        QStringLiteral("Quorvale: the lock file %1 was left by Quorvale on study-pc-%2 (process 4242). If "
                       "Quorvale no longer runs there, remove %1 and start again.")
            .arg(lockFile, QSysInfo::machineHostName()));
    ASSERT_TRUE(QFile::remove(lockFile));

    // Held locked by a program that is not this one (as a backup tool might), naming nobody.
    const pid_t holder = qv::test::holdLockInChild(lockFile, "60");
    ASSERT_GT(holder, 0);
    // Asked once the holder has become the other program.
    const QDeadlineTimer deadline(10000);
    for (QByteArray program; program != "sleep" && !deadline.hasExpired(); QThread::msleep(10)) {
        QFile comm(QStringLiteral("/proc/%1/comm").arg(holder));
        if (comm.open(QIODevice::ReadOnly))
            program = comm.readAll().trimmed();
    }
    SingleInstanceGuard blocked(folder);
    EXPECT_EQ(blocked.acquire(), SingleInstanceGuard::Outcome::Failed);
    EXPECT_EQ(
        blocked.errorString(),
        QStringLiteral("the lock file %1 is held by another program, not by Quorvale (sleep, process %2)")
            .arg(lockFile)
            .arg(holder));
    EXPECT_TRUE(QFile::exists(lockFile));
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    SingleInstanceGuard after(folder);
    EXPECT_EQ(after.acquire(), SingleInstanceGuard::Outcome::Acquired) << "taken once that program let go";
}
