#pragma once

#include "ViewModels/GoalRowText.h"

#include <QColor>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class AnimatedProgressRing;
class CategoryTag;
class GoalPointerTracker;
class MomentumBadge;
class PriorityBadge;
class QLabel;
class QToolButton;
class SmallProgressBar;
class StreakBadge;
class SymbolIcon;

// One goal as a card: colour strip, category and title, progress ring and bar, priority,
// momentum and streak badges, and the deadline, as its view model wrote them. It writes
// nothing; its host knows the goal by goalID(). The goals grid gives it a
// hide toggle; the dashboard gives none, and then no eye button is shown. Clicking the body
// emits clicked() for the host to act on; the card itself does nothing with it.
class GoalCardView : public QWidget {
    Q_OBJECT
public:
    GoalCardView(const GoalCardText& text, std::function<void()> onToggleHidden, QWidget* parent = nullptr);

    // Every card is as tall for a width whatever its goal: the title keeps room for two
    // lines and the deadline line its place, so a grid can give all cards one height.
    void setUniformHeight(bool uniform);
    ~GoalCardView() override;

    qint64 goalID() const { return text_.goalID; }
    QString titleText() const { return text_.title; }

    // Whether the title shows as dots; the host flips it after its hide action.
    bool isTitleMasked() const { return text_.masked; }
    // The host's selection outline (goals grid).
    bool isSelected() const { return selected_; }
    void setSelected(bool selected);
    bool isHovered() const;

    // Shows these values (after the store or the masking changed).
    void setText(const GoalCardText& text);
    // Shows another goal on this card (a long grid hands cards on while scrolling).
    void bind(const GoalCardText& text, bool isSelected);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void build();
    void applyHover();
    void updateTitle();
    void showText();
    QColor goalColor() const { return text_.color; }

    GoalCardText text_;
    std::function<void()> onToggleHidden_;
    bool selected_ = false;
    GoalPointerTracker* pointer_ = nullptr;

    CategoryTag* category_ = nullptr;
    QLabel* title_ = nullptr;
    QToolButton* eye_ = nullptr;
    AnimatedProgressRing* ring_ = nullptr;
    SmallProgressBar* bar_ = nullptr;
    PriorityBadge* priority_ = nullptr;
    MomentumBadge* momentum_ = nullptr;
    StreakBadge* streak_ = nullptr;
    QWidget* deadlineRow_ = nullptr;
    SymbolIcon* deadlineIcon_ = nullptr;
    QLabel* deadline_ = nullptr;
};
