#pragma once

#include <QString>

#include <array>
#include <optional>

// A goal's momentum, stored as its lower-case raw text.
enum class MomentumState { accelerating, coasting, stalling };

namespace MomentumStates {
inline constexpr std::array<MomentumState, 3> allCases{MomentumState::accelerating, MomentumState::coasting,
                                                       MomentumState::stalling};
QString rawValue(MomentumState state);
// Exact match only: "Accelerating" gives no value.
std::optional<MomentumState> fromRaw(const QString& raw);
} // namespace MomentumStates
