// A process that quits while an owner check runs, for the test that quitting never waits for
// one: a lock screen starts a check, a second screen then asks too (and must not queue), and on
// "quit" on standard input the screens go and the application ends as the real one does.

#include "Platform/PamOwnerAuthenticator.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <memory>

#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <PAM config folder> <service>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString service = QString::fromLocal8Bit(argv[2]);
    auto lockScreen = std::make_unique<PamOwnerAuthenticator>(service, folder);
    lockScreen->check(QStringLiteral("first"));
    auto settings = std::make_unique<PamOwnerAuthenticator>(service, folder);
    settings->check(QStringLiteral("second"));
    std::printf("%s %s\n", lockScreen->isChecking() ? "checking" : "idle",
                settings->isChecking() ? "checking" : "idle");
    std::fflush(stdout);

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[64];
        if (read(STDIN_FILENO, buffer, sizeof buffer) <= 0 || buffer[0] == 'q') {
            lockScreen.reset();
            settings.reset();
            QCoreApplication::quit();
        }
    });
    return app.exec();
}
