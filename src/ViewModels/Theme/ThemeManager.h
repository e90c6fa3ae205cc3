#pragma once

#include "ViewModels/Theme/AppColorTheme.h"
#include "ViewModels/Theme/AppFontOption.h"
#include "ViewModels/Theme/AppThemeDefinition.h"

#include <QColor>
#include <QFont>
#include <QObject>
#include <QString>

#include <optional>

// The process-wide theme and font choice, kept in the user defaults. Loading writes nothing;
// every assignment writes its key at once, even when the value is unchanged.
class ThemeManager : public QObject {
    Q_OBJECT
public:
    static ThemeManager& shared();
    // Forgets the shared instance; the next shared() loads the defaults again.
    static void resetShared();

    AppColorTheme currentTheme() const { return currentTheme_; }
    void setCurrentTheme(AppColorTheme theme);

    AppFontOption currentFont() const { return currentFont_; }
    void setCurrentFont(AppFontOption font);

    QString customBaseHex() const { return customBaseHex_; }
    void setCustomBaseHex(const QString& hex);

    void setCustomBaseColor(const QColor& color);

    AppThemeDefinition definition() const;
    // The current theme's colours, read from their text once per change of theme (paint
    // code asks for them many times a frame).
    struct Colors {
        QColor backgroundPrimary, backgroundSecondary, backgroundTertiary, backgroundElevated;
        QColor textPrimary, textSecondary, textMuted;
    };
    const Colors& colors() const;
    QFont font(qreal pixelSize, QFont::Weight weight = QFont::Normal) const;

    static QString themeKey() { return QStringLiteral("selectedTheme"); }
    static QString fontKey() { return QStringLiteral("selectedFont"); }
    static QString customBaseKey() { return QStringLiteral("customThemeBaseHex"); }

signals:
    void themeChanged();
    void fontChanged();
    void customBaseChanged();
    // Any of the three: whatever draws with the theme repaints.
    void changed();

private:
    ThemeManager();

    AppColorTheme currentTheme_ = AppColorTheme::midnight;
    AppFontOption currentFont_ = AppFontOption::manrope;
    QString customBaseHex_;
    mutable std::optional<Colors> colors_;
};
