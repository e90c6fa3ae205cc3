#pragma once

#include <QAbstractButton>

// One energy level of the check-in: a bar 24 wide and level x 8 + 8 high, gold while the
// chosen energy reaches its level, the tertiary background otherwise.
class EnergyBarButton : public QAbstractButton {
    Q_OBJECT
public:
    EnergyBarButton(int level, QWidget* parent = nullptr);

    int level() const { return level_; }
    bool isLit() const { return lit_; }
    void setLit(bool lit);
    double barHeight() const { return level_ * 8.0 + 8.0; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int level_;
    bool lit_ = false;
};
