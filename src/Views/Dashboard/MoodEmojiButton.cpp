#include "Views/Dashboard/MoodEmojiButton.h"

#include "Components/Animator.h"
#include "Components/FocusRing.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kRestSize = 24;
constexpr double kChosenSize = 32;
constexpr double kChosenScale = 1.2;

} // namespace

MoodEmojiButton::MoodEmojiButton(const QString& emoji, QWidget* parent) : QAbstractButton(parent) {
    setText(emoji);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_TranslucentBackground);
    FocusRing::setRound(this);
}

void MoodEmojiButton::setChosen(bool chosen) {
    if (chosen == chosen_)
        return;
    chosen_ = chosen;
    setAccessibleDescription(chosen ? tr("Chosen") : QString());
    Animator::stop(animation_);
    const double from = amount_;
    const double to = chosen ? 1.0 : 0.0;
    QPointer<MoodEmojiButton> self(this);
    animation_ = Animator::run(this, AppTheme::Animation::springBouncy(), [self, from, to](double t) {
        if (!self)
            return;
        self->amount_ = from + (to - from) * t;
        self->update();
    });
}

QSize MoodEmojiButton::sizeHint() const {
    // Room for the chosen emoji at its enlarged size, so choosing never moves the row.
    const int side = int(std::ceil(kChosenSize * kChosenScale * 1.25));
    return {side, side};
}

void MoodEmojiButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double t = amount_;
    const double size = kRestSize + (kChosenSize - kRestSize) * std::clamp(t, 0.0, 1.0);
    const double scale = 1.0 + (kChosenScale - 1.0) * t;
    p.setOpacity(std::clamp(0.5 + 0.5 * t, 0.0, 1.0));
    p.translate(QRectF(rect()).center());
    p.scale(scale, scale);
    p.setFont(Theme::emojiFont(size));
    p.setPen(Theme::textPrimary());
    const QRectF box(-width() / 2.0, -height() / 2.0, width(), height());
    p.drawText(box, Qt::AlignCenter, text());
}
