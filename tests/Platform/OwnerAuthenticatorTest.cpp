// The owner check runs the real PAM library against service files of the test's own: a stack
// that permits, one that denies, and one that hands the typed password to a script.
#include "Platform/PamOwnerAuthenticator.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
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

TEST_F(PamCheck, AnAnswerForAGoneAuthenticatorIsDropped) {
    auto doomed = std::make_unique<PamOwnerAuthenticator>(QStringLiteral("permit"), dir.path());
    int answers = 0;
    QObject::connect(doomed.get(), &OwnerAuthenticator::finished, [&answers] { ++answers; });
    doomed->check(QStringLiteral("a"));
    doomed.reset();
    // The first worker's answer usually arrives while this check waits; under the sanitizer,
    // one that reached the freed object would fail the run.
    // Checks run one after another: the first one's answer was posted before this one's.
    const auto after = check(QStringLiteral("permit"), QStringLiteral("b"));
    EXPECT_TRUE(after.first);
    QCoreApplication::processEvents();
    EXPECT_EQ(answers, 0);
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
