#include "Components/Animator.h"

#include "Platform/Clock.h"

#include <cmath>

QVariantAnimation* Animator::run(QObject* owner, const AnimationTiming& timing,
                                 std::function<void(double)> step, double delaySeconds,
                                 std::function<void()> done) {
    const int duration = timing.effectiveDurationMs();
    if (duration <= 0) {
        step(1.0);
        if (done)
            done();
        return nullptr;
    }
    auto* animation = new QVariantAnimation(owner);
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    animation->setDuration(duration);
    animation->setEasingCurve(timing.curve);
    if (timing.repeatForever)
        animation->setLoopCount(-1);
    QObject::connect(animation, &QVariantAnimation::valueChanged, animation,
                     [step](const QVariant& value) { step(value.toDouble()); });
    QObject::connect(animation, &QVariantAnimation::finished, animation, [animation, step, done] {
        step(1.0);
        if (done)
            done();
        animation->deleteLater();
    });
    const int delayMs =
        std::isfinite(delaySeconds) && delaySeconds > 0 ? int(std::lround(delaySeconds * 1000)) : 0;
    if (delayMs == 0) {
        animation->start();
    } else {
        // The wait follows the application's clock, so tests that drive time drive it too.
        QPointer<QVariantAnimation> guard(animation);
        Clock::after(animation, delayMs, [guard] {
            if (guard && guard->state() == QAbstractAnimation::Stopped)
                guard->start();
        });
    }
    return animation;
}

void Animator::stop(QPointer<QVariantAnimation>& animation) {
    if (animation) {
        animation->disconnect();
        animation->stop();
        animation->deleteLater();
    }
    animation = nullptr;
}
