// The widget half of the harness, linked only into the programs that test widgets.

#include "Support/TestSupport.h"

#include <QApplication>
#include <QWidget>

namespace qv::test {

std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv) {
    return std::make_unique<QApplication>(argc, argv);
}

QString saveScreen(QWidget* widget, const QString& name) {
    widget->ensurePolished();
    if (!widget->isVisible()) {
        widget->setAttribute(Qt::WA_DontShowOnScreen, true);
        widget->show();
    }
    settle();
    const QString path = screensDir() + QLatin1Char('/') + name + QStringLiteral(".png");
    widget->grab().save(path);
    return path;
}

} // namespace qv::test
