#pragma once

// The whole-window lane: tests that need what offscreen renders cannot show (painting
// conflicts, mnemonics, focus rings, minimum sizes of the real window). `make test` runs them
// after the offscreen tests, one at a time, on one private Xvfb server (96 dpi, no window
// manager) with the xcb platform and animations on, driven by FakeAnimationDriver.
//
// To add a screen: put a <Screen>WindowTest.cpp beside this header (every .cpp in tests/Window
// joins the program qv_window_tests and the ctest label "window"), derive its fixture from
// WindowLane, open the window with showWindow(), reach the screen as a user would, call
// frames() to let animations run, and check what grabScreen() returns. Keep each test short:
// the lane runs under the sanitizers. Run it alone with `scripts/window-lane build/test`.

#include "Platform/OwnerAuthenticator.h"
#include "Views/Finance/FinanceTab.h"
#include "Views/MainRoadSupport.h"

#include <QApplication>
#include <QImage>
#include <QMap>
#include <QStringList>

#include <functional>
#include <vector>

class KeyboardLayer;

class WindowLane : public MainRoad {
protected:
    void SetUp() override;
    void TearDown() override;

    // The application's window over the test store, shown at the given size at the screen's
    // top-left corner, exposed and active. The onboarding and the day's check-in are skipped
    // unless the test has made them due.
    MainWindow& showWindow(QSize size, bool overlaysDue = false);
    // A store with a record of every kind, so that every screen shows its rows: a goal with a
    // deadline whose check-in comes daily, a link, a win, a task, an entry and the money records;
    // the finance section open, without its lock.
    void seedEveryKind();
    // Lets the given time pass on the fake clock, frame by frame.
    static void frames(int msec);
    // Puts the pointer over the widget's centre: the X server's own pointer as well as Qt's
    // move, or the server's crossing events for where its pointer really is (on a fresh server,
    // the middle of the screen) undo the hover.
    static void hover(QWidget* widget);
    // Puts the focus on the control as the user's Tab does, from the stop before it: a focus
    // only handed to a Delete is moved off it.
    static void tabOnto(QWidget* control);
    // What the X server shows of the widget after a synchronous repaint of its window.
    static QImage grabScreen(QWidget* widget);
    // grabScreen of the whole window, saved as build/screens/window-<name>.png.
    QString saveScreen(const QString& name);
    // Share of pixels (0..1) whose colour differs by more than a small tolerance.
    static double differingShare(const QImage& a, const QImage& b);

    // The window keeps 900x600 and asks for no more, and every leaf control the user can see
    // has its room: not cut, not below its minimum size, overlapping no other (overlays aside).
    // Each failure names the state.
    void expectRoomFor(const QString& state);
    QList<QWidget*> leaves() const;

    // The first shown widget of that object name in the window, if any.
    QWidget* named(const QString& name) const;
    // Opens the destination as a person does, when it is not open yet: its sidebar row, or for
    // Settings the gear beside the sidebar's title; then lets the screen settle.
    void reach(AppDestination destination);
    // Shows the finance tab (the Finance screen must be open) and presses the shown button of
    // that object name on it, letting `settle` ms pass after each: the sheet it opened, if any.
    SheetHost* openFinanceSheet(FinanceTab tab, const char* opener, int settle);

    // Warnings Qt printed since the test began; a painter warning fails the test.
    QStringList warnings;

    // Where the widget stands in the window as if no scroll area around it were scrolled: the
    // place its reader meets it, however far the page was scrolled to bring it into view.
    static QRect readingRect(const QWidget* widget);
    // A pane, page or list frame: a scroll area that is no text field, which as a Tab stop would
    // do nothing and ring a whole region.
    static bool isPane(const QWidget* widget);
    // Why Tab from `before` to `after` leaves the reading order, or nothing: within one column, a
    // stop further up, or to the left on the same line (a stop up and to the right starts the
    // next column).
    static QString readingOrderFault(const QWidget* before, const QWidget* after);
};

// Every record of the store, kind by kind, each with its attributes and to-one relationships:
// what "no record changed" compares.
using StoreRows = QMap<QString, QStringList>;
StoreRows storeRows(ObjectContext* context);
// What changed from `before` to `after`, record by record ("now ...", "was ..."); empty when
// nothing did.
QString changes(const StoreRows& before, const StoreRows& after);

// Whether the widget is the control of that object name, or of that class.
bool matches(const QWidget* widget, const char* name);

// A window driven by the keyboard a round at a time, and where its focus may not rest.
class KeyboardRound : public WindowLane {
protected:
    // A key pressed or a text typed, as a round is replayed with the same keys.
    struct Keystroke {
        int key = 0;
        QString text;
    };

    static QWidget* focus() { return QApplication::focusWidget(); }
    void key(int key);
    void type(const QString& text);
    // The keys of a round from here on are kept in `into`, until stopRecording().
    void record(std::vector<Keystroke>* into) { recording_ = into; }
    void stopRecording() { recording_ = nullptr; }
    void replay(const std::vector<Keystroke>& keys);
    // The focus on the first stop Tab reaches that passes, staying if it is there already.
    QWidget* tabTo(const std::function<bool(QWidget*)>& wanted);
    bool shown(const char* name) const;
    // A sheet or popover over the screen that owns the keyboard, if any: a Return on the
    // screen's Add may open the next one.
    KeyboardLayer* over(const QWidget* screen) const;
    // Where the focus may not rest after a save, or nothing.
    QString misplaced(const QWidget* screen) const;

private:
    std::vector<Keystroke>* recording_ = nullptr;
};

// A widget as a failure names it: the nearest named widget that holds it, "/", and its object
// name (else its class).
QString describe(const QWidget* widget);
// What a screen reader says the widget is called, trimmed.
QString accessibleName(QWidget* widget);

// Owner checks that never answer: the finance lock stays up, asking.
class SilentAuthenticator : public OwnerAuthenticator {
public:
    void check(const QString&) override { checking_ = true; }
    bool isChecking() const override { return checking_; }

private:
    bool checking_ = false;
};
