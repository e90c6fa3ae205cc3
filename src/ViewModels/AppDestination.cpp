#include "ViewModels/AppDestination.h"

#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

QString AppDestinations::rawValue(AppDestination destination) {
    switch (destination) {
    case AppDestination::dashboard:
        return QStringLiteral("Dashboard");
    case AppDestination::goals:
        return QStringLiteral("Goals");
    case AppDestination::deadlines:
        return QStringLiteral("Deadlines");
    case AppDestination::achievements:
        return QStringLiteral("Achievements");
    case AppDestination::journal:
        return QStringLiteral("Journal");
    case AppDestination::expenses:
        return QStringLiteral("Finance");
    case AppDestination::calendar:
        return QStringLiteral("Calendar");
    case AppDestination::links:
        return QStringLiteral("Links");
    case AppDestination::settings:
        return QStringLiteral("Settings");
    }
    return {};
}

std::optional<AppDestination> AppDestinations::fromRaw(const QString& raw) {
    for (AppDestination destination : allCases)
        if (rawValue(destination) == raw)
            return destination;
    return std::nullopt;
}

QColor AppDestinations::accentColor(AppDestination destination) {
    namespace C = AppTheme::Colors;
    switch (destination) {
    case AppDestination::dashboard:
        return C::indigo();
    case AppDestination::goals:
        return C::cyan();
    case AppDestination::deadlines:
        return C::coral();
    case AppDestination::achievements:
        return C::violet();
    case AppDestination::journal:
        return C::amber();
    case AppDestination::expenses:
        return C::sunrise();
    case AppDestination::calendar:
        return C::electric();
    case AppDestination::links:
        return C::sky();
    case AppDestination::settings:
        return Theme::textMuted();
    }
    return C::indigo();
}
