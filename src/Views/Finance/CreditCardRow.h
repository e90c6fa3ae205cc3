#pragma once

#include "ViewModels/Finance/FinanceRowText.h"

#include <QWidget>

#include <functional>
#include <memory>

class CreditCard;
class ElidedLabel;
class QLabel;

// One credit card on the commitments tab: its name and days, then its next bill with the due
// date, or while it has none what was spent with it this month, and a delete button. Rows are
// reused as the list scrolls: bind() fills one with a card's texts, worked out by the view model once per
// change.
class CreditCardRow : public QWidget {
    Q_OBJECT
public:
    using Figures = CardRowText;
    static constexpr int kHeight = 72;

    explicit CreditCardRow(std::function<void(const std::shared_ptr<CreditCard>&)> onDelete,
                           QWidget* parent = nullptr);

    void bind(const Figures& figures);

private:
    Figures figures_;
    ElidedLabel* name_;
    QLabel* days_;
    ElidedLabel* nextBill_;
    QLabel* due_;
    ElidedLabel* monthSpend_;
};
