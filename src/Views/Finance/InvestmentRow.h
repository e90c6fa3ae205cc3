#pragma once

#include "ViewModels/Finance/FinanceRowText.h"

#include <QWidget>

#include <functional>
#include <memory>

class Investment;
class ElidedLabel;
class QLabel;
class QPushButton;
class SymbolIcon;

// One holding in the investments list: the type tile, the name over the type and the yearly
// growth, the worth over the return, and a delete button. Rows are reused as the list
// scrolls: bind() fills one with a holding's texts, worked out by the view model once per change.
class InvestmentRow : public QWidget {
    Q_OBJECT
public:
    using Figures = HoldingRowText;
    static constexpr int kHeight = 70;

    InvestmentRow(std::function<void(const std::shared_ptr<Investment>&)> onDelete,
                  QWidget* parent = nullptr);

    void bind(const Figures& figures);
    const Figures& figures() const { return figures_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void(const std::shared_ptr<Investment>&)> onDelete_;
    Figures figures_;
    SymbolIcon* icon_;
    ElidedLabel* name_;
    QLabel* type_;
    QLabel* growth_;
    ElidedLabel* value_;
    ElidedLabel* return_;
};
