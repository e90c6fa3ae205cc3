#pragma once

#include <QColor>
#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

// A thin rounded bar filled to a fraction of its width; it fills from empty when first shown
// (after 0.1 s, over 1.4 s) and moves to every new fraction in 0.3 s.
class SmallProgressBar : public QWidget {
    Q_OBJECT
public:
    SmallProgressBar(double progress, const QColor& color, double height, bool showGlow,
                     QWidget* parent = nullptr);

    double progress() const { return progress_; }
    void setProgress(double progress);
    double animatedProgress() const { return animated_; }
    void setColor(const QColor& color);
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
    double animated_ = 0.0;
    bool shownOnce_ = false;
    QPointer<QVariantAnimation> animation_;
};
