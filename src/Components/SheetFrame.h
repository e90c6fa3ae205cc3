#pragma once

#include <QWidget>

class QScrollArea;

// The frame of a sheet's form: the page in a scroll area that asks for the page's whole height
// (the sheet's card takes it while the window has room), scrolling beyond that with a thin
// scroll bar in the theme's colours, and the form's buttons pinned below it, in view however
// far the page scrolls. It paints nothing: the form paints its background behind it.
class SheetFrame : public QWidget {
    Q_OBJECT
public:
    // A footer inside the page leaves it and sits below the scroll area, inset by the page's
    // side and bottom margins; the page keeps its spacing as the gap above the footer. Margins
    // of the footer's own layout (room for the focus ring around its buttons) are part of that
    // inset, so the buttons stand where they would without them.
    explicit SheetFrame(QWidget* page, QWidget* footer = nullptr, QWidget* parent = nullptr);

    QWidget* footer() const { return footer_; }
    // The height the frame asks for at a width: the page's whole height and the footer's.
    int heightFor(int width) const;
    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void alignFooter();
    void fitPage();

    static constexpr int kFooterGap = 16;
    QScrollArea* scroll_;
    QWidget* page_;
    QWidget* footer_;
    QMargins inset_;
};
