// The store's integrity check (PRAGMA quick_check on its own read-only connection) on the
// generated ten-year stores, 1x and 10x: how long the first save may have to wait for it.
#include "support/HeavyStore.h"

#include "Store/StoreIntegrityCheck.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

namespace {

void quickCheckOfTheStore(benchmark::State& state) {
    const QString path =
        HeavyStore::ensure(QCoreApplication::applicationDirPath() + QStringLiteral("/../stores"),
                           static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const StoreIntegrityCheck::Answer answer = StoreIntegrityCheck::run(path);
        if (!answer.sound)
            state.SkipWithError(answer.problem.toStdString().c_str());
    }
}

} // namespace

BENCHMARK(quickCheckOfTheStore)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(3);
