// The display going away while the application runs (the X server killed, the session ended):
// Qt ends the process with exit() from inside the event loop, so static objects are destroyed
// while the window and the store are still there. The sanitizer build must say nothing then.
#include "Platform/SingleInstanceGuard.h"
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>

namespace {

class DisplayLoss : public testing::Test {
protected:
    void TearDown() override {
        for (QProcess* p : {&app, &second, &server}) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(10000);
            }
        }
    }

    // A private X server; returns its display name once it accepts clients.
    QString startServer() {
        server.start(QStringLiteral("Xvfb"),
                     {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                      QStringLiteral("0"), QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                      QStringLiteral("tcp")});
        if (!server.waitForStarted(10000))
            return {};
        const QDeadlineTimer deadline(30000);
        QByteArray said;
        while (!said.contains('\n') && !deadline.hasExpired() && server.state() == QProcess::Running) {
            server.waitForReadyRead(200);
            said += server.readAllStandardOutput();
        }
        return said.contains('\n') ? QLatin1Char(':') + QString::fromLatin1(said.trimmed()) : QString();
    }

    void startApp(QProcess& process, const QString& display) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("QUORVALE_TRACE_RAISE"), QStringLiteral("1"));
        env.insert(QStringLiteral("LSAN_OPTIONS"),
                   QStringLiteral("suppressions=") + qv::test::leakSuppressionsFile());
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(QV_APP_BINARY), {});
        ASSERT_TRUE(process.waitForStarted(10000));
    }

    QProcess server;
    QProcess app;
    QProcess second;
};

} // namespace

TEST_F(DisplayLoss, KillingTheServerEndsTheAppWithoutAMemoryError) {
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_TRUE(QFileInfo(QStringLiteral(QV_APP_BINARY)).isExecutable());
    const QString display = startServer();
    ASSERT_FALSE(display.isEmpty()) << server.readAllStandardError().toStdString();

    startApp(app, display);
    const QString socketName =
        SingleInstanceGuard::serverName(qv::test::tempHome() + QStringLiteral("/data/Quorvale"));
    QDeadlineTimer deadline(60000);
    bool listening = false;
    while (!listening && !deadline.hasExpired() && app.state() == QProcess::Running) {
        QLocalSocket probe;
        probe.connectToServer(socketName);
        listening = probe.waitForConnected(200);
        if (!listening)
            QThread::msleep(50);
    }
    ASSERT_TRUE(listening) << app.readAllStandardError().toStdString();
    // A second start hands over to the first, which says so once its event loop runs, with its
    // window shown and its first screen's figures read.
    startApp(second, display);
    ASSERT_TRUE(second.waitForFinished(30000));
    QByteArray said;
    while (!said.contains("raised") && !deadline.hasExpired() && app.state() == QProcess::Running) {
        app.waitForReadyRead(500);
        said += app.readAllStandardOutput();
    }
    ASSERT_TRUE(said.contains("raised")) << app.readAllStandardError().toStdString();

    server.terminate();
    ASSERT_TRUE(server.waitForFinished(10000));
    ASSERT_TRUE(app.waitForFinished(60000)) << "the application outlived its display";
    const QString errors = QString::fromLocal8Bit(app.readAllStandardError());
    EXPECT_FALSE(errors.contains(QLatin1String("Sanitizer"))) << errors.toStdString();
    EXPECT_FALSE(errors.contains(QLatin1String("runtime error"))) << errors.toStdString();
}
