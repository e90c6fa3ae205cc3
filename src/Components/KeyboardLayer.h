#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

class QAbstractButton;
class QKeyEvent;

// The layer on top owns the keyboard. Every sheet, alert, popover and overlay of the window
// installs one on its own widget; while it is shown, the newest layer of a window (its top
// layer):
// - takes Tab and Shift+Tab round its own visible, enabled controls, in the order they stand
//   on the screen (top to bottom, a line left to right), each scrolled into view as it comes;
// - puts the focus first on its initial control: the one marked with markInitial(), else its
//   first text field, else its first control;
// - lets no key, shortcut or click reach a widget of the window that lies outside it (a click
//   there runs the layer's outside-click action, if it has one, and does nothing else);
// - when it hides, goes or is released, hands the focus back to the control that opened it (the
//   one focused, or pressed with the pointer, as the layer came up) when that can take it, or
//   else to the layer now on top.
// - Return in one of its one-line fields presses its default button (markDefault()) while
//   that button is on, as a dialog's default button; a multi-line field keeps Return for a
//   line break, and a field marked with keepReturn() keeps it to itself.
// A pane (a cover over one screen, beside the sidebar) owns the keyboard only while the focus
// is in it; Escape there hands the focus back to its opener.
//
// Outside any layer the same keeper makes a focused control that hides (an inline field that
// closes) hand the focus back to the control that had it before, not to the next one in the
// window's chain.
class KeyboardLayer : public QObject {
    Q_OBJECT
public:
    enum class Kind { modal, pane };

    // Makes widget a layer; its lifetime follows the widget's.
    static KeyboardLayer* install(QWidget* widget, Kind kind = Kind::modal);
    // The innermost layer holding widget (the layer's own widget included), if any.
    static KeyboardLayer* of(const QWidget* widget);
    // The layer that owns the keys of widget's window right now, if any.
    static KeyboardLayer* top(const QWidget* widget);
    // Where the focus starts in the layer that holds control.
    static void markInitial(QWidget* control);
    // The button Return presses from a one-line field of the layer that holds it.
    static void markDefault(QAbstractButton* button);
    // A one-line field whose Return never presses the layer's default button: the field acts
    // on it itself, or does nothing with it.
    static void keepReturn(QWidget* field);
    // The application's keeper of layers; install() installs it too. Later calls do nothing.
    static void installKeeper();

    QWidget* widget() const { return widget_; }
    Kind kind() const { return kind_; }
    bool isActive() const { return active_; }
    // The control the focus goes back to when the layer closes.
    QWidget* opener() const { return opener_; }
    void setOpener(QWidget* opener) { opener_ = opener; }
    void setOutsideClickAction(std::function<void()> action) { outsideClick_ = std::move(action); }

    // The layer's Tab stops, in the order Tab visits them.
    QList<QWidget*> stops() const;
    // The default button, when the layer has one on screen; it may be disabled.
    QAbstractButton* defaultButton() const;
    bool contains(const QWidget* widget) const;
    void focusFirst();
    // The layer stops owning the keyboard though it stays on screen (it fades out); the
    // focus goes back as when it hides.
    void release();

private:
    KeyboardLayer(QWidget* widget, Kind kind);
    void activate();
    void deactivate();
    void moveFocus(bool next);
    // Presses the default button for a Return that the focused field left unused.
    bool pressDefault(const QKeyEvent* key);
    QWidget* initialControl() const;
    bool owns(const QWidget* widget) const;
    // Gives the focus to the opener, the layer now on top, or the control focused before.
    void handBack(const QWidget* leaving);
    // The control focused most recently that can take the focus again: outside leaving and,
    // with a layer given, in it.
    static QWidget* earlierFocus(const QWidget* window, const QWidget* leaving, const KeyboardLayer* within);

    QWidget* widget_;
    QPointer<QWidget> window_;
    Kind kind_;
    bool active_ = false;
    QPointer<QWidget> opener_;
    QPointer<QWidget> lastFocused_;
    std::function<void()> outsideClick_;

    friend class KeyboardLayerKeeper;
};
