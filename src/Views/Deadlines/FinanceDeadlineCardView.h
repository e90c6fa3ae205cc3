#pragma once

#include "ViewModels/DeadlinesViewModel.h"

#include <QWidget>

class QLabel;

// One bill or renewal on the deadlines screen: a bar and a tile of its colour with its icon,
// what is due and when, and the amount in whole units of the user's finance currency. A card
// is made empty and filled by bind(); the list hands it on to another item as it scrolls.
class FinanceDeadlineCardView : public QWidget {
    Q_OBJECT
public:
    explicit FinanceDeadlineCardView(QWidget* parent = nullptr);

    void bind(const FinanceDeadline& item);
    // The height a card takes (all are alike).
    static int naturalHeight();

    const FinanceDeadline& item() const { return item_; }
    QString labelText() const { return item_.label; }
    QString dateText() const;
    QString amountText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showAmount();
    void showLabel();

    FinanceDeadline item_;
    QWidget* badge_;
    QLabel* label_;
    QLabel* date_;
    QLabel* amount_;
};
