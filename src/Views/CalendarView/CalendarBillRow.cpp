#include "Views/CalendarView/CalendarBillRow.h"

#include "Components/ScreenStyle.h"
#include "Components/SymbolIcon.h"
#include "Models/Bill.h"
#include "Platform/MoneyFormatter.h"
#include "Platform/TextHelpers.h"
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
    name->setText(bill.name().value_or(QStringLiteral("Untitled Bill")));
    auto* category = new CalendarTextLine(Theme::font(11, QFont::Medium), Theme::textMuted());
    category->setText(bill.category().value_or(QStringLiteral("Other")));
    texts->addWidget(name);
    texts->addWidget(category);
    line->addLayout(texts, 1);
    auto* amount = ScreenStyle::label(amountText(bill.amount()), Theme::font(13, QFont::Medium),
                                      AppTheme::Colors::rose());
    amount->setObjectName(QStringLiteral("billAmount"));
    line->addWidget(amount);
}

QString CalendarBillRow::amountText(double amount) {
    const QString text = MoneyFormatter::format(amount, 0);
    return text.isEmpty() ? Text::wholeNumber(amount) : text;
}

void CalendarBillRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), 8, 8);
    painter.fillPath(shape, Theme::withOpacity(AppTheme::Colors::rose(), 0.08));
}
