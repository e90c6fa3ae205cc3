// The owner check runs the real PAM library against service files of the test's own: a stack
// that permits, one that denies, and one that hands the typed password to a script.
#include "Platform/PamOwnerAuthenticator.h"

#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThreadPool>

namespace {

class PamCheck : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        write(QStringLiteral("permit"), QStringLiteral("auth required pam_permit.so\n"));
        write(QStringLiteral("deny"), QStringLiteral("auth required pam_deny.so\n"));
        const QString script = dir.filePath(QStringLiteral("check-password.sh"));
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        // pam_exec hands the password on standard input, ended by a NUL.
        file.write("#!/bin/sh\npw=$(tr -d '\\000')\n[ \"$pw\" = \"open sesame\" ]\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        write(QStringLiteral("password"),
              QStringLiteral("auth required pam_exec.so expose_authtok quiet %1\n").arg(script));
        // Stacks that take their time: a short pause, and a check as slow as a remote one.
        slowStack(QStringLiteral("pause"), 2);
        slowStack(QStringLiteral("slow"), 25);
    }
    void slowStack(const QString& service, int seconds) {
        const QString script = dir.filePath(service + QStringLiteral(".sh"));
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("#!/bin/sh\nexec sleep %1\n").arg(seconds).toUtf8());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        write(service, QStringLiteral("auth required pam_exec.so quiet %1\n").arg(script));
    }
    void write(const QString& service, const QString& text) {
        QFile file(dir.filePath(service));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }
    // One check through the worker thread; returns what finished() carried.
    std::pair<bool, QString> check(const QString& service, const QString& password) {
        PamOwnerAuthenticator authenticator(service, dir.path());
        QSignalSpy spy(&authenticator, &OwnerAuthenticator::finished);
        authenticator.check(password);
        EXPECT_TRUE(authenticator.isChecking());
        EXPECT_TRUE(spy.wait(20000));
        EXPECT_FALSE(authenticator.isChecking());
        if (spy.isEmpty())
            return {false, QStringLiteral("no answer")};
        return {spy.at(0).at(0).toBool(), spy.at(0).at(1).toString()};
    }

    QTemporaryDir dir;
};

TEST_F(PamCheck, PassesAndFailsAsTheStackSays) {
    const auto passed = check(QStringLiteral("permit"), QStringLiteral("anything"));
    EXPECT_TRUE(passed.first);
    EXPECT_TRUE(passed.second.isEmpty());

    const auto failed = check(QStringLiteral("deny"), QStringLiteral("anything"));
    EXPECT_FALSE(failed.first);
    // PAM's own description of the failure.
    EXPECT_EQ(failed.second, QStringLiteral("Authentication failure"));
}

TEST_F(PamCheck, TheTypedPasswordIsWhatPamReceives) {
    EXPECT_TRUE(check(QStringLiteral("password"), QStringLiteral("open sesame")).first);
    EXPECT_FALSE(check(QStringLiteral("password"), QStringLiteral("open sesame ")).first);
    EXPECT_FALSE(check(QStringLiteral("password"), QStringLiteral("wrong")).first);
}

TEST_F(PamCheck, OneCheckAtATime) {
    PamOwnerAuthenticator authenticator(QStringLiteral("permit"), dir.path());
    QSignalSpy spy(&authenticator, &OwnerAuthenticator::finished);
    authenticator.check(QStringLiteral("a"));
    authenticator.check(QStringLiteral("b"));
    ASSERT_TRUE(spy.wait(20000));
    // Give a second answer, were there one, every chance to arrive before the next check.
    PamOwnerAuthenticator later(QStringLiteral("permit"), dir.path());
    QSignalSpy laterSpy(&later, &OwnerAuthenticator::finished);
    later.check(QStringLiteral("c"));
    ASSERT_TRUE(laterSpy.wait(20000));
    QCoreApplication::processEvents();
    EXPECT_EQ(spy.count(), 1);
}

// A screen that goes leaves its check running; the next screen sees it running, cannot queue
// another behind it, and hears when it ends, without its answer.
TEST_F(PamCheck, AGoneScreensCheckIsNotAnsweredAndNothingQueuesBehindIt) {
    auto doomed = std::make_unique<PamOwnerAuthenticator>(QStringLiteral("pause"), dir.path());
    int answers = 0;
    QObject::connect(doomed.get(), &OwnerAuthenticator::finished, [&answers] { ++answers; });
    PamOwnerAuthenticator next(QStringLiteral("permit"), dir.path());
    QSignalSpy nextAnswers(&next, &OwnerAuthenticator::finished);
    QSignalSpy nextState(&next, &OwnerAuthenticator::checkingChanged);
    doomed->check(QStringLiteral("a"));
    EXPECT_EQ(nextState.count(), 1) << "every screen hears that a check began";
    EXPECT_TRUE(next.isChecking());
    doomed.reset();
    next.check(QStringLiteral("b"));
    EXPECT_TRUE(next.isChecking());
    ASSERT_TRUE(nextState.wait(20000));
    EXPECT_FALSE(next.isChecking());
    QCoreApplication::processEvents();
    EXPECT_EQ(answers, 0);
    EXPECT_TRUE(nextAnswers.isEmpty()) << "the check asked for while one ran was not queued";
    EXPECT_TRUE(check(QStringLiteral("permit"), QStringLiteral("c")).first);
}

// The application quits while a 25-second check runs and a second screen has asked for one:
// nothing waits for either.
TEST_F(PamCheck, QuittingDoesNotWaitForARunningCheck) {
    QProcess quitter;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LSAN_OPTIONS"),
               QStringLiteral("suppressions=") + qv::test::leakSuppressionsFile());
    quitter.setProcessEnvironment(env);
    quitter.start(QStringLiteral(QV_BINARY_DIR "/tests/qv_owner_check_quitter"),
                  {dir.path(), QStringLiteral("slow")});
    ASSERT_TRUE(quitter.waitForStarted(10000));
    QByteArray said;
    while (!said.contains('\n') && quitter.waitForReadyRead(20000))
        said += quitter.readAllStandardOutput();
    EXPECT_EQ(said, QByteArray("checking checking\n"));
    quitter.write("quit\n");
    // Well inside the check's 25 s, and far longer than an end takes on a busy machine.
    const bool quick = quitter.waitForFinished(12000);
    EXPECT_TRUE(quick) << "quitting waited for the check";
    if (!quick) {
        ASSERT_TRUE(quitter.waitForFinished(60000));
    }
    EXPECT_EQ(quitter.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(quitter.exitCode(), 0) << quitter.readAllStandardError().toStdString();
}

TEST_F(PamCheck, AnUnknownServiceFallsBackToTheDefaultStack) {
    // No file of that name: PAM reads the default stack, "other".
    write(QStringLiteral("other"), QStringLiteral("auth required pam_permit.so\n"));
    EXPECT_TRUE(check(QStringLiteral("no-such-service"), QStringLiteral("x")).first);
    write(QStringLiteral("other"), QStringLiteral("auth required pam_deny.so\n"));
    EXPECT_FALSE(check(QStringLiteral("no-such-service"), QStringLiteral("x")).first);
}

TEST(PamUser, TheRunningUserHasAName) {
    EXPECT_FALSE(PamOwnerAuthenticator::currentUserName().isEmpty());
}

} // namespace

// The painter hands its fills to the global pool, kept to one thread: a check waiting on PAM
// there would hold up every large fill until PAM answers.
TEST_F(PamCheck, ACheckLeavesTheGlobalPoolToThePainter) {
    PamOwnerAuthenticator authenticator(QStringLiteral("permit"), dir.path());
    QSignalSpy spy(&authenticator, &OwnerAuthenticator::finished);
    const int busy = QThreadPool::globalInstance()->activeThreadCount();
    authenticator.check(QStringLiteral("a"));
    EXPECT_EQ(QThreadPool::globalInstance()->activeThreadCount(), busy);
    ASSERT_TRUE(spy.wait(20000));
}
