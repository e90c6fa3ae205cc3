#pragma once

class QWidget;

// Puts the Tab stops inside a widget in the order its layouts place them: a box's items in
// order, each widget's own stops before the next item's, what a scroll area holds where the
// area stands. Widgets made after the page was built (rows of a list filled later) join the
// window's chain at its end; this puts them back where they are read. Call it again after
// adding or moving widgets; widgets that take no focus keep their place.
namespace TabChain {
void followLayout(QWidget* root);
} // namespace TabChain
