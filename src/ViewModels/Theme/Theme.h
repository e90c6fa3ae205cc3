#pragma once

#include "ViewModels/Theme/AppThemeDefinition.h"

#include <QColor>
#include <QFont>

// Short reads of the current theme for drawing code: each call asks ThemeManager::shared()
// again, so a change of theme shows at the next paint.
namespace Theme {
QColor backgroundPrimary();
QColor backgroundSecondary();
QColor backgroundTertiary();
QColor backgroundElevated();
QColor textPrimary();
QColor textSecondary();
QColor textMuted();

// The current font option at a size in pixels.
QFont font(qreal pixelSize, QFont::Weight weight = QFont::Normal);
// The system font (texts the font choice does not govern, such as symbols' companions).
QFont systemFont(qreal pixelSize, QFont::Weight weight = QFont::Normal);
// For a text that is an emoji.
QFont emojiFont(qreal pixelSize);

// A colour at an opacity (0 to 1) multiplied into its own alpha.
QColor withOpacity(QColor color, double opacity);
// The colour for a style sheet, as "#AARRGGBB": the one form the style-sheet parser reads
// exactly at every alpha (it takes an rgba() alpha of 0 or 1 as a fraction, so an integer
// alpha of 1 would come out opaque).
QString css(const QColor& color);
} // namespace Theme
