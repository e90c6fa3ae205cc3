#include "App/QuorvaleApp.h"
#include "Platform/SingleInstanceGuard.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
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
    switch (guard.acquire()) {
    case SingleInstanceGuard::Outcome::AlreadyRunning:
        if (!guard.requestRaise())
            std::fprintf(stderr, "quorvale: already running for %s, but it did not answer\n",
                         qPrintable(dataFolder));
        return 0;
    case SingleInstanceGuard::Outcome::Failed:
        std::fprintf(stderr, "quorvale: cannot check for another running instance: %s\n",
                     qPrintable(guard.errorString()));
        break;
    case SingleInstanceGuard::Outcome::Acquired:
        break;
    }

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
    return app.exec();
}
