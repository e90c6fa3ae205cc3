// Two starts at the same instant (a double click on a launcher): one runs, the other hands
// over to it and ends 0, whichever of them makes the lock file first.

#include "Platform/SingleInstanceGuard.h"

#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <memory>

namespace {

constexpr int kRounds = 8;

std::unique_ptr<QProcess> startApp(const QString& dataHome) {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QUORVALE_TRACE_RAISE"), QStringLiteral("1"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    process->setProcessEnvironment(env);
    process->start(QStringLiteral(QV_APP_BINARY), {});
    return process;
}

bool sawLine(QProcess& process, const QByteArray& line, QByteArray* seen) {
    const QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired()) {
        *seen += process.readAllStandardOutput();
        if (seen->split('\n').contains(line))
            return true;
        process.waitForReadyRead(100);
    }
    return false;
}

} // namespace

TEST(DoubleStart, TwoStartsTogetherGiveOneRunningInstanceAndNoRefusal) {
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        const QString dataHome = qv::test::tempHome() + QStringLiteral("/double-%1").arg(round);
        auto first = startApp(dataHome);
        auto second = startApp(dataHome);
        ASSERT_TRUE(first->waitForStarted(10000));
        ASSERT_TRUE(second->waitForStarted(10000));

        // One of them hands over and ends; the other stays.
        QProcess* ended = nullptr;
        const QDeadlineTimer deadline(60000);
        while (!ended && !deadline.hasExpired()) {
            for (QProcess* p : {first.get(), second.get()})
                if (!ended && p->waitForFinished(20))
                    ended = p;
        }
        ASSERT_NE(ended, nullptr) << "neither start ended";
        QProcess* running = ended == first.get() ? second.get() : first.get();
        const QByteArray said = ended->readAllStandardError();
        EXPECT_EQ(ended->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(ended->exitCode(), 0) << said.toStdString();
        EXPECT_FALSE(said.contains("Quorvale:")) << said.toStdString();
        QByteArray seen;
        EXPECT_TRUE(sawLine(*running, "raised", &seen)) << "the first window was raised";
        EXPECT_EQ(running->state(), QProcess::Running) << running->readAllStandardError().toStdString();
        running->kill();
        running->waitForFinished(10000);
        if (HasFailure())
            return;
    }
}

TEST(SingleInstanceGuard, ALockFileHeldByAnotherStartIsALiveOwnersBeforeItNamesOne) {
    const QString folder = qv::test::tempHome() + QStringLiteral("/data/Held");
    ASSERT_TRUE(QDir().mkpath(folder));
    SingleInstanceGuard guard(folder);
    // As a start that has made and locked the file and not yet written its process into it.
    const int held = ::open(QFile::encodeName(guard.lockFilePath()).constData(),
                            O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);

    EXPECT_EQ(guard.acquire(), SingleInstanceGuard::Outcome::AlreadyRunning)
        << guard.errorString().toStdString();
    EXPECT_TRUE(QFile::exists(guard.lockFilePath())) << "the other start's file stays";

    // Once that start is gone (its lock goes with it), a file that names nobody is left over.
    ::close(held);
    SingleInstanceGuard later(folder);
    EXPECT_EQ(later.acquire(), SingleInstanceGuard::Outcome::Acquired);
}
