#include "support/MoneyScreens.h"

#include "support/BenchEnvironment.h"
#include "support/HeavyStore.h"

#include "Models/Persistence/PersistenceController.h"
#include "Platform/Clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <ctime>
#include <map>
#include <memory>

namespace {

double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

// The generated store copied to where the application keeps its store, opened as the app does.
PersistenceController& storeAt(int scale) {
    static std::map<int, std::unique_ptr<PersistenceController>> stores;
    auto it = stores.find(scale);
    if (it != stores.end())
        return *it->second;
    stores.clear(); // one store file at a time
    const QString cached =
        HeavyStore::ensure(QCoreApplication::applicationDirPath() + QStringLiteral("/../stores"), scale);
    const QString path = PersistenceController::defaultStorePath();
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
    QFile::copy(cached, path);
    return *(stores[scale] = std::make_unique<PersistenceController>(false));
}

void showAndPaint(QWidget* screen) {
    screen->resize(1200, 760);
    screen->setAttribute(Qt::WA_DontShowOnScreen, true);
    screen->show();
    QCoreApplication::processEvents();
    QImage frame(screen->size(), QImage::Format_ARGB32_Premultiplied);
    screen->render(&frame);
    benchmark::DoNotOptimize(frame.constBits());
}

} // namespace

void benchMoneyScreen(benchmark::State& state, const std::function<QWidget*(const AppEnvironment&)>& make) {
    PersistenceController& store = storeAt(static_cast<int>(state.range(0)));
    Clock::setFake(HeavyStore::now());
    const AppEnvironment env = benchEnvironment(store.viewContext());
    for (auto _ : state) {
        std::unique_ptr<QWidget> screen(make(env));
        showAndPaint(screen.get());
    }

    std::unique_ptr<QWidget> shown(make(env));
    showAndPaint(shown.get());
    QCoreApplication::processEvents();
    const double before = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    // A real event loop sleeps between events; polling processEvents would spin on its own.
    QEventLoop loop;
    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
    loop.exec();
    state.counters["idle_cpu_percent"] = (processCpuSeconds() - before) / (wall.elapsed() / 1000.0) * 100;
    Clock::useSystem();
}
