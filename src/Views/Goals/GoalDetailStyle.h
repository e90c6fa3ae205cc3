#pragma once

#include "Models/GoalPriority.h"
#include "Models/MilestoneFrequency.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QString>

class QAbstractButton;
class QLabel;

// The look shared by the goal detail screen, its cards and its sheets: theme colours and
// fonts read afresh on every call, the fixed accents, the goal colour and the symbols of
// frequencies and priorities.
class GoalDetailStyle {
public:
    static QColor backgroundPrimary();
    static QColor backgroundSecondary();
    static QColor backgroundTertiary();
    static QColor textPrimary();
    static QColor textSecondary();
    static QColor textMuted();

    static QColor rose();
    static QColor coral();
    static QColor emerald();
    static QColor amber();
    static QColor gold();
    static QColor borderSubtle();

    static QColor withAlpha(QColor color, double opacity);

    static QFont themeFont(qreal pixelSize, QFont::Weight weight = QFont::Normal);
    static QFont systemFont(qreal pixelSize, QFont::Weight weight = QFont::Normal);
    static QIcon symbol(const QString& name, const QColor& color);
    // A symbol as large as it is drawn beside text of the given font size.
    static QPixmap symbolPixmap(const QString& name, const QColor& color, qreal fontSize);
    static int symbolPixels(qreal fontSize);

    static QColor frequencyColor(MilestoneFrequency frequency);
    static QString frequencyIcon(MilestoneFrequency frequency);
    static QColor priorityColor(GoalPriority priority);
    static QString priorityLabel(GoalPriority priority);

    // Plain text in the given font and colour; what users typed is never read as markup.
    static void styleLabel(QLabel* label, const QFont& font, const QColor& color);
    // A borderless button: a symbol, optionally on a circle of the given fill.
    static void styleSymbolButton(QAbstractButton* button, const QString& symbolName, const QColor& color,
                                  qreal symbolSize, int padding = 0,
                                  const QColor& circleFill = Qt::transparent);
    // A borderless text button.
    static void styleTextButton(QAbstractButton* button, const QFont& font, const QColor& color);
};
