#pragma once

#include "Models/Goal.h"

#include <QString>

class Milestone;
class Step;

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
// A milestone's title, or "Untitled Milestone" while it has none (or there is none).
QString milestoneTitle(const Milestone* milestone);
// The name a milestone's card heads with: its frequency when that is a known one, else its title.
QString milestoneHeading(const Milestone& milestone);
// A step's title, or "Untitled Step" while it has none (or there is none).
QString stepTitle(const Step* step);
} // namespace GoalText
