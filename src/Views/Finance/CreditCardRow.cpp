#include "Views/Finance/CreditCardRow.h"

#include "Components/ElidedLabel.h"
#include "Components/FocusAfter.h"
#include "Components/ScreenStyle.h"
#include "Models/CreditCard.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/FinanceForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CreditCardRow::CreditCardRow(std::function<void(const std::shared_ptr<CreditCard>&)> onDelete,
                             QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("creditCardRow"));
    FocusAfter::markRow(this);
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
    name_ = FinanceForm::elidedLabel(Theme::font(14, QFont::Medium), Theme::textPrimary());
    name_->setObjectName(QStringLiteral("cardName"));
    texts->addWidget(name_);
    days_ = ScreenStyle::label(QString(), Theme::font(11), Theme::textMuted());
    days_->setObjectName(QStringLiteral("cardDays"));
    texts->addWidget(days_);
    row->addLayout(texts, 1);

    auto* figures = new QVBoxLayout;
    figures->setSpacing(2);
    nextBill_ = FinanceForm::figureLabel(Theme::font(13, QFont::Bold), AppTheme::Colors::rose());
    nextBill_->setObjectName(QStringLiteral("nextBill"));
    figures->addWidget(nextBill_);
    due_ = ScreenStyle::label(QString(), Theme::font(11), Theme::textMuted());
    due_->setObjectName(QStringLiteral("dueDate"));
    figures->addWidget(due_, 0, Qt::AlignRight);
    monthSpend_ = FinanceForm::figureLabel(Theme::font(13, QFont::Bold), Theme::textSecondary());
    monthSpend_->setObjectName(QStringLiteral("monthSpend"));
    figures->addWidget(monthSpend_);
    row->addLayout(figures);

    auto* remove =
        FinanceForm::iconButton(QStringLiteral("deleteCardButton"), QStringLiteral("trash"),
                                Theme::withOpacity(Theme::textMuted(), 0.5), 12, tr("Delete card"));
    connect(remove, &QPushButton::clicked, this, [this, onDelete = std::move(onDelete)] {
        if (auto card = figures_.card.lock())
            onDelete(card);
    });
    FocusAfter::markAction(remove, FocusAfter::Action::deletes);
    row->addWidget(remove);
}

void CreditCardRow::bind(const Figures& figures) {
    figures_ = figures;
    name_->setFullText(figures.name);
    setAccessibleName(figures.name);
    days_->setText(figures.daysText);
    const bool billed = !figures.nextBillText.isEmpty();
    nextBill_->setFullText(figures.nextBillText, figures.figureNote);
    due_->setText(figures.dueText);
    monthSpend_->setFullText(figures.monthSpendText, figures.figureNote);
    nextBill_->setVisible(billed);
    due_->setVisible(billed);
    monthSpend_->setVisible(!billed);
}
