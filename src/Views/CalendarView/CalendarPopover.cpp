#include "Views/CalendarView/CalendarPopover.h"

#include "Components/KeyboardLayer.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

constexpr int kGap = 6;
constexpr int kMargin = 8;
constexpr double kRadius = 12;

} // namespace

CalendarPopover* CalendarPopover::open(QWidget* anchor, QWidget* content, int width,
                                       std::function<void()> onClose) {
    if (CalendarPopover* previous = current(anchor->window()))
        previous->dismiss();
    auto* popover = new CalendarPopover(anchor, content, width, std::move(onClose));
    // It owns the keyboard while it is open; the first click outside only closes it.
    KeyboardLayer* layer = KeyboardLayer::install(popover);
    layer->setOutsideClickAction([popover] { popover->dismiss(); });
    popover->show();
    popover->raise();
    return popover;
}

CalendarPopover* CalendarPopover::current(const QWidget* window) {
    for (auto* popover : window->findChildren<CalendarPopover*>(QString(), Qt::FindDirectChildrenOnly))
        if (!popover->closing_)
            return popover;
    return nullptr;
}

CalendarPopover::CalendarPopover(QWidget* anchor, QWidget* content, int width, std::function<void()> onClose)
    : QWidget(anchor->window()), anchor_(anchor), content_(content), width_(width),
      onClose_(std::move(onClose)) {
    setObjectName(QStringLiteral("calendarPopover"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    place();
    qApp->installEventFilter(this);
}

void CalendarPopover::place() {
    QWidget* window = parentWidget();
    const int height = layout()->hasHeightForWidth() ? layout()->heightForWidth(width_) : sizeHint().height();
    const QRect anchorRect(anchor_ ? anchor_->mapTo(window, QPoint(0, 0)) : QPoint(),
                           anchor_ ? anchor_->size() : QSize());
    int x = anchorRect.center().x() - width_ / 2;
    x = std::clamp(x, kMargin, std::max(kMargin, window->width() - width_ - kMargin));
    int y = anchorRect.bottom() + kGap;
    if (y + height > window->height() - kMargin)
        y = std::max(kMargin, anchorRect.top() - kGap - height);
    setGeometry(x, y, width_, height);
}

void CalendarPopover::dismiss() {
    if (closing_)
        return;
    closing_ = true;
    qApp->removeEventFilter(this);
    hide();
    if (onClose_)
        onClose_();
    emit dismissed();
    deleteLater();
}

bool CalendarPopover::eventFilter(QObject* watched, QEvent* event) {
    if (closing_)
        return false;
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        dismiss();
        return true;
    } else if (event->type() == QEvent::Resize && watched == parentWidget()) {
        place();
    }
    return false;
}

void CalendarPopover::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
    painter.fillPath(shape, Theme::backgroundSecondary());
    painter.setPen(QPen(AppTheme::Colors::borderMedium(), 1));
    painter.drawPath(shape);
}
