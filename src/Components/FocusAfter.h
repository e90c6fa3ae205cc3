#pragma once

class QWidget;

// Where the keyboard goes on after an action changed what the screen shows. A part about to hide
// for good (an empty state a first record replaces, a row a delete takes away) hands over both the
// focus it holds and the way back of a sheet opened from it, so that neither falls to the window's
// next control far away (the sidebar) or to nothing.
namespace FocusAfter {

// Call just before `leaving` hides: the focus in it, and the opener of the layer on top when that
// lies in it, go to `to` (at once when it can take the focus, else as soon as it can in this turn of
// the event loop). A ring shown on the leaving control shows on `to`. Does nothing when `leaving`
// is not shown.
void handOver(QWidget* leaving, QWidget* to);

} // namespace FocusAfter
