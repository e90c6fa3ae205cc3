#include "Views/CalendarView/CalendarBillRow.h"

#include "Components/ScreenStyle.h"
#include "Components/SymbolIcon.h"
#include "ViewModels/CalendarBillText.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/CalendarView/CalendarStyle.h"
#include "Views/CalendarView/CalendarTextLine.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

CalendarBillRow::CalendarBillRow(const Bill& bill, QWidget* parent) : QWidget(parent) {
    const CalendarBillText text = CalendarBillText::of(bill);
    setObjectName(QStringLiteral("calendarBillRow"));
    auto* line = new QHBoxLayout(this);
    line->setContentsMargins(16, 8, 16, 8);
    line->setSpacing(16);
    auto* icon = CalendarStyle::symbol(QStringLiteral("doc.text.fill"), 12, AppTheme::Colors::rose());
    auto* iconBox = new QHBoxLayout;
    iconBox->setContentsMargins(0, 0, 0, 0);
    iconBox->addWidget(icon, 0, Qt::AlignCenter);
    auto* iconFrame = new QWidget;
    iconFrame->setFixedWidth(20);
    iconFrame->setLayout(iconBox);
    line->addWidget(iconFrame);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(1);
    auto* name = new CalendarTextLine(Theme::font(13, QFont::Medium), Theme::textPrimary());
    name->setObjectName(QStringLiteral("billName"));
    name->setText(text.name);
    auto* category = new CalendarTextLine(Theme::font(11, QFont::Medium), Theme::textMuted());
    category->setText(text.category);
    texts->addWidget(name);
    texts->addWidget(category);
    line->addLayout(texts, 1);
    auto* amount = ScreenStyle::label(text.amount, Theme::font(13, QFont::Medium), AppTheme::Colors::rose());
    amount->setObjectName(QStringLiteral("billAmount"));
    line->addWidget(amount);
}

void CalendarBillRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), 8, 8);
    painter.fillPath(shape, Theme::withOpacity(AppTheme::Colors::rose(), 0.08));
}
