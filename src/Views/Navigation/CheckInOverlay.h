#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

struct AppEnvironment;

// The layer that holds the daily check-in above the split view: the translucent material,
// through which the window below shows blurred, dimmed by black at half opacity, with the
// check-in card centred. The dim layer has no action of its own; it only keeps clicks from
// the window below.
class CheckInOverlay : public QWidget {
    Q_OBJECT
public:
    // covered is the part of the window the overlay lies over (the split view).
    CheckInOverlay(const AppEnvironment& env, QWidget* covered, QWidget* parent = nullptr);

    QWidget* modal() const { return modal_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void scheduleSnapshot();
    void takeSnapshot();

    QWidget* modal_;
    QPointer<QWidget> covered_;
    // The covered widgets, rendered small and blurred. Nothing below can change while the
    // overlay takes the clicks, so it is taken when the overlay shows or changes size.
    QImage snapshot_;
    bool snapshotPending_ = false;
};
