#include "Views/Navigation/SidebarNavItem.h"

#include "Components/Animator.h"
#include "Components/Symbols.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Navigation/SidebarGlow.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

constexpr int kRowHeight = 40; // 28 tile + 6 above and below
constexpr double kTile = 28;

// A rounded rectangle over a glow of its accent; the glow fades with the selection.
void paintGlowingRect(QPainter& painter, const QRectF& rect, double radius, const QColor& fill,
                      const QColor& accent, double glowOpacity, double glowRadius, double amount) {
    painter.save();
    painter.setOpacity(amount);
    SidebarGlow::paint(painter, rect, radius, Theme::withOpacity(accent, glowOpacity), glowRadius);
    painter.restore();
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    painter.fillPath(path, fill);
}

} // namespace

SidebarNavItem::SidebarNavItem(AppDestination destination, QWidget* parent)
    : QAbstractButton(parent), destination_(destination) {
    setObjectName(QStringLiteral("sidebarNavItem"));
    setProperty("destination", AppDestinations::rawValue(destination));
    setText(AppDestinations::title(destination));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QString SidebarNavItem::symbolName(AppDestination destination) {
    switch (destination) {
    case AppDestination::dashboard:
        return QStringLiteral("square.grid.2x2.fill");
    case AppDestination::goals:
        return QStringLiteral("target");
    case AppDestination::deadlines:
        return QStringLiteral("clock.badge.exclamationmark.fill");
    case AppDestination::achievements:
        return QStringLiteral("trophy.fill");
    case AppDestination::journal:
        return QStringLiteral("book.closed.fill");
    case AppDestination::expenses:
        return QStringLiteral("creditcard.fill");
    case AppDestination::calendar:
        return QStringLiteral("calendar");
    case AppDestination::links:
        return QStringLiteral("link");
    case AppDestination::settings:
        return QStringLiteral("gearshape.fill");
    }
    return QStringLiteral("circle");
}

QSize SidebarNavItem::sizeHint() const {
    return {220, kRowHeight};
}

void SidebarNavItem::setSelected(bool selected) {
    if (selected == selected_)
        return;
    selected_ = selected;
    animateTo(selection_, selected ? 1 : 0);
}

void SidebarNavItem::setHovered(bool hovered) {
    if (hovered == hovered_)
        return;
    hovered_ = hovered;
    animateTo(hover_, hovered ? 1 : 0);
}

void SidebarNavItem::animateTo(double& value, double target) {
    QPointer<QVariantAnimation>& running = (&value == &selection_) ? selectionAnimation_ : hoverAnimation_;
    Animator::stop(running);
    const double from = value;
    running = Animator::run(this, AppTheme::Animation::snappy(), [this, &value, from, target](double t) {
        value = from + (target - from) * std::clamp(t, 0.0, 1.0);
        update();
    });
}

void SidebarNavItem::enterEvent(QEnterEvent* event) {
    QAbstractButton::enterEvent(event);
    setHovered(true);
}

void SidebarNavItem::leaveEvent(QEvent* event) {
    QAbstractButton::leaveEvent(event);
    setHovered(false);
}

void SidebarNavItem::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor accent = AppDestinations::accentColor(destination_);
    const QRectF background = QRectF(rect()).adjusted(4, 0, -4, 0);

    // The selected look wins over the hover look.
    QPainterPath shape;
    shape.addRoundedRect(background, 8, 8);
    if (selection_ > 0)
        painter.fillPath(shape, Theme::withOpacity(accent, 0.1 * selection_));
    const double hoverOnly = hover_ * (1 - selection_);
    if (hoverOnly > 0)
        painter.fillPath(shape, QColor(255, 255, 255, int(std::lround(255 * 0.05 * hoverOnly))));

    const QRectF tile(16, (height() - kTile) / 2, kTile, kTile);
    if (selection_ > 0)
        paintGlowingRect(painter, tile, 7, Theme::withOpacity(accent, 0.18 * selection_), accent, 0.35, 6,
                         selection_);
    const QColor iconColor = selected_ ? accent : Theme::textSecondary();
    const int iconSize = Symbols::pixelSizeForFontSize(13);
    Symbols::paint(
        painter, QRectF(tile.center() - QPointF(iconSize / 2.0, iconSize / 2.0), QSizeF(iconSize, iconSize)),
        symbolName(destination_), iconColor);

    painter.setFont(Theme::font(13, QFont::Medium));
    painter.setPen(selected_ ? Theme::textPrimary() : Theme::textSecondary());
    const double textLeft = tile.right() + 8;
    const double textRight = width() - 16 - (selected_ ? 3 + 8 : 0);
    const QRectF textRect(textLeft, 0, std::max(0.0, textRight - textLeft), height());
    painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
                     painter.fontMetrics().elidedText(text(), Qt::ElideRight, int(textRect.width())));

    if (selection_ > 0) {
        const QRectF bar(width() - 16 - 3, (height() - 14) / 2.0, 3, 14);
        paintGlowingRect(painter, bar, 2, Theme::withOpacity(accent, selection_), accent, 0.6, 4, selection_);
    }
    if (hasFocus()) {
        painter.setPen(QPen(Theme::withOpacity(accent, 0.6), 1));
        painter.drawRoundedRect(background.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    }
}
