#pragma once

#include <QColor>
#include <QWidget>

#include <functional>
#include <memory>

class ElidedLabel;
class QLabel;
class QToolButton;
class Step;

// One step inside an expanded milestone card: a completion control, the name, the priority
// mark and a delete button. It keeps no state; every action goes to the card's callbacks.
class StepRowView : public QWidget {
    Q_OBJECT
public:
    StepRowView(std::shared_ptr<Step> step, QColor goalColor, std::function<void()> onToggle,
                std::function<void()> onDelete, QWidget* parent = nullptr);

    const std::shared_ptr<Step>& step() const { return step_; }
    // Re-reads the step after it changed.
    void refresh();

private:
    std::shared_ptr<Step> step_;
    QColor goalColor_;
    std::function<void()> onToggle_;
    std::function<void()> onDelete_;
    QToolButton* toggle_;
    ElidedLabel* title_;
    QLabel* priority_;
    QToolButton* delete_;
};
