#pragma once

#include <QObject>
#include <QUuid>

#include <optional>

class CardSlice;
class CashFlowViewModel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

// The month's income on the monthly allocations screen: the question and the inline form while
// the month has no income, else the total and "plus" above one row per income, and the inline
// form below them once "plus" opens it. The form records an income into the chosen bank
// account. The screen's list shows the card's top and bottom slices around the income rows.
class CashFlowIncomeCard : public QObject {
    Q_OBJECT
public:
    CashFlowIncomeCard(CashFlowViewModel* viewModel, QWidget* owner);

    // The top of the card (the whole card while the month has no income) and its bottom.
    CardSlice* head() const { return head_; }
    CardSlice* foot() const { return foot_; }
    // Rebuilds both slices from the view model, keeping what is typed in the form.
    void render();
    // "plus": the first account, an empty amount, the form open.
    void openInlineForm();
    // "Set": records the typed amount (above 0) and closes the form when it was stored.
    void setIncome();
    bool isInlineFormShown() const;

signals:
    // The slices changed their height (the form opened or closed).
    void resized();

private:
    QWidget* buildHeader();
    QWidget* buildInlineForm();
    void updateSetButton();

    CashFlowViewModel* viewModel_;
    bool showInlineAddIncome_ = false;
    QString newIncomeAmountText_;
    std::optional<QUuid> newIncomeBankID_;

    CardSlice* head_;
    CardSlice* foot_;
    QLineEdit* amountField_ = nullptr;
    QPushButton* setButton_ = nullptr;
};
