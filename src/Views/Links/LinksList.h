#pragma once

#include "ViewModels/LinksViewModel.h"
#include "Views/Links/LinkRow.h"

#include <QAbstractScrollArea>
#include <QPointer>

#include <vector>

class QLabel;

// The sections of the links screen as one scrolling list that builds widgets only for what is
// in view: a few headings and rows, placed at fixed heights and handed another link as the
// list scrolls, so a library of ten thousand links opens as fast as one of ten.
//
// As the app's other lists, the rows are one Tab stop: Tab lands on the current row (the one
// last focused, else the first in view), the arrow keys, Home, End, Page Up and Page Down move
// the focus from link to link across the sections, and the focused row's buttons take Tab
// right after it.
class LinksList : public QAbstractScrollArea {
    Q_OBJECT
public:
    LinksList(LinkRow::Action onEdit, LinkRow::Action onDelete, QWidget* parent = nullptr);

    void setSections(const std::vector<LinksViewModel::Section>& sections);
    // The rows and headings in use (visible ones first in list order).
    QList<LinkRow*> visibleRows() const;
    QStringList visibleHeadings() const;
    int contentHeight() const { return total_; }
    // The row Tab lands on; null without rows.
    LinkRow* tabStop() const;

    static constexpr int kPadding = 16;
    // Rows end where the screen's header ends ("Add Link" above them), not nearer the edge.
    static constexpr int kTrailing = 32;
    static constexpr int kSectionSpacing = 24;
    static constexpr int kRowSpacing = 8;
    static constexpr int kHeadingHeight = 14;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Item {
        bool heading = false;
        QString text;
        std::shared_ptr<LinkItem> link;
        int y = 0;
        int height = 0;
    };
    void placeVisible();
    LinkRow* rowAt(size_t poolIndex);
    QLabel* headingAt(size_t poolIndex);
    LinkRow* rowHolding(const QWidget* widget) const;
    void placeTabStop();
    // Focuses the link at items_[index], scrolled wholly into view first.
    void focusItem(size_t index);

    LinkRow::Action onEdit_;
    LinkRow::Action onDelete_;
    std::vector<Item> items_;
    int total_ = 0;
    std::vector<LinkRow*> rows_;
    std::vector<QLabel*> headings_;
    std::shared_ptr<LinkItem> current_;
    QPointer<LinkRow> linked_; // the stop last put back where the list stands
};
