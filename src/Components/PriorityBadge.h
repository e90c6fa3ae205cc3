#pragma once

#include "Components/CapsuleBadge.h"
#include "Models/GoalPriority.h"

// A goal's priority: "Low" with "arrow.down" in emerald, "Medium" with "minus" in amber, "High" with
// "arrow.up" in coral.
class PriorityBadge : public CapsuleBadge {
    Q_OBJECT
public:
    explicit PriorityBadge(GoalPriority priority, QWidget* parent = nullptr);

    GoalPriority priority() const { return priority_; }
    void setPriority(GoalPriority priority);

private:
    GoalPriority priority_;
};
