#include "Views/Finance/OverviewView.h"

#include "Components/GroupedBarChart.h"
#include "Components/SheetHost.h"
#include "Models/BankAccount.h"
#include "Models/CreditCard.h"
#include "Models/Expense.h"
#include "Models/Income.h"
#include "Models/Investment.h"
#include "Platform/MoneyFormatter.h"
#include "ViewModels/Finance/OverviewViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "Views/Finance/AddBankAccountSheet.h"
#include "Views/Finance/AddInvestmentSheet.h"
#include "Views/Finance/FinanceShellTestSupport.h"
#include "Views/Finance/OverviewAccountRow.h"
#include "Views/Finance/OverviewHeroCard.h"

#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace {

class OverviewViewTest : public FinanceShellTest {
protected:
    OverviewView* open() { return show(new OverviewView(env(), window.get())); }
    void seed() {
        const QString names[] = {
            QStringLiteral("HDFC Savings"), QStringLiteral("Salary Account"),
            QStringLiteral("A very long account name that will not fit in its row at all")};
        const double balances[] = {84250.75, 152000, 1200};
        for (int i = 0; i < 3; ++i) {
            auto account = BankAccount::create(context);
            account->setName(names[i]);
            account->setBalance(balances[i]);
            account->setCreatedAt(Clock::now().addSecs(i));
        }
        for (int m = 0; m < 6; ++m) {
            const QDateTime day = QDateTime(QDate(2026, 3, 5), QTime(9, 0)).addMonths(-m);
            auto income = Income::create(context);
            income->setAmount(90000 + m * 5000);
            income->setDate(day);
            auto expense = Expense::create(context);
            expense->setAmount(40000 + (m % 3) * 15000);
            expense->setExpenseType(QStringLiteral("dynamic"));
            expense->setDate(day);
            expense->setBilledMonth(Expense::computeBilledMonth(day, nullptr));
        }
        auto holding = Investment::create(context);
        holding->setInvestmentType(QStringLiteral("stock"));
        holding->setUnits(10);
        holding->setCurrentPrice(2500);
        holding->setStatus(QStringLiteral("active"));
        context->save();
    }
    OverviewHeroCard* hero(OverviewView* view, const char* name) {
        return view->findChild<OverviewHeroCard*>(QString::fromLatin1(name));
    }
};

TEST_F(OverviewViewTest, HeadlinesAccountsAndChartFromTheModel) {
    seed();
    OverviewView* view = open();
    EXPECT_EQ(hero(view, "netWorthCard")->valueText(), QStringLiteral("₹262,451"));
    EXPECT_EQ(hero(view, "thisMonthCard")->valueText(), QStringLiteral("₹50,000"));
    EXPECT_EQ(hero(view, "thisMonthCard")->tint(), AppTheme::Colors::emerald());
    EXPECT_EQ(hero(view, "spendableCard")->valueText(), QStringLiteral("₹90,000"));
    EXPECT_EQ(view->findChild<QLabel*>(QStringLiteral("liquidCashTotal"))->text(),
              QStringLiteral("₹237,451"));
    const auto rows = view->findChildren<OverviewAccountRow*>(QStringLiteral("accountRow"));
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](auto* row) { return row->hasDivider(); }), 2)
        << "none under the last";
    auto* chart = view->findChild<GroupedBarChart*>();
    ASSERT_EQ(chart->groups().size(), 6u);
    EXPECT_EQ(chart->groups().front().label, QStringLiteral("Oct"));
    EXPECT_EQ(chart->groups().back().label, QStringLiteral("Mar"));
    // The axis reads as amounts are written, without the currency.
    for (std::size_t i = 0; i < chart->ticks().size(); ++i)
        EXPECT_EQ(chart->tickLabels()[i], MoneyFormatter::number(chart->ticks()[i], 0));
    EXPECT_EQ(chart->tickLabels()[1], QStringLiteral("50,000"));
    const auto bars = chart->barRects();
    ASSERT_EQ(bars.size(), 12u);
    EXPECT_LT(bars[0].right(), bars[1].left() + 0.01) << "a month's two bars stand side by side";
    EXPECT_GT(bars[2].left() - bars[1].right(), 1) << "with a gap before the next month";
    qv::test::saveScreen(window.get(), QStringLiteral("finance-overview"));
}

TEST_F(OverviewViewTest, EmptyAndNegative) {
    auto card = CreditCard::create(context);
    card->setStatementCloseDay(1);
    auto expense = Expense::create(context);
    expense->setAmount(300.4);
    expense->setExpenseType(QStringLiteral("dynamic"));
    expense->setDate(Clock::now());
    expense->setCreditCardID(card->id());
    expense->setBilledMonth(Expense::computeBilledMonth(Clock::now(), card));
    context->save();
    OverviewView* view = open();
    EXPECT_NE(view->findChild<QWidget*>(QStringLiteral("noAccounts")), nullptr);
    EXPECT_EQ(view->findChild<QLabel*>(QStringLiteral("liquidCashTotal"))->text(), QStringLiteral("₹0"));
    EXPECT_EQ(hero(view, "netWorthCard")->valueText(), QStringLiteral("-₹300"));
    EXPECT_EQ(hero(view, "thisMonthCard")->tint(), AppTheme::Colors::rose());
    qv::test::saveScreen(window.get(), QStringLiteral("finance-overview-empty"));
}

TEST_F(OverviewViewTest, TheChartAxisOfNoOrSmallFiguresReadsDistinctValues) {
    OverviewView* view = open();
    auto* chart = view->findChild<GroupedBarChart*>();
    EXPECT_EQ(chart->tickLabels(), (std::vector<QString>{QStringLiteral("0"), QStringLiteral("1")}));
    auto income = Income::create(context);
    income->setAmount(3);
    income->setDate(Clock::now());
    context->save();
    view->viewModel()->refresh();
    EXPECT_EQ(chart->tickLabels(), (std::vector<QString>{QStringLiteral("0"), QStringLiteral("1"),
                                                         QStringLiteral("2"), QStringLiteral("3")}));
}

// A store written before amounts were bounded may hold sums past a double: every figure that
// adds them shows a dash with the reason on hover, never "∞" or "nan", and the chart keeps
// three quarters of its width for its bars.
TEST_F(OverviewViewTest, SumsPastANumberShowDashesWithTheirReasonAndTheChartItsBars) {
    for (const char* name : {"First", "Second"}) {
        auto account = BankAccount::create(context);
        account->setName(QString::fromLatin1(name));
        account->setBalance(1e308);
        account->setCreatedAt(Clock::now());
    }
    for (int months : {0, 1}) {
        auto income = Income::create(context);
        income->setAmount(months == 0 ? 1e308 : 5e307);
        income->setDate(Clock::now().addMonths(-months));
    }
    context->save();
    OverviewView* view = open();
    qv::test::settle();
    for (const char* card : {"netWorthCard"}) {
        EXPECT_EQ(hero(view, card)->valueText(), MoneyFormatter::notShown) << card;
        EXPECT_FALSE(hero(view, card)->findChild<QLabel*>(QStringLiteral("heroValue"))->toolTip().isEmpty())
            << card << ": the reason on hover";
    }
    auto* liquid = view->findChild<QLabel*>(QStringLiteral("liquidCashTotal"));
    EXPECT_EQ(liquid->text(), MoneyFormatter::notShown);
    EXPECT_TRUE(liquid->toolTip().contains(QStringLiteral("more than can be shown")));
    for (auto* label : view->findChildren<QLabel*>()) {
        static const QRegularExpression unreadable(QStringLiteral("\u221e|\\bnan\\b|\\binf"),
                                                   QRegularExpression::CaseInsensitiveOption);
        EXPECT_FALSE(label->text().contains(unreadable))
            << label->objectName().toStdString() << ": " << label->text().toStdString();
    }
    auto* chart = view->findChild<GroupedBarChart*>();
    ASSERT_NE(chart, nullptr);
    EXPECT_LE(chart->labelRoom(), chart->width() / 4);
    for (const QString& label : chart->tickLabels())
        EXPECT_LE(label.size(), 8) << label.toStdString();
    const auto bars = chart->barRects();
    ASSERT_EQ(bars.size(), 12u);
    EXPECT_GT(bars[10].height(), 10) << "this month's income bar is drawn";
    EXPECT_GT(bars[10].width(), 4);
    qv::test::saveScreen(window.get(), QStringLiteral("finance-overview-sums-past-a-number"));
}

TEST_F(OverviewViewTest, AddEditAndDeleteAnAccountThroughItsSheet) {
    OverviewView* view = open();
    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("addAccountButton")), Qt::LeftButton);
    auto* sheet = qobject_cast<AddBankAccountSheet*>(SheetHost::topmost(window.get())->content());
    ASSERT_NE(sheet, nullptr);
    QTest::keyClicks(sheet->nameField(), QStringLiteral("  Salary "));
    for (const char* refused : {"1,500", "nan", "inf", "1e999", " 1500", ""}) {
        sheet->balanceField()->setText(QString::fromLatin1(refused));
        EXPECT_FALSE(sheet->confirmButton()->isEnabled()) << refused;
    }
    sheet->balanceField()->setText(QStringLiteral("-20"));
    EXPECT_FALSE(sheet->confirmButton()->isEnabled()) << "off, with the line saying why";
    QTest::mouseClick(sheet->confirmButton(), Qt::LeftButton);
    EXPECT_TRUE(view->viewModel()->bankAccounts().empty()) << "a negative balance is refused";
    sheet->balanceField()->setText(QStringLiteral("1500"));
    qv::test::saveScreen(window.get(), QStringLiteral("finance-account-sheet"));
    QTest::mouseClick(sheet->confirmButton(), Qt::LeftButton);
    qv::test::settle();
    ASSERT_EQ(view->viewModel()->bankAccounts().size(), 1u);
    EXPECT_EQ(view->viewModel()->bankAccounts()[0]->name(), QStringLiteral("Salary"));
    EXPECT_EQ(view->findChild<QLabel*>(QStringLiteral("liquidCashTotal"))->text(), QStringLiteral("₹1,500"));
    EXPECT_EQ(SheetHost::topmost(window.get()), nullptr);

    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("editAccount")), Qt::LeftButton);
    auto* edit = qobject_cast<AddBankAccountSheet*>(SheetHost::topmost(window.get())->content());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->balanceField()->text(), QStringLiteral("1500.0"));
    EXPECT_EQ(edit->confirmButton()->text(), QStringLiteral("Save Changes"));
    edit->balanceField()->setText(QStringLiteral("2000.25"));
    QTest::mouseClick(edit->confirmButton(), Qt::LeftButton);
    qv::test::settle();
    EXPECT_EQ(view->findChild<QLabel*>(QStringLiteral("liquidCashTotal"))->text(), QStringLiteral("₹2,000"));
    EXPECT_EQ(hero(view, "netWorthCard")->valueText(), QStringLiteral("₹2,000"));

    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("deleteAccount")), Qt::LeftButton);
    qv::test::settle();
    EXPECT_TRUE(view->viewModel()->bankAccounts().empty());
    EXPECT_EQ(hero(view, "netWorthCard")->valueText(), QStringLiteral("₹0"));
}

TEST_F(OverviewViewTest, AFailedAccountSaveKeepsTheSheetOpenWithItsValues) {
    persistence.reset();
    const QString path = PersistenceController::defaultStorePath();
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
    persistence = std::make_unique<PersistenceController>(false);
    context = persistence->viewContext();
    {
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE);
        db.exec("CREATE TRIGGER refuse BEFORE INSERT ON \"BankAccount\" BEGIN SELECT RAISE(ABORT, 'disk is "
                "full'); END;");
    }
    OverviewView* view = open();
    view->showAddAccount();
    auto* sheet = qobject_cast<AddBankAccountSheet*>(SheetHost::topmost(window.get())->content());
    sheet->nameField()->setText(QStringLiteral("Salary"));
    sheet->balanceField()->setText(QStringLiteral("10"));
    testing::internal::CaptureStdout();
    QTest::mouseClick(sheet->confirmButton(), Qt::LeftButton);
    testing::internal::GetCapturedStdout();
    qv::test::settle();
    EXPECT_EQ(SheetHost::topmost(window.get())->content(), sheet);
    EXPECT_EQ(sheet->nameField()->text(), QStringLiteral("Salary"));
    EXPECT_TRUE(view->viewModel()->bankAccounts().empty());
}

TEST_F(OverviewViewTest, AddInvestmentFromTheQuickAction) {
    OverviewView* view = open();
    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("addInvestmentButton")), Qt::LeftButton);
    auto* sheet = qobject_cast<AddInvestmentSheet*>(SheetHost::topmost(window.get())->content());
    ASSERT_NE(sheet, nullptr);
    sheet->field("nameField")->setText(QStringLiteral("Acme"));
    sheet->field("unitsField")->setText(QStringLiteral("4"));
    sheet->field("buyPriceField")->setText(QStringLiteral("25"));
    sheet->submit();
    qv::test::settle();
    EXPECT_EQ(SheetHost::topmost(window.get()), nullptr);
    EXPECT_EQ(hero(view, "netWorthCard")->valueText(), QStringLiteral("₹100"));
}

} // namespace
