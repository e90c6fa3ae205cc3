#include "Views/DailyLog/ScoreScale.h"

#include "Components/Animator.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ScoreScale::ScoreScale(const QString& label, const QStringList& emoji, qint16 value, QWidget* parent)
    : QWidget(parent), label_(label), emoji_(emoji), value_(value) {
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAccessibleName(label);
    setFocusPolicy(Qt::TabFocus);
    for (int v = 1; v <= 5; ++v)
        emphasis_[std::size_t(v - 1)] = v == value_ ? 1.0 : 0.0;
}

void ScoreScale::setValue(qint16 value) {
    if (value == value_ || value < 1 || value > 5)
        return;
    value_ = value;
    const std::array<double, 5> from = emphasis_;
    Animator::stop(animation_);
    animation_ = Animator::run(this, AppTheme::Animation::springBouncy(), [this, from](double t) {
        for (int v = 1; v <= 5; ++v) {
            const double target = v == value_ ? 1.0 : 0.0;
            const std::size_t i = std::size_t(v - 1);
            emphasis_[i] = from[i] + (target - from[i]) * t;
        }
        update();
    });
    emit valueChanged(value_);
}

QRectF ScoreScale::slotRect(int value) const {
    const double x = kLabelWidth + (value - 1) * (kSlot + kSpacing);
    return {x, (height() - kSlot) / 2, kSlot, kSlot};
}

QSize ScoreScale::sizeHint() const {
    return {int(kLabelWidth + 5 * kSlot + 4 * kSpacing), int(kSlot) + 2};
}

void ScoreScale::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(Theme::font(13, QFont::Medium));
    p.setPen(Theme::textSecondary());
    p.drawText(QRectF(0, 0, kLabelWidth, height()), Qt::AlignLeft | Qt::AlignVCenter, label_);

    for (int v = 1; v <= 5 && v <= emoji_.size(); ++v) {
        const double e = std::clamp(emphasis_[std::size_t(v - 1)], -0.2, 1.2);
        p.setOpacity(std::clamp(0.4 + 0.6 * e, 0.0, 1.0));
        p.setFont(Theme::emojiFont(std::max(1.0, 18 + 6 * e)));
        p.drawText(slotRect(v), Qt::AlignCenter, emoji_[v - 1]);
    }
    if (hasFocus()) {
        p.setOpacity(1);
        p.setPen(QPen(Theme::withOpacity(AppTheme::Colors::purple(), 0.6), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(slotRect(value_).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    }
}

void ScoreScale::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        setValue(qint16(std::clamp(value_ + (event->key() == Qt::Key_Left ? -1 : 1), 1, 5)));
        return;
    }
    QWidget::keyPressEvent(event);
}

void ScoreScale::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    for (int v = 1; v <= 5; ++v)
        if (slotRect(v).adjusted(-kSpacing / 2, 0, kSpacing / 2, 0).contains(event->position())) {
            setValue(qint16(v));
            return;
        }
}
