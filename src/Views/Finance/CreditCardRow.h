#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class CommitmentsViewModel;
class CreditCard;

// One credit card on the commitments tab: its name and days, then its next bill with the due
// date, or while it has none what was spent with it this month, and a delete button. The
// figures are read from the store once, when the row is built.
class CreditCardRow : public QWidget {
    Q_OBJECT
public:
    CreditCardRow(const std::shared_ptr<CreditCard>& card, const CommitmentsViewModel& viewModel,
                  std::function<void()> onDelete, QWidget* parent = nullptr);
};
