#include "Views/Links/LinksList.h"

#include "Components/ScreenStyle.h"
#include "ViewModels/Theme/Theme.h"

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
        rows_.push_back(row);
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

bool LinksList::focusNextPrevChild(bool next) {
    // Tab walks the rows in list order, scrolling the next one into view at the edges.
    const QList<LinkRow*> rows = visibleRows();
    const int at = rows.indexOf(qobject_cast<LinkRow*>(focusWidget()));
    if (at < 0)
        return QAbstractScrollArea::focusNextPrevChild(next);
    const int target = at + (next ? 1 : -1);
    if (target >= 0 && target < rows.size()) {
        rows[target]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        const QRect place = rows[target]->geometry();
        if (place.bottom() > viewport()->height())
            verticalScrollBar()->setValue(verticalScrollBar()->value() + place.bottom() -
                                          viewport()->height() + kPadding);
        else if (place.top() < 0)
            verticalScrollBar()->setValue(verticalScrollBar()->value() + place.top() - kPadding);
        return true;
    }
    return QAbstractScrollArea::focusNextPrevChild(next);
}
