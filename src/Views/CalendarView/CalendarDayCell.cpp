#include "Views/CalendarView/CalendarDayCell.h"

#include "Components/Animator.h"
#include "Components/FocusRing.h"
#include "Platform/DateText.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QPainter>

namespace {

constexpr double kCircle = 30;
constexpr double kDot = 5;
constexpr double kDotSpacing = 3;

} // namespace

CalendarDayCell::CalendarDayCell(QWidget* parent) : QAbstractButton(parent) {
    setCursor(Qt::PointingHandCursor);
    // The month grid makes one day at a time its Tab stop.
    setFocusPolicy(Qt::NoFocus);
    // The ring rounds the day's circle and its marks below it.
    FocusRing::setCornerRadius(this, kCircle / 2);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(kHeight);
}

void CalendarDayCell::setDay(const QDateTime& date, bool isSelected, bool isToday,
                             const CalendarDayMarks& marks) {
    if (date == date_ && isSelected == selected_ && isToday == today_ && marks == marks_)
        return;
    date_ = date;
    selected_ = isSelected;
    today_ = isToday;
    marks_ = marks;
    setText(QString::number(date.toLocalTime().date().day()));
    setAccessibleName(DateText::fullDate(date.toLocalTime().date()));
    update();
}

void CalendarDayCell::enterEvent(QEnterEvent* event) {
    QAbstractButton::enterEvent(event);
    setHovered(true);
}

void CalendarDayCell::leaveEvent(QEvent* event) {
    QAbstractButton::leaveEvent(event);
    setHovered(false);
}

void CalendarDayCell::setHovered(bool hovered) {
    if (hovered == hovered_)
        return;
    hovered_ = hovered;
    Animator::stop(hoverAnimation_);
    const double from = hoverAmount_;
    const double to = hovered ? 1.0 : 0.0;
    hoverAnimation_ = Animator::run(this, AppTheme::Animation::snappy(), [this, from, to](double t) {
        hoverAmount_ = std::clamp(from + (to - from) * t, 0.0, 1.0);
        update();
    });
}

void CalendarDayCell::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double top = (height() - (kCircle + 2 + kDot)) / 2.0;
    const QRectF circle(width() / 2.0 - kCircle / 2, top, kCircle, kCircle);
    painter.setPen(Qt::NoPen);
    if (selected_) {
        painter.setBrush(AppTheme::Colors::purple());
        painter.drawEllipse(circle);
    } else if (hoverAmount_ > 0) {
        painter.setBrush(Theme::withOpacity(Theme::backgroundTertiary(), hoverAmount_));
        painter.drawEllipse(circle);
    }
    painter.setFont(Theme::font(13, QFont::Medium));
    painter.setPen(selected_ ? QColor(Qt::white) : today_ ? AppTheme::Colors::cyan() : Theme::textPrimary());
    painter.drawText(circle, Qt::AlignCenter, text());

    std::vector<QColor> dots;
    if (marks_.intensity > 0)
        dots.push_back(Theme::withOpacity(AppTheme::Colors::green(), activityOpacity(marks_.intensity)));
    if (marks_.hasTask)
        dots.push_back(Theme::withOpacity(AppTheme::Colors::amber(), 0.85));
    if (marks_.hasBill)
        dots.push_back(Theme::withOpacity(AppTheme::Colors::rose(), 0.85));
    const double rowWidth = dots.size() * kDot + (dots.empty() ? 0 : (dots.size() - 1) * kDotSpacing);
    double x = width() / 2.0 - rowWidth / 2;
    const double y = circle.bottom() + 2;
    // Filled circles only: a rim in the number's colour would blur the activity levels.
    painter.setPen(Qt::NoPen);
    for (const QColor& color : dots) {
        painter.setBrush(color);
        painter.drawEllipse(QRectF(x, y, kDot, kDot));
        x += kDot + kDotSpacing;
    }
}
