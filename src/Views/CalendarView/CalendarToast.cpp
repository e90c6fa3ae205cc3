#include "Views/CalendarView/CalendarToast.h"

#include "Components/Animator.h"
#include "Components/Symbols.h"
#include "Core/Theme/AppTheme.h"
#include "Core/Theme/Theme.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kPadH = 16;
constexpr int kPadV = 10;
constexpr int kSpacing = 8;
constexpr int kBottom = 24;
constexpr int kShadow = 10; // room around the capsule for its shadow

const AnimationTiming& entrance() {
    static const AnimationTiming timing = AnimationTiming::spring(0.35, 0.8);
    return timing;
}

const AnimationTiming& exit() {
    static const AnimationTiming timing = AnimationTiming::easeOut(0.3);
    return timing;
}

} // namespace

CalendarToast::CalendarToast(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("calendarToast"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
    parent->installEventFilter(this);
}

void CalendarToast::setMessage(const QString& message) {
    message_ = message;
    setAccessibleName(message);
    resize(sizeHint());
    place();
    update();
}

QSize CalendarToast::sizeHint() const {
    const QFontMetrics metrics(Theme::font(13, QFont::Medium));
    const int icon = Symbols::pixelSizeForFontSize(12);
    const int width = kPadH * 2 + icon + kSpacing + std::min(metrics.horizontalAdvance(message_), 480);
    const int height = kPadV * 2 + std::max(metrics.height(), icon);
    return {width + kShadow * 2, height + kShadow * 2};
}

void CalendarToast::setShown(bool shown) {
    if (shown == shown_)
        return;
    shown_ = shown;
    Animator::stop(animation_);
    const double from = presence_;
    const double to = shown ? 1.0 : 0.0;
    if (shown) {
        show();
        raise();
    }
    animation_ = Animator::run(
        this, shown ? entrance() : exit(),
        [this, from, to](double t) {
            presence_ = from + (to - from) * t;
            place();
            update();
        },
        0,
        [this] {
            if (!shown_)
                hide();
        });
}

void CalendarToast::place() {
    const QWidget* host = parentWidget();
    const QSize size = this->size();
    const double travel = size.height() + kBottom;
    const int y =
        host->height() - kBottom - size.height() + kShadow + static_cast<int>((1 - presence_) * travel);
    move((host->width() - size.width()) / 2, y);
}

bool CalendarToast::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        place();
    return false;
}

void CalendarToast::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(std::clamp(presence_, 0.0, 1.0));
    const QRectF capsule = QRectF(rect()).adjusted(kShadow, kShadow, -kShadow, -kShadow);
    const double radius = capsule.height() / 2;
    // A soft shadow four points down, built from a few widening translucent capsules.
    for (int i = 4; i >= 1; --i) {
        QPainterPath ring;
        ring.addRoundedRect(capsule.translated(0, 4).adjusted(-i * 2, -i * 2, i * 2, i * 2), radius + i * 2,
                            radius + i * 2);
        painter.fillPath(ring, QColor(0, 0, 0, 16));
    }
    QPainterPath shape;
    shape.addRoundedRect(capsule, radius, radius);
    painter.fillPath(shape, Theme::withOpacity(Theme::backgroundTertiary(), 0.95));
    const int icon = Symbols::pixelSizeForFontSize(12);
    const QRectF iconBox(capsule.left() + kPadH, capsule.center().y() - icon / 2.0, icon, icon);
    Symbols::paint(painter, iconBox, QStringLiteral("arrow.right.to.line"), Qt::white);
    painter.setFont(Theme::font(13, QFont::Medium));
    painter.setPen(Qt::white);
    const QRectF textBox(iconBox.right() + kSpacing, capsule.top(),
                         capsule.right() - kPadH - iconBox.right() - kSpacing, capsule.height());
    painter.drawText(textBox, Qt::AlignVCenter | Qt::AlignLeft,
                     QFontMetrics(painter.font()).elidedText(message_, Qt::ElideRight, int(textBox.width())));
}
