#pragma once

#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

#include <functional>

class QBoxLayout;
class SheetFrame;

// A modal sheet inside the window: a dimmed backdrop over everything and a centred card of a
// given width holding the content, as tall as the content up to the window's height and
// scrolling beyond it (content that holds a sheet frame of its own scrolls in that). Escape
// closes it unless told otherwise; Return in a one-line field presses the sheet's default button
// (KeyboardLayer::markDefault), and nothing when it has none. It is a
// keyboard layer (KeyboardLayer): Tab stays inside the sheet in the order of its controls on
// screen. Sheets stack: the newest is on top and takes the keys.
class SheetHost : public QWidget {
    Q_OBJECT
public:
    // Shows content in a new sheet over window (the top-level widget, or any widget in it).
    // onDismiss runs once when the sheet closes, whichever way.
    static SheetHost* present(QWidget* window, QWidget* content, int width,
                              std::function<void()> onDismiss = {});
    // The sheet that holds widget, if any (for content that closes itself).
    static SheetHost* of(const QWidget* widget);
    // The newest sheet open over window, or null.
    static SheetHost* topmost(const QWidget* window);

    void dismiss();
    // Closes the sheet for a screen that is going away: as dismiss(), but nothing is called
    // back (neither onDismiss nor dismissed()), for what it would call is being destroyed.
    void withdraw();
    bool isDismissing() const { return dismissing_; }

    void setEscapeCloses(bool closes) { escapeCloses_ = closes; }
    // A fixed card height (the sheets of fixed frame); 0 follows the content's own height.
    void setCardHeight(int height);
    // Adds to a vertical layout of sheet content a gap of `preferred` pixels that gives way
    // down to `minimum` before a sheet of fixed frame has to grow (fonts taller than the frame
    // was drawn for). The content's minimum height then says when it must grow.
    static void addGap(QBoxLayout* column, int preferred, int minimum);
    int cardWidth() const { return width_; }

    QWidget* card() const { return card_; }
    QWidget* content() const { return content_; }

    static constexpr int kCardRadius = 12;
    static constexpr int kWindowMargin = 24;

signals:
    void dismissed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SheetHost(QWidget* window, QWidget* content, int width, std::function<void()> onDismiss);
    void layoutCard();
    void setReveal(double reveal);

    QWidget* window_;
    QWidget* card_;
    QWidget* content_;
    SheetFrame* frame_ = nullptr;
    int width_;
    int fixedHeight_ = 0;
    std::function<void()> onDismiss_;
    bool escapeCloses_ = true;
    bool dismissing_ = false;
    double reveal_ = 0.0;
    QPointer<QVariantAnimation> animation_;
};
