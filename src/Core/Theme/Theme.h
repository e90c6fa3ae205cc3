#pragma once

#include "Core/Theme/AppThemeDefinition.h"

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
// "rgba(r, g, b, a)" with a from 0 to 255, for style sheets.
QString css(const QColor& color);
} // namespace Theme
