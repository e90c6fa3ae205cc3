#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class Subscription;

// One subscription: its name, cycle and next renewal, its price with the monthly equivalent
// under any price that is not monthly, a pause or resume button and a delete button. Paused
// subscriptions are drawn muted.
class SubscriptionRow : public QWidget {
    Q_OBJECT
public:
    SubscriptionRow(const std::shared_ptr<Subscription>& subscription, std::function<void()> onToggle,
                    std::function<void()> onDelete, QWidget* parent = nullptr);
};
