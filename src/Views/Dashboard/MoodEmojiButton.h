#pragma once

#include <QAbstractButton>
#include <QPointer>

class QVariantAnimation;

// One mood of the check-in, shown only as its emoji: 32 pixels, enlarged by 1.2 and opaque
// when chosen; 24 pixels at half opacity otherwise. The change springs between the two.
class MoodEmojiButton : public QAbstractButton {
    Q_OBJECT
public:
    MoodEmojiButton(const QString& emoji, QWidget* parent = nullptr);

    bool isChosen() const { return chosen_; }
    void setChosen(bool chosen);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool chosen_ = false;
    double amount_ = 0; // 0 resting, 1 chosen (springs may pass 1 on the way)
    QPointer<QVariantAnimation> animation_;
};
