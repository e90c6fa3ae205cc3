#pragma once

#include <QString>

#include <array>
#include <optional>

// The check-in schedule of a milestone, stored as its raw text.
enum class MilestoneFrequency { oneTime, daily, weekly, monthly, quarterly, biYearly, annually };

namespace MilestoneFrequencies {
inline constexpr std::array<MilestoneFrequency, 7> allCases{
    MilestoneFrequency::oneTime, MilestoneFrequency::daily,     MilestoneFrequency::weekly,
    MilestoneFrequency::monthly, MilestoneFrequency::quarterly, MilestoneFrequency::biYearly,
    MilestoneFrequency::annually};
QString rawValue(MilestoneFrequency frequency);
// Exact match only: "Bi-yearly" or "one time" give no value.
std::optional<MilestoneFrequency> fromRaw(const QString& raw);
} // namespace MilestoneFrequencies
