#include "Views/Finance/AddIncomeSheet.h"

#include "Components/DatePickerField.h"
#include "Components/NumberFieldNote.h"
#include "Components/ScreenStyle.h"
#include "Components/SegmentedPicker.h"
#include "Components/SheetHost.h"
#include "Models/Income.h"
#include "Platform/Clock.h"
#include "Platform/TextHelpers.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Finance/FinanceForm.h"

#include "ViewModels/Finance/FinanceNames.h"
#include "ViewModels/Finance/PaymentMethods.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

AddIncomeSheet::AddIncomeSheet(std::shared_ptr<Income> editing, SaveHandler onSave, QWidget* parent)
    : FinanceSheet(parent), editing_(std::move(editing)), onSave_(std::move(onSave)) {
    setObjectName(QStringLiteral("addIncomeSheet"));
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(32);

    column->addWidget(FinanceForm::header(isEditing() ? tr("Edit Income") : tr("Add Income"),
                                          isEditing() ? tr("Update this income entry")
                                                      : tr("Record an income entry for this month"),
                                          [this] { dismiss(); }));

    titleField_ = FinanceForm::field(QStringLiteral("titleField"), tr("e.g. Salary"));
    column->addWidget(FinanceForm::group(tr("Title"), titleField_));
    amountField_ = FinanceForm::field(QStringLiteral("amountField"), QStringLiteral("0"));
    column->addWidget(
        FinanceForm::group(CashFlowViewModel::amountCaption(),
                           NumberFieldNote::stacked(amountField_, CashFlowViewModel::amountRule())));
    datePicker_ = new DatePickerField(Clock::now(), DatePickerField::Style::Compact);
    datePicker_->setObjectName(QStringLiteral("datePicker"));
    column->addWidget(FinanceForm::group(tr("Date"), datePicker_));
    methodPicker_ = new SegmentedPicker(PaymentMethods::labels(), PaymentMethods::indexOf(paymentMethod_));
    methodPicker_->setObjectName(QStringLiteral("paymentMethodPicker"));
    methodPicker_->setAccessibleName(tr("Payment Method"));
    connect(methodPicker_, &SegmentedPicker::currentIndexChanged, this,
            [this](int index) { paymentMethod_ = PaymentMethods::values().value(index, paymentMethod_); });
    column->addWidget(FinanceForm::group(tr("Payment Method"), methodPicker_));
    notesField_ = FinanceForm::field(QStringLiteral("notesField"), tr("Optional notes"));
    column->addWidget(FinanceForm::group(tr("Notes (optional)"), notesField_));

    saveButton_ = FinanceForm::addButtonRow(
        column, isEditing() ? tr("Save Changes") : tr("Add Income"), AppTheme::Colors::emerald(),
        [this] { dismiss(); }, [this] { save(); });
    FinanceForm::fillWithPage(this, page);

    connect(titleField_, &QLineEdit::textChanged, this, &AddIncomeSheet::updateSaveButton);
    connect(amountField_, &QLineEdit::textChanged, this, &AddIncomeSheet::updateSaveButton);
    prefill();
    updateSaveButton();
}

SheetHost* AddIncomeSheet::present(QWidget* over, std::shared_ptr<Income> editing, SaveHandler onSave,
                                   std::function<void()> onDismiss) {
    auto* sheet = new AddIncomeSheet(std::move(editing), std::move(onSave));
    return SheetHost::present(over, sheet, kWidth, std::move(onDismiss));
}

QDateTime AddIncomeSheet::date() const {
    return datePicker_->dateTime();
}

void AddIncomeSheet::prefill() {
    if (!editing_)
        return;
    titleField_->setText(FinanceNames::untitled(editing_->title()));
    amountField_->setText(Text::editableNumber(editing_->amount()));
    datePicker_->setDateTime(editing_->date().value_or(Clock::now()));
    paymentMethod_ = editing_->paymentMethod().value_or(QStringLiteral("debit"));
    // A stored method the picker does not know keeps its text until another is chosen.
    const int index = PaymentMethods::indexOf(paymentMethod_);
    if (index >= 0) {
        const QSignalBlocker blocker(methodPicker_);
        methodPicker_->setCurrentIndex(index);
    }
    notesField_->setText(editing_->notes().value_or(QString()));
}

bool AddIncomeSheet::canSave() const {
    return CashFlowViewModel::canSaveIncome(titleField_->text(), amountField_->text());
}

void AddIncomeSheet::updateSaveButton() {
    FinanceForm::setPrimaryEnabled(saveButton_, AppTheme::Colors::emerald(), canSave());
}

void AddIncomeSheet::save() {
    if (!canSave())
        return;
    const double amount = CashFlowViewModel::amountRule().verdict(amountField_->text()).amount.value_or(0);
    const IncomeDraft draft{Text::trimmed(titleField_->text()), amount, date(), paymentMethod_,
                            notesField_->text()};
    if (onSave_ && !onSave_(draft))
        return;
    dismiss();
}
