#pragma once

#include <QColor>
#include <QString>

#include <array>
#include <optional>

// The destinations of the main window, in sidebar order; the raw value is the title.
enum class AppDestination {
    dashboard,
    goals,
    deadlines,
    achievements,
    journal,
    expenses,
    calendar,
    links,
    settings
};

namespace AppDestinations {
inline constexpr std::array<AppDestination, 9> allCases{
    AppDestination::dashboard,    AppDestination::goals,   AppDestination::deadlines,
    AppDestination::achievements, AppDestination::journal, AppDestination::expenses,
    AppDestination::calendar,     AppDestination::links,   AppDestination::settings};

// "Dashboard" ... "Finance" for expenses ... "Settings".
QString rawValue(AppDestination destination);
inline QString title(AppDestination destination) {
    return rawValue(destination);
}
std::optional<AppDestination> fromRaw(const QString& raw);

// A fixed palette accent; settings follows the current theme's muted text colour.
QColor accentColor(AppDestination destination);
} // namespace AppDestinations
