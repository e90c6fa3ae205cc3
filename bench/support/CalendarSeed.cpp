#include "support/CalendarSeed.h"

#include "Models/CalendarSubtask.h"
#include "Models/CalendarTask.h"
#include "Models/Milestone.h"
#include "Models/MilestoneFrequency.h"
#include "Models/QuorvaleModel.h"
#include "Models/TaskCategory.h"
#include "Store/ObjectContext.h"
#include "Store/StoreFile.h"
#include "support/HeavyStore.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <map>

QString CalendarSeed::workingStore(int scale) {
    static std::map<int, QString> made;
    if (auto it = made.find(scale); it != made.end())
        return it->second;
    const QString generated =
        HeavyStore::ensure(QCoreApplication::applicationDirPath() + QStringLiteral("/../stores"), scale);
    const QString path = qEnvironmentVariable("HOME") + QStringLiteral("/calendar-%1x.sqlite").arg(scale);
    QFile::remove(path);
    QFile::copy(generated, path);
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    apply(path);
    return made[scale] = path;
}

void CalendarSeed::apply(const QString& path) {
    auto opened = StoreFile::open(QuorvaleModel::objectModel(), path);
    if (!opened.context) {
        std::fprintf(stderr, "calendar seed: %s\n", qPrintable(opened.error));
        std::exit(1);
    }
    ObjectContext& context = *opened.context;
    // Every milestone gets a schedule, the seven kinds in turn.
    int n = 0;
    for (const auto& milestone : context.fetch<Milestone>(FetchRequest(Milestone::entityName())))
        milestone->setFrequency(MilestoneFrequencies::rawValue(MilestoneFrequencies::allCases[n++ % 7]));

    const auto categories = context.fetch<TaskCategory>(FetchRequest(TaskCategory::entityName()));
    const QDateTime today = HeavyStore::now().toLocalTime().date().startOfDay(Qt::LocalTime);
    static const char* titles[] = {"Quarterly report", "Call the bank",        "Groceries", "Dentist",
                                   "Water the plants", "Review pull requests", "Gym",       "Read a chapter"};
    static const char* repeats[] = {nullptr, nullptr,    "Weekly", nullptr,
                                    "Daily", "Weekdays", nullptr,  nullptr};
    for (int t = 0; t < 8; ++t) {
        auto task = CalendarTask::create(&context);
        task->setTitle(QString::fromLatin1(titles[t]));
        task->setDate(repeats[t] ? today.addDays(-7 - t) : today);
        task->setCreatedAt(*task->date());
        if (repeats[t])
            task->setRepeatFrequency(QString::fromLatin1(repeats[t]));
        if (!categories.empty())
            task->setCategory(categories[std::size_t(t) % categories.size()]);
        for (int s = 0; s < t % 4; ++s) {
            auto subtask = CalendarSubtask::create(&context);
            subtask->setTitle(QStringLiteral("Part %1").arg(s + 1));
            subtask->setIsCompleted(s == 0);
            subtask->setTask(task);
        }
    }
    QString error;
    if (!context.save(&error)) {
        std::fprintf(stderr, "calendar seed: %s\n", qPrintable(error));
        std::exit(1);
    }
}
