#include "support/WindowRig.h"

#include "support/HeavyStore.h"

#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/QuorvaleModel.h"
#include "Models/Step.h"
#include "Platform/Clock.h"
#include "Platform/UserDefaults.h"
#include "Store/ObjectContext.h"
#include "Store/StoreFile.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/Notifications/NotificationScheduler.h"
#include "ViewModels/ScreenModels.h"
#include "Views/Finance/FinanceView.h"
#include "Views/Navigation/ContentView.h"
#include "Views/Navigation/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>

namespace {

// A benchmark cannot run without its store: it stops with the store's own failure line.
std::unique_ptr<ObjectContext> openBenchStore(const QString& path) {
    StoreFile::Result result = StoreFile::open(QuorvaleModel::objectModel(), path);
    if (!result.context) {
        std::fprintf(stderr, "%s\n", qPrintable(StoreFile::failureLine(result)));
        std::exit(EXIT_FAILURE);
    }
    return std::move(result.context);
}

QString storesFolder() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../stores");
}

// Notes when a widget inside the watched one paints, and ends the wait for it.
class PaintWatch : public QObject {
public:
    QPointer<QWidget> inside;
    std::function<QWidget*()> find; // looks for the watched widget until it exists
    QEventLoop* waiting = nullptr;
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || !watched->isWidgetType())
            return false;
        if (!inside && find)
            inside = find();
        auto* widget = static_cast<QWidget*>(watched);
        if (inside && (widget == inside || inside->isAncestorOf(widget))) {
            painted = true;
            if (waiting)
                waiting->quit();
        }
        return false;
    }
};

void removeStoreCopy(const QString& path) {
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(path + suffix);
}

// Rigs kept for a whole run are never destroyed; their copies (a 10x store is 240 MB) go when
// the process ends rather than pile up in the temporary folder run after run.
void removeAtExit(const QString& path) {
    static std::vector<std::string> copies;
    if (copies.empty())
        std::atexit([] {
            for (const std::string& copy : copies)
                removeStoreCopy(QString::fromStdString(copy));
        });
    copies.push_back(path.toStdString());
}

} // namespace

WindowRig::WindowRig(const QString& storePath) {
    static int copies = 0;
    copy_ = QDir::tempPath() +
            QStringLiteral("/qv-rig-%1-%2.sqlite").arg(QCoreApplication::applicationPid()).arg(++copies);
    QFile::remove(copy_);
    QFile::copy(storePath, copy_);
    QFile(copy_).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    removeAtExit(copy_);
    // The clock stands inside the generated records, so that this month and today hold their
    // share of tasks, expenses and holdings as a heavy user's do.
    Clock::setFake(HeavyStore::now());
    QElapsedTimer startup;
    startup.start();
    context_ = openBenchStore(copy_);
    UserDefaults::standard().setFlag(QStringLiteral("onboardingComplete"), true);
    UserDefaults::standard().setDate(QStringLiteral("lastCheckInDate"), Clock::now());
    // A heavy user went through finance's first run long ago; without a password the visits
    // measure the finance screens themselves rather than the first-run sheet over them.
    UserDefaults::standard().setFlag(FinanceView::onboardingCompleteKey, true);
    UserDefaults::standard().setFlag(FinanceView::authEnabledKey, false);
    app_ = std::make_unique<AppViewModel>();
    MainWindow::applyThemeToApplication();
    models_ = std::make_unique<ScreenModels>(context_.get(), app_.get(), &NotificationScheduler::shared());
    window_ = std::make_unique<MainWindow>(models_->environment());
    window_->show();
    millisecondsToPaint([] {}, [this] { return static_cast<QWidget*>(window_.get()); });
    startupMs_ = double(startup.nsecsElapsed()) / 1e6;
}

WindowRig::~WindowRig() {
    window_.reset();
    app_.reset();
    context_.reset();
    removeStoreCopy(copy_);
}

QWidget* WindowRig::screen() const {
    return window_->contentView()->currentScreen();
}

double WindowRig::millisecondsToPaint(const std::function<void()>& action,
                                      const std::function<QWidget*()>& inside) {
    PaintWatch watch;
    qApp->installEventFilter(&watch);
    QElapsedTimer clock;
    clock.start();
    action();
    // Looked for only once the action has run: before it, the screen is the one being left.
    watch.find = inside ? inside : [this] { return screen(); };
    watch.inside = watch.find();
    if (!watch.painted) {
        // Waits in a real event loop, as the application does. Turns of processEvents() from
        // outside any loop never run deferred deletes: every screen left would stay alive.
        QEventLoop loop;
        watch.waiting = &loop;
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    qApp->removeEventFilter(&watch);
    return ms;
}

std::vector<double> WindowRig::frameTimes(int milliseconds) {
    PaintWatch watch;
    watch.inside = window_.get();
    qApp->installEventFilter(&watch);
    std::vector<double> frames;
    QElapsedTimer total;
    total.start();
    while (total.elapsed() < milliseconds) {
        watch.painted = false;
        QElapsedTimer turn;
        turn.start();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        // What the application's loop would delete on this turn (an ended animation's effect).
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (watch.painted)
            frames.push_back(double(turn.nsecsElapsed()) / 1e6);
    }
    qApp->removeEventFilter(&watch);
    return frames;
}

double WindowRig::cpuPercentOver(int milliseconds) {
    // A real event loop that sleeps between events, as the application's does: polling
    // processEvents() would spin and count its own turns as the screen's cost.
    const double before = processCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
    return (processCpuSeconds() - before) * 100.0 / (double(clock.nsecsElapsed()) / 1e9);
}

QString WindowRig::heavyStore(int scale) {
    return HeavyStore::ensure(storesFolder(), scale);
}

QString WindowRig::goalsOnlyStore(int goals) {
    const QString path = storesFolder() + QStringLiteral("/goals-only-%1-v1.sqlite").arg(goals);
    if (QFile::exists(path))
        return path;
    QDir().mkpath(storesFolder());
    const QString partial = path + QStringLiteral(".partial");
    QFile::remove(partial);
    {
        auto context = openBenchStore(partial);
        const QDateTime now = HeavyStore::now();
        for (int i = 0; i < goals; ++i) {
            auto goal = Goal::create(context.get());
            goal->setTitle(QStringLiteral("Goal number %1").arg(i));
            goal->setCategory(QStringList{QStringLiteral("Health"), QStringLiteral("Career"),
                                          QStringLiteral("Finance"), QStringLiteral("Learning")}[i % 4]);
            goal->setCreatedAt(now.addSecs(-60LL * i));
            goal->setDeadline(now.addDays(10 + i % 300));
            goal->setPriority(qint16(i % 4));
            for (int m = 0; m < 2; ++m) {
                auto milestone = Milestone::create(context.get());
                milestone->setGoal(goal);
                milestone->setOrder(qint16(m));
                for (int s = 0; s < 5; ++s) {
                    auto step = Step::create(context.get());
                    step->setMilestone(milestone);
                    step->setIsCompleted((i + s) % 3 == 0);
                }
            }
            if (i % 500 == 499)
                context->save();
        }
        context->save();
    }
    for (const QString& suffix : {QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(partial + suffix);
    QFile::rename(partial, path);
    return path;
}

double WindowRig::percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, size_t(std::ceil(p * double(values.size()))) - 1);
    return values[index];
}

double WindowRig::peakMemoryMB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

void WindowRig::resetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

double WindowRig::processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}
