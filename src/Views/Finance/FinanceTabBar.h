#pragma once

#include "Views/Finance/FinanceTab.h"

#include <QWidget>

#include <vector>

class FinanceTabButton;

// The row of the five finance tabs on a rounded bar; the chosen tab lies on a lighter pill.
class FinanceTabBar : public QWidget {
    Q_OBJECT
public:
    explicit FinanceTabBar(QWidget* parent = nullptr);

    FinanceTab selected() const { return selected_; }
    void setSelected(FinanceTab tab);
    FinanceTabButton* button(FinanceTab tab) const;

signals:
    // The user chose a tab other than the one shown.
    void tabChosen(FinanceTab tab);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<FinanceTabButton*> buttons_;
    FinanceTab selected_ = FinanceTab::overview;
};
