#pragma once

#include "Views/Finance/FinanceSheet.h"
#include <QUuid>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CreditCard;
class MenuPicker;
class QLineEdit;
class QPushButton;
class SegmentedPicker;
class SheetHost;
class Stepper;

// What the bill form hands over.
struct BillDraft {
    QString name; // as typed
    double amount = 0;
    int dueDay = 1;
    QString category;
    QString notes;
    QString paymentMethod; // "cash", "debit" or "credit card"
    std::optional<QUuid> creditCardID;
};

// Enters a new recurring monthly bill: name, amount, due day, category, payment method with the
// card for card payments, and notes. The add handler writes it and answers whether it was
// stored; the sheet closes only then.
class AddBillSheet : public FinanceSheet {
    Q_OBJECT
public:
    using AddHandler = std::function<bool(const BillDraft&)>;

    AddBillSheet(std::vector<std::shared_ptr<CreditCard>> creditCards, AddHandler onAdd,
                 QWidget* parent = nullptr);
    static SheetHost* present(QWidget* over, std::vector<std::shared_ptr<CreditCard>> creditCards,
                              AddHandler onAdd, std::function<void()> onDismiss = {});

    static constexpr int kWidth = 400;
    static const QStringList& categories();

    QString paymentMethod() const { return paymentMethod_; }
    std::optional<QUuid> selectedCardID() const { return selectedCardID_; }
    BillDraft draft() const;
    // A name after trimming and an amount that reads as a finite number above 0.
    bool canAdd() const;
    void add();

private:
    QWidget* box(QWidget* control);
    void choosePaymentMethod(int index);
    void refresh();

    std::vector<std::shared_ptr<CreditCard>> creditCards_;
    AddHandler onAdd_;
    QString paymentMethod_;
    std::optional<QUuid> selectedCardID_;

    QLineEdit* nameField_ = nullptr;
    QLineEdit* amountField_ = nullptr;
    Stepper* dueDayStepper_ = nullptr;
    MenuPicker* categoryPicker_ = nullptr;
    SegmentedPicker* methodPicker_ = nullptr;
    QWidget* cardGroup_ = nullptr;
    MenuPicker* cardPicker_ = nullptr;
    QLineEdit* notesField_ = nullptr;
    QPushButton* addButton_ = nullptr;
};
