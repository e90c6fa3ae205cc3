#pragma once

#include <QtGlobal>

#include <array>
#include <optional>

// Priority of goals and steps, stored as a 16-bit integer.
enum class GoalPriority : qint16 { low = 1, medium = 2, high = 3 };

namespace GoalPriorities {
inline constexpr std::array<GoalPriority, 3> allCases{GoalPriority::low, GoalPriority::medium,
                                                      GoalPriority::high};
inline qint16 rawValue(GoalPriority p) {
    return static_cast<qint16>(p);
}
inline std::optional<GoalPriority> fromRaw(qint64 raw) {
    if (raw >= 1 && raw <= 3)
        return static_cast<GoalPriority>(raw);
    return std::nullopt;
}
} // namespace GoalPriorities
