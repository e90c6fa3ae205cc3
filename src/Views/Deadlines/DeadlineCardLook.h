#pragma once

#include <QColor>
#include <QString>

class QLabel;
class QWidget;

// The look both kinds of card on the deadlines screen share.
namespace DeadlineCardLook {
// The text cut at its tail to the label's width; the whole text is its tooltip once cut.
void showElided(QLabel* label, const QString& text);
// The card's rounded face: the screen's secondary background under a wash, and an edge.
void paint(QWidget* card, const QColor& wash, const QColor& edge);
} // namespace DeadlineCardLook
