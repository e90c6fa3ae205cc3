#pragma once

#include <QWidget>

class AlertButton;
class FinanceAuthViewModel;
class QLabel;
class QLineEdit;
class SettingsViewModel;
class SheetHost;

// Asks for the owner's password before the finance lock goes off, through the same check as
// the lock screen: the password field, the check's message after a failed attempt, Cancel and
// "Turn Off" (which says it is checking while a check runs). The sheet closes when the password
// passes, and the lock is then off; Cancel or Escape leave it on.
class FinanceLockOffSheet : public QWidget {
    Q_OBJECT
public:
    static SheetHost* present(QWidget* over, SettingsViewModel* viewModel);

    explicit FinanceLockOffSheet(SettingsViewModel* viewModel, QWidget* parent = nullptr);

    QLineEdit* passwordField() const { return password_; }
    AlertButton* confirmButton() const { return confirm_; }

private:
    void attempt();
    void sync();
    void answered();

    FinanceAuthViewModel* check_;
    QLabel* error_ = nullptr;
    QLineEdit* password_ = nullptr;
    AlertButton* confirm_ = nullptr;
};
