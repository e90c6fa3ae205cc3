#pragma once

#include <QUuid>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class CashFlowViewModel;
class Income;
class MenuPicker;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

// The month's income on the monthly allocations screen: the question and the inline form while
// the month has no income, else the total, one row per income (edit, delete) and the inline
// form once "plus" opens it. The form records an income into the chosen bank account.
class CashFlowIncomeCard : public QWidget {
    Q_OBJECT
public:
    CashFlowIncomeCard(CashFlowViewModel* viewModel, std::function<void(std::shared_ptr<Income>)> onEdit,
                       QWidget* parent = nullptr);

    // Rebuilds the card from the view model, keeping what is typed in the form.
    void render();
    // "plus": the first account, an empty amount, the form open.
    void openInlineForm();
    // "Set": records the typed amount (above 0) and closes the form when it was stored.
    void setIncome();
    bool isInlineFormShown() const;
    std::optional<QUuid> newIncomeBankID() const { return newIncomeBankID_; }

private:
    QWidget* buildHeader();
    QWidget* buildRow(const std::shared_ptr<Income>& income);
    QWidget* buildInlineForm();
    void updateSetButton();

    CashFlowViewModel* viewModel_;
    std::function<void(std::shared_ptr<Income>)> onEdit_;
    bool showInlineAddIncome_ = false;
    QString newIncomeAmountText_;
    std::optional<QUuid> newIncomeBankID_;

    QVBoxLayout* column_;
    QWidget* body_ = nullptr;
    QLineEdit* amountField_ = nullptr;
    QPushButton* setButton_ = nullptr;
};
