#pragma once

#include "ViewModels/AppEnvironment.h"

#include <QDateTime>
#include <QWidget>

class BillsViewModel;
class QLabel;
class QVBoxLayout;

// The "Bills" tab: every recurring bill with whether it is paid in the month shown, the month
// selector, the total of all bills and their count, and "Add Bill". It hands adds, deletes and
// payments to its view model; it fetches the bills again each time it is shown.
class BillsView : public QWidget {
    Q_OBJECT
public:
    explicit BillsView(const AppEnvironment& env, QWidget* parent = nullptr);

    BillsViewModel* viewModel() const { return viewModel_; }
    QDateTime currentMonth() const { return currentMonth_; }
    void previousMonth();
    void nextMonth();
    void showAddBill();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildTotalCard();
    QWidget* buildEmptyState();
    QWidget* buildList();
    void render();

    BillsViewModel* viewModel_;
    QDateTime currentMonth_;
    QLabel* monthLabel_ = nullptr;
    QVBoxLayout* body_ = nullptr;
    QWidget* content_ = nullptr;
    bool shownBefore_ = false;
};
