#pragma once

#include <QWidget>

class FinanceAuthViewModel;
class QAbstractButton;
class QLabel;
class QLineEdit;
class QPushButton;

// Covers the finance section until the owner's password has been checked: the locked shield,
// the password field, PAM's message after a failed attempt, and "Authenticate". Return in the
// field starts an attempt too; the field is cleared after every answer.
class FinanceLockScreen : public QWidget {
    Q_OBJECT
public:
    explicit FinanceLockScreen(FinanceAuthViewModel* authViewModel, QWidget* parent = nullptr);

    QLineEdit* passwordField() const { return password_; }
    // Gives the password field the keyboard focus.
    void focusPassword();

    // Shows a check's state in a password form: the message of a failed check, and while a
    // check runs the button says so and neither it nor the field takes input.
    static void showCheck(const FinanceAuthViewModel& check, QLabel* error, QAbstractButton* button,
                          QLineEdit* field, const QString& buttonText);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void attempt();
    void sync();

    FinanceAuthViewModel* authViewModel_;
    QLabel* error_ = nullptr;
    QLineEdit* password_ = nullptr;
    QPushButton* button_ = nullptr;
};
