#include "Views/Finance/OverviewAccountsCard.h"

#include "Components/ElidedLabel.h"
#include "Components/FocusAfter.h"
#include "Components/ScreenStyle.h"
#include "Components/SymbolIcon.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/FinanceForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

OverviewAccountsCard::OverviewAccountsCard(QWidget* parent)
    : CardSlice(18, AppTheme::Colors::borderSubtle(), parent) {
    setObjectName(QStringLiteral("liquidCashCard"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(8);
    row->addWidget(new SymbolIcon(QStringLiteral("building.columns.fill"), 14, AppTheme::Colors::indigo()));
    row->addWidget(
        ScreenStyle::label(tr("Liquid Cash"), Theme::font(15, QFont::DemiBold), Theme::textPrimary()));
    row->addStretch(1);
    total_ = FinanceForm::figureLabel(Theme::font(16, QFont::Bold), AppTheme::Colors::indigo());
    total_->setObjectName(QStringLiteral("liquidCashTotal"));
    row->addWidget(total_);
    auto* add =
        ScreenStyle::filledButton(QString(), Theme::systemFont(12, QFont::DemiBold),
                                  Theme::css(Theme::withOpacity(AppTheme::Colors::indigo(), 0.1)), 5, 5, 8);
    add->setObjectName(QStringLiteral("addAccountPlus"));
    FocusAfter::markCarryOn(add, QStringLiteral("accountRow"));
    ScreenStyle::setSymbol(add, QStringLiteral("plus"), AppTheme::Colors::indigo(), 12);
    add->setToolTip(tr("Add Account"));
    add->setAccessibleName(tr("Add Account"));
    connect(add, &QPushButton::clicked, this, &OverviewAccountsCard::addRequested);
    row->addWidget(add);
    column->addWidget(header);

    auto* rule = new QWidget(this);
    auto* inset = new QHBoxLayout(rule);
    inset->setContentsMargins(16, 0, 16, 0);
    inset->addWidget(ScreenStyle::divider());
    column->addWidget(rule);
}

void OverviewAccountsCard::setSummary(const QString& total, bool hasAccounts, const QString& note) {
    total_->setFullText(total, note);
    setEnds(true, !hasAccounts);
    if (!hasAccounts && !empty_) {
        empty_ = buildEmpty();
        layout()->addWidget(empty_);
    }
    if (empty_)
        empty_->setVisible(!hasAccounts);
}

QWidget* OverviewAccountsCard::buildEmpty() {
    auto* box = new QWidget(this);
    box->setObjectName(QStringLiteral("noAccounts"));
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(8);
    column->addWidget(
        ScreenStyle::label(tr("No bank accounts added yet"), Theme::font(13), Theme::textMuted()), 0,
        Qt::AlignHCenter);
    auto* add = ScreenStyle::textButton(tr("+ Add Account"), Theme::font(13, QFont::Medium),
                                        AppTheme::Colors::indigo());
    add->setObjectName(QStringLiteral("addAccountButton"));
    connect(add, &QPushButton::clicked, this, &OverviewAccountsCard::addRequested);
    column->addWidget(add, 0, Qt::AlignHCenter);
    box->hide();
    return box;
}
