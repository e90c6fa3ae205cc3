#pragma once

#include "Models/GoalPriority.h"
#include "Models/MilestoneFrequency.h"
#include "Models/MomentumState.h"
#include "Models/StepInputType.h"
#include "Models/TaskRepeatFrequency.h"

#include <QColor>
#include <QString>

// How the stored enumerations look: their colours, symbols and shown texts.
namespace EnumStyles {

// Milestone frequencies: a palette colour and a symbol each; the title is the raw value.
QColor color(MilestoneFrequency frequency);
QString symbol(MilestoneFrequency frequency);
QString title(MilestoneFrequency frequency);

// Priorities, as the priority badge shows them.
QString label(GoalPriority priority);  // "Low", "Medium", "High"
QString symbol(GoalPriority priority); // "arrow.down", "minus", "arrow.up"
QColor tone(GoalPriority priority);    // emerald, amber, coral

// Momentum, as the momentum badge shows it.
QString label(MomentumState state);  // the raw value, first letter capitalised
QString symbol(MomentumState state); // "flame.fill", "wind", "tortoise.fill"
QColor tone(MomentumState state);    // emerald, amber, coral

// Step input types: the symbol of the add sheets ("checkmark.square", "pencil.line") and the
// one a step row shows ("checkmark.square", "text.cursor"); the title is the raw value.
QString builderSymbol(StepInputType type);
QString rowSymbol(StepInputType type);
QString title(StepInputType type);

// Task repetition: the title is the raw value.
QString title(TaskRepeatFrequency frequency);

// Badges fill with the tone at this opacity and outline it at the stroke opacity.
inline constexpr double kPriorityFillOpacity = 0.12;
inline constexpr double kPriorityStrokeOpacity = 0.3;
inline constexpr double kMomentumFillOpacity = 0.1;
inline constexpr double kMomentumStrokeOpacity = 0.25;

} // namespace EnumStyles
