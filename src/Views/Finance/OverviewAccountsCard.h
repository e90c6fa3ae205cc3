#pragma once

#include "Views/Finance/CardSlice.h"

class ElidedLabel;

// The head of the liquid cash card of the finance overview: the total with "+" over an inset
// rule, and, while there is no bank account, an invitation to add one that closes the card.
// The accounts themselves are rows of the overview's list (OverviewAccountRow), which carry
// the card on below this head: a long list of accounts makes only the rows in view.
class OverviewAccountsCard : public CardSlice {
    Q_OBJECT
public:
    explicit OverviewAccountsCard(QWidget* parent = nullptr);

    void setSummary(const QString& total, bool hasAccounts, const QString& note = QString());

signals:
    void addRequested();

private:
    QWidget* buildEmpty();

    ElidedLabel* total_;
    QWidget* empty_ = nullptr;
};
