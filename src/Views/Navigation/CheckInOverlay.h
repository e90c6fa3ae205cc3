#pragma once

#include <QWidget>

struct AppEnvironment;

// The layer that holds the daily check-in above the split view: the translucent material
// dimmed by black at half opacity over the whole window, with the check-in card centred.
// The dim layer has no action of its own; it only keeps clicks from the window below.
class CheckInOverlay : public QWidget {
    Q_OBJECT
public:
    explicit CheckInOverlay(const AppEnvironment& env, QWidget* parent = nullptr);

    QWidget* modal() const { return modal_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* modal_;
};
