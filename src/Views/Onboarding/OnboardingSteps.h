#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

// The pieces of the first-run walk-through.

// The four-step indicator: the current step a wide gradient capsule, the others dots.
class StepIndicator : public QWidget {
    Q_OBJECT
public:
    explicit StepIndicator(QWidget* parent = nullptr);
    void setStep(int step);
    int step() const { return step_; }
    QSize sizeHint() const override { return {28 + 3 * 8 + 3 * 8, 8}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int step_ = 0;
};

// A round emblem: a soft halo that pulses while shown, a disc and a symbol.
class OnboardingOrb : public QWidget {
    Q_OBJECT
public:
    enum class Kind { welcome, done };
    explicit OnboardingOrb(Kind kind, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {160, 160}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    Kind kind_;
    double pulse_ = 0;
    QPointer<QVariantAnimation> animation_;
};

// A goal colour to pick: a disc, larger with a tick and a glow when chosen; one of a group of
// choices (a radio button of a kind), with a round focus ring.
class ColorSwatchButton : public QAbstractButton {
    Q_OBJECT
public:
    ColorSwatchButton(const QString& hex, QWidget* parent = nullptr);
    QString hex() const { return hex_; }
    QSize sizeHint() const override { return {44, 44}; }

protected:
    // As a radio button: choosing the chosen one again keeps it chosen.
    void nextCheckState() override { setChecked(true); }
    void paintEvent(QPaintEvent* event) override;

private:
    QString hex_;
};

// The round symbol heading the name and goal steps.
class StepIcon : public QWidget {
    Q_OBJECT
public:
    StepIcon(const QString& symbol, const QColor& color, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {88, 88}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString symbol_;
    QColor color_;
};
