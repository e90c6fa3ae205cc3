#pragma once

#include <QColor>
#include <QFrame>

#include <functional>
#include <memory>

class ElidedLabel;
class Milestone;
class QLabel;
class QToolButton;
class QVBoxLayout;
class SmallProgressBar;
class Step;

// One milestone of the goal detail screen: a header with its name, step count and bar, a
// guarded delete, and, when the host says it is expanded, its steps and an "Add Step"
// button. The host owns the expansion; every action goes back through the callbacks.
class MilestoneCard : public QFrame {
    Q_OBJECT
public:
    struct Actions {
        std::function<void()> onToggleExpand;
        std::function<void()> onTap;
        std::function<void(const std::shared_ptr<Step>&)> onToggleStep;
        std::function<void(const std::shared_ptr<Step>&)> onDeleteStep;
        std::function<void()> onAddStep;
        std::function<void()> onDelete;
    };

    MilestoneCard(std::shared_ptr<Milestone> milestone, QColor goalColor, bool isExpanded, Actions actions,
                  QWidget* parent = nullptr);

    const std::shared_ptr<Milestone>& milestone() const { return milestone_; }
    bool isExpanded() const { return isExpanded_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildSteps();
    void confirmDelete();

    std::shared_ptr<Milestone> milestone_;
    QColor goalColor_;
    bool isExpanded_;
    Actions actions_;
    QWidget* header_ = nullptr;
    bool headerPressed_ = false;
};
