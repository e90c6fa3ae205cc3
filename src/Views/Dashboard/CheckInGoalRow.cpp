#include "Views/Dashboard/CheckInGoalRow.h"

#include "Components/Symbols.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/Theme/Theme.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace {

constexpr double kPadY = 4;
constexpr double kSpacing = 8;
constexpr double kDot = 8;

int tickSize() {
    return Symbols::pixelSizeForFontSize(18);
}

QFont titleFont() {
    return Theme::font(13, QFont::Medium);
}

double titleLeft() {
    return tickSize() + kSpacing + kDot + kSpacing;
}

} // namespace

CheckInGoalRow::CheckInGoalRow(const GoalFace& face, QWidget* parent) : QAbstractButton(parent) {
    setObjectName(QStringLiteral("checkInGoalRow"));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // A tick a screen reader reads as on or off; every click flips it as the choice does.
    setCheckable(true);
    setText(face);
}

int CheckInGoalRow::rowHeight() {
    return int(std::ceil(std::max<double>(tickSize(), QFontMetricsF(titleFont()).height()) + 2 * kPadY));
}

void CheckInGoalRow::setText(const GoalFace& face) {
    goalID_ = face.goalID;
    title_ = face.title;
    color_ = face.color;
    setAccessibleName(title_);
    setToolTip(Text::plainToolTipIfCut(shownTitle(), title_));
    update();
}

void CheckInGoalRow::setTicked(bool ticked) {
    setChecked(ticked);
    if (ticked == ticked_)
        return;
    ticked_ = ticked;
    update();
}

QSize CheckInGoalRow::sizeHint() const {
    return {int(titleLeft() + QFontMetricsF(titleFont()).horizontalAdvance(title_)) + 2, rowHeight()};
}

QSize CheckInGoalRow::minimumSizeHint() const {
    return {int(titleLeft()) + 40, sizeHint().height()};
}

QString CheckInGoalRow::shownTitle() const {
    return QFontMetricsF(titleFont())
        .elidedText(title_, Qt::ElideRight, std::max(0.0, width() - titleLeft()));
}

void CheckInGoalRow::resizeEvent(QResizeEvent* event) {
    QAbstractButton::resizeEvent(event);
    setToolTip(Text::plainToolTipIfCut(shownTitle(), title_));
}

void CheckInGoalRow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const int tick = tickSize();
    const double mid = height() / 2.0;
    Symbols::paint(p, QRectF(0, mid - tick / 2.0, tick, tick),
                   ticked_ ? QStringLiteral("checkmark.circle.fill") : QStringLiteral("circle"),
                   ticked_ ? color_ : Theme::textMuted());
    if (!goalID_)
        return;
    p.setPen(Qt::NoPen);
    p.setBrush(color_);
    p.drawEllipse(QRectF(tick + kSpacing, mid - kDot / 2, kDot, kDot));
    p.setFont(titleFont());
    p.setPen(ticked_ ? Theme::textPrimary() : Theme::textSecondary());
    p.drawText(QRectF(titleLeft(), 0, width() - titleLeft(), height()), Qt::AlignLeft | Qt::AlignVCenter,
               shownTitle());
}
