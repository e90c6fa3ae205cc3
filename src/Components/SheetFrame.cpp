#include "Components/SheetFrame.h"

#include <QEvent>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

SheetFrame::SheetFrame(QWidget* page, QWidget* footer, QWidget* parent)
    : QWidget(parent), scroll_(new QScrollArea), page_(page), footer_(footer) {
    setObjectName(QStringLiteral("sheetFrame"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    scroll_->setObjectName(QStringLiteral("sheetScroll"));
    scroll_->setFocusPolicy(Qt::NoFocus); // Tab goes from field to field; the wheel scrolls
    scroll_->setFrameShape(QFrame::NoFrame);
    // The frame sizes the page itself: a scroll area that resizes its page keeps a page whose
    // height follows its width at its preferred height, scrolling where it could give way.
    scroll_->setWidgetResizable(false);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll_->viewport()->setAutoFillBackground(false);
    // Only the scroll area is given the page: a style sheet on it would restyle the whole form.
    const bool filled = page->autoFillBackground();
    scroll_->setWidget(page);
    page->setAutoFillBackground(filled); // setWidget() turns it on
    column->addWidget(scroll_, 1);

    if (footer) {
        if (QLayout* pageLayout = page->layout()) {
            const QMargins margins = pageLayout->contentsMargins();
            inset_ = QMargins(margins.left(), kFooterGap, margins.right(), margins.bottom());
            // The page's spacing stays the gap above the buttons while nothing scrolls.
            const int gap = pageLayout->spacing() >= 0 ? pageLayout->spacing() : margins.bottom();
            pageLayout->setContentsMargins(margins.left(), margins.top(), margins.right(),
                                           std::max(0, gap - kFooterGap));
        }
        auto* box = new QWidget;
        box->setObjectName(QStringLiteral("sheetFooter"));
        auto* row = new QVBoxLayout(box);
        row->addWidget(footer); // leaves the page's layout
        column->addWidget(box);
        alignFooter();
    }
    page->installEventFilter(this);
    scroll_->viewport()->installEventFilter(this);
    scroll_->verticalScrollBar()->installEventFilter(this);
}

void SheetFrame::fitPage() {
    // As wide as the viewport; as tall as it too, unless the page cannot give way that far.
    const int width = scroll_->viewport()->width();
    int minimum = page_->minimumSizeHint().height();
    if (QLayout* layout = page_->layout(); layout && layout->hasHeightForWidth())
        minimum = layout->totalMinimumHeightForWidth(width);
    page_->resize(width, std::max({scroll_->viewport()->height(), minimum, page_->minimumHeight()}));
}

void SheetFrame::alignFooter() {
    if (!footer_)
        return;
    // The buttons line up with the page's fields, which the scroll bar narrows while it shows.
    QScrollBar* bar = scroll_->verticalScrollBar();
    const int barWidth = bar->isVisibleTo(this) ? bar->sizeHint().width() : 0;
    const QMargins own = footer_->layout() ? footer_->layout()->contentsMargins() : QMargins();
    const QMargins inset = inset_ + QMargins(0, 0, barWidth, 0);
    footer_->parentWidget()->layout()->setContentsMargins(
        std::max(0, inset.left() - own.left()), std::max(0, inset.top() - own.top()),
        std::max(0, inset.right() - own.right()), std::max(0, inset.bottom() - own.bottom()));
}

int SheetFrame::heightFor(int width) const {
    // The page is as wide as the frame, less the scroll bar while it shows.
    QScrollBar* bar = scroll_->verticalScrollBar();
    const int pageWidth = width - (bar->isVisibleTo(this) ? bar->sizeHint().width() : 0);
    const int pageHeight =
        page_->hasHeightForWidth() ? page_->heightForWidth(pageWidth) : page_->sizeHint().height();
    int height = std::max(pageHeight, page_->minimumSizeHint().height());
    if (footer_)
        height += footer_->parentWidget()->sizeHint().height();
    return height;
}

QSize SheetFrame::sizeHint() const {
    return {page_->sizeHint().width(), heightFor(width())};
}

bool SheetFrame::eventFilter(QObject* watched, QEvent* event) {
    // The page's height changed (a section shown, chips wrapped) or its width did: the page
    // fits the viewport again and the card around the frame takes the new height.
    const bool pageChanged = watched == page_ && event->type() == QEvent::LayoutRequest;
    const bool viewportResized = watched == scroll_->viewport() && event->type() == QEvent::Resize;
    if (pageChanged || viewportResized)
        fitPage();
    if (pageChanged || (viewportResized &&
                        static_cast<QResizeEvent*>(event)->oldSize().width() != scroll_->viewport()->width()))
        updateGeometry();
    if (watched == scroll_->verticalScrollBar() &&
        (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        alignFooter();
    return QWidget::eventFilter(watched, event);
}
