#pragma once

#include "Views/Finance/FinanceTab.h"

#include <QAbstractButton>

// One button of the finance tab bar: the tab's symbol beside its title, the title elided to
// the room the bar gives it (the full title is the tooltip). The bar paints the selection pill.
class FinanceTabButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit FinanceTabButton(FinanceTab tab, QWidget* parent = nullptr);

    FinanceTab tab() const { return tab_; }
    void setSelected(bool selected);
    bool isSelected() const { return selected_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FinanceTab tab_;
    bool selected_ = false;
};
