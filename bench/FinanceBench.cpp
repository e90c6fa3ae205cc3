// The finance section on generated ten-year stores with six months of money records (1x and
// 10x): switching to it with the lock off (the overview tab built and painted), choosing the
// investments tab, and the share of one core the shown section takes while nothing happens.
#include "support/BenchEnvironment.h"
#include "support/FinanceSeed.h"
#include "support/HeavyStore.h"

#include "Models/QuorvaleModel.h"
#include "Platform/Clock.h"
#include "Platform/UserDefaults.h"
#include "Store/ObjectContext.h"
#include "Views/Finance/FinanceTabBar.h"
#include "Views/Finance/FinanceView.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <ctime>
#include <map>
#include <memory>

namespace {

ObjectContext* storeOfScale(int scale) {
    static std::map<int, std::unique_ptr<ObjectContext>> stores;
    auto& slot = stores[scale];
    if (!slot) {
        const QString cached =
            FinanceSeed::ensure(QCoreApplication::applicationDirPath() + QStringLiteral("/../stores"), scale);
        const QString copy = qEnvironmentVariable("HOME") + QStringLiteral("/finance-%1x.sqlite").arg(scale);
        QFile::remove(copy);
        QFile::copy(cached, copy);
        QString error;
        slot = ObjectContext::open(QuorvaleModel::objectModel(), copy, &error);
        if (!slot)
            qFatal("cannot open %s: %s", qPrintable(copy), qPrintable(error));
    }
    return slot.get();
}

void prepare() {
    Clock::setFake(HeavyStore::now());
    UserDefaults::standard().setFlag(FinanceView::authEnabledKey, false);
    UserDefaults::standard().setFlag(FinanceView::onboardingCompleteKey, true);
}

void paintOnce(QWidget& window) {
    QImage frame(window.size(), QImage::Format_ARGB32_Premultiplied);
    window.render(&frame);
    benchmark::DoNotOptimize(frame.constBits());
}

double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

void BM_FinanceSwitch(benchmark::State& state) {
    prepare();
    ObjectContext* context = storeOfScale(int(state.range(0)));
    QWidget window;
    window.resize(1200, 760);
    window.setAttribute(Qt::WA_DontShowOnScreen, true);
    window.show();
    for (auto _ : state) {
        auto* view = new FinanceView(benchEnvironment(context), &window);
        view->resize(window.size());
        view->show();
        QCoreApplication::processEvents();
        paintOnce(window);
        state.PauseTiming();
        delete view;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_FinanceInvestmentsTab(benchmark::State& state) {
    prepare();
    ObjectContext* context = storeOfScale(int(state.range(0)));
    QWidget window;
    window.resize(1200, 760);
    window.setAttribute(Qt::WA_DontShowOnScreen, true);
    window.show();
    auto* view = new FinanceView(benchEnvironment(context), &window);
    view->resize(window.size());
    view->show();
    QCoreApplication::processEvents();
    bool investments = false;
    for (auto _ : state) {
        investments = !investments;
        view->selectTab(investments ? FinanceTab::investments : FinanceTab::overview);
        QCoreApplication::processEvents();
        paintOnce(window);
    }
    delete view;
}

// The section shown and left alone for two seconds of real time.
void BM_FinanceIdleCpu(benchmark::State& state) {
    prepare();
    ObjectContext* context = storeOfScale(int(state.range(0)));
    QWidget window;
    window.resize(1200, 760);
    window.setAttribute(Qt::WA_DontShowOnScreen, true);
    window.show();
    auto* view = new FinanceView(benchEnvironment(context), &window);
    view->resize(window.size());
    view->show();
    QCoreApplication::processEvents();
    paintOnce(window);
    double cpu = 0;
    for (auto _ : state) {
        const double before = processCpuSeconds();
        QElapsedTimer wall;
        wall.start();
        // Waits in a real event loop: polling would itself keep a core busy.
        QEventLoop idle;
        QTimer::singleShot(2000, &idle, &QEventLoop::quit);
        idle.exec();
        cpu = (processCpuSeconds() - before) / (double(wall.elapsed()) / 1000.0);
    }
    state.counters["idle_cpu_percent"] = cpu * 100;
    delete view;
}

} // namespace

BENCHMARK(BM_FinanceSwitch)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FinanceInvestmentsTab)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FinanceIdleCpu)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(1);
