#include "Views/Finance/FinanceTones.h"

#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

QColor FinanceTones::color(FinanceTone tone) {
    switch (tone) {
    case FinanceTone::Muted:
        return Theme::textMuted();
    case FinanceTone::Gain:
        return AppTheme::Colors::emerald();
    case FinanceTone::Loss:
        return AppTheme::Colors::rose();
    case FinanceTone::Pending:
        return AppTheme::Colors::amber();
    case FinanceTone::Card:
        return AppTheme::Colors::purple();
    case FinanceTone::Plain:
        break;
    }
    return Theme::textPrimary();
}
