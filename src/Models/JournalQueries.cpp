#include "Models/JournalQueries.h"

#include "Models/Achievement.h"
#include "Models/AchievementCategory.h"
#include "Models/DailyLog.h"
#include "Platform/CalendarHelpers.h"

FetchRequest JournalQueries::entriesOnDay(const QDateTime& date) {
    // The half-open local day [start of day, start of next day).
    const auto [start, end] = Calendar::dayRange(date);
    return FetchRequest(DailyLog::entityName(),
                        Key(DailyLog::Keys::date) >= start && Key(DailyLog::Keys::date) < end,
                        {{DailyLog::Keys::createdAt, false}});
}

FetchRequest JournalQueries::achievements() {
    return FetchRequest(Achievement::entityName(), {}, {{Achievement::Keys::date, false}});
}

FetchRequest JournalQueries::achievementCategories() {
    return FetchRequest(AchievementCategory::entityName(), {}, {{AchievementCategory::Keys::name, true}});
}

FetchRequest JournalQueries::builtInAchievementCategories() {
    return FetchRequest(AchievementCategory::entityName(), Key(AchievementCategory::Keys::isCustom) == false);
}
