#pragma once

#include <QColor>
#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

// A thin rounded bar filled to a fraction of its width; it fills from empty when first shown
// (after 0.1 s, over 1.4 s; inside a widget that is coming in, once it is in) and moves to
// every new fraction in 0.3 s. The glow fades in and
// out with the spring on its own, so turning it never disturbs the fill.
class SmallProgressBar : public QWidget {
    Q_OBJECT
public:
    SmallProgressBar(double progress, const QColor& color, double height, bool showGlow,
                     QWidget* parent = nullptr);

    double progress() const { return progress_; }
    void setProgress(double progress);
    double animatedProgress() const { return animated_; }
    void setColor(const QColor& color);
    bool showGlow() const { return showGlow_; }
    void setShowGlow(bool showGlow);
    // How much of the glow shows: 0 without, 1 with (the spring may pass 1 on the way).
    double glowAmount() const { return glow_; }
    // Width of the filled part in pixels.
    double fillWidth() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void animateTo(double target, bool first);

    double progress_;
    QColor color_;
    double height_;
    bool showGlow_;
    double glow_;
    double animated_ = 0.0;
    bool shownOnce_ = false;
    bool waiting_ = false; // shown, the first fill waits for an entrance around it
    QPointer<QVariantAnimation> animation_;
    QPointer<QVariantAnimation> glowAnimation_;
};
