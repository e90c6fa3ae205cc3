#pragma once

#include <QMargins>
#include <QString>

class QPushButton;
class QWidget;

// The parts every sheet draws around its form: the round close button, the title row that
// carries it, and the stack of header, form and footer between hairline dividers.
namespace SheetChrome {

// The muted round close button, its symbol drawn at size pixels.
QPushButton* closeButton(int size, const QString& toolTip = QStringLiteral("Close"));

// A title row: the title at the left, the close button at the right, inside margins.
QWidget* titleRow(QWidget* title, QPushButton* close, const QMargins& margins);

// Lays out sheet as header, divider, form (which takes the spare height), divider, footer.
void stack(QWidget* sheet, QWidget* header, QWidget* form, QWidget* footer);

} // namespace SheetChrome
