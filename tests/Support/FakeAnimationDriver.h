#pragma once

#include <QAnimationDriver>

// Drives every Qt animation of the program on the fake clock: time moves only when a test
// steps it, in frames, so an animation's every frame paints and nothing waits on real time.
class FakeAnimationDriver : public QAnimationDriver {
public:
    // The program's driver, installed on first use (and again after release()).
    static FakeAnimationDriver& shared();
    // Gives the animations back to real time, for the tests a program runs afterwards.
    void release();

    // Time since the driver last started: Qt adds it to the time it started at, so a total
    // kept across starts would make every animation after the first jump ahead.
    qint64 elapsed() const override { return elapsed_ - startedAt_; }

    // Moves animations and the fake clock (when it is fake) forward by msec in frames of
    // frameMs, delivering the events each frame posts.
    void step(int msec, int frameMs = 16);

protected:
    void start() override;

private:
    FakeAnimationDriver() = default;

    qint64 elapsed_ = 0;
    qint64 startedAt_ = 0;
    bool installed_ = false;
};
