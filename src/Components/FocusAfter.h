#pragma once

#include "Components/KeyboardLayer.h"

#include <QPointer>

class QWidget;

// Where the keyboard goes on after an action changed what the screen shows. A part about to hide
// for good (an empty state a first record replaces, a row a delete takes away) hands over both the
// focus it holds and the way back of a sheet opened from it, so that neither falls to the window's
// next control far away (the sidebar) or to nothing.
namespace FocusAfter {

// What a hiding part held: the focus (let go of, so the window does not pass it on) and the
// layer on top whose opener lay in it.
struct Handover {
    bool hadFocus = false;
    bool ring = false;
    QPointer<KeyboardLayer> layer;

    // Gives what was held to `to`: the focus at once when it can take it, else as soon as it can
    // in this turn of the event loop, with the ring when the leaving control showed one.
    void giveTo(QWidget* to) const;
};

// Call just before `leaving` hides, when the control that takes over is made only afterwards (a
// list's first row). Nothing is held when `leaving` is not shown.
Handover takeFrom(QWidget* leaving);

// Call just before `leaving` hides: the focus in it, and the opener of the layer on top when that
// lies in it, go to `to`.
void handOver(QWidget* leaving, QWidget* to);

} // namespace FocusAfter
