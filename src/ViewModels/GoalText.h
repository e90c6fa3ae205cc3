#pragma once

#include "Models/Goal.h"

#include <QString>

// How a goal is named and filed on every screen, alert, reminder and export.
namespace GoalText {
// The goal's own title, or "Untitled Goal" while it has none.
inline QString title(const Goal& goal) {
    return goal.title().value_or(QStringLiteral("Untitled Goal"));
}
// The goal's category, or "Personal" while it has none.
inline QString category(const Goal& goal) {
    return goal.category().value_or(QStringLiteral("Personal"));
}
} // namespace GoalText
