#pragma once

#include "Components/ConfettiParticle.h"

#include <QElapsedTimer>
#include <QList>
#include <QTimer>
#include <QWidget>

// A one-shot celebration: when first shown it draws 60 pieces that fall, drift, turn and fade
// over 1.5 to 2.5 s, centred on the view's own width. Clicks pass through to what lies below.
class ConfettiView : public QWidget {
    Q_OBJECT
public:
    explicit ConfettiView(QWidget* parent = nullptr);

    static constexpr int kPieceCount = 60;

    const QList<ConfettiParticle>& particles() const { return particles_; }
    // Seconds of flight drawn; with animations off the flight is over at once.
    double elapsed() const;
    // Holds the flight at a moment, for pictures and tests.
    void freezeAt(double seconds);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void tick();

    QList<ConfettiParticle> particles_;
    QTimer timer_;
    QElapsedTimer clock_;
    double frozenAt_ = -1;
};
