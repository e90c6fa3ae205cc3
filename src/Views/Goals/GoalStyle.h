#pragma once

#include "ViewModels/GoalRowText.h"

#include <QColor>
#include <QString>

#include <functional>

class QFont;
class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;

// Style pieces shared by the goals screen, its rows and cards, and the goal editor.
namespace GoalStyle {

// The point t (0..1) of the way from a to b, for values that follow a hover or a selection.
double mix(double a, double b, double t);
QColor mixColor(const QColor& a, const QColor& b, double t);

// A plain-text label that lets clicks through to its row or card.
QLabel* label(QWidget* parent, const QString& objectName, const QFont& font, const QColor& color);
void recolor(QLabel* label, const QColor& color);

// The bare eye button of a row or card that masks the goal's title; showEye draws it open,
// or struck through while the title is masked.
QToolButton* eyeButton(QWidget* parent, const QString& objectName, std::function<void()> onClick);
void showEye(QToolButton* eye, bool masked);

// The colour of a goal's deadline in its tone: coral when overdue, amber when soon, muted later.
QColor deadlineColor(DeadlineTone tone);

// A leading-to-trailing gradient for a style sheet.
QString horizontalGradient(const QColor& from, const QColor& to);

// A chip button of a text (and optionally an icon) in the 12-point medium theme font.
QToolButton* chip(const QString& objectName, const QString& text);

// A capsule chip: white on a gradient with a soft glow of its first colour when chosen,
// secondary text on quiet glass with a hairline otherwise. padY is the vertical padding.
void styleChip(QToolButton* chip, bool chosen, const QColor& from, const QColor& to, int padY);

// A borderless single-line field in the theme's text colours, for fields inside a styled box.
QLineEdit* plainField(const QString& objectName, const QString& placeholder, const QFont& font);

} // namespace GoalStyle
