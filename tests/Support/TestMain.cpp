// One main for every test program: it pins the locale and the time zone, runs Qt
// offscreen without animations (or on the window lane's X server with them), and gives each
// test a home of its own.

#include "Support/TestSupport.h"

#include "Store/StoreMisuse.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimeZone>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

// Leaks inside system libraries are not ours to fix and must not turn a clean exit red.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n"
           "leak:libfontconfig.so\n"
           "leak:libglib-2.0.so\n"
           "leak:libQt6DBus.so\n"
           "leak:libQt6XcbQpa.so\n"
           "leak:libxcb\n"
           "leak:libX11\n";
}

namespace {

[[noreturn]] void failHarness(const char* what) {
    std::fprintf(stderr, "test harness: %s\n", what);
    std::fflush(stderr);
    std::abort();
}

void pinLocale() {
    setenv("LC_ALL", "en_US.UTF-8", 1);
    setenv("LANG", "en_US.UTF-8", 1);
    unsetenv("LANGUAGE");
    if (std::setlocale(LC_ALL, "en_US.UTF-8") == nullptr)
        failHarness("the locale en_US.UTF-8 is not available (run scripts/setup)");
}

long utcOffsetAt(int year, int month, int day) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = 12;
    tm.tm_isdst = -1;
    const std::time_t t = timegm(&tm);
    std::tm local{};
    localtime_r(&t, &local);
    return local.tm_gmtoff;
}

void pinZone() {
    const char* tz = std::getenv("TZ");
    if (tz == nullptr || *tz == '\0') {
        setenv("TZ", "UTC", 1);
        tz = "UTC";
    }
    tzset();
    const QByteArray zone(tz);
    if (zone == "UTC") {
        if (utcOffsetAt(2026, 7, 1) != 0 || utcOffsetAt(2026, 1, 15) != 0)
            failHarness("TZ=UTC did not take effect");
    } else if (zone == "America/New_York") {
        if (utcOffsetAt(2026, 7, 1) != -4 * 3600 || utcOffsetAt(2026, 1, 15) != -5 * 3600)
            failHarness("TZ=America/New_York did not take effect (is tzdata installed?)");
    } else if (zone == "Asia/Kolkata") {
        if (utcOffsetAt(2026, 7, 1) != 5 * 3600 + 1800 || utcOffsetAt(2026, 1, 15) != 5 * 3600 + 1800)
            failHarness("TZ=Asia/Kolkata did not take effect (is tzdata installed?)");
    }
}

void checkQtAgrees() {
    if (QLocale::system().name() != QLatin1String("en_US"))
        failHarness("Qt does not see the en_US locale");
    const QDateTime july(QDate(2026, 7, 1), QTime(12, 0), Qt::UTC);
    const int expected = static_cast<int>(utcOffsetAt(2026, 7, 1));
    if (july.toLocalTime().offsetFromUtc() != expected)
        failHarness("Qt's local time zone disagrees with TZ");
}

class TempHomeListener : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo&) override {
        home_ = std::make_unique<QTemporaryDir>();
        if (!home_->isValid())
            failHarness("cannot create a temporary home");
        const QByteArray root = home_->path().toUtf8();
        setenv("HOME", root.constData(), 1);
        setenv("XDG_DATA_HOME", (root + "/data").constData(), 1);
        setenv("XDG_CONFIG_HOME", (root + "/config").constData(), 1);
        setenv("XDG_CACHE_HOME", (root + "/cache").constData(), 1);
        QDir(home_->path()).mkpath(QStringLiteral("data"));
        QDir(home_->path()).mkpath(QStringLiteral("config"));
    }
    void OnTestEnd(const testing::TestInfo&) override {
        qv::test::settle();
        qv::test::resetAfterTest();
        home_.reset();
    }
    QString path() const { return home_ ? home_->path() : QString(); }

private:
    std::unique_ptr<QTemporaryDir> home_;
};

TempHomeListener* g_home = nullptr;

bool& realWindowRequested() {
    static bool requested = false;
    return requested;
}

bool g_onRealWindow = false;

// Only the display the lane started is used, never the desktop the tests were started from.
void choosePlatform() {
    const QByteArray display = qgetenv("QV_WINDOW_DISPLAY");
    g_onRealWindow = realWindowRequested() && !display.isEmpty();
    if (!g_onRealWindow) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("QUORVALE_NO_ANIMATIONS", "1", 1);
        return;
    }
    setenv("DISPLAY", display.constData(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    unsetenv("QUORVALE_NO_ANIMATIONS");
    // One device pixel per logical pixel, whatever the caller's desktop asks for.
    for (const char* name : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR",
                             "QT_ENABLE_HIGHDPI_SCALING", "QT_FONT_DPI", "WAYLAND_DISPLAY"})
        unsetenv(name);
}

} // namespace

namespace qv::test {

QString tempHome() {
    return g_home ? g_home->path() : QString();
}

QString leakSuppressionsFile() {
    const QString path = tempHome() + QStringLiteral("/lsan-suppressions");
    QFile file(path);
    if (!file.exists() && file.open(QIODevice::WriteOnly))
        file.write(__lsan_default_suppressions());
    return path;
}

QString screensDir() {
    const QString dir = QStringLiteral(QV_SCREENS_DIR);
    QDir().mkpath(dir);
    return dir;
}

bool requestRealWindow() {
    realWindowRequested() = true;
    return true;
}

bool onRealWindow() {
    return g_onRealWindow;
}

void settle(int rounds) {
    for (int i = 0; i < rounds; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

} // namespace qv::test

int main(int argc, char** argv) {
    pinLocale();
    pinZone();
    choosePlatform();
    unsetenv("DBUS_SESSION_BUS_ADDRESS_OVERRIDE");
    QStandardPaths::setTestModeEnabled(true);

    const auto app = qv::test::makeApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quorvale"));
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    checkQtAgrees();

    testing::InitGoogleTest(&argc, argv);
    // A query or write that names what the model lacks fails the test that made it.
    StoreMisuse::setHandler(
        [](const QString& message) { ADD_FAILURE() << "store misuse: " << qPrintable(message); });
    auto* home = new TempHomeListener;
    g_home = home;
    testing::UnitTest::GetInstance()->listeners().Append(home);
    return RUN_ALL_TESTS();
}
