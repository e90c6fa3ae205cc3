#include "Views/Links/LinksList.h"

#include "Components/FocusAfter.h"
#include "Components/ListKeys.h"
#include "Components/ScreenStyle.h"
#include "Models/LinkItem.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/RowKey.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>

#include <algorithm>

LinksList::LinksList(LinkRow::Action onEdit, LinkRow::Action onDelete, QWidget* parent)
    : QAbstractScrollArea(parent), onEdit_(std::move(onEdit)), onDelete_(std::move(onDelete)) {
    setObjectName(QStringLiteral("linksList"));
    setAccessibleName(tr("Links"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus); // no stop: Tab goes from link to link
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAutoFillBackground(false);
    setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(LinkRow::kHeight / 2);
    // The row the keyboard was in last is the one Tab comes back to.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (LinkRow* row = rowHolding(now); row && row->link()) {
            current_ = row->link();
            placeTabStop();
        }
    });
}

void LinksList::setSections(const std::vector<LinksViewModel::Section>& sections) {
    items_.clear();
    int y = kPadding;
    bool first = true;
    for (const auto& section : sections) {
        if (!first)
            y += kSectionSpacing - kRowSpacing;
        first = false;
        items_.push_back({true, section.category, nullptr, y, kHeadingHeight});
        y += kHeadingHeight + kRowSpacing;
        for (const auto& link : section.links) {
            items_.push_back({false, QString(), link, y, LinkRow::kHeight});
            y += LinkRow::kHeight + kRowSpacing;
        }
    }
    total_ = items_.empty() ? 0 : y - kRowSpacing + kPadding;
    verticalScrollBar()->setRange(0, std::max(0, total_ - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
    placeVisible();
}

LinkRow* LinksList::rowAt(size_t poolIndex) {
    while (rows_.size() <= poolIndex) {
        auto* row = new LinkRow(nullptr, onEdit_, onDelete_, viewport());
        row->setFocusPolicy(Qt::ClickFocus);
        rows_.push_back(row);
        linked_ = nullptr;
    }
    return rows_[poolIndex];
}

QLabel* LinksList::headingAt(size_t poolIndex) {
    while (headings_.size() <= poolIndex) {
        auto* label = ScreenStyle::label(QString(), ScreenStyle::kerned(Theme::font(10), 1.2),
                                         Theme::textMuted(), viewport());
        label->setObjectName(QStringLiteral("sectionHeading"));
        headings_.push_back(label);
    }
    return headings_[poolIndex];
}

void LinksList::placeVisible() {
    const int top = verticalScrollBar()->value();
    const int bottom = top + viewport()->height();
    const int width = viewport()->width() - kPadding - kTrailing;
    auto first = std::lower_bound(items_.begin(), items_.end(), top,
                                  [](const Item& item, int y) { return item.y + item.height < y; });
    size_t rowsUsed = 0;
    size_t headingsUsed = 0;
    for (auto it = first; it != items_.end() && it->y < bottom; ++it) {
        const QRect place(kPadding, it->y - top, width, it->height);
        if (it->heading) {
            QLabel* label = headingAt(headingsUsed++);
            const QRect text = place.adjusted(16, 0, -16, 0);
            label->setText(label->fontMetrics().elidedText(it->text, Qt::ElideRight, text.width()));
            label->setGeometry(text);
            label->show();
        } else {
            LinkRow* row = rowAt(rowsUsed++);
            if (row->link() != it->link)
                row->setLink(it->link);
            FocusAfter::fillRow(row, rowKey(it->link));
            row->setGeometry(place);
            row->show();
        }
    }
    for (size_t i = rowsUsed; i < rows_.size(); ++i) {
        rows_[i]->hide();
        rows_[i]->setLink(nullptr);
    }
    for (size_t i = headingsUsed; i < headings_.size(); ++i)
        headings_[i]->hide();
    placeTabStop();
}

LinkRow* LinksList::rowHolding(const QWidget* widget) const {
    for (LinkRow* row : rows_)
        if (widget && (widget == row || row->isAncestorOf(widget)))
            return row;
    return nullptr;
}

LinkRow* LinksList::tabStop() const {
    // Rows are placed before the list first shows: what counts is that they are not hidden.
    LinkRow* first = nullptr;
    for (LinkRow* row : rows_) {
        if (row->isHidden() || !row->link())
            continue;
        if (row->link() == current_)
            return row;
        // Else the first row wholly in view.
        if (row->y() >= 0 && (!first || row->y() < first->y()))
            first = row;
    }
    return first;
}

void LinksList::placeTabStop() {
    LinkRow* stop = tabStop();
    for (LinkRow* row : rows_)
        row->setFocusPolicy(row == stop ? Qt::StrongFocus : Qt::ClickFocus);
    if (!stop || stop == linked_)
        return;
    linked_ = stop;
    // Rows are made as the list scrolls, and a widget made late stands last in the window's
    // chain: the stop goes back where the list stands. The list takes no focus, and
    // setTabOrder() links only widgets that do, so it is lent a policy for the call.
    setFocusPolicy(Qt::TabFocus);
    QWidget::setTabOrder(this, stop);
    setFocusPolicy(Qt::NoFocus);
}

void LinksList::focusItem(size_t index) {
    const Item& item = items_[index];
    const int top = verticalScrollBar()->value();
    if (item.y + item.height > top + viewport()->height())
        verticalScrollBar()->setValue(item.y + item.height - viewport()->height() + kPadding);
    else if (item.y < top)
        verticalScrollBar()->setValue(item.y - kPadding);
    placeVisible();
    for (LinkRow* row : rows_)
        if (row->isVisible() && row->link() == item.link) {
            row->setFocus(Qt::TabFocusReason);
            return;
        }
}

QList<LinkRow*> LinksList::visibleRows() const {
    QList<LinkRow*> out;
    for (auto* row : rows_)
        if (row->isVisible() && row->link())
            out << row;
    std::sort(out.begin(), out.end(), [](LinkRow* a, LinkRow* b) { return a->y() < b->y(); });
    return out;
}

QStringList LinksList::visibleHeadings() const {
    QList<QLabel*> shown;
    for (auto* label : headings_)
        if (label->isVisible())
            shown << label;
    std::sort(shown.begin(), shown.end(), [](QLabel* a, QLabel* b) { return a->y() < b->y(); });
    QStringList out;
    for (auto* label : shown)
        out << label->text();
    return out;
}

void LinksList::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    verticalScrollBar()->setRange(0, std::max(0, total_ - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
    placeVisible();
}

void LinksList::scrollContentsBy(int, int) {
    placeVisible();
}

void LinksList::keyPressEvent(QKeyEvent* event) {
    const LinkRow* row = rowHolding(QApplication::focusWidget());
    if (!row || !row->link() || (event->modifiers() & ~Qt::KeypadModifier))
        return QAbstractScrollArea::keyPressEvent(event);
    std::vector<size_t> links;
    for (size_t i = 0; i < items_.size(); ++i)
        if (!items_[i].heading)
            links.push_back(i);
    const auto found =
        std::find_if(links.begin(), links.end(), [&](size_t i) { return items_[i].link == row->link(); });
    if (found == links.end())
        return QAbstractScrollArea::keyPressEvent(event);
    const int at = int(found - links.begin());
    const int last = int(links.size()) - 1;
    const std::optional<int> to = ListKeys::target(
        event, at,
        {.count = last + 1, .page = std::max(1, viewport()->height() / (LinkRow::kHeight + kRowSpacing))});
    if (!to)
        return QAbstractScrollArea::keyPressEvent(event);
    // At an end the key is still the list's, so the list does not scroll from under the focus.
    focusItem(links[size_t(std::clamp(*to, 0, last))]);
    event->accept();
}
