// The calendar page on generated ten-year stores (1x, 10x and 20x) with the day seeded: switching to
// it (model, month marks, the day's lists and the first paint: median and p95 over the visits, and the heap
// the open page holds), moving a month and choosing a day, and what it costs the processor while it sits on
// screen doing nothing.
#include "support/BenchEnvironment.h"
#include "support/CalendarSeed.h"
#include "support/HeavyStore.h"

#include "Models/Milestone.h"
#include "Models/QuorvaleModel.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"
#include "Store/StoreFile.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/CalendarMilestoneIndex.h"
#include "ViewModels/CalendarViewModel.h"
#include "Views/CalendarView/CalendarPageView.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <malloc.h>
#include <memory>
#include <vector>

namespace {

double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

// The page's world: the seeded store, the navigation state and a window-sized host.
struct CalendarScene {
    explicit CalendarScene(int scale) {
        Clock::setFake(HeavyStore::now());
        opened = StoreFile::open(QuorvaleModel::objectModel(), CalendarSeed::workingStore(scale));
        app = std::make_unique<AppViewModel>();
        host = std::make_unique<QWidget>();
        host->resize(1200, 760);
        host->setAttribute(Qt::WA_DontShowOnScreen, true);
        host->show();
    }
    ~CalendarScene() {
        host.reset();
        Clock::useSystem();
    }
    CalendarPageView* openPage() {
        auto* page = new CalendarPageView(benchEnvironment(opened.context.get(), app.get()), host.get());
        page->setGeometry(host->rect());
        page->show();
        QCoreApplication::processEvents();
        page->grab(); // the first paint
        return page;
    }

    StoreFile::Result opened;
    std::unique_ptr<AppViewModel> app;
    std::unique_ptr<QWidget> host;
};

double percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const double at = p * double(values.size() - 1);
    const auto below = std::size_t(std::floor(at));
    const std::size_t above = std::min(values.size() - 1, below + 1);
    return values[below] + (values[above] - values[below]) * (at - double(below));
}

// Heap in use by the process, in megabytes.
double heapInUseMB() {
    return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

void switchToCalendar(benchmark::State& state) {
    CalendarScene scene(static_cast<int>(state.range(0)));
    std::size_t milestones = 0;
    double pageMB = 0;
    std::vector<double> samples;
    for (auto _ : state) {
        const double before = heapInUseMB();
        QElapsedTimer visit;
        visit.start();
        CalendarPageView* page = scene.openPage();
        samples.push_back(double(visit.nsecsElapsed()) / 1e6);
        pageMB = heapInUseMB() - before;
        state.PauseTiming();
        milestones = std::size_t(page->viewModel()->milestoneCount());
        delete page;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["day_milestones"] = static_cast<double>(milestones);
    state.counters["p95_ms"] = percentile(samples, 0.95);
    state.counters["median_ms"] = percentile(samples, 0.5);
    // What the open page holds: its model, the records it keeps and its widgets.
    state.counters["page_heap_MB"] = pageMB;
}

// The first visit after a goal or milestone was saved: the index of scheduled milestones is
// read again, whole.
void readMilestoneIndex(benchmark::State& state) {
    CalendarScene scene(static_cast<int>(state.range(0)));
    ObjectContext& context = *scene.opened.context;
    CalendarMilestoneIndex& index = CalendarMilestoneIndex::of(context);
    const auto milestone = context.fetch<Milestone>(FetchRequest(Milestone::entityName(), {}, {}, 1)).front();
    std::size_t entries = 0;
    for (auto _ : state) {
        state.PauseTiming();
        milestone->setTitle(QStringLiteral("Renamed %1").arg(entries++ % 2));
        context.save();
        state.ResumeTiming();
        benchmark::DoNotOptimize(index.entries().size());
    }
    state.counters["entries"] = static_cast<double>(index.entries().size());
}

void nextMonthAndBack(benchmark::State& state) {
    CalendarScene scene(static_cast<int>(state.range(0)));
    CalendarPageView* page = scene.openPage();
    for (auto _ : state) {
        page->viewModel()->nextMonth();
        page->viewModel()->previousMonth();
        QCoreApplication::processEvents();
    }
}

void chooseAnotherDay(benchmark::State& state) {
    CalendarScene scene(static_cast<int>(state.range(0)));
    CalendarPageView* page = scene.openPage();
    const QDateTime today = page->viewModel()->selectedDate();
    int step = 0;
    for (auto _ : state) {
        page->viewModel()->selectDate(today.addDays(++step % 2));
        QCoreApplication::processEvents();
        page->grab();
    }
}

// Half a second of the page at rest; the counter is the share of one core it takes.
void idleOnCalendar(benchmark::State& state) {
    CalendarScene scene(static_cast<int>(state.range(0)));
    scene.openPage();
    double cpu = 0;
    double wall = 0;
    for (auto _ : state) {
        const double before = processCpuSeconds();
        QElapsedTimer timer;
        timer.start();
        QEventLoop rest;
        QTimer::singleShot(500, &rest, &QEventLoop::quit);
        rest.exec();
        cpu += processCpuSeconds() - before;
        wall += static_cast<double>(timer.elapsed()) / 1000.0;
    }
    state.counters["idle_cpu_percent"] = wall > 0 ? cpu / wall * 100 : 0;
}

} // namespace

BENCHMARK(switchToCalendar)->Arg(1)->Arg(10)->Arg(20)->Iterations(12)->Unit(benchmark::kMillisecond);
BENCHMARK(readMilestoneIndex)->Arg(1)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(nextMonthAndBack)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(chooseAnotherDay)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(idleOnCalendar)->Arg(1)->Arg(10)->Iterations(2)->Unit(benchmark::kMillisecond);
