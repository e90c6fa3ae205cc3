#pragma once

#include "Components/KeyboardLayer.h"

#include <QPointer>
#include <QString>

class QVariant;
class QWidget;

// Where the keyboard goes on after an action changed what the screen shows. A part about to hide
// for good (an empty state a first record replaces, a row a delete takes away) hands over both the
// focus it holds and the way back of a sheet opened from it, so that neither falls to the window's
// next control far away (the sidebar) or to nothing.
//
// The hand-over never gives the focus to a control that acts on a record (one more Return there
// would delete, pause or mark done a record the user did not mean), nor to a part of the window
// the user was not in: it gives it to the row that took the place of the one that left, else the
// section's Add, else the screen's first stop. With the guard installed the same holds for every
// focus the user did not move himself: one that Qt passes on from a control that hid, or that a
// screen gives, is moved off such a control at once. What the user moves (Tab, Shift+Tab, the
// arrows, a click, a shortcut) stays, and so does the way back of a sheet or an alert.
namespace FocusAfter {

// What a hiding part held: the focus (let go of, so the window does not pass it on) and the
// layer on top whose opener lay in it.
struct Handover {
    bool hadFocus = false;
    bool ring = false;
    QPointer<KeyboardLayer> layer;

    // Gives what was held to `to` (when `to` acts on a record: to its row, else the control that
    // carries the work on): the focus at once when it can take it, else as soon as it can in
    // this turn of the event loop, with the ring when the leaving control showed one.
    void giveTo(QWidget* to) const;
};

// Call just before `leaving` hides, when the control that takes over is made only afterwards (a
// list's first row). Nothing is held when `leaving` is not shown.
Handover takeFrom(QWidget* leaving);

// Call just before `leaving` hides: the focus in it, and the opener of the layer on top when that
// lies in it, go to `to`.
void handOver(QWidget* leaving, QWidget* to);

// What a control of a row (or of a sheet) does, said where it is made: it deletes, removes or
// cancels the work; it changes its record (Mark Paid, Pause, a step's check); or it opens the
// record (Edit). A focus the user did not move himself never rests on any of them: one more
// Return there would act on a record he did not mean.
enum class Action { deletes, changes, opens };
void markAction(QWidget* control, Action action);
// A control marked as one that deletes, removes or cancels.
bool isDestructive(const QWidget* control);
// A control marked with any action.
bool isAction(const QWidget* control);

// The control that carries a section's work on, its Add. One whose object name starts with
// "add" is one too. `rows`: the object name of the section's rows, whose Add it is.
void markCarryOn(QWidget* control, const QString& rows = {});
// A part of the window the focus enters only by the user's own hand (the sidebar): a focus
// handed on from outside it goes to the control that carries the work on instead.
void keepHandedFocusOut(QWidget* part);

// The control that carries the work on from `near`: the nearest Add within the smallest part
// around `near` that holds one, else the first stop of the screen `near` lies in. Never a
// control that acts on a record; null when the screen has no stop at all.
QWidget* carryOn(QWidget* near);

// A row of a list that takes a focus handed on, as a list view's item does: called where the
// row is made. It takes a click's focus too (Tab still goes to its controls, not to it, unless
// it takes Tab already); what it shows is its record, so it is named after it. The rows of one
// section share an object name: a row of another section never takes the place of one that
// left (the section's Add does).
void markRow(QWidget* row);
bool isRow(const QWidget* row);
// The row itself when it takes a focus handed on; null when it does not or is not shown.
QWidget* rowStop(QWidget* row);

// Every place that fills a row with a record (a list that binds, reuses or makes its rows anew)
// says so here, with what identifies the record (an invalid one: a record that is never the
// same). The record the focus is in is what the guard keeps, as an item view keeps its current
// index: a row filled with another record while the focus or the way back of a sheet lies in it
// takes no focus event, so the guard moves both to the row showing that record still, else to
// the row itself (it took the record's place), else the section's Add. A row whose record is the
// same keeps the focus where the user put it.
void fillRow(QWidget* row, const QVariant& record);

// Where the focus of `row` goes when it left its list (deleted, paused, done, archived): the
// row still showing its record, else the row of its section that took its place, else the row
// before, else the section's Add, else the control that carries the work on. The one place that
// decides it, for the guard and for every list alike; call it while `row` still stands where it
// stood (hidden or not).
QWidget* afterRowLeft(QWidget* row);

// Installs the application's guard of the rule above (later calls do nothing). Inside a sheet
// or an alert the layer on top places the focus itself.
void installGuard();

} // namespace FocusAfter
