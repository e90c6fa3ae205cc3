#pragma once

#include <QPainterPath>
#include <QPointer>
#include <QWidget>

// The keyboard's place in the window, the same for every control: a ring in the theme's accent
// around the widget that took focus from the keyboard (a click shows none; text fields styled
// with an edge for focus show that instead). Installed once for the application, it also makes Return press
// the focused button as Space does, makes Tab leave multi-line text fields, and lifts the length limit
// one-line fields would otherwise cut pasted text at, and gives a button that shows only a
// symbol its tool tip as the name a screen reader reads.
//
// The ring follows the control's outline a few pixels out: the corner radius a style sheet gives
// it ("border-radius"), a capsule where that radius is half its height, or a circle for a
// control marked round. It is an outline with a dark inner edge, never a fill, so it does not
// read as the chosen option of a group.
class FocusRing : public QWidget {
    Q_OBJECT
public:
    // Installs the application's ring keeper; later calls do nothing.
    static void install();
    // A control drawn as a circle (a swatch, an emoji) gets a round ring.
    static void setRound(QWidget* control);
    // The corner radius of a control that paints its own rounded shape.
    static void setCornerRadius(QWidget* control, double radius);
    // Where the ring goes round target, in the ring widget's own coordinates (for tests).
    QPainterPath outline() const;
    // The ring shown right now, if any.
    static FocusRing* current();
    QWidget* target() const { return target_; }

    static constexpr int kOutset = 3;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FocusRing(QWidget* target);
    static bool filterApplicationEvent(QObject* watched, QEvent* event);
    static QWidget* ringHost(QWidget* target);
    QRect targetRect() const;
    void follow();

    QPointer<QWidget> target_;
    // The target and its ancestors below the ring's own parent: a move of any moves the ring.
    QList<QPointer<QWidget>> followed_;
    friend class FocusRingKeeper;
};
