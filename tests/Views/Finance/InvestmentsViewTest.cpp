#include "Views/Finance/InvestmentsView.h"

#include "Components/SheetHost.h"
#include "Components/VirtualList.h"
#include "Models/Investment.h"
#include "ViewModels/Finance/InvestmentsViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "Views/Finance/AddInvestmentSheet.h"
#include "Views/Finance/FinanceShellTestSupport.h"
#include "Views/Finance/InvestmentRow.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class InvestmentsViewTest : public FinanceShellTest {
protected:
    InvestmentsView* open() { return show(new InvestmentsView(env(), window.get())); }
    QString text(InvestmentsView* view, const char* name) {
        return view->findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
    QColor color(InvestmentsView* view, const char* name) {
        return view->findChild<QLabel*>(QString::fromLatin1(name))->palette().color(QPalette::WindowText);
    }
    QStringList listed(InvestmentsView* view) {
        QStringList names;
        for (int i = 0; i < view->shownRowCount(); ++i)
            names << view->shownRow(i).name;
        return names;
    }
    void seed() {
        Investment::Draft stock;
        stock.name = QStringLiteral("Acme");
        stock.investmentType = QStringLiteral("stock");
        stock.units = 10;
        stock.buyPrice = 100;
        stock.currentPrice = 120;
        stock.investedAmount = 1000;
        stock.buyDate = QDateTime(QDate(2026, 3, 2), QTime(10, 0));
        Investment::insertHolding(context, stock);
        Clock::advance(60);
        Investment::Draft flat;
        flat.name = QStringLiteral("Flat in Pune");
        flat.investmentType = QStringLiteral("realEstate");
        flat.investedAmount = 5000;
        flat.buyDate = QDateTime(QDate(2026, 2, 14), QTime(10, 0));
        Investment::insertHolding(context, flat);
        context->save();
    }
};

TEST_F(InvestmentsViewTest, PortfolioAndMonthlyTabs) {
    seed();
    InvestmentsView* view = open();
    EXPECT_EQ(text(view, "portfolioValue"), QStringLiteral("₹6,200"));
    EXPECT_EQ(text(view, "investedTotal"), QStringLiteral("₹6,000"));
    EXPECT_EQ(text(view, "profitAndLoss"), QStringLiteral("₹200"));
    EXPECT_EQ(color(view, "profitAndLoss"), AppTheme::Colors::emerald());
    EXPECT_EQ(text(view, "overallReturn"), QStringLiteral("+3.3%"));
    EXPECT_EQ(text(view, "holdingsCount"), QStringLiteral("2"));
    EXPECT_EQ(listed(view), (QStringList{"Flat in Pune", "Acme"}));
    ASSERT_EQ(view->shownRowCount(), 2);
    EXPECT_EQ(view->shownRow(1).returnText, QStringLiteral("+20.0%"));
    EXPECT_EQ(view->shownRow(1).typeLabel, QStringLiteral("Stock / ETF"));
    EXPECT_TRUE(view->shownRow(1).growthText.isEmpty()) << "bought less than 30 days ago";
    EXPECT_EQ(view->shownRow(0).valueText, QStringLiteral("₹5,000"));
    qv::test::saveScreen(window.get(), QStringLiteral("finance-investments-portfolio"));

    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("monthlyTab")), Qt::LeftButton);
    qv::test::settle();
    EXPECT_EQ(listed(view), QStringList{"Acme"});
    EXPECT_EQ(text(view, "monthTitle"), QStringLiteral("March 2026"));
    EXPECT_FALSE(view->findChild<QWidget*>(QStringLiteral("portfolioSummary"))->isVisibleTo(view));
    qv::test::saveScreen(window.get(), QStringLiteral("finance-investments-monthly"));
    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("previousMonth")), Qt::LeftButton);
    EXPECT_EQ(listed(view), QStringList{"Flat in Pune"});

    // Deleting from the month removes it from the portfolio too.
    QWidget* row = view->list()->rowWidget(0);
    ASSERT_NE(row, nullptr);
    QTest::mouseClick(row->findChild<QPushButton*>(QStringLiteral("deleteHolding")), Qt::LeftButton);
    qv::test::settle();
    EXPECT_EQ(view->viewModel()->investmentCount(), 1);
    EXPECT_EQ(text(view, "holdingsCount"), QStringLiteral("1"));
}

TEST_F(InvestmentsViewTest, EmptyPortfolioAndItsAddPath) {
    InvestmentsView* view = open();
    EXPECT_EQ(text(view, "portfolioValue"), QStringLiteral("₹0"));
    EXPECT_EQ(text(view, "overallReturn"), QStringLiteral("+0.0%"));
    EXPECT_EQ(color(view, "overallReturn"), AppTheme::Colors::emerald());
    EXPECT_EQ(color(view, "profitAndLoss"), AppTheme::Colors::emerald());
    EXPECT_TRUE(view->findChild<QWidget*>(QStringLiteral("holdingsEmpty"))->isVisibleTo(view));
    qv::test::saveScreen(window.get(), QStringLiteral("finance-investments-empty"));

    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("addFirstButton")), Qt::LeftButton);
    auto* sheet = qobject_cast<AddInvestmentSheet*>(SheetHost::topmost(window.get())->content());
    ASSERT_NE(sheet, nullptr);
    sheet->selectType(QStringLiteral("fixedDeposit"));
    sheet->field("nameField")->setText(QStringLiteral("SBI FD"));
    sheet->field("investedField")->setText(QStringLiteral("10000"));
    sheet->field("interestRateField")->setText(QStringLiteral("7.1"));
    qv::test::saveScreen(window.get(), QStringLiteral("finance-add-investment-deposit"));
    sheet->submit();
    qv::test::settle();
    EXPECT_EQ(SheetHost::topmost(window.get()), nullptr);
    EXPECT_EQ(listed(view), QStringList{"SBI FD"});
}

} // namespace
