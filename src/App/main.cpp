#include "App/QuorvaleApp.h"
#include "Models/Persistence/PersistenceController.h"
#include "Platform/SingleInstanceGuard.h"
#include "Platform/UserDefaults.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>

namespace {

bool displayAvailable() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty())
        return true;
    return !qgetenv("DISPLAY").isEmpty() || !qgetenv("WAYLAND_DISPLAY").isEmpty();
}

// The one line a start that cannot go on ends with, on standard error.
int endSaying(const QString& line) {
    std::fprintf(stderr, "%s\n", qPrintable(line));
    std::fflush(stderr);
    return EXIT_FAILURE;
}

// A start that cannot go on says why in one line and, where someone can see it, in a message
// window, then ends non-zero. It returns to main, so the single-instance lock is released. While
// it holds the lock (holding), a later start is told the same line and brings the message to the
// front, rather than wait for a window that never comes.
int refuseToStart(const QString& reason, SingleInstanceGuard* holding = nullptr) {
    endSaying(reason);
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return EXIT_FAILURE;
    if (holding) {
        holding->setRefusing(reason);
        QObject::connect(holding, &SingleInstanceGuard::raiseRequested, [] {
            if (QWidget* message = QApplication::activeModalWidget()) {
                message->raise();
                message->activateWindow();
            }
        });
    }
    QMessageBox::critical(nullptr, QStringLiteral("Quorvale"), reason);
    return EXIT_FAILURE;
}

} // namespace

int main(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fprintf(stderr, "quorvale: no display found (DISPLAY and WAYLAND_DISPLAY are unset)\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvale"));
    QGuiApplication::setDesktopFileName(QStringLiteral("quorvale"));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/quorvale.svg")));

    // Before anything touches the store: a second start only hands over to the first.
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    SingleInstanceGuard guard(dataFolder);
    for (auto outcome = guard.acquire(); outcome != SingleInstanceGuard::Outcome::Acquired;
         outcome = guard.acquire()) {
        if (outcome == SingleInstanceGuard::Outcome::Failed)
            return refuseToStart(QStringLiteral("Quorvale: cannot start: %1").arg(guard.errorString()));
        // One on another machine sharing the folder cannot be reached from here.
        if (!guard.ownerHost().isEmpty())
            return refuseToStart(guard.elsewhereRefusal());
        switch (guard.requestRaise()) {
        case SingleInstanceGuard::Raise::Raised:
            return 0;
        case SingleInstanceGuard::Raise::NoAnswer:
            return refuseToStart(
                QStringLiteral("Quorvale: already running for %1 (%2), but it did not answer")
                    .arg(dataFolder, guard.ownerDescription()));
        case SingleInstanceGuard::Raise::Refused:
            // Its message is in front of the person already: said here only.
            return endSaying(QStringLiteral("Quorvale: another start for %1 (%2) could not start: %3")
                                 .arg(dataFolder, guard.ownerDescription(), guard.refusal()));
        case SingleInstanceGuard::Raise::OwnerGone:
            break; // it ended before its window was up (it may have refused to start): this start goes on
        }
    }

    // Every setting is read from it once the window is made, long after a refusal could be said.
    if (const QString reason = UserDefaults::notAFileReason(UserDefaults::standardPath()); !reason.isEmpty())
        return refuseToStart(
            QStringLiteral("Quorvale: cannot start: %1 (Quorvale keeps its settings there)").arg(reason),
            &guard);

    PersistenceController& persistence = PersistenceController::shared();
    if (!persistence.isLoaded())
        return refuseToStart(persistence.loadError(), &guard);

    int status = 0;
    {
        QuorvaleApp quorvale;
        QObject::connect(&guard, &SingleInstanceGuard::raiseRequested, &quorvale, [&quorvale] {
            quorvale.raiseWindow();
            // Lets tests that start the application see that a later start reached this instance.
            if (qEnvironmentVariableIsSet("QUORVALE_TRACE_RAISE")) {
                std::printf("raised\n");
                std::fflush(stdout);
            }
        });
        quorvale.show();
        // From here a later start's request is answered by this thread's event loop.
        guard.setStarted();
        status = app.exec();
    }
    // The store closes before the lock is let go, so a next start never meets it still open.
    PersistenceController::resetShared();
    return status;
}
