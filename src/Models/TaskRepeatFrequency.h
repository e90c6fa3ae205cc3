#pragma once

#include <QString>

#include <array>
#include <optional>

// Repetition of a calendar task, stored as its raw text; none means a one-off task.
enum class TaskRepeatFrequency { daily, weekdays, weekly };

namespace TaskRepeatFrequencies {
inline constexpr std::array<TaskRepeatFrequency, 3> allCases{
    TaskRepeatFrequency::daily, TaskRepeatFrequency::weekdays, TaskRepeatFrequency::weekly};
QString rawValue(TaskRepeatFrequency frequency);
std::optional<TaskRepeatFrequency> fromRaw(const QString& raw);
} // namespace TaskRepeatFrequencies
