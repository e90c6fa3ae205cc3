#pragma once

#include "ViewModels/Finance/FinanceRowText.h"

#include <QWidget>

#include <functional>
#include <memory>

class ElidedLabel;
class QLabel;
class QPushButton;
class Subscription;
class SymbolIcon;

// One subscription: its name, cycle and next renewal, its price with the monthly equivalent
// under any price that is not monthly, a pause or resume button and a delete button. Paused
// subscriptions are drawn muted. Rows are reused as the list scrolls: bind() fills one with a
// subscription's texts, worked out by the view model once per change.
class SubscriptionRow : public QWidget {
    Q_OBJECT
public:
    using Figures = SubscriptionRowText;
    static constexpr int kHeight = 72;

    using Action = std::function<void(const std::shared_ptr<Subscription>&)>;
    SubscriptionRow(Action onToggle, Action onDelete, QWidget* parent = nullptr);

    void bind(const Figures& figures);

private:
    Figures figures_;
    int styledActive_ = -1; // the look last applied (-1: none yet)
    SymbolIcon* icon_;
    ElidedLabel* name_;
    QLabel* detail_;
    ElidedLabel* price_;
    ElidedLabel* perMonth_;
    QPushButton* toggle_;
};
