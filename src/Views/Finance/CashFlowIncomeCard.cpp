#include "Views/Finance/CashFlowIncomeCard.h"

#include "Components/MenuPicker.h"
#include "Core/Theme/AppTheme.h"
#include "Core/Theme/Theme.h"
#include "Models/BankAccount.h"
#include "Models/Income.h"
#include "Platform/MoneyFormatter.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "Views/Achievements/ScreenStyle.h"
#include "Views/Finance/FinanceForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString emeraldTileSheet(double opacity, int padding) {
    return QStringLiteral("QPushButton { color: white; border: none; border-radius: 8px; padding: %1px %2px; "
                          "background: %3; }")
        .arg(padding / 2)
        .arg(padding)
        .arg(Theme::css(Theme::withOpacity(AppTheme::Colors::emerald(), opacity)));
}

} // namespace

CashFlowIncomeCard::CashFlowIncomeCard(CashFlowViewModel* viewModel,
                                       std::function<void(std::shared_ptr<Income>)> onEdit, QWidget* parent)
    : QWidget(parent), viewModel_(viewModel), onEdit_(std::move(onEdit)), column_(new QVBoxLayout(this)) {
    setObjectName(QStringLiteral("incomeCard"));
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(
        QStringLiteral("QWidget#incomeCard { background: %1; border: 1px solid %2; border-radius: 18px; }")
            .arg(Theme::css(Theme::backgroundSecondary()),
                 Theme::css(Theme::withOpacity(AppTheme::Colors::emerald(), 0.25))));
    column_->setContentsMargins(16, 16, 16, 16);
    render();
}

bool CashFlowIncomeCard::isInlineFormShown() const {
    return amountField_ != nullptr;
}

void CashFlowIncomeCard::render() {
    if (body_) {
        column_->removeWidget(body_);
        body_->hide();
        body_->deleteLater();
    }
    amountField_ = nullptr;
    setButton_ = nullptr;
    body_ = new QWidget;
    auto* rows = new QVBoxLayout(body_);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(16);
    if (viewModel_->incomes().empty()) {
        auto* question = ScreenStyle::label(tr("What's your income this month?"),
                                            Theme::font(16, QFont::DemiBold), Theme::textPrimary());
        question->setObjectName(QStringLiteral("incomeQuestion"));
        rows->addWidget(question);
        rows->addWidget(buildInlineForm());
    } else {
        rows->addWidget(buildHeader());
        rows->addWidget(ScreenStyle::divider());
        auto* list = new QVBoxLayout;
        list->setSpacing(0);
        for (const auto& income : viewModel_->incomes())
            list->addWidget(buildRow(income));
        rows->addLayout(list);
        if (showInlineAddIncome_) {
            rows->addWidget(ScreenStyle::divider());
            rows->addWidget(buildInlineForm());
        }
    }
    column_->addWidget(body_);
}

QWidget* CashFlowIncomeCard::buildHeader() {
    auto* header = new QWidget;
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->addWidget(FinanceForm::caption(tr("Monthly Income")));
    auto* total = ScreenStyle::label(MoneyFormatter::format(viewModel_->totalIncome(), 2),
                                     Theme::font(24, QFont::Bold), AppTheme::Colors::emerald());
    total->setObjectName(QStringLiteral("incomeTotal"));
    texts->addWidget(total);
    row->addLayout(texts);
    row->addStretch(1);
    auto* plus = new QPushButton;
    plus->setObjectName(QStringLiteral("addIncomeButton"));
    plus->setToolTip(tr("Add income"));
    plus->setAutoDefault(false);
    plus->setCursor(Qt::PointingHandCursor);
    plus->setStyleSheet(emeraldTileSheet(1.0, 10));
    ScreenStyle::setSymbol(plus, QStringLiteral("plus"), Qt::white, 13);
    connect(plus, &QPushButton::clicked, this, &CashFlowIncomeCard::openInlineForm);
    row->addWidget(plus, 0, Qt::AlignVCenter);
    return header;
}

QWidget* CashFlowIncomeCard::buildRow(const std::shared_ptr<Income>& income) {
    auto* widget = new QWidget;
    widget->setObjectName(QStringLiteral("incomeRow"));
    auto* row = new QHBoxLayout(widget);
    row->setContentsMargins(0, 4, 0, 4);
    row->setSpacing(8);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    auto* title = FinanceForm::elidedLabel(income->title().value_or(QStringLiteral("Untitled")),
                                           Theme::font(13), Theme::textPrimary());
    title->setObjectName(QStringLiteral("incomeTitle"));
    texts->addWidget(title);
    if (const auto date = income->date())
        texts->addWidget(
            ScreenStyle::label(QLocale().toString(date->toLocalTime().date(), QStringLiteral("MMM d")),
                               Theme::font(11), Theme::textMuted()));
    row->addLayout(texts, 1);
    auto* amount = ScreenStyle::label(MoneyFormatter::format(income->amount(), 2),
                                      Theme::font(13, QFont::Medium), AppTheme::Colors::emerald());
    amount->setObjectName(QStringLiteral("incomeAmount"));
    row->addWidget(amount);
    std::weak_ptr<Income> weak = income;
    FinanceForm::addEditAndDelete(
        row, this,
        [this, weak] {
            if (auto target = weak.lock())
                onEdit_(target);
        },
        [this, weak] {
            if (auto target = weak.lock())
                viewModel_->deleteIncome(target);
        });
    return widget;
}

QWidget* CashFlowIncomeCard::buildInlineForm() {
    if (!newIncomeBankID_ && !viewModel_->bankAccounts().empty())
        newIncomeBankID_ = viewModel_->bankAccounts().front()->id();

    auto* form = new QWidget;
    form->setObjectName(QStringLiteral("inlineIncomeForm"));
    auto* column = new QVBoxLayout(form);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    column->addWidget(FinanceForm::caption(tr("Bank Account")));
    auto* picker = new MenuPicker;
    picker->setObjectName(QStringLiteral("incomeBankPicker"));
    picker->setAccessibleName(tr("Bank Account"));
    picker->addOption(tr("None"));
    int current = 0;
    const auto& accounts = viewModel_->bankAccounts();
    for (std::size_t i = 0; i < accounts.size(); ++i) {
        const auto id = accounts[i]->id();
        picker->addOption(accounts[i]->name().value_or(tr("Unnamed Account")),
                          id ? QVariant::fromValue(*id) : QVariant());
        if (id && id == newIncomeBankID_ && current == 0)
            current = int(i) + 1;
    }
    picker->setCurrentIndex(current);
    connect(picker, &MenuPicker::currentIndexChanged, this,
            [this, picker](int index) { newIncomeBankID_ = FinanceForm::idOf(picker->optionValue(index)); });
    column->addWidget(picker);

    auto* row = new QHBoxLayout;
    row->setSpacing(16);
    amountField_ = FinanceForm::field(QStringLiteral("incomeAmountField"), tr("Enter amount"));
    amountField_->setText(newIncomeAmountText_);
    connect(amountField_, &QLineEdit::textChanged, this, [this](const QString& text) {
        newIncomeAmountText_ = text;
        updateSetButton();
    });
    row->addWidget(amountField_, 1);
    setButton_ = new QPushButton(tr("Set"));
    setButton_->setObjectName(QStringLiteral("setIncomeButton"));
    setButton_->setFont(Theme::font(14));
    setButton_->setAutoDefault(false);
    setButton_->setCursor(Qt::PointingHandCursor);
    connect(setButton_, &QPushButton::clicked, this, &CashFlowIncomeCard::setIncome);
    row->addWidget(setButton_);
    column->addLayout(row);
    updateSetButton();
    return form;
}

void CashFlowIncomeCard::updateSetButton() {
    if (!setButton_)
        return;
    const bool enabled = Text::parseNumber(newIncomeAmountText_).has_value();
    setButton_->setEnabled(enabled);
    setButton_->setStyleSheet(emeraldTileSheet(enabled ? 1.0 : 0.4, 16));
}

void CashFlowIncomeCard::openInlineForm() {
    newIncomeBankID_ =
        viewModel_->bankAccounts().empty() ? std::nullopt : viewModel_->bankAccounts().front()->id();
    newIncomeAmountText_.clear();
    showInlineAddIncome_ = true;
    render();
    if (amountField_)
        amountField_->setFocus();
}

void CashFlowIncomeCard::setIncome() {
    const auto amount = Text::parseNumber(newIncomeAmountText_);
    if (!amount || !(*amount > 0))
        return;
    // The view model's refetch rebuilds this card; the form keeps its text when the save failed.
    const QString typed = newIncomeAmountText_;
    newIncomeAmountText_.clear();
    showInlineAddIncome_ = false;
    if (!viewModel_->setIncome(*amount, newIncomeBankID_)) {
        newIncomeAmountText_ = typed;
        showInlineAddIncome_ = true;
        render();
    }
}
