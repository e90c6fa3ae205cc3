#include "Views/Finance/AddBankAccountSheet.h"

#include "Components/NumberFieldNote.h"
#include "Components/ScreenStyle.h"
#include "Components/SheetHost.h"
#include "Components/ThemedTextField.h"
#include "Models/BankAccount.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/Finance/OverviewViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/FinanceForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AddBankAccountSheet::AddBankAccountSheet(std::shared_ptr<BankAccount> editing, OnSave onSave, QWidget* parent)
    : QWidget(parent), editing_(std::move(editing)), onSave_(std::move(onSave)),
      name_(new ThemedTextField(tr("e.g. HDFC Savings"))),
      balance_(new ThemedTextField(QStringLiteral("0"))) {
    setObjectName(QStringLiteral("addBankAccountSheet"));
    const bool adding = !editing_;
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(24);

    auto* header = new QHBoxLayout;
    auto* titles = new QVBoxLayout;
    titles->setSpacing(4);
    titles->addWidget(ScreenStyle::label(adding ? tr("Add Bank Account") : tr("Edit Account"),
                                         Theme::font(20, QFont::DemiBold), Theme::textPrimary()));
    titles->addWidget(ScreenStyle::label(adding ? tr("Enter account name and current balance")
                                                : tr("Update account details"),
                                         Theme::font(12), Theme::textMuted()));
    header->addLayout(titles, 1);
    auto* close = ScreenStyle::textButton(QString(), Theme::systemFont(20), Theme::textMuted());
    close->setObjectName(QStringLiteral("closeButton"));
    ScreenStyle::setSymbol(close, QStringLiteral("xmark.circle.fill"), Theme::textMuted(), 20);
    close->setToolTip(tr("Close"));
    connect(close, &QPushButton::clicked, this, &AddBankAccountSheet::dismiss);
    header->addWidget(close, 0, Qt::AlignTop);
    column->addLayout(header);

    name_->setObjectName(QStringLiteral("accountNameField"));
    balance_->setObjectName(QStringLiteral("balanceField"));
    column->addWidget(FinanceForm::group(tr("Account Name"), name_));
    column->addWidget(
        FinanceForm::group(OverviewViewModel::balanceCaption(),
                           NumberFieldNote::stacked(balance_, OverviewViewModel::balanceRule())));

    QHBoxLayout* buttons = FinanceForm::buttonRow(column, 12);
    auto* cancel = FinanceForm::cancelButton();
    connect(cancel, &QPushButton::clicked, this, &AddBankAccountSheet::dismiss);
    confirm_ = FinanceForm::primaryButton(adding ? tr("Add Account") : tr("Save Changes"),
                                          AppTheme::Colors::indigo());
    confirm_->setObjectName(QStringLiteral("confirmButton"));
    connect(confirm_, &QPushButton::clicked, this, &AddBankAccountSheet::confirm);
    buttons->addWidget(cancel, 1);
    buttons->addWidget(confirm_, 1);
    FinanceForm::fillWithPage(this, page);

    if (editing_) {
        name_->setText(editing_->name().value_or(tr("Unnamed Account")));
        balance_->setText(Text::editableNumber(editing_->balance()));
    }
    connect(name_, &QLineEdit::textChanged, this, &AddBankAccountSheet::updateConfirm);
    connect(balance_, &QLineEdit::textChanged, this, &AddBankAccountSheet::updateConfirm);
    updateConfirm();
}

bool AddBankAccountSheet::canConfirm() const {
    return OverviewViewModel::canSaveBankAccount(name_->text(), balance_->text());
}

void AddBankAccountSheet::updateConfirm() {
    FinanceForm::setPrimaryEnabled(confirm_, AppTheme::Colors::indigo(), canConfirm());
}

void AddBankAccountSheet::confirm() {
    if (!canConfirm())
        return;
    const double balance = OverviewViewModel::balanceRule().verdict(balance_->text()).amount.value_or(0);
    if (!onSave_(Text::trimmed(name_->text()), balance))
        return;
    dismiss();
}

void AddBankAccountSheet::dismiss() {
    if (auto* host = SheetHost::of(this))
        host->dismiss();
}

void AddBankAccountSheet::paintEvent(QPaintEvent*) {
    ScreenStyle::paintSheetCard(this, Theme::backgroundPrimary());
}
