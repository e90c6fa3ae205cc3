#include "Models/MilestoneFrequency.h"
#include "Models/MomentumState.h"
#include "Models/StepInputType.h"
#include "Models/TaskRepeatFrequency.h"

namespace {

template <typename Enum, std::size_t N>
std::optional<Enum> matchRaw(const std::array<Enum, N>& cases, QString (*raw)(Enum), const QString& text) {
    for (Enum e : cases)
        if (raw(e) == text)
            return e;
    return std::nullopt;
}

} // namespace

QString MomentumStates::rawValue(MomentumState state) {
    switch (state) {
    case MomentumState::accelerating:
        return QStringLiteral("accelerating");
    case MomentumState::coasting:
        return QStringLiteral("coasting");
    case MomentumState::stalling:
        return QStringLiteral("stalling");
    }
    return {};
}

std::optional<MomentumState> MomentumStates::fromRaw(const QString& raw) {
    return matchRaw(allCases, &MomentumStates::rawValue, raw);
}

QString MilestoneFrequencies::rawValue(MilestoneFrequency frequency) {
    switch (frequency) {
    case MilestoneFrequency::oneTime:
        return QStringLiteral("One Time");
    case MilestoneFrequency::daily:
        return QStringLiteral("Daily");
    case MilestoneFrequency::weekly:
        return QStringLiteral("Weekly");
    case MilestoneFrequency::monthly:
        return QStringLiteral("Monthly");
    case MilestoneFrequency::quarterly:
        return QStringLiteral("Quarterly");
    case MilestoneFrequency::biYearly:
        return QStringLiteral("Bi-Yearly");
    case MilestoneFrequency::annually:
        return QStringLiteral("Annually");
    }
    return {};
}

std::optional<MilestoneFrequency> MilestoneFrequencies::fromRaw(const QString& raw) {
    return matchRaw(allCases, &MilestoneFrequencies::rawValue, raw);
}

QString TaskRepeatFrequencies::rawValue(TaskRepeatFrequency frequency) {
    switch (frequency) {
    case TaskRepeatFrequency::daily:
        return QStringLiteral("Daily");
    case TaskRepeatFrequency::weekdays:
        return QStringLiteral("Weekdays");
    case TaskRepeatFrequency::weekly:
        return QStringLiteral("Weekly");
    }
    return {};
}

std::optional<TaskRepeatFrequency> TaskRepeatFrequencies::fromRaw(const QString& raw) {
    return matchRaw(allCases, &TaskRepeatFrequencies::rawValue, raw);
}

QString StepInputTypes::rawValue(StepInputType type) {
    switch (type) {
    case StepInputType::checkbox:
        return QStringLiteral("Complete");
    case StepInputType::inputField:
        return QStringLiteral("Write a note");
    }
    return {};
}

std::optional<StepInputType> StepInputTypes::fromRaw(const QString& raw) {
    return matchRaw(allCases, &StepInputTypes::rawValue, raw);
}
