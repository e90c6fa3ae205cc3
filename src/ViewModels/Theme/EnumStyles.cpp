#include "ViewModels/Theme/EnumStyles.h"

#include "ViewModels/Theme/AppTheme.h"

namespace C = AppTheme::Colors;

QColor EnumStyles::color(MilestoneFrequency frequency) {
    switch (frequency) {
    case MilestoneFrequency::oneTime:
        return C::rose();
    case MilestoneFrequency::daily:
        return C::sunrise();
    case MilestoneFrequency::weekly:
        return C::cyan();
    case MilestoneFrequency::monthly:
        return C::indigo();
    case MilestoneFrequency::quarterly:
        return C::violet();
    case MilestoneFrequency::biYearly:
        return C::emerald();
    case MilestoneFrequency::annually:
        return C::amber();
    }
    return C::indigo();
}

QString EnumStyles::symbol(MilestoneFrequency frequency) {
    switch (frequency) {
    case MilestoneFrequency::oneTime:
        return QStringLiteral("checkmark.seal.fill");
    case MilestoneFrequency::daily:
        return QStringLiteral("sun.max.fill");
    case MilestoneFrequency::weekly:
        return QStringLiteral("7.circle.fill");
    case MilestoneFrequency::monthly:
        return QStringLiteral("calendar");
    case MilestoneFrequency::quarterly:
        return QStringLiteral("3.circle.fill");
    case MilestoneFrequency::biYearly:
        return QStringLiteral("2.circle.fill");
    case MilestoneFrequency::annually:
        return QStringLiteral("star.fill");
    }
    return QStringLiteral("calendar");
}

QString EnumStyles::title(MilestoneFrequency frequency) {
    return MilestoneFrequencies::rawValue(frequency);
}

QString EnumStyles::label(GoalPriority priority) {
    switch (priority) {
    case GoalPriority::low:
        return QStringLiteral("Low");
    case GoalPriority::medium:
        return QStringLiteral("Medium");
    case GoalPriority::high:
        return QStringLiteral("High");
    }
    return QStringLiteral("Medium");
}

QString EnumStyles::symbol(GoalPriority priority) {
    switch (priority) {
    case GoalPriority::low:
        return QStringLiteral("arrow.down");
    case GoalPriority::medium:
        return QStringLiteral("minus");
    case GoalPriority::high:
        return QStringLiteral("arrow.up");
    }
    return QStringLiteral("minus");
}

QColor EnumStyles::tone(GoalPriority priority) {
    switch (priority) {
    case GoalPriority::low:
        return C::emerald();
    case GoalPriority::medium:
        return C::amber();
    case GoalPriority::high:
        return C::coral();
    }
    return C::amber();
}

QString EnumStyles::label(MomentumState state) {
    QString raw = MomentumStates::rawValue(state);
    if (!raw.isEmpty())
        raw[0] = raw[0].toUpper();
    return raw;
}

QString EnumStyles::symbol(MomentumState state) {
    switch (state) {
    case MomentumState::accelerating:
        return QStringLiteral("flame.fill");
    case MomentumState::coasting:
        return QStringLiteral("wind");
    case MomentumState::stalling:
        return QStringLiteral("tortoise.fill");
    }
    return QStringLiteral("wind");
}

QColor EnumStyles::tone(MomentumState state) {
    switch (state) {
    case MomentumState::accelerating:
        return C::emerald();
    case MomentumState::coasting:
        return C::amber();
    case MomentumState::stalling:
        return C::coral();
    }
    return C::amber();
}

QString EnumStyles::builderSymbol(StepInputType type) {
    return type == StepInputType::checkbox ? QStringLiteral("checkmark.square")
                                           : QStringLiteral("pencil.line");
}

QString EnumStyles::rowSymbol(StepInputType type) {
    return type == StepInputType::checkbox ? QStringLiteral("checkmark.square")
                                           : QStringLiteral("text.cursor");
}

QString EnumStyles::title(StepInputType type) {
    return StepInputTypes::rawValue(type);
}

QString EnumStyles::title(TaskRepeatFrequency frequency) {
    return TaskRepeatFrequencies::rawValue(frequency);
}
