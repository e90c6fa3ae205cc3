#include "Views/Finance/AddBillSheet.h"

#include "Components/FocusAfter.h"
#include "Components/KeyboardLayer.h"
#include "Components/MenuPicker.h"
#include "Components/NumberFieldNote.h"
#include "Components/ScreenStyle.h"
#include "Components/SegmentedPicker.h"
#include "Components/SheetHost.h"
#include "Components/Stepper.h"
#include "Models/CreditCard.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/Finance/BillsViewModel.h"
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

const QStringList& methodValues() {
    static const QStringList values{PaymentMethods::cash, PaymentMethods::debit,
                                    PaymentMethods::billCreditCard};
    return values;
}

} // namespace

const QStringList& AddBillSheet::categories() {
    static const QStringList list{"Rent",      "Electricity", "Water", "Internet", "Gas",
                                  "Insurance", "Phone",       "OTT",   "Loan EMI", "Other"};
    return list;
}

AddBillSheet::AddBillSheet(std::vector<std::shared_ptr<CreditCard>> creditCards, AddHandler onAdd,
                           QWidget* parent)
    : FinanceSheet(parent), creditCards_(std::move(creditCards)), onAdd_(std::move(onAdd)),
      paymentMethod_(PaymentMethods::cash) {
    setObjectName(QStringLiteral("addBillSheet"));
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(32);
    auto* title = ScreenStyle::label(tr("Add Bill"), Theme::font(22, QFont::DemiBold), Theme::textPrimary());
    title->setObjectName(QStringLiteral("sheetTitle"));
    column->addWidget(title);

    auto* form = new QVBoxLayout;
    form->setSpacing(16);
    nameField_ = FinanceForm::field(QStringLiteral("nameField"), tr("Electricity, Rent…"));
    form->addWidget(FinanceForm::plainGroup(tr("Bill Name"), nameField_));
    amountField_ = FinanceForm::field(QStringLiteral("amountField"), QStringLiteral("0"));
    form->addWidget(FinanceForm::plainGroup(
        tr("Amount"), NumberFieldNote::stacked(amountField_, BillsViewModel::amountRule())));
    dueDayStepper_ = new Stepper(1, 1, 31);
    dueDayStepper_->setObjectName(QStringLiteral("dueDayStepper"));
    dueDayStepper_->setName(tr("due day"));
    form->addWidget(FinanceForm::plainGroup(tr("Due Day of Month"), box(dueDayStepper_)));
    categoryPicker_ = new MenuPicker;
    categoryPicker_->setObjectName(QStringLiteral("categoryPicker"));
    categoryPicker_->setAccessibleName(tr("Category"));
    categoryPicker_->setOptions(categories());
    categoryPicker_->setCurrentIndex(int(categories().indexOf(QStringLiteral("Other"))));
    form->addWidget(FinanceForm::plainGroup(tr("Category"), categoryPicker_));
    QStringList labels{tr("Cash"), tr("Debit")};
    if (!creditCards_.empty())
        labels << tr("Credit Card");
    methodPicker_ = new SegmentedPicker(labels, 0);
    methodPicker_->setObjectName(QStringLiteral("paymentMethodPicker"));
    methodPicker_->setAccessibleName(tr("Payment Method"));
    connect(methodPicker_, &SegmentedPicker::currentIndexChanged, this, &AddBillSheet::choosePaymentMethod);
    form->addWidget(FinanceForm::plainGroup(tr("Payment Method"), methodPicker_));
    cardPicker_ = FinanceForm::cardPicker(creditCards_,
                                          [this](const std::optional<QUuid>& id) { selectedCardID_ = id; });
    cardGroup_ = FinanceForm::plainGroup(tr("Credit Card"), cardPicker_, QStringLiteral("cardGroup"));
    form->addWidget(cardGroup_);
    notesField_ = FinanceForm::field(QStringLiteral("notesField"), tr("Any notes…"));
    form->addWidget(FinanceForm::plainGroup(tr("Notes (optional)"), notesField_));
    column->addLayout(form);

    QHBoxLayout* buttons = FinanceForm::buttonRow(column, 16);
    auto* cancel = ScreenStyle::textButton(tr("Cancel"), Theme::font(14), Theme::textSecondary());
    cancel->setObjectName(QStringLiteral("cancelButton"));
    FocusAfter::markAction(cancel, FocusAfter::Action::deletes);
    connect(cancel, &QPushButton::clicked, this, &AddBillSheet::dismiss);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    addButton_ = ScreenStyle::filledButton(tr("Add Bill"), Theme::font(14, QFont::Medium),
                                           Theme::css(AppTheme::Colors::purple()), 24, 8, 15);
    addButton_->setObjectName(QStringLiteral("addBillButton"));
    KeyboardLayer::markDefault(addButton_);
    connect(addButton_, &QPushButton::clicked, this, &AddBillSheet::add);
    buttons->addWidget(addButton_);
    FinanceForm::fillWithPage(this, page);

    connect(nameField_, &QLineEdit::textChanged, this, &AddBillSheet::refresh);
    connect(amountField_, &QLineEdit::textChanged, this, &AddBillSheet::refresh);
    connect(dueDayStepper_, &Stepper::valueChanged, this, &AddBillSheet::refresh);
    refresh();
}

SheetHost* AddBillSheet::present(QWidget* over, std::vector<std::shared_ptr<CreditCard>> creditCards,
                                 AddHandler onAdd, std::function<void()> onDismiss) {
    return SheetHost::present(over, new AddBillSheet(std::move(creditCards), std::move(onAdd)), kWidth,
                              std::move(onDismiss));
}

QWidget* AddBillSheet::box(QWidget* control) {
    auto* frame = new QWidget;
    frame->setObjectName(QStringLiteral("fieldBox"));
    frame->setAttribute(Qt::WA_StyledBackground, true);
    frame->setStyleSheet(QStringLiteral("QWidget#fieldBox { background: %1; border-radius: 8px; }")
                             .arg(Theme::css(Theme::backgroundTertiary())));
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(8, 8, 8, 8);
    row->addWidget(control);
    return frame;
}

void AddBillSheet::choosePaymentMethod(int index) {
    const QString chosen = methodValues().value(index, paymentMethod_);
    if (chosen == paymentMethod_)
        return;
    paymentMethod_ = chosen;
    if (paymentMethod_ != PaymentMethods::billCreditCard)
        selectedCardID_.reset();
    else if (!selectedCardID_ && !creditCards_.empty())
        selectedCardID_ = creditCards_.front()->id();
    const QSignalBlocker blocker(cardPicker_);
    cardPicker_->setCurrentIndex(selectedCardID_ ? 1 : 0);
    refresh();
}

void AddBillSheet::refresh() {
    dueDayStepper_->setLabel(QStringLiteral("Day %1").arg(dueDayStepper_->value()));
    cardGroup_->setVisible(paymentMethod_ == PaymentMethods::billCreditCard && !creditCards_.empty());
    const bool enabled = canAdd();
    addButton_->setEnabled(enabled);
    ScreenStyle::setButtonFill(addButton_,
                               Theme::css(enabled ? AppTheme::Colors::purple()
                                                  : Theme::withOpacity(AppTheme::Colors::purple(), 0.4)),
                               24, 8, 15);
}

bool AddBillSheet::canAdd() const {
    return BillsViewModel::canAddBill(nameField_->text(), amountField_->text());
}

BillDraft AddBillSheet::draft() const {
    return {nameField_->text(),
            BillsViewModel::amountRule().verdict(amountField_->text()).amount.value_or(0),
            dueDayStepper_->value(),
            categoryPicker_->currentText(),
            notesField_->text(),
            paymentMethod_,
            paymentMethod_ == PaymentMethods::billCreditCard ? selectedCardID_ : std::nullopt};
}

void AddBillSheet::add() {
    if (!canAdd())
        return;
    if (onAdd_ && !onAdd_(draft()))
        return;
    dismiss();
}
