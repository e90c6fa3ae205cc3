#pragma once

#include <functional>

class QWidget;

// What the goals screen shows where its lists are empty.
namespace GoalsEmptyState {

// "No goals yet" with "Create First Goal", or "No results" while searching.
QWidget* forActiveGoals(QWidget* parent, std::function<void()> onCreate);
void setSearching(QWidget* emptyState, bool searching);

// "No achieved goals yet".
QWidget* forAchievedGoals(QWidget* parent);

} // namespace GoalsEmptyState
