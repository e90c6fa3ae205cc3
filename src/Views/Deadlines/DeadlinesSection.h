#pragma once

#include "ViewModels/DeadlinesViewModel.h"

#include <QWidget>

#include <vector>

class DeadlineCardView;
class FinanceDeadlineCardView;
class QLabel;

// One bucket of the deadlines screen: its symbol, title and count, then its goals (earliest
// deadline first) and after them its bills and renewals.
class DeadlinesSection : public QWidget {
    Q_OBJECT
public:
    DeadlinesSection(const QString& title, const QString& symbol, const QColor& color,
                     const DeadlinesViewModel::Goals& goals,
                     const DeadlinesViewModel::FinanceDeadlines& finance, QWidget* parent = nullptr);

    QString title() const { return title_; }
    QString countText() const;
    const std::vector<DeadlineCardView*>& goalCards() const { return goalCards_; }
    const std::vector<FinanceDeadlineCardView*>& financeCards() const { return financeCards_; }
    void tick();

private:
    QString title_;
    QLabel* count_;
    std::vector<DeadlineCardView*> goalCards_;
    std::vector<FinanceDeadlineCardView*> financeCards_;
};
