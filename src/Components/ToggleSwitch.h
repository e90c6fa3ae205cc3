#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPointer>
#include <QVariantAnimation>

// An on/off switch: a capsule track tinted when on and a round knob that slides across.
class ToggleSwitch : public QAbstractButton {
    Q_OBJECT
public:
    explicit ToggleSwitch(bool on = false, const QColor& tint = QColor(), QWidget* parent = nullptr);

    QSize sizeHint() const override { return {38, 22}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void checkStateSet() override;
    void nextCheckState() override;

private:
    void slideTo(bool on);

    QColor tint_;
    double knob_ = 0.0; // 0 off, 1 on
    QPointer<QVariantAnimation> animation_;
};
