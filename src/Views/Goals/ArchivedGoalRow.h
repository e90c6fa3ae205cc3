#pragma once

#include "ViewModels/GoalRowText.h"

#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

#include <functional>

class CategoryTag;
class ElidedLabel;
class FocusWithin;
class QLabel;
class QToolButton;
class SheetHost;

// One achieved goal: colour bar, title with a trophy, category and the day it was due. While
// the pointer is over it or the keyboard is in it, "Restore" and a delete button appear (Tab
// reaches them right after the row); deleting asks first. Titles
// here are never masked. It shows what its view model wrote and writes nothing; the host's
// callbacks do, knowing the goal by goalID().
class ArchivedGoalRow : public QWidget {
    Q_OBJECT
public:
    ArchivedGoalRow(const ArchivedGoalText& text, std::function<void()> onRestore,
                    std::function<void()> onDelete, QWidget* parent = nullptr);
    ~ArchivedGoalRow() override;

    qint64 goalID() const { return text_.goalID; }
    bool isHovered() const { return hovered_; }
    // Shows another goal in this row (the list hands rows on while scrolling).
    void bind(const ArchivedGoalText& text);

    // Opens the delete confirmation (the delete button does this); the alert is returned.
    SheetHost* confirmDelete();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void build();
    void setHovered(bool hovered);
    void showActions();
    void showText();
    QColor goalColor() const { return text_.color; }

    ArchivedGoalText text_;
    std::function<void()> onRestore_;
    std::function<void()> onDelete_;
    bool hovered_ = false;
    bool actionsShown_ = false;
    FocusWithin* focus_ = nullptr;

    QWidget* colorBar_ = nullptr;
    ElidedLabel* title_ = nullptr;
    CategoryTag* category_ = nullptr;
    QLabel* completedBy_ = nullptr;
    QWidget* actions_ = nullptr;
    QToolButton* restore_ = nullptr;
    QToolButton* delete_ = nullptr;
};
