#include "support/ScreenBench.h"

#include "support/HeavyStore.h"

#include "Models/QuorvaleModel.h"
#include "Store/ObjectContext.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <ctime>
#include <map>
#include <memory>

namespace {

// The detail area of a 1200 x 760 window beside the 220-point sidebar.
constexpr int kWidth = 980;
constexpr int kHeight = 760;

double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

void runEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

ObjectContext* ScreenBench::storeOfScale(int scale) {
    static std::map<int, std::unique_ptr<ObjectContext>> stores;
    auto& store = stores[scale];
    if (!store) {
        const QString path =
            HeavyStore::ensure(QCoreApplication::applicationDirPath() + QStringLiteral("/../stores"), scale);
        QString error;
        store = ObjectContext::open(QuorvaleModel::objectModel(), path, &error);
    }
    return store.get();
}

void ScreenBench::switchTo(benchmark::State& state, const MakeScreen& make) {
    ObjectContext* context = storeOfScale(int(state.range(0)));
    QWidget window;
    window.resize(kWidth, kHeight);
    window.setAttribute(Qt::WA_DontShowOnScreen, true);
    window.show();
    QImage frame(window.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QWidget* view = make(context, &window);
        view->resize(window.size());
        view->show();
        view->render(&frame);
        state.PauseTiming();
        delete view;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void ScreenBench::idleCpu(benchmark::State& state, const MakeScreen& make) {
    ObjectContext* context = storeOfScale(int(state.range(0)));
    QWidget window;
    window.resize(kWidth, kHeight);
    window.setAttribute(Qt::WA_DontShowOnScreen, true);
    QWidget* view = make(context, &window);
    view->resize(window.size());
    window.show();
    runEventsFor(300);
    double cpu = 0;
    double wall = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const double before = processCpuSeconds();
        runEventsFor(3000);
        cpu += processCpuSeconds() - before;
        wall += double(clock.nsecsElapsed()) / 1e9;
    }
    state.counters["idle_cpu_percent"] = wall > 0 ? 100 * cpu / wall : 0;
}
