#include "Models/JournalQueries.h"

#include "Models/Achievement.h"
#include "Models/AchievementCategory.h"
#include "Models/DailyLog.h"
#include "Platform/CalendarHelpers.h"

FetchRequest JournalQueries::entriesOnDay(const QDateTime& date) {
    // The half-open local day [start of day, start of next day).
    const auto [start, end] = Calendar::dayRange(date);
    return FetchRequest(DailyLog::entityName(),
                        Key(QStringLiteral("date")) >= start && Key(QStringLiteral("date")) < end,
                        {{QStringLiteral("createdAt"), false}});
}

FetchRequest JournalQueries::achievements() {
    return FetchRequest(Achievement::entityName(), {}, {{QStringLiteral("date"), false}});
}

FetchRequest JournalQueries::achievementCategories() {
    return FetchRequest(AchievementCategory::entityName(), {}, {{QStringLiteral("name"), true}});
}

FetchRequest JournalQueries::builtInAchievementCategories() {
    return FetchRequest(AchievementCategory::entityName(), Key(QStringLiteral("isCustom")) == false);
}
