#include "Views/CalendarView/CalendarToast.h"

#include "Components/Animator.h"
#include "Components/Symbols.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QTextOption>

#include <cmath>

namespace {

constexpr int kPadH = 16;
constexpr int kPadV = 10;
constexpr int kSpacing = 8;
constexpr int kBottom = 24;
constexpr int kSide = 24;   // the least room left between the toast and its parent's sides
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
    layOut();
}

void CalendarToast::layOut() {
    const int icon = Symbols::pixelSizeForFontSize(12);
    const int chrome = kShadow * 2 + kPadH * 2 + icon + kSpacing;
    const QWidget* host = parentWidget();
    const double widest = std::max(1, (host ? host->width() : 480) - kSide * 2 - chrome);
    text_.setText(message_);
    text_.setFont(Theme::font(13, QFont::Medium));
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    text_.setTextOption(option);
    text_.beginLayout();
    double y = 0;
    double width = 0;
    for (QTextLine line = text_.createLine(); line.isValid(); line = text_.createLine()) {
        line.setLineWidth(widest);
        line.setPosition(QPointF(0, y));
        y += line.height();
        width = std::max(width, line.naturalTextWidth());
    }
    text_.endLayout();
    textSize_ = QSizeF(std::ceil(width), std::ceil(y));
    resize(sizeHint());
    place();
    update();
}

QSize CalendarToast::sizeHint() const {
    const int icon = Symbols::pixelSizeForFontSize(12);
    const QFontMetricsF metrics(Theme::font(13, QFont::Medium));
    const int width = kPadH * 2 + icon + kSpacing + int(textSize_.width());
    const int height =
        kPadV * 2 + int(std::ceil(std::max({textSize_.height(), metrics.height(), double(icon)})));
    return {width + kShadow * 2, height + kShadow * 2};
}

QStringList CalendarToast::lines() const {
    QStringList shown;
    for (int i = 0; i < text_.lineCount(); ++i) {
        const QTextLine line = text_.lineAt(i);
        shown << message_.mid(line.textStart(), line.textLength()).trimmed();
    }
    return shown;
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
        layOut();
    return false;
}

void CalendarToast::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(std::clamp(presence_, 0.0, 1.0));
    const QRectF capsule = QRectF(rect()).adjusted(kShadow, kShadow, -kShadow, -kShadow);
    // A pill on one line; on more, its ends keep the roundness of the one-line pill.
    const QFontMetricsF metrics(text_.font());
    const int icon = Symbols::pixelSizeForFontSize(12);
    const double lineHeight = text_.lineCount() ? text_.lineAt(0).height() : metrics.height();
    const double radius = std::min(capsule.height(), kPadV * 2 + std::max(lineHeight, double(icon))) / 2;
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
    // The arrow stands by the first line; the lines start after it.
    const double textTop = capsule.top() + (capsule.height() - textSize_.height()) / 2;
    const QRectF iconBox(capsule.left() + kPadH, textTop + (lineHeight - icon) / 2.0, icon, icon);
    Symbols::paint(painter, iconBox, QStringLiteral("arrow.right.to.line"), Qt::white);
    painter.setPen(Qt::white);
    text_.draw(&painter, QPointF(iconBox.right() + kSpacing, textTop));
}
