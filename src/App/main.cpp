#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>

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

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Quorvale"));
    window.resize(1200, 760);
    window.show();
    return app.exec();
}
