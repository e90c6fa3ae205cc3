#pragma once

#include <QAnimationDriver>

// Drives every Qt animation of the program on the fake clock: time moves only when a test
// steps it, in frames, so an animation's every frame paints and nothing waits on real time.
class FakeAnimationDriver : public QAnimationDriver {
public:
    // The program's driver, installed on first use and kept for the program's life.
    static FakeAnimationDriver& shared();

    qint64 elapsed() const override { return elapsed_; }

    // Moves animations and the fake clock (when it is fake) forward by msec in frames of
    // frameMs, delivering the events each frame posts.
    void step(int msec, int frameMs = 16);

private:
    FakeAnimationDriver() = default;

    qint64 elapsed_ = 0;
};
