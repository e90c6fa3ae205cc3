#include "Views/Finance/AddSubscriptionSheet.h"

#include "Components/DatePickerField.h"
#include "Components/FocusAfter.h"
#include "Components/KeyboardLayer.h"
#include "Components/MenuPicker.h"
#include "Components/NumberFieldNote.h"
#include "Components/ScreenStyle.h"
#include "Components/SegmentedPicker.h"
#include "Components/SheetHost.h"
#include "Models/CreditCard.h"
#include "Models/Subscription.h"
#include "Platform/Clock.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/Finance/CommitmentsViewModel.h"
#include "ViewModels/Finance/PaymentMethods.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/FinanceForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QStringList& cycles() {
    static const QStringList values{Subscription::monthly, Subscription::quarterly, Subscription::annual};
    return values;
}

} // namespace

AddSubscriptionSheet::AddSubscriptionSheet(std::vector<std::shared_ptr<CreditCard>> creditCards,
                                           AddHandler onAdd, QWidget* parent)
    : FinanceSheet(parent), creditCards_(std::move(creditCards)), onAdd_(std::move(onAdd)),
      billingCycle_(Subscription::monthly), paymentMethod_(PaymentMethods::debit) {
    setObjectName(QStringLiteral("addSubscriptionSheet"));
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(32);
    auto* title =
        ScreenStyle::label(tr("Add Subscription"), Theme::font(22, QFont::DemiBold), Theme::textPrimary());
    title->setObjectName(QStringLiteral("sheetTitle"));
    column->addWidget(title);

    auto* form = new QVBoxLayout;
    form->setSpacing(16);
    nameField_ = FinanceForm::field(QStringLiteral("nameField"), tr("Netflix, Spotify…"));
    form->addWidget(FinanceForm::plainGroup(tr("Name"), nameField_));
    KeyboardLayer::keepReturn(nameField_);
    priceField_ = FinanceForm::field(QStringLiteral("priceField"), QStringLiteral("0"));
    form->addWidget(FinanceForm::plainGroup(
        tr("Amount"), NumberFieldNote::stacked(priceField_, CommitmentsViewModel::priceRule())));
    KeyboardLayer::keepReturn(priceField_);
    cyclePicker_ = new SegmentedPicker({tr("Monthly"), tr("Quarterly"), tr("Annual")});
    cyclePicker_->setObjectName(QStringLiteral("cyclePicker"));
    connect(cyclePicker_, &SegmentedPicker::currentIndexChanged, this,
            [this](int index) { billingCycle_ = cycles().value(index, billingCycle_); });
    form->addWidget(FinanceForm::plainGroup(tr("Billing Cycle"), cyclePicker_));
    renewalPicker_ = new DatePickerField(Clock::now(), DatePickerField::Style::Compact);
    renewalPicker_->setObjectName(QStringLiteral("renewalPicker"));
    form->addWidget(FinanceForm::plainGroup(tr("Next Renewal"), renewalPicker_));
    methodPicker_ = new SegmentedPicker(PaymentMethods::labels(), PaymentMethods::indexOf(paymentMethod_));
    methodPicker_->setObjectName(QStringLiteral("paymentMethodPicker"));
    connect(methodPicker_, &SegmentedPicker::currentIndexChanged, this, [this](int index) {
        paymentMethod_ = PaymentMethods::values().value(index, paymentMethod_);
        refresh();
    });
    form->addWidget(FinanceForm::plainGroup(tr("Payment Method"), methodPicker_));
    cardPicker_ = FinanceForm::cardPicker(creditCards_,
                                          [this](const std::optional<QUuid>& id) { selectedCardID_ = id; });
    cardGroup_ = FinanceForm::plainGroup(tr("Card"), cardPicker_, QStringLiteral("cardGroup"));
    form->addWidget(cardGroup_);
    column->addLayout(form);

    QHBoxLayout* buttons = FinanceForm::buttonRow(column, 16);
    auto* cancel = ScreenStyle::textButton(tr("Cancel"), Theme::font(14, QFont::Medium), Theme::textMuted());
    cancel->setObjectName(QStringLiteral("cancelButton"));
    FocusAfter::markAction(cancel, FocusAfter::Action::deletes);
    connect(cancel, &QPushButton::clicked, this, &AddSubscriptionSheet::dismiss);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    addButton_ = FinanceForm::primaryButton(tr("Add Subscription"), AppTheme::Colors::indigo());
    addButton_->setObjectName(QStringLiteral("addSubscriptionButton"));
    connect(addButton_, &QPushButton::clicked, this, &AddSubscriptionSheet::add);
    buttons->addWidget(addButton_);
    FinanceForm::fillWithPage(this, page);

    connect(nameField_, &QLineEdit::textChanged, this, &AddSubscriptionSheet::refresh);
    connect(priceField_, &QLineEdit::textChanged, this, &AddSubscriptionSheet::refresh);
    refresh();
}

SheetHost* AddSubscriptionSheet::present(QWidget* over, std::vector<std::shared_ptr<CreditCard>> creditCards,
                                         AddHandler onAdd, std::function<void()> onDismiss) {
    return SheetHost::present(over, new AddSubscriptionSheet(std::move(creditCards), std::move(onAdd)),
                              kWidth, std::move(onDismiss));
}

void AddSubscriptionSheet::refresh() {
    const bool byCard = paymentMethod_ == PaymentMethods::creditCard;
    cardGroup_->setVisible(byCard && !creditCards_.empty());
    FinanceForm::setPrimaryEnabled(addButton_, AppTheme::Colors::indigo(), canAdd());
}

bool AddSubscriptionSheet::canAdd() const {
    return CommitmentsViewModel::canAddSubscription(nameField_->text(), priceField_->text());
}

SubscriptionDraft AddSubscriptionSheet::draft() const {
    return {
        nameField_->text(), CommitmentsViewModel::priceRule().verdict(priceField_->text()).amount.value_or(0),
        billingCycle_,      renewalPicker_->dateTime(),
        paymentMethod_,     paymentMethod_ == PaymentMethods::creditCard ? selectedCardID_ : std::nullopt};
}

void AddSubscriptionSheet::add() {
    if (!canAdd())
        return;
    const SubscriptionDraft values = draft();
    if (onAdd_ && !onAdd_(values))
        return;
    dismiss();
}
