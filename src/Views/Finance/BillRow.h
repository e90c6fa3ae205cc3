#pragma once

#include "ViewModels/Finance/FinanceRowText.h"

#include <QWidget>

#include <functional>
#include <memory>

class Bill;
class ElidedLabel;
class FocusWithin;
class QLabel;
class QPushButton;
class SymbolIcon;

// One recurring bill: its category badge, name (struck through once paid for the month shown),
// category, ordinal due day and how it is paid, its amount, the paid toggle, and a delete
// button while the pointer is over the row or the keyboard is in it. Rows are reused as the list scrolls:
// bind() fills one with a bill's texts, worked out by the view model once per change.
class BillRow : public QWidget {
    Q_OBJECT
public:
    using Figures = BillRowText;
    static constexpr int kHeight = 71;

    using Action = std::function<void(const std::shared_ptr<Bill>&)>;
    BillRow(Action onTogglePaid, Action onDelete, QWidget* parent = nullptr);

    void bind(const Figures& figures);
    const Figures& figures() const { return figures_; }
    bool isHovered() const { return hovered_; }

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void setHovered(bool hovered);
    void showDelete();
    void stylePaid(bool paid);

    Figures figures_;
    bool hovered_ = false;
    FocusWithin* focus_;
    int styledPaid_ = -1; // the paid look last applied (-1: none yet)
    SymbolIcon* icon_;
    ElidedLabel* name_;
    QLabel* category_;
    QLabel* due_;
    QLabel* paymentDot_;
    QLabel* payment_;
    ElidedLabel* amount_;
    QPushButton* toggle_;
    QPushButton* deleteButton_;
};
