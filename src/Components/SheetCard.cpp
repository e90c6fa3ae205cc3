#include "Components/SheetCard.h"

#include "Components/SheetHost.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QPainter>

SheetCard::SheetCard(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setObjectName(QStringLiteral("sheetCard"));
}

void SheetCard::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(AppTheme::Colors::borderMedium(), 1));
    p.setBrush(Theme::backgroundSecondary());
    p.drawRoundedRect(r, SheetHost::kCardRadius, SheetHost::kCardRadius);
}
