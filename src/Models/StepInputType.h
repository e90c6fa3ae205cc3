#pragma once

#include <QString>

#include <array>
#include <optional>

// How a step is answered, stored as its raw text.
enum class StepInputType { checkbox, inputField };

namespace StepInputTypes {
inline constexpr std::array<StepInputType, 2> allCases{StepInputType::checkbox, StepInputType::inputField};
QString rawValue(StepInputType type); // "Complete" or "Write a note"
std::optional<StepInputType> fromRaw(const QString& raw);
} // namespace StepInputTypes
