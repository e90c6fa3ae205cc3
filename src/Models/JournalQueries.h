#pragma once

#include "Store/FetchRequest.h"

#include <QDateTime>

// The journal's and the achievements' queries, each written once.
class JournalQueries {
public:
    // Journal entries dated inside the local day holding date, newest created first.
    static FetchRequest entriesOnDay(const QDateTime& date);
    // Every achievement, newest date first.
    static FetchRequest achievements();
    // Every achievement category, by name in code-point order.
    static FetchRequest achievementCategories();
    // The categories that come with the application (not added by the user).
    static FetchRequest builtInAchievementCategories();
};
