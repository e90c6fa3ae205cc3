#include "ViewModels/GoalText.h"

#include "Models/Milestone.h"
#include "Models/MilestoneFrequency.h"
#include "Models/Step.h"

QString GoalText::milestoneTitle(const Milestone* milestone) {
    const auto title = milestone ? milestone->title() : std::nullopt;
    return title.value_or(QStringLiteral("Untitled Milestone"));
}

QString GoalText::milestoneHeading(const Milestone& milestone) {
    if (const auto text = milestone.frequency())
        if (const auto frequency = MilestoneFrequencies::fromRaw(*text))
            return MilestoneFrequencies::rawValue(*frequency);
    return milestoneTitle(&milestone);
}

QString GoalText::stepTitle(const Step* step) {
    const auto title = step ? step->title() : std::nullopt;
    return title.value_or(QStringLiteral("Untitled Step"));
}
