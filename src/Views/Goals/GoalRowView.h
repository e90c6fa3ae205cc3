#pragma once

#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

#include <functional>
#include <memory>

class CategoryTag;
class ElidedLabel;
class Goal;
class GoalPointerTracker;
class PriorityBadge;
class QHBoxLayout;
class QLabel;
class QToolButton;
class SmallProgressBar;

// One active goal in the goals list: colour bar, title with its eye and trophy buttons and
// percentage, category, priority, money or streak, deadline, progress bar and the count of
// completed milestones. It writes nothing; every action goes to the host's callbacks.
class GoalRowView : public QWidget {
    Q_OBJECT
public:
    GoalRowView(std::shared_ptr<Goal> goal, bool isSelected, bool isHidden, std::function<void()> onTap,
                std::function<void()> onToggleHidden, std::function<void()> onDelete,
                std::function<void()> onAchieve, QWidget* parent = nullptr);
    ~GoalRowView() override;

    const std::shared_ptr<Goal>& goal() const { return goal_; }

    bool isSelected() const { return selected_; }
    void setSelected(bool selected);
    bool isTitleMasked() const { return masked_; }
    void setTitleMasked(bool masked);
    bool isHovered() const;

    // Reads the goal again (after the store changed).
    void refresh();
    // Shows another goal in this row (a long list hands rows on while scrolling); the same
    // goal keeps its row's state and only animates a change of selection.
    void bind(std::shared_ptr<Goal> goal, bool isSelected, bool isHidden);

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void build();
    QHBoxLayout* buildTitleLine();
    QHBoxLayout* buildMetaLine();
    void animateSelection();
    void applyState();
    QColor goalColor() const;

    std::shared_ptr<Goal> goal_;
    bool selected_;
    bool masked_;
    std::function<void()> onTap_;
    std::function<void()> onToggleHidden_;
    std::function<void()> onDelete_;
    std::function<void()> onAchieve_;
    double select_ = 0.0; // 0..1, follows selected_ with the spring
    QPointer<QVariantAnimation> selectAnimation_;
    GoalPointerTracker* pointer_ = nullptr;

    QWidget* colorBar_ = nullptr;
    ElidedLabel* title_ = nullptr;
    QToolButton* eye_ = nullptr;
    QToolButton* trophy_ = nullptr;
    QLabel* percent_ = nullptr;
    CategoryTag* category_ = nullptr;
    PriorityBadge* priority_ = nullptr;
    QWidget* money_ = nullptr;
    ElidedLabel* moneyText_ = nullptr;
    QWidget* streak_ = nullptr;
    ElidedLabel* streakText_ = nullptr;
    QLabel* deadline_ = nullptr;
    SmallProgressBar* bar_ = nullptr;
    QLabel* efforts_ = nullptr;
    QLabel* effortsCaption_ = nullptr;
};
