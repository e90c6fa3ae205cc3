#pragma once

#include "Components/KeyboardLayer.h"

#include <QPointer>

class QVariant;
class QWidget;

// Where the keyboard goes on after an action changed what the screen shows. A part about to hide
// for good (an empty state a first record replaces, a row a delete takes away) hands over both the
// focus it holds and the way back of a sheet opened from it, so that neither falls to the window's
// next control far away (the sidebar) or to nothing.
//
// The hand-over never gives the focus to a control that deletes, removes or cancels (one more
// Return there would undo the work just done), nor to a part of the window the user was not in:
// it gives it to the control that carries the work on, the section's Add, else the screen's first
// stop. With the guard installed the same holds for every focus the user did not move himself
// (Tab, Shift+Tab, the arrows, a click, a shortcut): one that Qt passes on from a control that
// hid, or that a screen or a layer gives back, is moved off such a control at once.
namespace FocusAfter {

// What a hiding part held: the focus (let go of, so the window does not pass it on) and the
// layer on top whose opener lay in it.
struct Handover {
    bool hadFocus = false;
    bool ring = false;
    QPointer<KeyboardLayer> layer;

    // Gives what was held to `to` (to the control that carries the work on, when `to` deletes,
    // removes or cancels): the focus at once when it can take it, else as soon as it can in this
    // turn of the event loop, with the ring when the leaving control showed one.
    void giveTo(QWidget* to) const;
};

// Call just before `leaving` hides, when the control that takes over is made only afterwards (a
// list's first row). Nothing is held when `leaving` is not shown.
Handover takeFrom(QWidget* leaving);

// Call just before `leaving` hides: the focus in it, and the opener of the layer on top when that
// lies in it, go to `to`.
void handOver(QWidget* leaving, QWidget* to);

// A control that deletes, removes or cancels. Marked where such buttons are made; one is known
// too by its object name or by the first word of its name, text or tooltip.
void markDestructive(QWidget* control);
bool isDestructive(const QWidget* control);

// The control that carries a section's work on, its Add. One whose object name starts with
// "add" is one too.
void markCarryOn(QWidget* control);
// A part of the window the focus enters only by the user's own hand (the sidebar): a focus
// handed on from outside it goes to the control that carries the work on instead.
void keepHandedFocusOut(QWidget* part);

// The control that carries the work on from `near`: the nearest Add within the smallest part
// around `near` that holds one, else the first stop of the screen `near` lies in. Never a
// control that deletes, removes or cancels; null when the screen has no stop at all.
QWidget* carryOn(QWidget* near);

// Where the focus of a row that went goes: `row` itself when it takes Tab, else its first control
// that takes Tab and neither deletes, removes nor cancels, else `row` itself (made to take a
// focus given); null when it is not shown.
QWidget* rowStop(QWidget* row);

// Every place that fills a row with a record (a list that binds, reuses or makes its rows anew)
// says so here, with what identifies the record (an invalid one: a record that is never the
// same). A row filled with another record while the focus or the way back of a sheet stays on
// its Delete, Remove or Cancel takes no focus event: the guard moves both to the row's stop,
// else the section's Add, so one more Return does not act on the record that took the place.
// A row whose record is the same keeps the focus where the user put it. A row the user was in
// that goes (a list that makes its rows anew) makes the focus Qt or a screen hands on go to the
// row that took its place, else the row before.
void fillRow(QWidget* row, const QVariant& record);

// Installs the application's guard of the rule above (later calls do nothing). Inside a sheet
// or an alert the layer on top places the focus itself.
void installGuard();

} // namespace FocusAfter
