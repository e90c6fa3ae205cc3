#pragma once

#include "ViewModels/Finance/FinanceRowText.h"
#include "Views/Finance/CardSlice.h"

#include <functional>
#include <memory>

class BankAccount;
class ElidedLabel;
class QLabel;

// One bank account in the liquid cash card: its name, its balance, edit and delete, and the
// inset rule under it unless it is the card's last row, where the card's rounded end closes
// it. Rows are reused as the overview scrolls: bind() fills one with an account's texts.
class OverviewAccountRow : public CardSlice {
    Q_OBJECT
public:
    using Figures = AccountRowText;

    using Action = std::function<void(const std::shared_ptr<BankAccount>&)>;
    OverviewAccountRow(Action onEdit, Action onDelete, QWidget* parent = nullptr);

    void bind(const Figures& figures, bool isLast);
    const Figures& figures() const { return figures_; }
    bool hasDivider() const { return !isLast_; }

    // How tall the row stands with the current fonts, without its rule.
    static int lineHeight();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Figures figures_;
    bool isLast_ = true;
    ElidedLabel* name_;
    ElidedLabel* balance_;
};
