#include "Views/Navigation/SidebarNewGoalButton.h"

#include "Components/Symbols.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QPainter>

namespace {

constexpr double kLeading = 20; // 16 of the row and 4 more on the leading side
constexpr double kCircle = 22;

} // namespace

SidebarNewGoalButton::SidebarNewGoalButton(QWidget* parent) : QAbstractButton(parent) {
    setObjectName(QStringLiteral("sidebarNewGoalButton"));
    setText(tr("New Goal"));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize SidebarNewGoalButton::sizeHint() const {
    return {220, int(kCircle) + 10};
}

void SidebarNewGoalButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor indigo = AppTheme::Colors::indigo();
    const QRectF circle(kLeading, (height() - kCircle) / 2, kCircle, kCircle);
    painter.setPen(hasFocus() ? QPen(Theme::withOpacity(indigo, 0.8), 1) : QPen(Qt::NoPen));
    painter.setBrush(Theme::withOpacity(indigo, 0.15));
    painter.drawEllipse(circle);
    const int plus = Symbols::pixelSizeForFontSize(10);
    Symbols::paint(painter, QRectF(circle.center() - QPointF(plus / 2.0, plus / 2.0), QSizeF(plus, plus)),
                   QStringLiteral("plus"), indigo);
    painter.setFont(Theme::font(12, QFont::Medium));
    painter.setPen(Theme::textMuted());
    painter.drawText(QRectF(circle.right() + 8, 0, width() - circle.right() - 8 - 16, height()),
                     Qt::AlignVCenter | Qt::AlignLeft, text());
}
