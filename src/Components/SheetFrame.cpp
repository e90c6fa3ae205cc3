#include "Components/SheetFrame.h"

#include "Core/Theme/Theme.h"

#include <QEvent>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// The scroll bar of a sheet: a rounded handle on a clear track, no arrows.
QString scrollBarSheet() {
    return QStringLiteral(
               "QScrollBar:vertical { background: transparent; width: 10px; margin: 4px 2px 4px 0; }"
               "QScrollBar::handle:vertical { background: %1; border-radius: 4px; min-height: 32px; }"
               "QScrollBar::handle:vertical:hover { background: %2; }"
               "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
               "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }")
        .arg(Theme::css(Theme::withOpacity(Theme::textMuted(), 0.45)),
             Theme::css(Theme::withOpacity(Theme::textMuted(), 0.7)));
}

} // namespace

SheetFrame::SheetFrame(QWidget* page, QWidget* footer, QWidget* parent)
    : QWidget(parent), scroll_(new QScrollArea), page_(page), footer_(footer) {
    setObjectName(QStringLiteral("sheetFrame"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    scroll_->setObjectName(QStringLiteral("sheetScroll"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll_->verticalScrollBar()->setStyleSheet(scrollBarSheet());
    scroll_->viewport()->setAutoFillBackground(false);
    // Only the scroll area is given the page: a style sheet on it would restyle the whole form.
    scroll_->setWidget(page);
    page->setAutoFillBackground(false); // setWidget() turns it on
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
    scroll_->installEventFilter(this);
    scroll_->verticalScrollBar()->installEventFilter(this);
}

void SheetFrame::alignFooter() {
    if (!footer_)
        return;
    // The buttons line up with the page's fields, which the scroll bar narrows while it shows.
    QScrollBar* bar = scroll_->verticalScrollBar();
    const int barWidth = bar->isVisibleTo(this) ? bar->sizeHint().width() : 0;
    footer_->parentWidget()->layout()->setContentsMargins(inset_ + QMargins(0, 0, barWidth, 0));
}

QSize SheetFrame::sizeHint() const {
    const QSize pageHint = page_->sizeHint();
    // The page is as wide as the viewport; before the first layout, as wide as the frame.
    const int width = scroll_->viewport()->width() > 1 ? scroll_->viewport()->width() : this->width();
    const int pageHeight = page_->hasHeightForWidth() ? page_->heightForWidth(width) : pageHint.height();
    int height = std::max(pageHeight, page_->minimumSizeHint().height());
    if (footer_)
        height += footer_->parentWidget()->sizeHint().height();
    return {pageHint.width(), height};
}

bool SheetFrame::eventFilter(QObject* watched, QEvent* event) {
    // The page's height changed (a section shown, chips wrapped) or its width did: the card
    // around the frame takes the new height.
    if ((watched == page_ && event->type() == QEvent::LayoutRequest) ||
        (watched == scroll_ && event->type() == QEvent::Resize &&
         static_cast<QResizeEvent*>(event)->oldSize().width() != scroll_->width()))
        updateGeometry();
    if (watched == scroll_->verticalScrollBar() &&
        (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        alignFooter();
    return QWidget::eventFilter(watched, event);
}
