#pragma once

#include "Views/Finance/FinanceCard.h"

#include <memory>
#include <vector>

class BankAccount;
class QLabel;
class QVBoxLayout;

// The liquid cash card of the finance overview: the total in the header with "+", then one
// row per bank account with its balance, edit and delete, or an invitation to add one.
class OverviewAccountsCard : public FinanceCard {
    Q_OBJECT
public:
    explicit OverviewAccountsCard(QWidget* parent = nullptr);

    void setAccounts(const std::vector<std::shared_ptr<BankAccount>>& accounts, const QString& total);

signals:
    void addRequested();
    void editRequested(const std::shared_ptr<BankAccount>& account);
    void deleteRequested(const std::shared_ptr<BankAccount>& account);

private:
    QWidget* buildRow(const std::shared_ptr<BankAccount>& account, bool isLast, QWidget* parent);
    QWidget* buildEmpty();

    QLabel* total_;
    QVBoxLayout* rows_;
    QWidget* body_ = nullptr;
};
