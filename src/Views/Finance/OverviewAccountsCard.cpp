#include "Views/Finance/OverviewAccountsCard.h"

#include "Components/SymbolIcon.h"
#include "Core/Theme/AppTheme.h"
#include "Core/Theme/Theme.h"
#include "Models/BankAccount.h"
#include "Platform/MoneyFormatter.h"
#include "Views/Achievements/ScreenStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QWidget* insetDivider(QWidget* parent = nullptr) {
    auto* box = new QWidget(parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(16, 0, 16, 0);
    row->addWidget(ScreenStyle::divider());
    return box;
}

QPushButton* symbolButton(const QString& symbol, const QColor& color, double size, const QString& tip) {
    auto* button = ScreenStyle::textButton(QString(), Theme::systemFont(size), color);
    ScreenStyle::setSymbol(button, symbol, color, size);
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    return button;
}

} // namespace

OverviewAccountsCard::OverviewAccountsCard(QWidget* parent) : FinanceCard(18, parent) {
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
    total_ = ScreenStyle::label(QString(), Theme::font(16, QFont::Bold), AppTheme::Colors::indigo());
    total_->setObjectName(QStringLiteral("liquidCashTotal"));
    row->addWidget(total_);
    auto* add =
        ScreenStyle::filledButton(QString(), Theme::systemFont(12, QFont::DemiBold),
                                  Theme::css(Theme::withOpacity(AppTheme::Colors::indigo(), 0.1)), 5, 5, 8);
    add->setObjectName(QStringLiteral("addAccountPlus"));
    ScreenStyle::setSymbol(add, QStringLiteral("plus"), AppTheme::Colors::indigo(), 12);
    add->setToolTip(tr("Add Account"));
    add->setAccessibleName(tr("Add Account"));
    connect(add, &QPushButton::clicked, this, &OverviewAccountsCard::addRequested);
    row->addWidget(add);
    column->addWidget(header);
    column->addWidget(insetDivider());

    rows_ = new QVBoxLayout;
    rows_->setContentsMargins(0, 0, 0, 0);
    rows_->setSpacing(0);
    column->addLayout(rows_);
}

void OverviewAccountsCard::setAccounts(const std::vector<std::shared_ptr<BankAccount>>& accounts,
                                       const QString& total) {
    total_->setText(total);
    if (body_) {
        // Deferred: the press that led here may still be running inside a row of the old list.
        rows_->removeWidget(body_);
        body_->hide();
        body_->deleteLater();
    }
    if (accounts.empty()) {
        body_ = buildEmpty();
    } else {
        body_ = new QWidget(this);
        auto* list = new QVBoxLayout(body_);
        list->setContentsMargins(0, 0, 0, 0);
        list->setSpacing(0);
        for (std::size_t i = 0; i < accounts.size(); ++i)
            list->addWidget(buildRow(accounts[i], i + 1 == accounts.size(), body_));
    }
    rows_->addWidget(body_);
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
    return box;
}

QWidget* OverviewAccountsCard::buildRow(const std::shared_ptr<BankAccount>& account, bool isLast,
                                        QWidget* parent) {
    // Made inside the list: a row built loose is styled once more, whole, when taken in.
    auto* box = new QWidget(parent);
    box->setObjectName(QStringLiteral("accountRow"));
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* line = new QWidget(box);
    auto* row = new QHBoxLayout(line);
    row->setContentsMargins(16, 8, 16, 8);
    row->setSpacing(10);
    const QString name = account->name().value_or(tr("Unnamed Account"));
    auto* nameLabel = ScreenStyle::label(QString(), Theme::font(14), Theme::textPrimary());
    nameLabel->setObjectName(QStringLiteral("accountName"));
    nameLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    nameLabel->setText(name);
    nameLabel->setToolTip(name.toHtmlEscaped());
    row->addWidget(nameLabel, 1);
    auto* balance = ScreenStyle::label(MoneyFormatter::format(account->balance(), 0),
                                       Theme::font(14, QFont::Medium), Theme::textPrimary());
    balance->setObjectName(QStringLiteral("accountBalance"));
    row->addWidget(balance);

    std::weak_ptr<BankAccount> weak = account;
    auto* edit = symbolButton(QStringLiteral("pencil"), Theme::textMuted(), 11, tr("Edit"));
    edit->setObjectName(QStringLiteral("editAccount"));
    connect(edit, &QPushButton::clicked, this, [this, weak] {
        if (auto target = weak.lock())
            emit editRequested(target);
    });
    row->addWidget(edit);
    auto* remove = symbolButton(QStringLiteral("trash"), Theme::withOpacity(AppTheme::Colors::rose(), 0.6),
                                11, tr("Delete"));
    remove->setObjectName(QStringLiteral("deleteAccount"));
    connect(remove, &QPushButton::clicked, this, [this, weak] {
        if (auto target = weak.lock())
            emit deleteRequested(target);
    });
    row->addWidget(remove);
    column->addWidget(line);
    if (!isLast) {
        auto* divider = insetDivider(box);
        divider->setObjectName(QStringLiteral("accountDivider"));
        column->addWidget(divider);
    }
    return box;
}
