#pragma once

#include <QDateTime>
#include <QString>

// The store of a heavy user after ten years, for benchmarks. At scale 1: 300 goals (a tenth
// of them money goals that expenses point at), 3,000 milestones, 30,000 steps, 4,000
// journal entries, 200 achievements, 12,000 calendar tasks with 20,000 subtasks, 30,000
// expenses, 3,000 incomes, 30 bank accounts, 10 cards, 60 subscriptions, 60 bills, 500
// investments and 1,000 links; every count times the scale. The same seed gives the same
// store.
class HeavyStore {
public:
    // The last moment of the ten years the records spread over.
    static QDateTime now();
    // A generated store of the scale, made once and kept under folder.
    static QString ensure(const QString& folder, int scale);
    static void generate(const QString& path, int scale);
};
