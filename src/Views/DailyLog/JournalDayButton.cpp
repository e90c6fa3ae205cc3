#include "Views/DailyLog/JournalDayButton.h"

#include "Platform/DateText.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {
constexpr double kPadH = 16;
constexpr double kPadV = 8;
constexpr double kLineGap = 2;
constexpr double kDot = 6;
} // namespace

JournalDayButton::JournalDayButton(QWidget* parent) : QAbstractButton(parent) {
    setObjectName(QStringLiteral("journalDay"));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus); // a click shows no focus ring; Tab does
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void JournalDayButton::setDay(const QDateTime& day, bool selected, bool hasEntries) {
    day_ = day;
    selected_ = selected;
    hasEntries_ = hasEntries;
    setAccessibleName(weekdayText() + QLatin1Char(' ') + dateText());
    update();
}

QString JournalDayButton::weekdayText() const {
    return DateText::shortWeekday(day_.date()).toUpper();
}

QString JournalDayButton::dateText() const {
    return DateText::monthDay(day_.date());
}

QSize JournalDayButton::sizeHint() const {
    const QFontMetricsF weekday(Theme::font(11, QFont::Medium));
    const QFontMetricsF date(Theme::font(14, QFont::Medium));
    const double height = 2 * kPadV + weekday.height() + kLineGap + date.height();
    const double width =
        2 * kPadH + std::max(weekday.horizontalAdvance(weekdayText()), date.horizontalAdvance(dateText())) +
        kDot + 8;
    return {int(std::ceil(width)), int(std::ceil(height))};
}

void JournalDayButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(rect());
    if (selected_) {
        QPainterPath tint;
        tint.addRoundedRect(box, 8, 8);
        p.fillPath(tint, Theme::withOpacity(AppTheme::Colors::purple(), 0.15));
    }

    const QFont weekdayFont = Theme::font(11, QFont::Medium);
    const QFont dateFont = Theme::font(14, QFont::Medium);
    const double weekdayHeight = QFontMetricsF(weekdayFont).height();
    const double dateHeight = QFontMetricsF(dateFont).height();
    const double textWidth = box.width() - 2 * kPadH - kDot - 4;

    p.setFont(weekdayFont);
    p.setPen(selected_ ? AppTheme::Colors::purple() : Theme::textMuted());
    p.drawText(QRectF(kPadH, kPadV, textWidth, weekdayHeight), Qt::AlignLeft | Qt::AlignVCenter,
               weekdayText());
    p.setFont(dateFont);
    p.setPen(selected_ ? Theme::textPrimary() : Theme::textSecondary());
    p.drawText(QRectF(kPadH, kPadV + weekdayHeight + kLineGap, textWidth, dateHeight),
               Qt::AlignLeft | Qt::AlignVCenter, dateText());

    if (hasEntries_) {
        p.setPen(Qt::NoPen);
        p.setBrush(AppTheme::Colors::green());
        p.drawEllipse(QRectF(box.right() - kPadH - kDot, box.center().y() - kDot / 2, kDot, kDot));
    }
    if (hasFocus()) {
        p.setPen(QPen(Theme::withOpacity(AppTheme::Colors::purple(), 0.6), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    }
}
