// The links screen on generated ten-year stores (1,000 links at 1x, 10,000 at 10x): switching
// to it (building the screen and its first frame) and what it costs at rest.
#include "support/HeavyStore.h"

#include "Models/QuorvaleModel.h"
#include "Platform/Store/ObjectContext.h"
#include "ViewModels/AppEnvironment.h"
#include "Views/Links/LinksView.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QTimer>

#include <ctime>
#include <map>
#include <memory>

namespace {

ObjectContext* storeOfScale(int scale) {
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

// From nothing to the screen's first painted frame in a 1200 x 760 window.
void BM_LinksSwitch(benchmark::State& state) {
    ObjectContext* context = storeOfScale(int(state.range(0)));
    QWidget window;
    window.resize(980, 760);
    window.setAttribute(Qt::WA_DontShowOnScreen, true);
    window.show();
    QImage frame(window.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        auto* view = new LinksView(AppEnvironment{context, nullptr}, &window);
        view->resize(window.size());
        view->show();
        view->render(&frame);
        state.PauseTiming();
        delete view;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

// The share of one core the shown screen takes while nothing happens.
void BM_LinksIdleCpu(benchmark::State& state) {
    ObjectContext* context = storeOfScale(int(state.range(0)));
    QWidget window;
    window.resize(980, 760);
    window.setAttribute(Qt::WA_DontShowOnScreen, true);
    auto* view = new LinksView(AppEnvironment{context, nullptr}, &window);
    view->resize(window.size());
    window.show();
    runEventsFor(200);
    double cpu = 0;
    double wall = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const double before = processCpuSeconds();
        runEventsFor(2000);
        cpu += processCpuSeconds() - before;
        wall += clock.nsecsElapsed() / 1e9;
    }
    state.counters["idle_cpu_percent"] = wall > 0 ? 100 * cpu / wall : 0;
}

} // namespace

BENCHMARK(BM_LinksSwitch)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LinksIdleCpu)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(1);
