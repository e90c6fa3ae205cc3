#include "Views/Finance/AddExpenseSheet.h"

#include "Components/DatePickerField.h"
#include "Components/MenuPicker.h"
#include "Components/NumberFieldNote.h"
#include "Components/ScreenStyle.h"
#include "Components/SegmentedPicker.h"
#include "Components/SheetHost.h"
#include "Models/BankAccount.h"
#include "Models/CreditCard.h"
#include "Models/Expense.h"
#include "Platform/Clock.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/Finance/FinanceNames.h"
#include "ViewModels/Finance/PaymentMethods.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/ExpenseCategoryChips.h"
#include "Views/Finance/ExpenseGoalTitle.h"
#include "Views/Finance/FinanceForm.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QStringList& typeValues() {
    static const QStringList values{CashFlowViewModel::fixedType, CashFlowViewModel::dynamicType};
    return values;
}

QVariant idValue(const std::optional<QUuid>& id) {
    return id ? QVariant::fromValue(*id) : QVariant();
}

} // namespace

AddExpenseSheet::AddExpenseSheet(Options options, SaveHandler onSave, QWidget* parent)
    : FinanceSheet(parent), options_(std::move(options)), onSave_(std::move(onSave)),
      expenseType_(options_.presetExpenseType), paymentMethod_(PaymentMethods::debit) {
    setObjectName(QStringLiteral("addExpenseSheet"));
    if (!options_.creditCards.empty())
        selectedCardID_ = options_.creditCards.front()->id();
    if (!options_.bankAccounts.empty())
        selectedBankAccountID_ = options_.bankAccounts.front()->id();

    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(24);
    column->addWidget(FinanceForm::header(isEditing() ? tr("Edit Expense") : tr("Add Expense"),
                                          isEditing() ? tr("Update this expense entry")
                                                      : tr("Record an expense for this month"),
                                          [this] { dismiss(); }));

    titleField_ = FinanceForm::field(QStringLiteral("titleField"), tr("e.g. Rent"));
    goalTitle_ = new ExpenseGoalTitle(options_.moneyGoals, titleField_);
    column->addWidget(FinanceForm::group(tr("Title"), goalTitle_));

    amountField_ = FinanceForm::field(QStringLiteral("amountField"), QStringLiteral("0"));
    column->addWidget(
        FinanceForm::group(CashFlowViewModel::amountCaption(),
                           NumberFieldNote::stacked(amountField_, CashFlowViewModel::amountRule())));

    datePicker_ = new DatePickerField(Clock::now(), DatePickerField::Style::Compact);
    datePicker_->setObjectName(QStringLiteral("datePicker"));
    column->addWidget(FinanceForm::group(tr("Date"), datePicker_));

    if (!options_.hideTypePicker)
        column->addWidget(buildTypeSection());
    column->addWidget(buildMethodSection());

    cardPicker_ = new MenuPicker;
    cardPicker_->setObjectName(QStringLiteral("cardPicker"));
    cardPicker_->setAccessibleName(tr("Card"));
    cardSection_ = FinanceForm::group(tr("Select Card"), cardPicker_, QStringLiteral("cardSection"));
    column->addWidget(cardSection_);
    bankPicker_ = new MenuPicker;
    bankPicker_->setObjectName(QStringLiteral("bankAccountPicker"));
    bankPicker_->setAccessibleName(tr("Bank Account"));
    bankSection_ = FinanceForm::group(tr("Bank Account"), bankPicker_, QStringLiteral("bankSection"));
    column->addWidget(bankSection_);

    chips_ = new ExpenseCategoryChips;
    column->addWidget(FinanceForm::group(tr("Category (optional)"), chips_));

    notesField_ = FinanceForm::field(QStringLiteral("notesField"), tr("Optional notes"));
    column->addWidget(FinanceForm::group(tr("Notes (optional)"), notesField_));

    saveButton_ = FinanceForm::addButtonRow(
        column, isEditing() ? tr("Save Changes") : tr("Add Expense"), AppTheme::Colors::rose(),
        [this] { dismiss(); }, [this] { save(); });
    FinanceForm::fillWithPage(this, page);

    connect(titleField_, &QLineEdit::textChanged, this, &AddExpenseSheet::updateSaveButton);
    connect(amountField_, &QLineEdit::textChanged, this, &AddExpenseSheet::updateSaveButton);
    connect(cardPicker_, &MenuPicker::currentIndexChanged, this,
            [this](int index) { selectedCardID_ = FinanceForm::idOf(cardPicker_->optionValue(index)); });
    connect(bankPicker_, &MenuPicker::currentIndexChanged, this, [this](int index) {
        selectedBankAccountID_ = FinanceForm::idOf(bankPicker_->optionValue(index));
    });
    prefill();
    rebuildCardPicker();
    rebuildBankPicker();
    updateSections();
    updateSaveButton();
}

SheetHost* AddExpenseSheet::present(QWidget* over, Options options, SaveHandler onSave,
                                    std::function<void()> onDismiss) {
    auto* sheet = new AddExpenseSheet(std::move(options), std::move(onSave));
    return SheetHost::present(over, sheet, kWidth, std::move(onDismiss));
}

QWidget* AddExpenseSheet::buildTypeSection() {
    typePicker_ = new SegmentedPicker({tr("Fixed"), tr("Dynamic")},
                                      std::max<int>(0, typeValues().indexOf(expenseType_)));
    typePicker_->setObjectName(QStringLiteral("expenseTypePicker"));
    typePicker_->setAccessibleName(tr("Expense Type"));
    connect(typePicker_, &SegmentedPicker::currentIndexChanged, this,
            [this](int index) { expenseType_ = typeValues().value(index, expenseType_); });
    return FinanceForm::group(tr("Expense Type"), typePicker_, QStringLiteral("typeSection"));
}

QWidget* AddExpenseSheet::buildMethodSection() {
    methodPicker_ = new SegmentedPicker(PaymentMethods::labels(), PaymentMethods::indexOf(paymentMethod_));
    methodPicker_->setObjectName(QStringLiteral("paymentMethodPicker"));
    methodPicker_->setAccessibleName(tr("Payment Method"));
    connect(methodPicker_, &SegmentedPicker::currentIndexChanged, this,
            &AddExpenseSheet::choosePaymentMethod);
    return FinanceForm::group(tr("Payment Method"), methodPicker_);
}

void AddExpenseSheet::prefill() {
    const auto& entry = options_.editing;
    if (!entry)
        return;
    titleField_->setText(FinanceNames::untitled(entry->title()));
    amountField_->setText(Text::editableNumber(entry->amount()));
    datePicker_->setDateTime(entry->date().value_or(Clock::now()));
    expenseType_ = entry->expenseType().value_or(CashFlowViewModel::dynamicType);
    if (typePicker_) {
        const QSignalBlocker blocker(typePicker_);
        typePicker_->setCurrentIndex(std::max<int>(0, typeValues().indexOf(expenseType_)));
    }
    // A bill payment's "credit card" shows as the card method and is handed back as stored
    // unless another method is chosen.
    paymentMethod_ = entry->paymentMethod().value_or(PaymentMethods::cash);
    if (const int index = PaymentMethods::indexOf(paymentMethod_); index >= 0) {
        const QSignalBlocker blocker(methodPicker_);
        methodPicker_->setCurrentIndex(index);
    }
    selectedCardID_ = entry->creditCardID();
    // An expense that touched no account must not start debiting one on an unchanged save.
    selectedBankAccountID_ = entry->bankAccountID();
    chips_->setCategory(entry->category().value_or(QString()));
    notesField_->setText(entry->notes().value_or(QString()));
    goalTitle_->setSelectedGoalID(entry->goalID());
}

void AddExpenseSheet::choosePaymentMethod(int index) {
    paymentMethod_ = PaymentMethods::values().value(index, paymentMethod_);
    updateSections();
}

void AddExpenseSheet::rebuildCardPicker() {
    const QSignalBlocker blocker(cardPicker_);
    cardPicker_->clearOptions();
    int current = -1;
    for (std::size_t i = 0; i < options_.creditCards.size(); ++i) {
        const auto& card = options_.creditCards[i];
        if (selectedCardID_ && card->id() == selectedCardID_ && current < 0)
            current = int(i);
    }
    if (current < 0)
        cardPicker_->addOption(tr("Select card"));
    for (const auto& card : options_.creditCards)
        cardPicker_->addOption(FinanceNames::card(*card), idValue(card->id()));
    cardPicker_->setCurrentIndex(current < 0 ? 0 : current);
}

void AddExpenseSheet::rebuildBankPicker() {
    const QSignalBlocker blocker(bankPicker_);
    bankPicker_->clearOptions();
    bankPicker_->addOption(tr("None"));
    int current = 0;
    for (std::size_t i = 0; i < options_.bankAccounts.size(); ++i) {
        const auto& account = options_.bankAccounts[i];
        bankPicker_->addOption(FinanceNames::account(*account), idValue(account->id()));
        if (selectedBankAccountID_ && account->id() == selectedBankAccountID_ && current == 0)
            current = int(i) + 1;
    }
    bankPicker_->setCurrentIndex(current);
}

bool AddExpenseSheet::paysByCard() const {
    return PaymentMethods::indexOf(paymentMethod_) == 2;
}

bool AddExpenseSheet::paysFromAccount() const {
    return paymentMethod_ == PaymentMethods::cash || paymentMethod_ == PaymentMethods::debit;
}

void AddExpenseSheet::updateSections() {
    cardSection_->setVisible(paysByCard() && !options_.creditCards.empty());
    bankSection_->setVisible(paysFromAccount() && !options_.bankAccounts.empty());
}

std::optional<QUuid> AddExpenseSheet::selectedGoalID() const {
    return goalTitle_->selectedGoalID();
}

QString AddExpenseSheet::category() const {
    return chips_->category();
}

bool AddExpenseSheet::canSave() const {
    return CashFlowViewModel::canSaveExpense(titleField_->text(), amountField_->text());
}

void AddExpenseSheet::updateSaveButton() {
    FinanceForm::setPrimaryEnabled(saveButton_, AppTheme::Colors::rose(), canSave());
}

ExpenseDraft AddExpenseSheet::draft() const {
    ExpenseDraft d;
    d.title = Text::trimmed(titleField_->text());
    d.amount = CashFlowViewModel::amountRule().verdict(amountField_->text()).amount.value_or(0);
    d.date = datePicker_->dateTime();
    d.expenseType = expenseType_;
    d.paymentMethod = paymentMethod_;
    d.creditCardID = paysByCard() ? selectedCardID_ : std::nullopt;
    d.category = chips_->category();
    d.notes = notesField_->text();
    d.bankAccountID = paysFromAccount() ? selectedBankAccountID_ : std::nullopt;
    d.goalID = goalTitle_->selectedGoalID();
    return d;
}

void AddExpenseSheet::save() {
    if (!canSave())
        return;
    const ExpenseDraft values = draft();
    if (onSave_ && !onSave_(values))
        return;
    dismiss();
}
