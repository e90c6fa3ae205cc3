#pragma once

#include "ViewModels/Theme/AnimationTiming.h"

#include <QPointer>
#include <QVariantAnimation>

#include <functional>

// Runs one of the named animations as a value from 0 to 1 through its curve (springs may
// pass 1 on the way). With animations switched off the step gets 1 at once, synchronously.
class Animator {
public:
    // The animation belongs to owner and dies with it. A running animation can be stopped
    // through the returned pointer, which is null when the step already ran to its end.
    static QVariantAnimation* run(QObject* owner, const AnimationTiming& timing,
                                  std::function<void(double)> step, double delaySeconds = 0,
                                  std::function<void()> done = {});
    // Stops and forgets an animation started by run().
    static void stop(QPointer<QVariantAnimation>& animation);
};
