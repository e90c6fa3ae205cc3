#pragma once

#include "ViewModels/GoalRowText.h"

#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

#include <functional>

class CategoryTag;
class ElidedLabel;
class GoalPointerTracker;
class PriorityBadge;
class QHBoxLayout;
class QLabel;
class QToolButton;
class SmallProgressBar;

// One active goal in the goals list: colour bar, title with its eye and trophy buttons and
// percentage, category, priority, money or streak, deadline, progress bar and the count of
// completed milestones, as its view model wrote them. It writes nothing; every action goes to
// the host's callbacks, which know the goal by goalID().
class GoalRowView : public QWidget {
    Q_OBJECT
public:
    GoalRowView(const GoalRowText& text, bool isSelected, std::function<void()> onTap,
                std::function<void()> onToggleHidden, std::function<void()> onDelete,
                std::function<void()> onAchieve, QWidget* parent = nullptr);
    ~GoalRowView() override;

    qint64 goalID() const { return text_.goalID; }

    bool isSelected() const { return selected_; }
    void setSelected(bool selected);
    bool isTitleMasked() const { return text_.masked; }
    bool isHovered() const;

    // Shows these values (a long list hands rows on while scrolling, and hands them again when
    // the store changed); the same goal keeps its row's state and only animates a change of
    // selection.
    void bind(const GoalRowText& text, bool isSelected);

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void build();
    QHBoxLayout* buildTitleLine();
    QHBoxLayout* buildMetaLine();
    void animateSelection();
    void applyState();
    void showText();
    QColor goalColor() const { return text_.color; }

    GoalRowText text_;
    bool selected_;
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
