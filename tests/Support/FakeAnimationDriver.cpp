#include "Support/FakeAnimationDriver.h"

#include "Platform/Clock.h"

#include <QCoreApplication>

#include <algorithm>

FakeAnimationDriver& FakeAnimationDriver::shared() {
    // Never deleted: Qt's animation timer may still ask it for the time while the program ends.
    static FakeAnimationDriver* driver = new FakeAnimationDriver;
    if (!driver->installed_) {
        driver->install();
        driver->installed_ = true;
    }
    return *driver;
}

void FakeAnimationDriver::start() {
    startedAt_ = elapsed_;
    QAnimationDriver::start();
}

void FakeAnimationDriver::release() {
    if (!installed_)
        return;
    uninstall();
    installed_ = false;
}

void FakeAnimationDriver::step(int msec, int frameMs) {
    // Animations started since the last frame register on a queued call.
    QCoreApplication::processEvents();
    for (int done = 0; done < msec;) {
        const int frame = std::min(frameMs, msec - done);
        done += frame;
        elapsed_ += frame;
        if (Clock::isFake())
            Clock::advanceMs(frame);
        advance();
        QCoreApplication::processEvents();
    }
}
