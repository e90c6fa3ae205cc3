#include "Components/AlertButton.h"

#include "Components/FocusAfter.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

AlertButton::AlertButton(const QString& title, AlertDialog::Role role, QWidget* parent)
    : QAbstractButton(parent), role_(role) {
    setText(title);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setFont(Theme::font(13, QFont::Medium));
    setObjectName(QStringLiteral("alertButton"));
    setAccessibleName(title);
    // One more Return after the alert must not land on its Delete or its Cancel again.
    if (role == AlertDialog::Role::Cancel || role == AlertDialog::Role::Destructive)
        FocusAfter::markAction(this, FocusAfter::Action::deletes);
}

QSize AlertButton::sizeHint() const {
    const QFontMetricsF fm(font());
    return {int(std::ceil(std::max(72.0, fm.horizontalAdvance(text()) + 28))),
            int(std::ceil(fm.height() + 14))};
}

void AlertButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QColor fill = Theme::backgroundTertiary();
    QColor ink = Theme::textPrimary();
    if (role_ == AlertDialog::Role::Default) {
        fill = AppTheme::Colors::indigo();
        ink = Qt::white;
    } else if (role_ == AlertDialog::Role::Destructive) {
        fill = Theme::withOpacity(AppTheme::Colors::rose(), 0.18);
        ink = AppTheme::Colors::coral();
    }
    if (isDown())
        fill = fill.darker(120);
    else if (underMouse())
        fill = fill.lighter(115);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(hasFocus() ? QPen(Theme::withOpacity(Qt::white, 0.5), 1)
                        : QPen(AppTheme::Colors::borderSubtle(), 1));
    p.setBrush(fill);
    p.drawRoundedRect(r, 8, 8);
    p.setPen(ink);
    p.setFont(font());
    p.drawText(rect(), Qt::AlignCenter, text());
}
