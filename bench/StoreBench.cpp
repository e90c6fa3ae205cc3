// The object store on generated ten-year stores (1x and 10x): what the goal list costs from
// a cold start, one month of money records, one edit and its save, and peak memory.
#include "support/HeavyStore.h"

#include "Models/Expense.h"
#include "Models/Goal.h"
#include "Models/Income.h"
#include "Models/QuorvaleModel.h"
#include "Models/Step.h"
#include "Store/FetchRequest.h"
#include "Store/StoreFile.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTimeZone>

#include <fstream>
#include <map>
#include <string>

namespace {

// A copy of the generated store in the benchmark's own home, so edits leave the cache alone.
QString workingStore(int scale) {
    static std::map<int, QString> copies;
    auto it = copies.find(scale);
    if (it != copies.end())
        return it->second;
    const QString cached =
        HeavyStore::ensure(QCoreApplication::applicationDirPath() + QStringLiteral("/../stores"), scale);
    const QString copy = qEnvironmentVariable("HOME") + QStringLiteral("/heavy-%1x.sqlite").arg(scale);
    QFile::remove(copy);
    QFile::copy(cached, copy);
    return copies[scale] = copy;
}

void resetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

double peakMemoryMB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

FetchRequest activeGoals() {
    return FetchRequest(Goal::entityName(), Key(Goal::Keys::isArchived) == false,
                        {{Goal::Keys::createdAt, false}});
}

void openAndActiveGoalsWithProgress(benchmark::State& state) {
    const QString path = workingStore(static_cast<int>(state.range(0)));
    resetPeakMemory();
    std::size_t goals = 0;
    for (auto _ : state) {
        auto opened = StoreFile::open(QuorvaleModel::objectModel(), path);
        if (!opened.context) {
            state.SkipWithError(qPrintable(opened.error));
            return;
        }
        const auto list = opened.context->fetch<Goal>(activeGoals());
        double total = 0;
        for (const auto& goal : list)
            total += goal->progressPercentage();
        benchmark::DoNotOptimize(total);
        goals = list.size();
    }
    state.counters["goals"] = static_cast<double>(goals);
    state.counters["peak_MB"] = peakMemoryMB();
}

// The same rows read by the sqlite3 tool, process start included.
void sqliteToolReadsTheSameRows(benchmark::State& state) {
    const QString path = workingStore(static_cast<int>(state.range(0)));
    const QString sql =
        QStringLiteral("SELECT * FROM Goal WHERE isArchived = 0 ORDER BY createdAt DESC;"
                       "SELECT * FROM Milestone WHERE goal IN (SELECT pk FROM Goal WHERE isArchived = 0);"
                       "SELECT * FROM Step WHERE milestone IN (SELECT pk FROM Milestone WHERE goal IN "
                       "(SELECT pk FROM Goal WHERE isArchived = 0));"
                       "SELECT * FROM Expense WHERE goalID IN (SELECT id FROM Goal WHERE isArchived = 0 AND "
                       "needsMoney = 1);");
    for (auto _ : state) {
        QProcess tool;
        tool.setStandardOutputFile(QProcess::nullDevice());
        tool.start(QStringLiteral("sqlite3"), {QStringLiteral("-batch"), path, sql});
        tool.waitForFinished(-1);
        if (tool.exitCode() != 0) {
            state.SkipWithError("sqlite3 failed");
            return;
        }
    }
}

void oneMonthOfExpensesAndIncomes(benchmark::State& state) {
    const QString path = workingStore(static_cast<int>(state.range(0)));
    auto opened = StoreFile::open(QuorvaleModel::objectModel(), path);
    const QDateTime from(QDate(2026, 5, 1), QTime(0, 0), QTimeZone::utc());
    const QDateTime to = from.addMonths(1);
    const auto inMonth = [&](StoreKey date) { return Key(date) >= from && Key(date) < to; };
    std::size_t rows = 0;
    for (auto _ : state) {
        const auto expenses = opened.context->fetch<Expense>(FetchRequest(
            Expense::entityName(), inMonth(Expense::Keys::date), {{Expense::Keys::date, false}}));
        const auto incomes = opened.context->fetch<Income>(
            FetchRequest(Income::entityName(), inMonth(Income::Keys::date), {{Income::Keys::date, false}}));
        double sum = 0;
        for (const auto& e : expenses)
            sum += e->amount();
        for (const auto& i : incomes)
            sum -= i->amount();
        benchmark::DoNotOptimize(sum);
        rows = expenses.size() + incomes.size();
    }
    state.counters["rows"] = static_cast<double>(rows);
}

void oneEditAndItsSave(benchmark::State& state) {
    const QString path = workingStore(static_cast<int>(state.range(0)));
    auto opened = StoreFile::open(QuorvaleModel::objectModel(), path);
    ObjectContext& context = *opened.context;
    const auto steps = context.fetch<Step>(FetchRequest(Step::entityName(), {}, {}, 1));
    if (steps.empty()) {
        state.SkipWithError("no step");
        return;
    }
    const auto& step = steps.front();
    for (auto _ : state) {
        step->setIsCompleted(!step->isCompleted());
        if (!context.save()) {
            state.SkipWithError("save failed");
            return;
        }
    }
}

} // namespace

BENCHMARK(openAndActiveGoalsWithProgress)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(sqliteToolReadsTheSameRows)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(oneMonthOfExpensesAndIncomes)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(oneEditAndItsSave)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
