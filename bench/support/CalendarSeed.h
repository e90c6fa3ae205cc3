#pragma once

#include <QString>

// What the heavy store lacks for the calendar: check-in frequencies on its milestones (so
// they come round on days) and, on the day of HeavyStore::now(), a handful of tasks with
// subtasks, some repeating, as a heavy user's day holds them.
class CalendarSeed {
public:
    // A copy of the generated store of the scale with the calendar's records added, made
    // once per process in the benchmark's home.
    static QString workingStore(int scale);
    static void apply(const QString& path);
};
