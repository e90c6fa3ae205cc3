#pragma once

#include <QHash>
#include <QMap>
#include <QMargins>
#include <QPointer>
#include <QScrollArea>
#include <QVariant>

class QKeyEvent;

#include <functional>
#include <vector>

// A long list (or grid) that scales with the store: it makes widget rows only for the rows
// in view, all of one height, and hands rows that scroll out to the rows that scroll in, so
// a screen of 5,000 records builds and scrolls like a screen of 20.
//
// The screen says how to make an empty row and how to fill a row for the item at an index;
// setCount() after its data changed refills the rows in view (nothing is rebuilt, so a
// change of selection costs a dozen rebinds). Rows stay real widgets: they keep their Tab
// stops (in index order) and focus rings, and a focused row is not handed on while it has
// the focus. A row brought in by scrolling is filled, never animated: a screen that plays
// an entrance does so for the rows it fills inside setCount(). Where the focus goes when its
// record leaves the list the focus guard decides, keyed by the record: every row filled is told
// to it with its record (setRowKeys, FocusAfter::fillRow), and a focused row gone with the end
// of the list hands over to the row it names (FocusAfter::afterRowLeft).
//
// A header (filter chips) and a footer (an empty state) may ride along above and below. A
// widget inside the list that takes focus is scrolled wholly into view.
//
// With keyboard navigation on, the rows are one Tab stop, as in a list view: Tab lands on the
// current row (the one last focused, kept and scrolled back to however far the list was
// scrolled since; else the first in view), placed between the header's controls and the
// footer's wherever the rows were made, and the arrow keys, Home, End, Page Up
// and Page Down move the focus from row to row, making and scrolling in the rows not yet in
// view. What Return and Space do is the row's own business.
class VirtualList : public QScrollArea {
    Q_OBJECT
public:
    using MakeRow = std::function<QWidget*(QWidget* parent)>;
    using BindRow = std::function<void(QWidget* row, int index)>;

    VirtualList(MakeRow make, BindRow bind, QWidget* parent = nullptr);

    void setHeader(QWidget* header);
    void setFooter(QWidget* footer);
    void setColumns(int columns);
    int columnCount() const { return columns_; }
    void setSpacing(int horizontal, int vertical);
    void setRowMargins(const QMargins& margins);
    void setRowHeight(int height);
    // For rows whose height follows the column's width (cards in a grid).
    void setRowHeightForWidth(std::function<int(int columnWidth)> height);
    // For a one-column list whose rows differ in height (section titles between rows): the
    // height of the row at index for the width, asked for every row when the count or the
    // width changes, so it must be cheap (no widgets).
    void setRowHeights(std::function<int(int index, int width)> height);

    // For a list whose rows are of several kinds (section heads between rows, the parts of a card
    // around its rows): kind tells the kind of the row at index and make builds a row of a kind;
    // a row is handed on only to rows of its own kind. The bind of the constructor fills them.
    using RowKind = std::function<int(int index)>;
    using MakeRowOfKind = std::function<QWidget*(int kind, QWidget* parent)>;
    void setRowKinds(RowKind kind, MakeRowOfKind make);

    // What identifies the record a row shows (its store identity), told to the focus guard with
    // every row filled (FocusAfter::fillRow). A list whose rows can hold the focus must give it:
    // without it every refill counts as another record, and the focus leaves the row the user
    // was in whenever the list is filled again.
    using RowKey = std::function<QVariant(int index)>;
    void setRowKeys(RowKey key) { key_ = std::move(key); }

    int count() const { return count_; }
    // The data changed: count items now; the rows in view are filled again.
    void setCount(int count);

    // Deletes every row widget, so the next ones are made anew (of another kind, say).
    void dropRows();
    // Sets how rows are made and filled from now on; the rows made so far are dropped.
    void setRowMaker(MakeRow make, BindRow bind);

    // The row showing index, or null when it is out of view.
    QWidget* rowWidget(int index) const { return shown_.value(index, nullptr); }
    // The rows in view, in index order.
    QList<QWidget*> rowsInView() const { return shown_.values(); }
    int indexOf(const QWidget* row) const;
    void scrollToIndex(int index);
    // Row widgets made since the list was created (they are reused, so this stays small).
    int rowsMade() const { return made_; }

    // The rows become one Tab stop moved with the arrow keys (see above). The list itself is
    // never a stop, with or without it: rows that take the focus are the stops.
    void setKeyboardNavigation(bool on);
    bool hasKeyboardNavigation() const { return keyboard_; }
    // The row Tab lands on and the arrows move from; -1 before any row was focused.
    int currentIndex() const { return current_; }
    // Moves the focus to the row at index, made and scrolled into view first; the focus comes
    // from the keyboard, so the row shows its ring. Returns the row, or null for no such index.
    QWidget* focusRow(int index);
    // Where the rows start in the page and how tall one is (for tests and layout checks).
    QRect rowRect(int index) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void relayout();
    void placeRows(bool rebindAll);
    int rowHeight() const;
    void measureRows();
    int firstIndexBelow(int y) const;
    int columnWidth() const;
    int headerHeight() const;
    int footerHeight() const;
    void recycle(int index);
    void fill(QWidget* row, int index);
    bool fitsKind(int index, const QWidget* row) const;
    QWidget* takeRow(int index);
    static bool holdsFocus(const QWidget* row);
    bool moveByKey(int from, const QKeyEvent* key);
    void placeTabStop();
    int rowsPerPage() const;

    MakeRow make_;
    BindRow bind_;
    RowKey key_;
    RowKind kind_;
    MakeRowOfKind makeOfKind_;
    QHash<const QWidget*, int> rowKinds_;
    QWidget* page_;
    QWidget* header_ = nullptr;
    QWidget* footer_ = nullptr;
    int columns_ = 1;
    int hSpacing_ = 0;
    int vSpacing_ = 0;
    QMargins margins_;
    int fixedHeight_ = 40;
    std::function<int(int)> heightForWidth_;
    std::function<int(int, int)> heights_;
    std::vector<int> offsets_; // with heights_: each row's top from the first row's, and the end
    int offsetsWidth_ = -1;
    int offsetsCount_ = -1;
    int count_ = 0;
    int made_ = 0;
    bool placing_ = false;
    bool keyboard_ = false;
    int current_ = -1;
    QPointer<QWidget> stop_; // the row that was made the Tab stop last
    // The header, rows or footer changed since the window's Tab chain was put in their order.
    bool chainStale_ = true;
    QList<QWidget*> linked_; // the controls last put in order, without keyboard navigation
    QMap<int, QWidget*> shown_;
    std::vector<QWidget*> pool_;
};
