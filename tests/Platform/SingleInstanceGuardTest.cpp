// The lock that keeps a second start of the application from opening the same store.

#include "Platform/SingleInstanceGuard.h"

#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QObject>
#include <QProcess>
#include <QSysInfo>
#include <QThread>

TEST(SingleInstanceGuard, TakesOverALockLeftByADeadProcessAndTellsLiveOnesApart) {
    const QString folder = qv::test::tempHome() + QStringLiteral("/data/Guarded");
    SingleInstanceGuard first(folder);
    ASSERT_EQ(first.acquire(), SingleInstanceGuard::Outcome::Acquired);
    SingleInstanceGuard second(folder);
    EXPECT_EQ(second.acquire(), SingleInstanceGuard::Outcome::AlreadyRunning);

    int raised = 0;
    QObject::connect(&first, &SingleInstanceGuard::raiseRequested, [&raised] { ++raised; });
    // The request is answered by this same process's event loop, so send it from a thread.
    bool delivered = false;
    QThread* sender = QThread::create([&] { delivered = SingleInstanceGuard(folder).requestRaise(5000); });
    sender->start();
    const QDeadlineTimer deadline(10000);
    while (!sender->isFinished() && !deadline.hasExpired())
        qv::test::settle(1);
    sender->wait();
    delete sender;
    EXPECT_TRUE(delivered);
    EXPECT_EQ(raised, 1);

    SingleInstanceGuard elsewhere(qv::test::tempHome() + QStringLiteral("/data/Other"));
    EXPECT_NE(SingleInstanceGuard::serverName(folder),
              SingleInstanceGuard::serverName(qv::test::tempHome() + QStringLiteral("/data/Other")));
    EXPECT_FALSE(elsewhere.requestRaise(300));
}

TEST(SingleInstanceGuard, ALockNamingADeadProcessOrNoOneIsTakenOver) {
    const QString folder = qv::test::tempHome() + QStringLiteral("/data/Stale");
    QDir().mkpath(folder);
    QProcess gone;
    gone.start(QStringLiteral("true"), {});
    ASSERT_TRUE(gone.waitForStarted(10000));
    const qint64 deadPid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished(10000));

    const QList<QByteArray> leftovers{QByteArray::number(deadPid) + "\nquorvale\n" +
                                          QSysInfo::machineHostName().toUtf8() + "\n",
                                      QByteArray(), QByteArray("\0\0\0\0", 4)};
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
