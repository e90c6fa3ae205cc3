#include "Components/VirtualList.h"

#include "Components/BareScrollArea.h"
#include "Components/FocusAfter.h"
#include "Components/ListKeys.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>

namespace {

// Rows kept filled past each edge of the view, so a wheel step shows no empty band.
constexpr int kOverscanRows = 1;

// The controls of a header or footer that take focus, in the order they were made; the parts
// of a compound control (the field of a spin box) go with it.
QList<QWidget*> controlsOf(const QWidget* part) {
    QList<QWidget*> out;
    if (!part)
        return out;
    for (QWidget* w : part->findChildren<QWidget*>()) {
        if (w->focusPolicy() == Qt::NoFocus || w->isWindow())
            continue;
        // A compound control hands its focus to a part of its own; a scroll area's view hands it
        // up to the area, which makes what the view shows (a strip of chips) no part of it.
        bool inner = false;
        for (const QWidget* up = w->parentWidget(); up && up != part && !inner; up = up->parentWidget())
            inner = up->focusProxy() && up->isAncestorOf(up->focusProxy());
        if (!inner)
            out << w;
    }
    return out;
}

// setTabOrder() links only widgets that take focus: one that does not is lent a policy for it.
void link(QWidget* first, QWidget* second) {
    const Qt::FocusPolicy own = first->focusPolicy();
    if (own == Qt::NoFocus)
        first->setFocusPolicy(Qt::TabFocus);
    QWidget::setTabOrder(first, second);
    first->setFocusPolicy(own);
}

} // namespace

VirtualList::VirtualList(MakeRow make, BindRow bind, QWidget* parent)
    : QScrollArea(parent), make_(std::move(make)), bind_(std::move(bind)), page_(new QWidget) {
    page_->setObjectName(QStringLiteral("virtualListPage"));
    BareScrollArea::makeBare(this);
    setWidget(page_);
    page_->setAutoFillBackground(false);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { placeRows(false); });
    // Whatever takes focus inside the list (a field of the footer as much as a row), by click,
    // key or call, comes wholly into view rather than staying cut at the list's edge.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!now || !page_->isAncestorOf(now))
            return;
        if (keyboard_) {
            // The row holding the focus is the one Tab comes back to.
            for (auto it = shown_.cbegin(); it != shown_.cend(); ++it)
                if (it.value() == now || it.value()->isAncestorOf(now)) {
                    current_ = it.key();
                    placeTabStop();
                    break;
                }
        }
        // The whole widget, not only a text field's caret, as ensureWidgetVisible() would.
        const QRect area(now->mapTo(page_, QPoint(0, 0)), now->size());
        ensureVisible(area.center().x(), area.center().y(), 0, area.height() / 2 + vSpacing_);
    });
}

void VirtualList::setHeader(QWidget* header) {
    header_ = header;
    header->setParent(page_);
    header->installEventFilter(this);
    header->show();
    stop_ = nullptr;
    chainStale_ = true;
    relayout();
}

void VirtualList::setFooter(QWidget* footer) {
    footer_ = footer;
    footer->setParent(page_);
    footer->installEventFilter(this);
    stop_ = nullptr;
    chainStale_ = true;
    relayout();
}

void VirtualList::setColumns(int columns) {
    columns_ = std::max(1, columns);
    relayout();
}

void VirtualList::setSpacing(int horizontal, int vertical) {
    hSpacing_ = horizontal;
    vSpacing_ = vertical;
    offsetsCount_ = -1;
    relayout();
}

void VirtualList::setRowMargins(const QMargins& margins) {
    margins_ = margins;
    relayout();
}

void VirtualList::setRowHeight(int height) {
    fixedHeight_ = std::max(1, height);
    heightForWidth_ = {};
    relayout();
}

void VirtualList::setRowHeightForWidth(std::function<int(int)> height) {
    heightForWidth_ = std::move(height);
    relayout();
}

void VirtualList::setRowHeights(std::function<int(int, int)> height) {
    heights_ = std::move(height);
    columns_ = 1;
    offsetsCount_ = -1;
    relayout();
}

void VirtualList::measureRows() {
    const int width = columnWidth();
    if (!heights_ || (offsetsWidth_ == width && offsetsCount_ == count_))
        return;
    offsets_.assign(size_t(count_) + 1, 0);
    for (int i = 0; i < count_; ++i)
        offsets_[size_t(i) + 1] = offsets_[size_t(i)] + std::max(1, heights_(i, width)) + vSpacing_;
    offsetsWidth_ = width;
    offsetsCount_ = count_;
}

int VirtualList::firstIndexBelow(int y) const {
    // The last row whose top is at or above y.
    const auto it = std::upper_bound(offsets_.begin(), offsets_.end() - 1, y);
    return std::max(0, int(it - offsets_.begin()) - 1);
}

void VirtualList::setCount(int count) {
    count_ = std::max(0, count);
    offsetsCount_ = -1; // the rows may differ even when their number does not
    FocusAfter::Handover held;
    // The row that held the focus or the way back, gone with the end: kept from reuse until the
    // focus guard has read where it stood and what it showed.
    QWidget* left = nullptr;
    for (auto it = shown_.begin(); it != shown_.end();) {
        if (it.key() < count_) {
            ++it;
            continue;
        }
        QWidget* row = it.value();
        it = shown_.erase(it);
        const FocusAfter::Handover gone = FocusAfter::takeFrom(row);
        row->hide();
        if ((gone.hadFocus || gone.layer) && !left) {
            held = gone;
            left = row;
        } else {
            pool_.push_back(row);
        }
    }
    if (current_ >= count_)
        current_ = count_ - 1;
    relayout();
    placeRows(true);
    if (!left)
        return;
    held.giveTo(FocusAfter::afterRowLeft(left));
    pool_.push_back(left);
}

void VirtualList::dropRows() {
    for (QWidget* row : std::as_const(shown_)) {
        row->hide();
        row->deleteLater();
    }
    for (QWidget* row : pool_)
        row->deleteLater();
    shown_.clear();
    pool_.clear();
    rowKinds_.clear();
    stop_ = nullptr;
    chainStale_ = true;
}

void VirtualList::setRowMaker(MakeRow make, BindRow bind) {
    dropRows();
    kind_ = {};
    makeOfKind_ = {};
    make_ = std::move(make);
    bind_ = std::move(bind);
}

void VirtualList::setRowKinds(RowKind kind, MakeRowOfKind make) {
    dropRows();
    kind_ = std::move(kind);
    makeOfKind_ = std::move(make);
}

bool VirtualList::fitsKind(int index, const QWidget* row) const {
    return !kind_ || rowKinds_.value(row, -1) == kind_(index);
}

QWidget* VirtualList::takeRow(int index) {
    for (auto it = pool_.rbegin(); it != pool_.rend(); ++it) {
        if (!fitsKind(index, *it))
            continue;
        QWidget* row = *it;
        pool_.erase(std::next(it).base());
        return row;
    }
    ++made_;
    QWidget* row = nullptr;
    if (kind_) {
        const int kind = kind_(index);
        row = makeOfKind_(kind, page_);
        rowKinds_.insert(row, kind);
    } else {
        row = make_(page_);
    }
    row->installEventFilter(this);
    // Without the records' keys the focus guard takes every refill for another record, and the
    // focus leaves the row the user is in whenever the list is filled again.
    if (!key_ && FocusAfter::isRow(row) && made_ == 1)
        qWarning("VirtualList %s: rows that take the focus, but no row keys", qPrintable(objectName()));
    return row;
}

int VirtualList::rowHeight() const {
    return heightForWidth_ ? std::max(1, heightForWidth_(columnWidth())) : fixedHeight_;
}

int VirtualList::columnWidth() const {
    const int inner = viewport()->width() - margins_.left() - margins_.right();
    return std::max(1, (inner - (columns_ - 1) * hSpacing_) / columns_);
}

int VirtualList::headerHeight() const {
    if (!header_ || header_->isHidden())
        return 0;
    return header_->hasHeightForWidth() ? header_->heightForWidth(viewport()->width())
                                        : header_->sizeHint().height();
}

int VirtualList::footerHeight() const {
    if (!footer_ || footer_->isHidden())
        return 0;
    return footer_->hasHeightForWidth() ? footer_->heightForWidth(viewport()->width())
                                        : footer_->sizeHint().height();
}

QRect VirtualList::rowRect(int index) const {
    if (heights_ && index >= 0 && size_t(index) + 1 < offsets_.size()) {
        const int top = headerHeight() + margins_.top() + offsets_[size_t(index)];
        return {margins_.left(), top, columnWidth(),
                offsets_[size_t(index) + 1] - offsets_[size_t(index)] - vSpacing_};
    }
    const int line = index / columns_;
    const int column = index % columns_;
    const int width = columnWidth();
    const int height = rowHeight();
    const int top = headerHeight() + margins_.top() + line * (height + vSpacing_);
    return {margins_.left() + column * (width + hSpacing_), top, width, height};
}

int VirtualList::indexOf(const QWidget* row) const {
    for (auto it = shown_.cbegin(); it != shown_.cend(); ++it)
        if (it.value() == row)
            return it.key();
    return -1;
}

void VirtualList::scrollToIndex(int index) {
    if (index < 0 || index >= count_)
        return;
    const QRect r = rowRect(index);
    ensureVisible(r.center().x(), r.center().y(), 0, r.height() / 2 + vSpacing_);
}

void VirtualList::relayout() {
    const int lines = (count_ + columns_ - 1) / columns_;
    int rowsHeight =
        lines == 0 ? 0 : margins_.top() + lines * rowHeight() + (lines - 1) * vSpacing_ + margins_.bottom();
    if (heights_) {
        measureRows();
        rowsHeight = count_ == 0 ? 0 : margins_.top() + offsets_.back() - vSpacing_ + margins_.bottom();
    }
    const int header = headerHeight();
    const int footer = footerHeight();
    const int width = viewport()->width();
    if (header_)
        header_->setGeometry(0, 0, width, header);
    if (footer_)
        footer_->setGeometry(0, header + rowsHeight, width, footer);
    page_->setFixedHeight(std::max(1, header + rowsHeight + footer));
    placeRows(false);
}

bool VirtualList::holdsFocus(const QWidget* row) {
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == row || row->isAncestorOf(focus));
}

void VirtualList::recycle(int index) {
    QWidget* row = shown_.take(index);
    row->hide();
    pool_.push_back(row);
}

void VirtualList::fill(QWidget* row, int index) {
    bind_(row, index);
    FocusAfter::fillRow(row, key_ ? key_(index) : QVariant());
}

void VirtualList::placeRows(bool rebindAll) {
    if (placing_)
        return;
    placing_ = true;
    const int height = rowHeight();
    const int top = headerHeight() + margins_.top();
    const int viewTop = verticalScrollBar()->value();
    const int viewBottom = viewTop + viewport()->height();
    const int step = height + vSpacing_;
    const int firstLine = std::max(0, (viewTop - top) / step - kOverscanRows);
    const int lastLine = std::max(0, (viewBottom - top) / step + kOverscanRows);
    int first = std::min(count_, firstLine * columns_);
    int last = std::min(count_, (lastLine + 1) * columns_);
    if (heights_ && size_t(count_) + 1 == offsets_.size()) {
        first = std::max(0, firstIndexBelow(viewTop - top) - kOverscanRows);
        last = std::min(count_, firstIndexBelow(viewBottom - top) + 1 + kOverscanRows);
    }

    for (const int index : shown_.keys()) {
        const QWidget* row = shown_.value(index);
        // The focused row stays, and so does the current row of a list moved through by keys:
        // Tab comes back to it, wherever the list was scrolled since.
        const bool kept = holdsFocus(row) || (keyboard_ && index == current_);
        const bool away = (index < first || index >= last) && (index >= count_ || !kept);
        // A row whose index now holds another kind of row is handed back, focus or not.
        if (away || (index < count_ && !fitsKind(index, row)))
            recycle(index);
    }
    for (auto it = shown_.begin(); it != shown_.end(); ++it) {
        if (rebindAll)
            fill(it.value(), it.key());
        it.value()->setGeometry(rowRect(it.key()));
    }
    for (int index = first; index < last; ++index) {
        if (shown_.contains(index))
            continue;
        QWidget* row = takeRow(index);
        shown_.insert(index, row);
        fill(row, index);
        row->setGeometry(rowRect(index));
        row->show();
    }
    if (keyboard_) {
        placing_ = false;
        placeTabStop();
        return;
    }
    // Tab walks the header, the rows in the order they are listed and the footer, whatever
    // order they were made in: rows and a header set late stand last in the window's chain.
    QList<QWidget*> order = controlsOf(header_);
    for (QWidget* row : std::as_const(shown_)) {
        if (row->focusPolicy() != Qt::NoFocus)
            order << row;
        order << controlsOf(row);
    }
    order << controlsOf(footer_);
    if (chainStale_ || order != linked_) {
        chainStale_ = false;
        linked_ = order;
        QWidget* previous = this;
        for (QWidget* next : std::as_const(order)) {
            link(previous, next);
            previous = next;
        }
    }
    placing_ = false;
}

void VirtualList::setKeyboardNavigation(bool on) {
    if (on == keyboard_)
        return;
    keyboard_ = on;
    stop_ = nullptr;
    chainStale_ = true;
    placeRows(false);
}

void VirtualList::placeTabStop() {
    QWidget* stop = shown_.value(current_, nullptr);
    if (!stop) {
        // The first row wholly in view, else the first one made.
        const int viewTop = verticalScrollBar()->value();
        for (QWidget* row : std::as_const(shown_))
            if (row->y() >= viewTop) {
                stop = row;
                break;
            }
        if (!stop && !shown_.isEmpty())
            stop = shown_.first();
    }
    for (QWidget* row : std::as_const(shown_))
        row->setFocusPolicy(row == stop ? Qt::TabFocus : Qt::NoFocus);
    // Without rows the header's and footer's controls still go in order.
    if (stop == stop_ && !chainStale_)
        return;
    chainStale_ = false;
    stop_ = stop;
    // Rows are made as the list scrolls, and a widget made late stands last in the window's
    // chain: the list puts its header's controls, the stop and its footer's controls back in
    // order where the list itself stands.
    QWidget* previous = this;
    QList<QWidget*> order = controlsOf(header_);
    if (stop)
        order << stop;
    order << controlsOf(footer_);
    for (QWidget* next : order) {
        link(previous, next);
        previous = next;
    }
}

int VirtualList::rowsPerPage() const {
    const int step = std::max(1, rowHeight() + vSpacing_);
    return std::max(1, viewport()->height() / step) * columns_;
}

QWidget* VirtualList::focusRow(int index) {
    if (index < 0 || index >= count_)
        return nullptr;
    current_ = index;
    scrollToIndex(index);
    placeRows(false);
    QWidget* row = shown_.value(index, nullptr);
    if (row)
        row->setFocus(Qt::TabFocusReason);
    return row;
}

bool VirtualList::moveByKey(int from, const QKeyEvent* key) {
    const std::optional<int> to = ListKeys::target(key, from,
                                                   {.count = count_,
                                                    .columns = columns_,
                                                    .page = rowsPerPage(),
                                                    .sideways = columns_ > 1,
                                                    .rightToLeft = layoutDirection() == Qt::RightToLeft});
    if (!to)
        return false;
    // At an end the key is still the list's, so the page does not scroll from under the focus.
    if (*to != from && *to >= 0 && *to < count_)
        focusRow(*to);
    return true;
}

void VirtualList::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    relayout();
}

bool VirtualList::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == header_ || watched == footer_) &&
        (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show ||
         event->type() == QEvent::Hide)) {
        // Its controls may be new ones, made last in the window's chain.
        stop_ = nullptr;
        chainStale_ = true;
        relayout();
    }
    const bool key = event->type() == QEvent::KeyPress;
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (keyboard_ && (key || press) && watched->isWidgetType() && watched != header_ && watched != footer_) {
        const int index = indexOf(static_cast<QWidget*>(watched));
        if (index >= 0 && key && moveByKey(index, static_cast<QKeyEvent*>(event)))
            return true;
        // A row clicked is the one Tab comes back to.
        if (index >= 0 && press) {
            current_ = index;
            placeTabStop();
        }
    }
    return QScrollArea::eventFilter(watched, event);
}
