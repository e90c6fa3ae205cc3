#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

class DailyCheckInModal;
class QPainter;
struct AppEnvironment;

// The layer that holds the daily check-in above the split view: the translucent material,
// through which the window below shows blurred, dimmed by black at half opacity and again by
// the check-in's own backdrop, with the check-in card centred. It keeps clicks from the window
// below; a click on it outside the card skips the day's check-in. It owns the keyboard while
// it is up (a KeyboardLayer).
class CheckInOverlay : public QWidget {
    Q_OBJECT
public:
    // covered is the part of the window the overlay lies over (the split view).
    CheckInOverlay(const AppEnvironment& env, QWidget* covered, QWidget* parent = nullptr);

    DailyCheckInModal* modal() const { return modal_; }
    // What it covers was drawn anew (an overlay above it closed): its blurred picture is retaken.
    void coveredChanged() { scheduleSnapshot(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void scheduleSnapshot();
    void takeSnapshot();
    void paintCardShadow(QPainter& painter);

    DailyCheckInModal* modal_;
    QPointer<QWidget> covered_;
    // The covered widgets, rendered small and blurred. Nothing below can change while the
    // overlay takes the clicks, so it is taken when the overlay shows or changes size, or when
    // an overlay above it closes.
    QImage snapshot_;
    bool snapshotPending_ = false;
};
