#include "Window/WindowLane.h"

#include "Support/FakeAnimationDriver.h"

#include "Core/Theme/AnimationTiming.h"

#include <QApplication>
#include <QScreen>

#include <cstdlib>

namespace {

const bool kRealWindow = qv::test::requestRealWindow();

QStringList* g_warnings = nullptr;
QtMessageHandler g_previous = nullptr;

void recordWarning(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (g_warnings && type != QtDebugMsg && type != QtInfoMsg)
        g_warnings->append(message);
    if (g_previous)
        g_previous(type, context, message);
}

bool isPainterWarning(const QString& message) {
    return message.contains(QLatin1String("QPainter")) ||
           message.contains(QLatin1String("Painter not active")) ||
           message.contains(QLatin1String("paint device"));
}

} // namespace

void WindowLane::SetUp() {
    (void)kRealWindow;
    if (!qv::test::onRealWindow())
        GTEST_SKIP() << "runs on the window lane's X server (scripts/window-lane)";
    MainRoad::SetUp();
    AnimationTiming::setAnimationsEnabled(true);
    FakeAnimationDriver::shared();
    g_warnings = &warnings;
    g_previous = qInstallMessageHandler(recordWarning);
}

void WindowLane::TearDown() {
    if (!qv::test::onRealWindow())
        return;
    frames(100);
    qInstallMessageHandler(g_previous);
    g_warnings = nullptr;
    for (const QString& message : std::as_const(warnings))
        if (isPainterWarning(message))
            ADD_FAILURE() << "painter warning: " << message.toStdString();
    MainRoad::TearDown();
}

MainWindow& WindowLane::showWindow(QSize size) {
    skipOverlays();
    vm_ = std::make_unique<AppViewModel>();
    MainWindow::applyThemeToApplication();
    window_ = std::make_unique<MainWindow>(env(vm_.get()));
    window_->move(0, 0);
    window_->resize(size);
    window_->show();
    window_->activateWindow();
    QApplication::setActiveWindow(window_.get());
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get())) << "the X server shows the window";
    frames(50);
    return *window_;
}

void WindowLane::frames(int msec) {
    FakeAnimationDriver::shared().step(msec);
}

QImage WindowLane::grabScreen(QWidget* widget) {
    QWidget* top = widget->window();
    top->repaint();
    // The grab goes over the same connection as the repaint's flush, so the server has drawn
    // the repaint by the time it answers.
    const QPoint origin = widget->mapToGlobal(QPoint(0, 0));
    QScreen* screen = top->screen();
    return screen->grabWindow(0, origin.x(), origin.y(), widget->width(), widget->height()).toImage();
}

QString WindowLane::saveScreen(const QString& name) {
    const QString path = qv::test::screensDir() + QStringLiteral("/window-") + name + QStringLiteral(".png");
    grabScreen(window_.get()).save(path);
    return path;
}

double WindowLane::differingShare(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull())
        return 1.0;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    qint64 differing = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            const int d =
                std::max({std::abs(qRed(p[col]) - qRed(q[col])), std::abs(qGreen(p[col]) - qGreen(q[col])),
                          std::abs(qBlue(p[col]) - qBlue(q[col]))});
            if (d > 24)
                ++differing;
        }
    }
    return double(differing) / double(qint64(x.width()) * x.height());
}
