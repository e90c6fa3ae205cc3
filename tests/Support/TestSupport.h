#pragma once

#include <QLocale>
#include <QString>

#include <memory>

class QCoreApplication;
class QImage;
class QWidget;

namespace qv::test {

// The temporary home of the running test: HOME, XDG_DATA_HOME and XDG_CONFIG_HOME
// point inside it, so stores and defaults never touch the real user's files.
QString tempHome();

// A file of the harness's leak suppressions (leaks inside system libraries), for programs the
// tests start: LSAN_OPTIONS=suppressions=<it> lets their sanitizer report only our own faults.
QString leakSuppressionsFile();

// Folder of rendered screens (build/screens/), created on demand.
QString screensDir();

// Lays out and renders a widget offscreen to build/screens/<name>.png; returns the path.
// Only the programs that test widgets have it.
QString saveScreen(QWidget* widget, const QString& name);

// Whether a render of root (saveScreen's image) shows widget: visible, wholly inside root,
// and not one flat colour where it lies. Widget programs only, as saveScreen.
bool imageShows(const QImage& image, QWidget* root, QWidget* widget);
// The same for a label or button that shows exactly text, looked for inside `within` (root
// when null).
bool imageShowsText(const QImage& image, QWidget* root, const QString& text, QWidget* within = nullptr);

// The program's application object: a QApplication where widgets are tested, a
// QGuiApplication in the programs below the views, which are built without Qt Widgets, and a
// QCoreApplication for the store, which links QtCore alone.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv);
// Puts back, after each test, what a test may have changed in the layers the program links (the
// clock and the defaults where the platform is linked), so nothing leaks into the next test.
void resetAfterTest();

// The application's locale for the life of a scope; the tests' en_US comes back after it.
class LocaleScope {
public:
    explicit LocaleScope(const QString& name) { QLocale::setDefault(QLocale(name)); }
    ~LocaleScope() { QLocale::setDefault(QLocale(QStringLiteral("en_US"))); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;
};

// Processes pending events (layouts, deferred deletes, queued signals).
void settle(int rounds = 3);

// A test program whose tests drive a real X11 window asks for one before main runs (from a
// static initialiser). It gets the xcb platform with animations on when the environment names
// the lane's X server in QV_WINDOW_DISPLAY, and the offscreen platform otherwise.
bool requestRealWindow();
// True when this program runs on the lane's X server.
bool onRealWindow();

} // namespace qv::test
