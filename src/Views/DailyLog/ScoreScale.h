#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <array>

class QVariantAnimation;

// A five-step emoji scale of the add-entry sheet: the label, then one emoji per value from 1
// to 5. The chosen one is drawn large and opaque, the others small and faded; a new choice
// springs into place.
class ScoreScale : public QWidget {
    Q_OBJECT
public:
    ScoreScale(const QString& label, const QStringList& emoji, qint16 value = 3, QWidget* parent = nullptr);

    qint16 value() const { return value_; }
    void setValue(qint16 value);
    // Where the emoji of a value (1 to 5) is drawn.
    QRectF slotRect(int value) const;
    // How strongly each value is drawn as chosen right now, 0 to 1 (1 only for the chosen one
    // once any animation has settled).
    double emphasis(int value) const { return emphasis_[std::size_t(value - 1)]; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void valueChanged(qint16 value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Left and right step through the values, so the sheet works from the keyboard too.
    void keyPressEvent(QKeyEvent* event) override;

private:
    static constexpr double kLabelWidth = 60;
    static constexpr double kSlot = 32;
    static constexpr double kSpacing = 8;

    QString label_;
    QStringList emoji_;
    qint16 value_;
    std::array<double, 5> emphasis_{};
    QPointer<QVariantAnimation> animation_;
};
