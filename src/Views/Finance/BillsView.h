#pragma once

#include "ViewModels/AppEnvironment.h"
#include "Views/Finance/BillRow.h"

#include <QWidget>

#include <vector>

class Bill;
class BillsViewModel;
class ElidedLabel;
class QLabel;
class QPushButton;
class VirtualList;

// The "Bills" tab: every recurring bill with whether it is paid in the month shown, the month
// selector, the total of all bills and their count, and "Add Bill". It hands adds, deletes and
// payments to its view model; it fetches the bills again each time it is shown.
class BillsView : public QWidget {
    Q_OBJECT
public:
    explicit BillsView(const AppEnvironment& env, QWidget* parent = nullptr);
    ~BillsView() override;

    BillsViewModel* viewModel() const { return viewModel_; }
    void showAddBill();
    // The rows of the list, in order (only those in view have widgets).
    const std::vector<BillRow::Figures>& shownRows() const { return rows_; }
    VirtualList* list() const { return list_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildTotalCard();
    QWidget* buildEmptyState();
    void render();

    BillsViewModel* viewModel_;
    QLabel* monthLabel_ = nullptr;
    VirtualList* list_ = nullptr;
    QWidget* totalCard_ = nullptr;
    ElidedLabel* total_ = nullptr;
    QLabel* count_ = nullptr;
    QWidget* empty_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* emptyAdd_ = nullptr;
    std::vector<BillRow::Figures> rows_;
    bool shownBefore_ = false;
};
