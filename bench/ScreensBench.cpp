// The screens on generated ten-year stores (1x, 10x and 20x) and on a store of 5,000 active
// goals, with the clock at the stores' own "now" (this month and today hold their share of the
// records): from the action that switches to a destination, chooses a finance tab or selects a
// goal to the first frame that shows it (p95), frame times while the list comes in, the processor while a
// screen sits idle with the backdrop moving, the first window, and peak memory after one and after twenty
// rounds of every screen (twenty within a tenth of one). Targets:
// switch p95 <= 100 ms at 1x and 150 ms at 10x, at most twice the 1x figure at 10x, frame p95 <= 33 ms, idle
// <= 15 % of a core, first window at 10x <= 1.5 x the 1x one, peak <= 100 MB at 1x and 150 MB at 10x, stress
// actions p95 <= 150 ms.
#include "support/CalendarSeed.h"
#include "support/WindowRig.h"

#include "Models/Goal.h"
#include "Platform/UserDefaults.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/GoalsViewModel.h"
#include "ViewModels/Theme/AnimationTiming.h"
#include "Views/Finance/FinanceView.h"
#include "Views/Goals/GoalRowView.h"
#include "Views/Goals/GoalsView.h"
#include "Views/Navigation/MainWindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>

#include <map>
#include <memory>

namespace {

constexpr int kSamples = 12;

// Every built screen, goals as list and grid, and the notice shown in place of every screen
// while the store waits for its salvage.
struct Visit {
    const char* name;
    AppDestination destination;
    bool grid;
    bool held = false;
};
const Visit kVisits[] = {
    {"dashboard", AppDestination::dashboard, false},
    {"goals_list", AppDestination::goals, false},
    {"goals_grid", AppDestination::goals, true},
    {"achievements", AppDestination::achievements, false},
    {"journal", AppDestination::journal, false},
    {"calendar", AppDestination::calendar, false},
    {"deadlines", AppDestination::deadlines, false},
    {"links", AppDestination::links, false},
    {"finance", AppDestination::expenses, false},
    {"settings", AppDestination::settings, false},
    {"records_held", AppDestination::dashboard, false, true},
};

// The goals-only store past 100, else the heavy store with the calendar's day seeded: today
// holds a heavy user's tasks and every milestone whose check-in falls on it.
QString storeOfScale(int scale) {
    return scale > 100 ? WindowRig::goalsOnlyStore(scale) : CalendarSeed::workingStore(scale);
}

// Kept for the whole run and never destroyed: windows must not outlive the application,
// and the process ends right after it.
WindowRig& rigFor(int scale) {
    static std::map<int, WindowRig*> rigs;
    // One window at a time: a hidden one neither paints nor moves its backdrop.
    for (auto& [other, window] : rigs)
        if (other != scale)
            window->window().hide();
    WindowRig*& rig = rigs[scale];
    if (!rig)
        rig = new WindowRig(storeOfScale(scale));
    if (rig->window().isHidden())
        rig->millisecondsToPaint([rig] { rig->window().show(); }, [rig] { return &rig->window(); });
    return *rig;
}

void go(WindowRig& rig, const Visit& visit) {
    UserDefaults::standard().setFlag(GoalsView::viewModeKey(), visit.grid);
    // Held first: the destination's own screen, never shown, is not built on the way.
    rig.app().setStoreWaitsForSalvage(visit.held);
    rig.app().navigate(visit.destination);
}

void leaveTo(WindowRig& rig, AppDestination elsewhere) {
    if (rig.app().selectedDestination() == elsewhere && !rig.app().storeWaitsForSalvage())
        return; // nothing would change, so no frame would come
    rig.millisecondsToPaint([&] {
        rig.app().setStoreWaitsForSalvage(false);
        rig.app().navigate(elsewhere);
    });
}

// Somewhere else to be before switching to the visit's screen.
AppDestination awayFrom(const Visit& visit) {
    return visit.destination == AppDestination::links ? AppDestination::settings : AppDestination::links;
}

void reportP95(benchmark::State& state, const std::vector<double>& samples) {
    state.counters["p95_ms"] = WindowRig::percentile(samples, 0.95);
    state.counters["median_ms"] = WindowRig::percentile(samples, 0.5);
}

// The finance tabs, each chosen from the tab beside it.
struct TabVisit {
    const char* name;
    FinanceTab tab;
};
const TabVisit kTabVisits[] = {
    {"overview", FinanceTab::overview},
    {"cash_flow", FinanceTab::cashFlow},
    {"commitments", FinanceTab::commitments},
    {"investments", FinanceTab::investments},
    {"bills", FinanceTab::bills},
};

FinanceView* openFinance(WindowRig& rig) {
    if (rig.app().selectedDestination() != AppDestination::expenses) {
        leaveTo(rig, AppDestination::links);
        rig.millisecondsToPaint([&] { rig.app().navigate(AppDestination::expenses); });
    }
    return qobject_cast<FinanceView*>(rig.screen());
}

void chooseTab(benchmark::State& state) {
    const TabVisit& visit = kTabVisits[state.range(0)];
    WindowRig& rig = rigFor(int(state.range(1)));
    const FinanceTab away = visit.tab == FinanceTab::overview ? FinanceTab::cashFlow : FinanceTab::overview;
    std::vector<double> samples;
    for (auto _ : state) {
        FinanceView* finance = openFinance(rig);
        if (!finance || !finance->tabBar()) {
            state.SkipWithError("no finance tabs");
            return;
        }
        for (int i = 0; i < kSamples; ++i) {
            rig.millisecondsToPaint([&] { finance->selectTab(away); },
                                    [finance] { return finance->tabScreen(); });
            samples.push_back(rig.millisecondsToPaint([&] { finance->selectTab(visit.tab); },
                                                      [finance] { return finance->tabScreen(); }));
        }
    }
    state.SetLabel(visit.name);
    reportP95(state, samples);
}

void switchTo(benchmark::State& state) {
    const Visit& visit = kVisits[state.range(0)];
    WindowRig& rig = rigFor(int(state.range(1)));
    std::vector<double> samples;
    for (auto _ : state) {
        for (int i = 0; i < kSamples; ++i) {
            leaveTo(rig, awayFrom(visit));
            samples.push_back(rig.millisecondsToPaint([&] { go(rig, visit); }));
        }
    }
    state.SetLabel(visit.name);
    reportP95(state, samples);
}

GoalsView* openGoals(WindowRig& rig, bool grid) {
    leaveTo(rig, AppDestination::links);
    rig.millisecondsToPaint([&] { go(rig, {"goals", AppDestination::goals, grid}); });
    return qobject_cast<GoalsView*>(rig.screen());
}

void selectGoal(benchmark::State& state) {
    WindowRig& rig = rigFor(int(state.range(0)));
    std::vector<double> samples;
    for (auto _ : state) {
        GoalsView* goals = openGoals(rig, false);
        for (int i = 0; i < kSamples; ++i) {
            QList<GoalRowView*> rows;
            for (GoalRowView* row : goals->findChildren<GoalRowView*>())
                if (row->isVisible())
                    rows << row;
            if (rows.isEmpty()) {
                state.SkipWithError("no goal rows");
                return;
            }
            const qint64 id = rows[i % rows.size()]->goalID();
            samples.push_back(rig.millisecondsToPaint([&] { goals->select(id); },
                                                      [goals] { return goals->detailPanel(); }));
        }
    }
    reportP95(state, samples);
}

void entranceFrames(benchmark::State& state) {
    WindowRig& rig = rigFor(int(state.range(0)));
    std::vector<double> frames;
    AnimationTiming::setAnimationsEnabled(true);
    for (auto _ : state) {
        for (int i = 0; i < 3; ++i) {
            openGoals(rig, i % 2 == 1);
            const std::vector<double> some = rig.frameTimes(700);
            frames.insert(frames.end(), some.begin(), some.end());
        }
    }
    AnimationTiming::setAnimationsEnabled(false);
    state.counters["frame_p95_ms"] = WindowRig::percentile(frames, 0.95);
    state.counters["frames"] = double(frames.size());
}

void idleCpu(benchmark::State& state) {
    const Visit& visit = kVisits[state.range(0)];
    WindowRig& rig = rigFor(int(state.range(1)));
    const int seconds = qEnvironmentVariableIntValue("QV_IDLE_SECONDS") > 0
                            ? qEnvironmentVariableIntValue("QV_IDLE_SECONDS")
                            : 10;
    double percent = 0;
    AnimationTiming::setAnimationsEnabled(true);
    for (auto _ : state) {
        leaveTo(rig, awayFrom(visit));
        rig.millisecondsToPaint([&] { go(rig, visit); });
        rig.cpuPercentOver(1500); // the entrance plays out
        percent = rig.cpuPercentOver(seconds * 1000);
    }
    AnimationTiming::setAnimationsEnabled(false);
    state.SetLabel(visit.name);
    state.counters["cpu_percent"] = percent;
}

void firstWindow(benchmark::State& state) {
    const QString store = WindowRig::heavyStore(int(state.range(0)));
    std::vector<double> samples;
    for (auto _ : state) {
        WindowRig rig(store); // opens the store, builds the window and waits for its first frame
        samples.push_back(rig.startupMilliseconds());
    }
    state.counters["median_ms"] = WindowRig::percentile(samples, 0.5);
}

void bareWindow(benchmark::State& state) {
    std::vector<double> samples;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        QWidget window;
        window.resize(1200, 760);
        window.show();
        bool painted = false;
        struct Watch : QObject {
            bool* painted;
            explicit Watch(bool* p) : painted(p) {}
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::Paint)
                    *painted = true;
                return false;
            }
        } watch(&painted);
        window.installEventFilter(&watch);
        while (!painted)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        samples.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    state.counters["median_ms"] = WindowRig::percentile(samples, 0.5);
}

// Runs in a process of its own (see peakMemory): a fresh heap shows what the screens need.
// The second argument is how many rounds of every screen it makes: repeated visits must not
// grow the peak.
void peakMemoryChild(benchmark::State& state) {
    for (auto _ : state) {
        WindowRig rig(storeOfScale(int(state.range(0))));
        for (int round = 0; round < int(state.range(1)); ++round) {
            for (const Visit& visit : kVisits) {
                leaveTo(rig, awayFrom(visit));
                rig.millisecondsToPaint([&] { go(rig, visit); });
            }
            if (auto* goals = openGoals(rig, false)) {
                rig.millisecondsToPaint([&] { goals->setShowingArchived(true); });
                rig.millisecondsToPaint([&] { goals->setShowingArchived(false); });
            }
        }
    }
    state.counters["peak_MB"] = WindowRig::peakMemoryMB();
}

void peakMemory(benchmark::State& state) {
    double peak = 0;
    for (auto _ : state) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QV_BENCH_CHILD"), QStringLiteral("1"));
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--benchmark_filter=^peakMemoryChild/%1/%2/")
                         .arg(state.range(0))
                         .arg(state.range(1)),
                     QStringLiteral("--benchmark_format=json")});
        child.waitForFinished(-1);
        const QJsonArray runs = QJsonDocument::fromJson(child.readAllStandardOutput())
                                    .object()
                                    .value(QStringLiteral("benchmarks"))
                                    .toArray();
        if (runs.isEmpty()) {
            state.SkipWithError("the measuring process failed");
            return;
        }
        peak = runs.first().toObject().value(QStringLiteral("peak_MB")).toDouble();
    }
    state.counters["peak_MB"] = peak;
}

QLineEdit* searchField(WindowRig& rig) {
    return rig.screen() ? rig.screen()->findChild<QLineEdit*>(QStringLiteral("goalsSearchField")) : nullptr;
}

// 5,000 active goals: open the screen, switch tabs, type a letter and clear it.
void stress(benchmark::State& state) {
    WindowRig& rig = rigFor(5000);
    const int action = int(state.range(0));
    std::vector<double> samples;
    for (auto _ : state) {
        for (int i = 0; i < kSamples; ++i) {
            GoalsView* goals = nullptr;
            if (action == 0) {
                leaveTo(rig, AppDestination::links);
                samples.push_back(rig.millisecondsToPaint([&] {
                    go(rig, {"goals", AppDestination::goals, false});
                }));
                continue;
            }
            goals = qobject_cast<GoalsView*>(rig.screen());
            if (!goals)
                goals = openGoals(rig, false);
            if (action == 1) {
                const bool archived = !goals->isShowingArchived();
                samples.push_back(rig.millisecondsToPaint([&] { goals->setShowingArchived(archived); }));
            } else {
                goals->setShowingArchived(false);
                QLineEdit* field = searchField(rig);
                field->setFocus();
                QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
                QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
                const double typed =
                    rig.millisecondsToPaint([&] { QCoreApplication::sendEvent(field, &press); });
                const double cleared =
                    rig.millisecondsToPaint([&] { QCoreApplication::sendEvent(field, &erase); });
                samples.push_back(action == 2 ? typed : cleared);
            }
        }
    }
    state.SetLabel(action == 0   ? "open goals"
                   : action == 1 ? "switch tabs"
                   : action == 2 ? "type a letter"
                                 : "clear it");
    reportP95(state, samples);
}

void everyVisit(benchmark::internal::Benchmark* b) {
    for (int scale : {1, 10, 20})
        for (int v = 0; v < int(std::size(kVisits)); ++v)
            b->Args({v, scale});
}

void everyTab(benchmark::internal::Benchmark* b) {
    for (int scale : {1, 10, 20})
        for (int v = 0; v < int(std::size(kTabVisits)); ++v)
            b->Args({v, scale});
}

void everyVisitAtRest(benchmark::internal::Benchmark* b) {
    for (int scale : {1, 10})
        for (int v = 0; v < int(std::size(kVisits)); ++v)
            b->Args({v, scale});
}

void memoryCases(benchmark::internal::Benchmark* b) {
    for (int scale : {1, 10, 20})
        for (int rounds : {1, 20})
            b->Args({scale, rounds});
    b->Args({5000, 1});
}

} // namespace

BENCHMARK(peakMemory)->Apply(memoryCases)->Iterations(1)->Unit(benchmark::kMillisecond);
// Only the process peakMemory starts runs the measurement itself.
const bool kChildRegistered =
    qEnvironmentVariableIsSet("QV_BENCH_CHILD") &&
    (benchmark::RegisterBenchmark("peakMemoryChild", peakMemoryChild)->Apply(memoryCases)->Iterations(1),
     true);
BENCHMARK(bareWindow)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(firstWindow)->Arg(1)->Arg(10)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(switchTo)->Apply(everyVisit)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(chooseTab)->Apply(everyTab)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(selectGoal)->Arg(1)->Arg(10)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(entranceFrames)->Arg(1)->Arg(10)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(stress)->DenseRange(0, 3)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(idleCpu)->Apply(everyVisitAtRest)->Iterations(1)->Unit(benchmark::kMillisecond);
