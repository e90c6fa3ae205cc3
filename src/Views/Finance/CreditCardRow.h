#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class CreditCard;

// One credit card on the commitments tab: its name and days, then its next bill with the due
// date, or while it has none what was spent with it this month, and a delete button.
class CreditCardRow : public QWidget {
    Q_OBJECT
public:
    CreditCardRow(const std::shared_ptr<CreditCard>& card, double monthSpend, double nextBill,
                  std::function<void()> onDelete, QWidget* parent = nullptr);
};
