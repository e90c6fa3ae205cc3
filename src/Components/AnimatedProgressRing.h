#pragma once

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

#include <optional>

// A ring showing a fraction: a track, a breathing glow, a gradient arc with round caps, a dot
// at the arc's leading end and, optionally, the whole percentage in the centre. It sweeps
// from empty when first shown (inside a widget that is coming in, once it is in) and animates
// to every new fraction. Glows are blurred once and kept in a cache shared by all rings; a
// sweep cuts its glow from the whole ring's, so no frame of it blurs.
class AnimatedProgressRing : public QWidget {
    Q_OBJECT
public:
    AnimatedProgressRing(double progress, double size, double lineWidth, const QColor& color,
                         bool showPercentage = true,
                         const QColor& backgroundColor = QColor(255, 255, 255, 15),
                         QWidget* parent = nullptr);
    ~AnimatedProgressRing() override;

    double progress() const { return progress_; }
    void setProgress(double progress);
    double animatedProgress() const { return animated_; }
    QColor color() const { return color_; }
    void setColor(const QColor& color);

    // Centre of the end dot in widget coordinates; none while the drawn fraction is 0.02 or
    // less.
    std::optional<QPointF> endDotCenter() const;
    // The number the label shows.
    int percentShown() const;
    // 1.0 to 1.04: the glow's current breathing scale, in steps of 0.005 (a step moves the
    // glow's edge by a fraction of a pixel; the ring repaints only when it takes one).
    double glowScale() const;

    // The stroke, its glow and the end dot reach past the ring's diameter; the widget is this
    // much larger on every side so that nothing is cut off. The ring stays centred.
    double overflowMargin() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void animateTo(double target);
    // The glow under the arc, from the images all rings share.
    QImage glowImage(qreal ratio) const;

    double progress_;
    double size_;
    double lineWidth_;
    QColor color_;
    bool showPercentage_;
    QColor background_;
    double animated_ = 0.0;
    bool shownOnce_ = false;
    bool waiting_ = false; // shown, the first sweep waits for an entrance around it
    double pulseStart_ = -1;
    QPointer<QVariantAnimation> animation_;
    double paintedGlowScale_ = 1.0;
};
