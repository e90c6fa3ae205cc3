// User defaults with the key count of a heavy calendar user: one flag per step and day.
#include "Platform/UserDefaults.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <SQLiteCpp/SQLiteCpp.h>

namespace {

constexpr int kKeys = 50'000;

QString keyAt(int i) {
    return QStringLiteral("stepDone_%1_2026-%2").arg(i / 365).arg(i % 365);
}

// Builds the file in one transaction; going through the setters would fsync 50,000 times.
QString populatedStore() {
    static const QString path = [] {
        const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                            QStringLiteral("/QuorvaleBench");
        QDir().mkpath(dir);
        const QString file = dir + QStringLiteral("/defaults.sqlite");
        QFile::remove(file);
        { UserDefaults create(file); }
        SQLite::Database db(file.toStdString(), SQLite::OPEN_READWRITE);
        SQLite::Transaction transaction(db);
        SQLite::Statement insert(db, "INSERT INTO defaults (key, type, value) VALUES (?, 'flag', ?)");
        for (int i = 0; i < kKeys; ++i) {
            insert.reset();
            insert.bind(1, keyAt(i).toStdString());
            insert.bind(2, i % 2);
            insert.exec();
        }
        transaction.commit();
        return file;
    }();
    return path;
}

void BM_UserDefaultsOpen(benchmark::State& state) {
    const QString path = populatedStore();
    for (auto _ : state) {
        UserDefaults defaults(path);
        benchmark::DoNotOptimize(defaults.count());
    }
}
BENCHMARK(BM_UserDefaultsOpen)->Unit(benchmark::kMillisecond);

void BM_UserDefaultsRead(benchmark::State& state) {
    UserDefaults defaults(populatedStore());
    QStringList keys;
    for (int i = 0; i < 1000; ++i)
        keys << keyAt((i * 7919) % kKeys);
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(defaults.flag(keys[i++ % keys.size()]));
}
BENCHMARK(BM_UserDefaultsRead);

void BM_UserDefaultsWrite(benchmark::State& state) {
    UserDefaults defaults(populatedStore());
    int i = 0;
    for (auto _ : state) {
        const QString key = keyAt((i * 7919) % kKeys);
        defaults.setFlag(key, !defaults.flag(key));
        ++i;
    }
}
BENCHMARK(BM_UserDefaultsWrite)->Unit(benchmark::kMicrosecond);

} // namespace
