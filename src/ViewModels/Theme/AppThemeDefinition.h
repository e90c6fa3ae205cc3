#pragma once

#include <QString>

// The seven colours of a theme as "#RRGGBB" texts: four backgrounds growing lighter, then
// three text levels growing dimmer.
struct AppThemeDefinition {
    QString backgroundPrimary;
    QString backgroundSecondary;
    QString backgroundTertiary;
    QString backgroundElevated;
    QString textPrimary;
    QString textSecondary;
    QString textMuted;

    bool operator==(const AppThemeDefinition&) const = default;
};
