#pragma once

#include <QObject>

class QWidget;

// Typed text that is not saved yet in an editor that is not a sheet: a bar that adds a task, a
// field that adds a subtask, a note or a title edited in its row, a form inside a card, the
// notes of the day's check-in. A sheet holds its text until it is closed; such an editor holds
// it as long as it is shown with text in it, so whatever would take the screen from under it
// (the notice that the records are kept after damage met at a save) waits for it as for a
// sheet, and nothing typed goes with the screen. An editor says so once, where it is made; a
// failed save leaves its text in it.
class UnsavedText : public QObject {
    Q_OBJECT
public:
    static UnsavedText& shared();

    // A one-line field or a plain text editor that holds unsaved text while it is shown and not
    // empty. It is watched until it is destroyed.
    static void watch(QWidget* editor);
    // Whether an editor shown inside `within` holds unsaved text.
    static bool heldIn(const QWidget* within);

signals:
    // An editor watched was emptied, hidden or destroyed: it may hold nothing any more.
    void released();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    UnsavedText() = default;
    static bool holds(const QWidget* editor);
};
