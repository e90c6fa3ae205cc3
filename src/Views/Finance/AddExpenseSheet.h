#pragma once

#include "ViewModels/Finance/CashFlowViewModel.h"

#include "Views/Finance/FinanceSheet.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class BankAccount;
class CreditCard;
class DatePickerField;
class Expense;
class ExpenseCategoryChips;
class ExpenseGoalTitle;
class Goal;
class MenuPicker;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class SegmentedPicker;
class SheetHost;

// Records one expense or changes an existing one: title (or a goal that needs money), amount,
// date, type, payment method with its card or bank account, category and notes. It writes
// nothing itself: its save handler does and answers whether the write was stored; the sheet
// closes only then, so a failed save leaves it open with what was typed. Only a category typed
// in its "New" field is written at once, to the shared category list.
class AddExpenseSheet : public FinanceSheet {
    Q_OBJECT
public:
    using SaveHandler = std::function<bool(const ExpenseDraft&)>;

    struct Options {
        std::vector<std::shared_ptr<CreditCard>> creditCards;
        std::vector<std::shared_ptr<BankAccount>> bankAccounts;
        std::vector<std::shared_ptr<Goal>> moneyGoals;
        QString presetExpenseType = CashFlowViewModel::dynamicType;
        std::shared_ptr<Expense> editing; // null: a new expense
        bool hideTypePicker = false;
    };

    AddExpenseSheet(Options options, SaveHandler onSave, QWidget* parent = nullptr);

    // Opens the sheet over the window of `over`; onDismiss runs once it has closed.
    static SheetHost* present(QWidget* over, Options options, SaveHandler onSave,
                              std::function<void()> onDismiss = {});

    static constexpr int kWidth = 420;

    bool isEditing() const { return options_.editing != nullptr; }
    QString expenseType() const { return expenseType_; }
    QString paymentMethod() const { return paymentMethod_; }
    std::optional<QUuid> selectedCardID() const { return selectedCardID_; }
    std::optional<QUuid> selectedBankAccountID() const { return selectedBankAccountID_; }
    std::optional<QUuid> selectedGoalID() const;
    QString category() const;
    // The values Save would hand over now (the amount as its rule reads it, 0 when refused).
    ExpenseDraft draft() const;
    // The view model's save rule over the fields as they stand.
    bool canSave() const;
    void save();

private:
    QWidget* buildTypeSection();
    QWidget* buildMethodSection();
    void prefill();
    void choosePaymentMethod(int index);
    void rebuildCardPicker();
    void rebuildBankPicker();
    void updateSections();
    void updateSaveButton();
    bool paysByCard() const;
    bool paysFromAccount() const;

    Options options_;
    SaveHandler onSave_;
    QString expenseType_;
    QString paymentMethod_;
    std::optional<QUuid> selectedCardID_;
    std::optional<QUuid> selectedBankAccountID_;

    QLineEdit* titleField_ = nullptr;
    ExpenseGoalTitle* goalTitle_ = nullptr;
    QLineEdit* amountField_ = nullptr;
    DatePickerField* datePicker_ = nullptr;
    SegmentedPicker* typePicker_ = nullptr;
    SegmentedPicker* methodPicker_ = nullptr;
    QWidget* cardSection_ = nullptr;
    MenuPicker* cardPicker_ = nullptr;
    QWidget* bankSection_ = nullptr;
    MenuPicker* bankPicker_ = nullptr;
    ExpenseCategoryChips* chips_ = nullptr;
    QLineEdit* notesField_ = nullptr;
    QPushButton* saveButton_ = nullptr;
};
