#pragma once

#include <QWidget>

#include <functional>

class QPushButton;

// What the dashboard shows in place of the quote and the goal cards while there is no active
// goal: a target emblem, an invitation and "Create Your First Goal", which opens the goals
// destination.
class DashboardEmptyState : public QWidget {
    Q_OBJECT
public:
    DashboardEmptyState(std::function<void()> onCreate, QWidget* parent = nullptr);

    QPushButton* createButton() const { return create_; }

private:
    QPushButton* create_;
};
