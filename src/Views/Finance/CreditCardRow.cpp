#include "Views/Finance/CreditCardRow.h"

#include "Components/SymbolIcon.h"
#include "Core/Theme/AppTheme.h"
#include "Core/Theme/Theme.h"
#include "Models/CreditCard.h"
#include "Platform/Clock.h"
#include "Platform/MoneyFormatter.h"
#include "Views/Achievements/ScreenStyle.h"
#include "Views/Finance/FinanceForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

CreditCardRow::CreditCardRow(const std::shared_ptr<CreditCard>& card, double spend, double nextBill,
                             std::function<void()> onDelete, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("creditCardRow"));
    const QDateTime due = card->nextDueDate(Clock::now());

    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(
        QStringLiteral("QWidget#creditCardRow { background: %1; border: 1px solid %2; border-radius: 12px; }")
            .arg(Theme::css(Theme::backgroundSecondary()), Theme::css(AppTheme::Colors::borderSubtle())));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(16);

    row->addWidget(FinanceForm::iconTile(QStringLiteral("creditcard.fill"), AppTheme::Colors::sunrise(),
                                         Theme::withOpacity(AppTheme::Colors::sunrise(), 0.15), 40, 17, 8));

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    auto* name = FinanceForm::elidedLabel(card->name().value_or(QStringLiteral("Card")),
                                          Theme::font(14, QFont::Medium), Theme::textPrimary());
    name->setObjectName(QStringLiteral("cardName"));
    texts->addWidget(name);
    auto* days = ScreenStyle::label(QStringLiteral("Closes day %1 · Due day %2")
                                        .arg(card->statementCloseDay())
                                        .arg(card->paymentDueDay()),
                                    Theme::font(11), Theme::textMuted());
    days->setObjectName(QStringLiteral("cardDays"));
    texts->addWidget(days);
    row->addLayout(texts, 1);

    auto* figures = new QVBoxLayout;
    figures->setSpacing(2);
    if (nextBill > 0) {
        auto* bill = ScreenStyle::label(QStringLiteral("Next bill: ") + MoneyFormatter::format(nextBill, 0),
                                        Theme::font(13, QFont::Bold), AppTheme::Colors::rose());
        bill->setObjectName(QStringLiteral("nextBill"));
        figures->addWidget(bill, 0, Qt::AlignRight);
        auto* dueLabel = ScreenStyle::label(QStringLiteral("Due ") +
                                                QLocale().toString(due.date(), QStringLiteral("MMM d")),
                                            Theme::font(11), Theme::textMuted());
        dueLabel->setObjectName(QStringLiteral("dueDate"));
        figures->addWidget(dueLabel, 0, Qt::AlignRight);
    } else {
        auto* month = ScreenStyle::label(QStringLiteral("This month: ") + MoneyFormatter::format(spend, 0),
                                         Theme::font(13, QFont::Bold), Theme::textSecondary());
        month->setObjectName(QStringLiteral("monthSpend"));
        figures->addWidget(month, 0, Qt::AlignRight);
    }
    row->addLayout(figures);

    auto* remove =
        FinanceForm::iconButton(QStringLiteral("deleteCardButton"), QStringLiteral("trash"),
                                Theme::withOpacity(Theme::textMuted(), 0.5), 12, tr("Delete card"));
    connect(remove, &QPushButton::clicked, this, [onDelete] { onDelete(); });
    row->addWidget(remove);
}
