#include "Views/Finance/CashFlowIncomeCard.h"

#include "Components/ElidedLabel.h"
#include "Components/FocusAfter.h"
#include "Components/FocusRing.h"
#include "Components/MenuPicker.h"
#include "Components/NumberFieldNote.h"
#include "Components/ScreenStyle.h"
#include "Components/UnsavedText.h"
#include "Models/BankAccount.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "ViewModels/Finance/FinanceNames.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/CardSlice.h"
#include "Views/Finance/CashFlowEntryRow.h"
#include "Views/Finance/FinanceForm.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
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

CardSlice* incomeSlice(QWidget* owner) {
    using Style = CashFlowEntryRow::Style;
    auto* slice = new CardSlice(CashFlowEntryRow::radiusOf(Style::Income),
                                CashFlowEntryRow::edgeOf(Style::Income), owner);
    auto* column = new QVBoxLayout(slice);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(0);
    slice->hide();
    return slice;
}

} // namespace

CashFlowIncomeCard::CashFlowIncomeCard(CashFlowViewModel* viewModel, QWidget* owner)
    : QObject(owner), viewModel_(viewModel), head_(incomeSlice(owner)), foot_(incomeSlice(owner)) {
    head_->setObjectName(QStringLiteral("incomeCard"));
    foot_->setObjectName(QStringLiteral("incomeCardEnd"));
    foot_->setEnds(false, true);
    render();
}

bool CashFlowIncomeCard::isInlineFormShown() const {
    return amountField_ != nullptr;
}

void CashFlowIncomeCard::render() {
    // The focus stays on the control that acted; when "Set" stored the income and the form
    // closed, it goes to the card's "plus", which takes the form's place.
    QWidget* focus = QApplication::focusWidget();
    const bool focusInCard = focus && (head_->isAncestorOf(focus) || foot_->isAncestorOf(focus));
    const QString focusName = focusInCard ? focus->objectName() : QString();
    const bool ring = focusInCard && FocusRing::current() && FocusRing::current()->target() == focus;
    // Let go before the old content hides, or the focus is handed on elsewhere first.
    if (focusInCard)
        focus->clearFocus();
    amountField_ = nullptr;
    setButton_ = nullptr;
    auto* head = new QWidget;
    auto* rows = new QVBoxLayout(head);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(16);
    QWidget* foot = nullptr;
    const bool empty = viewModel_->incomes().empty();
    if (empty) {
        auto* question = ScreenStyle::label(tr("What's your income this month?"),
                                            Theme::font(16, QFont::DemiBold), Theme::textPrimary());
        question->setObjectName(QStringLiteral("incomeQuestion"));
        rows->addWidget(question);
        rows->addWidget(buildInlineForm());
    } else {
        rows->addWidget(buildHeader());
        rows->addWidget(ScreenStyle::divider());
        if (showInlineAddIncome_) {
            foot = new QWidget;
            auto* column = new QVBoxLayout(foot);
            column->setContentsMargins(0, 0, 0, 0);
            column->setSpacing(16);
            column->addWidget(ScreenStyle::divider());
            column->addWidget(buildInlineForm());
        }
    }
    // The rows of incomes sit between the slices, 16 points below the rule and above the form.
    head_->setEnds(true, empty);
    foot_->layout()->setContentsMargins(16, foot ? 16 : 0, 16, 16);
    head_->setBody(head);
    foot_->setBody(foot);
    emit resized();
    if (!focusInCard)
        return;
    QWidget* target = focusName.isEmpty() ? nullptr : head->findChild<QWidget*>(focusName);
    if (!target && foot && !focusName.isEmpty())
        target = foot->findChild<QWidget*>(focusName);
    if (!target || !target->isEnabled())
        target = head->findChild<QWidget*>(QStringLiteral("addIncomeButton"));
    if (target)
        // A field given the focus back keeps its text unselected.
        target->setFocus(ring && !qobject_cast<QLineEdit*>(target) ? Qt::TabFocusReason
                                                                   : Qt::OtherFocusReason);
}

QWidget* CashFlowIncomeCard::buildHeader() {
    auto* header = new QWidget;
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->addWidget(FinanceForm::caption(tr("Monthly Income")));
    auto* total = FinanceForm::figureLabel(Theme::font(24, QFont::Bold), AppTheme::Colors::emerald());
    total->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    total->setFullText(viewModel_->totalIncomeText(), viewModel_->totalIncomeTip());
    total->setObjectName(QStringLiteral("incomeTotal"));
    texts->addWidget(total);
    row->addLayout(texts, 1);
    auto* plus = new QPushButton;
    plus->setObjectName(QStringLiteral("addIncomeButton"));
    FocusAfter::markCarryOn(plus, QStringLiteral("incomeRow"));
    plus->setToolTip(tr("Add income"));
    plus->setAutoDefault(false);
    plus->setCursor(Qt::PointingHandCursor);
    plus->setStyleSheet(emeraldTileSheet(1.0, 10));
    ScreenStyle::setSymbol(plus, QStringLiteral("plus"), Qt::white, 13);
    connect(plus, &QPushButton::clicked, this, &CashFlowIncomeCard::openInlineForm);
    row->addWidget(plus, 0, Qt::AlignVCenter);
    return header;
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
        picker->addOption(FinanceNames::account(*accounts[i]), id ? QVariant::fromValue(*id) : QVariant());
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
    amountField_->setAccessibleName(tr("Monthly income amount"));
    UnsavedText::watch(amountField_);
    // Without incomes the form stands for the card's "plus": the last income gone, it takes the
    // focus.
    if (viewModel_->incomes().empty())
        FocusAfter::markCarryOn(amountField_, QStringLiteral("incomeRow"));
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
    setButton_->setAccessibleName(tr("Set monthly income"));
    connect(setButton_, &QPushButton::clicked, this, &CashFlowIncomeCard::setIncome);
    // As in a sheet, Return in the amount presses "Set" (a disabled one ignores the click).
    connect(amountField_, &QLineEdit::returnPressed, setButton_, &QPushButton::click);
    row->addWidget(setButton_);
    auto* entry = new QVBoxLayout;
    entry->setSpacing(4);
    entry->addLayout(row);
    auto* note = new NumberFieldNote(amountField_, CashFlowViewModel::amountRule());
    // The card is a slice of the page's list, which places it by its height.
    connect(note, &NumberFieldNote::shownChanged, this, &CashFlowIncomeCard::resized);
    entry->addWidget(note);
    column->addLayout(entry);
    updateSetButton();
    return form;
}

void CashFlowIncomeCard::updateSetButton() {
    if (!setButton_)
        return;
    const bool enabled = CashFlowViewModel::canSetIncome(newIncomeAmountText_);
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
    const auto amount = CashFlowViewModel::amountRule().verdict(newIncomeAmountText_).amount;
    if (!CashFlowViewModel::canSetIncome(newIncomeAmountText_) || !amount)
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
