#pragma once

#include "ViewModels/Finance/CashFlowViewModel.h"

#include "Views/Finance/FinanceSheet.h"

#include <functional>
#include <memory>

class DatePickerField;
class Income;
class QLineEdit;
class QPushButton;
class SegmentedPicker;
class SheetHost;

// Enters one income or changes an existing one: title, amount, date, payment method, notes.
// It writes nothing itself: its save handler does, and answers whether the write was stored;
// the sheet closes only then, so a failed save leaves it open with what was typed.
class AddIncomeSheet : public FinanceSheet {
    Q_OBJECT
public:
    using SaveHandler = std::function<bool(const IncomeDraft&)>;

    // editing: the income to change, or null to enter a new one.
    AddIncomeSheet(std::shared_ptr<Income> editing, SaveHandler onSave, QWidget* parent = nullptr);

    // Opens the sheet over the window of `over`; onDismiss runs once it has closed.
    static SheetHost* present(QWidget* over, std::shared_ptr<Income> editing, SaveHandler onSave,
                              std::function<void()> onDismiss = {});

    static constexpr int kWidth = 400;

    bool isEditing() const { return editing_ != nullptr; }
    QString paymentMethod() const { return paymentMethod_; }
    QDateTime date() const;
    // A title after trimming and an amount that reads as a number.
    bool canSave() const;
    // Hands the values over when the amount is above 0, and closes once they are stored.
    void save();

private:
    void prefill();
    void updateSaveButton();

    std::shared_ptr<Income> editing_;
    SaveHandler onSave_;
    QString paymentMethod_ = QStringLiteral("debit");

    QLineEdit* titleField_ = nullptr;
    QLineEdit* amountField_ = nullptr;
    DatePickerField* datePicker_ = nullptr;
    SegmentedPicker* methodPicker_ = nullptr;
    QLineEdit* notesField_ = nullptr;
    QPushButton* saveButton_ = nullptr;
};
