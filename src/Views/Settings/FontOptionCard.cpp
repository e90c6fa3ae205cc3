#include "Views/Settings/FontOptionCard.h"

#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QPainter>
#include <QPainterPath>

FontOptionCard::FontOptionCard(AppFontOption option, bool selected, QWidget* parent)
    : QAbstractButton(parent), option_(option), selected_(selected) {
    setObjectName(QStringLiteral("fontCard"));
    setText(AppFontOptions::displayName(option));
    setAccessibleName(text());
    setCheckable(true);
    setChecked(selected);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void FontOptionCard::enterEvent(QEnterEvent* event) {
    QAbstractButton::enterEvent(event);
    hovered_ = true;
    update();
}

void FontOptionCard::leaveEvent(QEvent* event) {
    QAbstractButton::leaveEvent(event);
    hovered_ = false;
    update();
}

void FontOptionCard::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (hovered_) {
        const QPointF c = QRectF(rect()).center();
        p.translate(c);
        p.scale(1.05, 1.05);
        p.translate(-c);
    }
    const QColor purple = AppTheme::Colors::purple();
    const QRectF sample((width() - 72) / 2.0, 2, 72, 44);
    QPainterPath box;
    box.addRoundedRect(sample, 8, 8);
    p.fillPath(box, selected_ ? Theme::withOpacity(purple, 0.12) : Theme::backgroundTertiary());
    // The focus ring marks the focused card; an edge here would read as the chosen one.
    if (selected_) {
        p.setPen(QPen(purple, 1.5));
        p.drawRoundedRect(sample.adjusted(0.75, 0.75, -0.75, -0.75), 8, 8);
    }
    p.setFont(AppFontOptions::makeFont(option_, 20, QFont::DemiBold));
    p.setPen(selected_ ? purple : Theme::textPrimary());
    p.drawText(sample, Qt::AlignCenter, QStringLiteral("Aa"));

    const QFont nameFont = AppFontOptions::makeFont(option_, 10, QFont::Medium);
    p.setFont(nameFont);
    p.setPen(selected_ ? purple : Theme::textMuted());
    const QRectF name((width() - 72) / 2.0, sample.bottom() + 6, 72, QFontMetrics(nameFont).height());
    p.drawText(name, Qt::AlignHCenter | Qt::AlignVCenter,
               QFontMetrics(nameFont).elidedText(text(), Qt::ElideRight, 72));
}
