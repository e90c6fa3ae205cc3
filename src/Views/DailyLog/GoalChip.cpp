#include "Views/DailyLog/GoalChip.h"

#include "Components/FocusRing.h"
#include "Models/Goal.h"
#include "ViewModels/GoalRowText.h"
#include "ViewModels/GoalText.h"
#include "ViewModels/Theme/Theme.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {
constexpr double kPadH = 8;
constexpr double kPadV = 4;
constexpr double kDot = 8;
constexpr double kGap = 4;
} // namespace

GoalChip::GoalChip(std::shared_ptr<Goal> goal, QWidget* parent)
    : QAbstractButton(parent), goal_(std::move(goal)) {
    setObjectName(QStringLiteral("goalChip"));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);          // a click shows no focus ring; Tab does
    FocusRing::setCornerRadius(this, 999); // a capsule
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(titleText());
}

QColor GoalChip::goalColor() const {
    return GoalLook::color(goal_.get());
}

QString GoalChip::titleText() const {
    return GoalText::title(*goal_);
}

void GoalChip::setSelectedGoal(bool selected) {
    if (selected_ == selected)
        return;
    selected_ = selected;
    update();
}

QSize GoalChip::sizeHint() const {
    const QFontMetricsF metrics(Theme::font(12, QFont::Medium));
    const double width = 2 * kPadH + kDot + kGap + metrics.horizontalAdvance(titleText());
    const double height = 2 * kPadV + std::max(kDot, metrics.height());
    return {int(std::ceil(width)), int(std::ceil(height))};
}

void GoalChip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(rect());
    QPainterPath capsule;
    capsule.addRoundedRect(box, box.height() / 2, box.height() / 2);
    p.fillPath(capsule, selected_ ? goalColor() : Theme::backgroundTertiary());

    p.setPen(Qt::NoPen);
    p.setBrush(goalColor());
    p.drawEllipse(QRectF(kPadH, box.center().y() - kDot / 2, kDot, kDot));

    const QFont font = Theme::font(12, QFont::Medium);
    p.setFont(font);
    p.setPen(selected_ ? QColor(Qt::white) : Theme::textSecondary());
    const QRectF textBox(kPadH + kDot + kGap, 0, box.width() - 2 * kPadH - kDot - kGap, box.height());
    p.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               QFontMetricsF(font).elidedText(titleText(), Qt::ElideRight, textBox.width()));
    if (hasFocus()) {
        p.setPen(QPen(Theme::withOpacity(Theme::textSecondary(), 0.6), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), height() / 2.0, height() / 2.0);
    }
}
