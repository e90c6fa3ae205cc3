#pragma once

#include "ViewModels/AppEnvironment.h"
#include "Views/Finance/InvestmentRow.h"

#include <QWidget>

#include <memory>
#include <vector>

class Investment;
class InvestmentsViewModel;
class ElidedLabel;
class QLabel;
class QPushButton;
class QStackedWidget;
class VirtualList;

// The investments tab: "Portfolio" (the summary of every live holding and their list) and
// "Monthly" (the holdings bought in a chosen month), with a way to add a holding.
class InvestmentsView : public QWidget {
    Q_OBJECT
public:
    explicit InvestmentsView(const AppEnvironment& env, QWidget* parent = nullptr);

    InvestmentsViewModel* viewModel() const { return viewModel_; }
    QString selectedTab() const { return selectedTab_; }
    void selectTab(const QString& tag);
    void showAddSheet();
    // The rows of the list shown, in order; each row's figures are worked out when it comes
    // into view.
    int shownRowCount() const;
    InvestmentRow::Figures shownRow(int index) const;
    VirtualList* list() const { return list_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildTabBar();
    QWidget* buildSummary();
    QWidget* buildMonthNavigator();
    QWidget* holdingsHeading();
    QWidget* buildEmptyState();
    bool showingMonth() const;
    void showRows();
    void renderPortfolio();
    void renderMonth();

    InvestmentsViewModel* viewModel_;
    QString selectedTab_ = QStringLiteral("portfolio");
    QPushButton* portfolioTab_ = nullptr;
    QPushButton* monthlyTab_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    ElidedLabel* portfolioValue_ = nullptr;
    ElidedLabel* overallReturn_ = nullptr;
    ElidedLabel* invested_ = nullptr;
    ElidedLabel* profit_ = nullptr;
    ElidedLabel* holdingsCount_ = nullptr;
    QLabel* monthTitle_ = nullptr;
    VirtualList* list_ = nullptr;
    QWidget* empty_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* addFirst_ = nullptr;
    bool shownOnce_ = false;
};
