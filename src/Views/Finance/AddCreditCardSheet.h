#pragma once

#include "Views/Finance/FinanceSheet.h"

#include <functional>

class QLineEdit;
class QPushButton;
class SheetHost;
class Stepper;

// Records a new credit card: its name, the day its statement closes and the day its payment is
// due, both 1 to 28. The add handler writes it and answers whether it was stored; the sheet
// closes only then.
class AddCreditCardSheet : public FinanceSheet {
    Q_OBJECT
public:
    using AddHandler = std::function<bool(const QString& name, int statementCloseDay, int paymentDueDay)>;

    explicit AddCreditCardSheet(AddHandler onAdd, QWidget* parent = nullptr);
    static SheetHost* present(QWidget* over, AddHandler onAdd, std::function<void()> onDismiss = {});

    static constexpr int kWidth = 380;

    int statementCloseDay() const;
    int paymentDueDay() const;
    bool canAdd() const;
    void add();

private:
    QWidget* dayBox(Stepper* stepper);
    void refresh();

    AddHandler onAdd_;
    QLineEdit* nameField_ = nullptr;
    Stepper* closeStepper_ = nullptr;
    Stepper* dueStepper_ = nullptr;
    QPushButton* addButton_ = nullptr;
};
