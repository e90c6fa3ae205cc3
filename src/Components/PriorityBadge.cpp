#include "Components/PriorityBadge.h"

#include "ViewModels/Theme/EnumStyles.h"

PriorityBadge::PriorityBadge(GoalPriority priority, QWidget* parent)
    : CapsuleBadge(EnumStyles::symbol(priority), EnumStyles::label(priority), EnumStyles::tone(priority),
                   EnumStyles::kPriorityFillOpacity, EnumStyles::kPriorityStrokeOpacity, parent),
      priority_(priority) {}

void PriorityBadge::setPriority(GoalPriority priority) {
    priority_ = priority;
    setContent(EnumStyles::symbol(priority), EnumStyles::label(priority), EnumStyles::tone(priority),
               EnumStyles::kPriorityFillOpacity, EnumStyles::kPriorityStrokeOpacity);
}
