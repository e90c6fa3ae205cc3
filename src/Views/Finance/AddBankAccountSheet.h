#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class BankAccount;
class QLineEdit;
class QPushButton;

// Adds a bank account or edits one: a name and the current balance. It writes nothing itself:
// a valid confirm hands the trimmed name and the balance to onSave, and the sheet closes only
// when onSave reports the change stored.
class AddBankAccountSheet : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 380;
    using OnSave = std::function<bool(const QString& name, double balance)>;

    AddBankAccountSheet(std::shared_ptr<BankAccount> editing, OnSave onSave, QWidget* parent = nullptr);

    QLineEdit* nameField() const { return name_; }
    QLineEdit* balanceField() const { return balance_; }
    QPushButton* confirmButton() const { return confirm_; }
    bool canConfirm() const;
    void confirm();
    void dismiss();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void updateConfirm();

    std::shared_ptr<BankAccount> editing_;
    OnSave onSave_;
    QLineEdit* name_;
    QLineEdit* balance_;
    QPushButton* confirm_ = nullptr;
};
