#pragma once

#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

#include <functional>
#include <memory>

class CategoryTag;
class ElidedLabel;
class Goal;
class QLabel;
class QToolButton;
class SheetHost;

// One achieved goal: colour bar, title with a trophy, category and the day it was due. While
// the pointer is over it, "Restore" and a delete button appear; deleting asks first. Titles
// here are never masked. It writes nothing; the host's callbacks do.
class ArchivedGoalRow : public QWidget {
    Q_OBJECT
public:
    ArchivedGoalRow(std::shared_ptr<Goal> goal, std::function<void()> onRestore,
                    std::function<void()> onDelete, QWidget* parent = nullptr);
    ~ArchivedGoalRow() override;

    const std::shared_ptr<Goal>& goal() const { return goal_; }
    bool isHovered() const { return hovered_; }
    void refresh();
    // Shows another goal in this row (the list hands rows on while scrolling).
    void bind(std::shared_ptr<Goal> goal);

    // Opens the delete confirmation (the delete button does this); the alert is returned.
    SheetHost* confirmDelete();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void build();
    void setHovered(bool hovered);
    QColor goalColor() const;

    std::shared_ptr<Goal> goal_;
    std::function<void()> onRestore_;
    std::function<void()> onDelete_;
    bool hovered_ = false;

    QWidget* colorBar_ = nullptr;
    ElidedLabel* title_ = nullptr;
    CategoryTag* category_ = nullptr;
    QLabel* completedBy_ = nullptr;
    QWidget* actions_ = nullptr;
    QToolButton* restore_ = nullptr;
    QToolButton* delete_ = nullptr;
};
