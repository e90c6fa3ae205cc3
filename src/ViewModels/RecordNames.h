#pragma once

#include "Models/Achievement.h"
#include "Models/CalendarSubtask.h"
#include "Models/CalendarTask.h"

#include <QString>

// How the calendar and the achievements name a record that has no title of its own: one
// fallback per kind (goals, milestones and steps have theirs in GoalText, money records in
// FinanceNames).
namespace RecordNames {
inline QString task(const CalendarTask& task) {
    return task.title().value_or(QStringLiteral("Untitled Task"));
}
inline QString subtask(const CalendarSubtask& subtask) {
    return subtask.title().value_or(QStringLiteral("Untitled Subtask"));
}
inline QString achievement(const Achievement& achievement) {
    return achievement.title().value_or(QStringLiteral("Untitled"));
}
} // namespace RecordNames
