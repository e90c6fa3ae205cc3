#include "Views/Finance/CashFlowView.h"

#include "Views/Finance/BillsView.h"
#include "Views/Finance/CommitmentsView.h"
#include "Views/Finance/FinanceTabScreens.h"

#include "Components/DonutChart.h"
#include "Components/FocusRing.h"
#include "Components/NumberFieldNote.h"
#include "Components/VirtualList.h"
#include "Models/Expense.h"
#include "Models/Income.h"
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "ViewModels/Finance/CategoryStore.h"
#include "Views/Finance/AddExpenseSheet.h"
#include "Views/Finance/AddIncomeSheet.h"
#include "Views/Finance/CashFlowEntryRow.h"
#include "Views/Finance/FinanceScreenTest.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class CashFlowViewTest : public FinanceScreenTest {
protected:
    CashFlowViewTest() : FinanceScreenTest(local(2026, 3, 14, 10)) {}
    CashFlowViewModel* viewModel() { return static_cast<CashFlowView*>(view.get())->viewModel(); }
    // A month with two incomes, four fixed and two dynamic expenses.
    void seedMonth();
};

} // namespace

TEST_F(CashFlowViewTest, TheInlineSetRecordsIncomeIntoTheChosenAccount) {
    auto a = makeAccount("A", 1000);
    open<CashFlowView>();
    EXPECT_NE(find<QLabel>("incomeQuestion"), nullptr);
    EXPECT_EQ(find<QWidget>("allocationCard"), nullptr);
    qv::test::saveScreen(view.get(), "cashflow-empty-month");

    auto* set = find<QPushButton>("setIncomeButton");
    ASSERT_NE(set, nullptr);
    EXPECT_FALSE(set->isEnabled());
    const int fieldHeight = find<QLineEdit>("incomeAmountField")->height();
    for (const QString& refused : {QString(" 250"), QString("250 "), QString("1,5"), QString("inf")}) {
        type("incomeAmountField", refused);
        EXPECT_FALSE(find<QPushButton>("setIncomeButton")->isEnabled()) << refused.toStdString();
        EXPECT_NE(find<NumberFieldNote>("numberFieldNote"), nullptr) << "and says why";
        EXPECT_EQ(find<QLineEdit>("incomeAmountField")->height(), fieldHeight) << "the card grows for it";
    }
    qv::test::saveScreen(view.get(), "cashflow-income-form-refused");
    for (const QString& ignored : {QString("0"), QString("-5")}) {
        type("incomeAmountField", ignored);
        click("setIncomeButton");
        EXPECT_TRUE(viewModel()->incomes().empty());
    }

    type("incomeAmountField", "250.5");
    click("setIncomeButton");
    EXPECT_EQ(a->balance(), 1250.5);
    EXPECT_EQ(text("incomeTotal"), QString("₹250.50"));
    EXPECT_EQ(find<QWidget>("inlineIncomeForm"), nullptr);
    EXPECT_NE(find<QWidget>("allocationCard"), nullptr);

    // "plus" opens the form again on the first account.
    click("addIncomeButton");
    EXPECT_NE(find<QWidget>("inlineIncomeForm"), nullptr);
    EXPECT_EQ(find<QLineEdit>("incomeAmountField")->text(), QString());
    qv::test::saveScreen(view.get(), "cashflow-income-form");
}

TEST_F(CashFlowViewTest, AllocatingTheWholeIncomeReadsFullyAllocated) {
    open<CashFlowView>();
    ASSERT_TRUE(viewModel()->setIncome(1000, std::nullopt));
    qv::test::settle();
    EXPECT_EQ(text("allocationStatus"), QString("₹1,000.00 remaining to allocate"));
    EXPECT_EQ(find<DonutChart>("allocationDonut")->drawnSliceCount(), 1);

    for (const char* amount : {"600", "400"}) {
        click("allocateButton");
        ASSERT_NE(sheet(), nullptr);
        QWidget* form = sheet()->content();
        EXPECT_EQ(find<QWidget>("typeSection", form), nullptr); // the type is fixed here
        type("titleField", QStringLiteral("Plan %1").arg(amount), form);
        type("amountField", amount, form);
        click("saveButton", form);
        EXPECT_TRUE(sheet() == nullptr || sheet()->isDismissing());
        qv::test::settle();
    }
    EXPECT_EQ(viewModel()->fixedExpenses().size(), 2u);
    EXPECT_EQ(text("allocationStatus"), QString("Fully allocated"));
    EXPECT_EQ(find<DonutChart>("allocationDonut")->drawnSliceCount(), 2);
    EXPECT_EQ(text("dynamicSummary"), QString("₹0.00 spent of ₹0.00 available"));
}

TEST_F(CashFlowViewTest, EditingADebitExpenseGivesTheDifferenceBack) {
    auto a = makeAccount("A", 1000);
    open<CashFlowView>();
    auto* vm = viewModel();
    ASSERT_TRUE(vm->setIncome(3000, std::nullopt));
    ExpenseDraft d{"Groceries", 200,     now, CashFlowViewModel::dynamicType, "debit", {}, "Food",
                   "",          a->id(), {}};
    ASSERT_TRUE(vm->addExpense(d));
    EXPECT_EQ(a->balance(), 800);
    qv::test::settle();

    click("editButton", find<QWidget>("dynamicRow"));
    ASSERT_NE(sheet(), nullptr);
    QWidget* form = sheet()->content();
    EXPECT_EQ(find<QLineEdit>("amountField", form)->text(), QString("200.0"));
    EXPECT_NE(find<QWidget>("typeSection", form), nullptr);
    type("amountField", "150", form);
    click("saveButton", form);
    EXPECT_EQ(a->balance(), 850);
    EXPECT_EQ(vm->dynamicExpenses().at(0)->amount(), 150);
    EXPECT_EQ(vm->dynamicExpenses().at(0)->category(), QString("Food"));
}

TEST_F(CashFlowViewTest, ReturnInTheNewCategoryFieldAddsItAndKeepsTheSheetOpen) {
    open<CashFlowView>();
    ASSERT_TRUE(viewModel()->setIncome(1000, std::nullopt));
    qv::test::settle();
    click("addDynamicButton");
    ASSERT_NE(sheet(), nullptr);
    QWidget* form = sheet()->content();
    click("newCategoryButton", form);
    type("newCategoryField", "  Pets\t", form);
    QTest::keyClick(find<QLineEdit>("newCategoryField", form), Qt::Key_Return);
    qv::test::settle();
    EXPECT_TRUE(CategoryStore::shared().categories().contains("Pets"));
    ASSERT_NE(sheet(), nullptr);
    EXPECT_FALSE(sheet()->isDismissing());
    auto* expenseSheet = qobject_cast<AddExpenseSheet*>(form);
    ASSERT_NE(expenseSheet, nullptr);
    EXPECT_EQ(expenseSheet->category(), QString("Pets"));
    EXPECT_EQ(find<QLineEdit>("newCategoryField", form), nullptr);
    qv::test::saveScreen(sheet()->window(), "cashflow-expense-sheet");
}

TEST_F(CashFlowViewTest, AFailedSaveLeavesTheSheetOpenWithItsValues) {
    auto a = makeAccount("A", 500);
    open<CashFlowView>();
    ASSERT_TRUE(viewModel()->setIncome(1000, a->id()));
    qv::test::settle();
    refuseWrites({"Expense"});
    click("allocateButton");
    QWidget* form = sheet()->content();
    type("titleField", "Rent", form);
    type("amountField", "300", form);
    testing::internal::CaptureStdout();
    click("saveButton", form);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("CoreData save error: "), std::string::npos);
    ASSERT_NE(sheet(), nullptr);
    EXPECT_FALSE(sheet()->isDismissing());
    EXPECT_EQ(find<QLineEdit>("amountField", form)->text(), QString("300"));
    EXPECT_EQ(a->balance(), 1500);
    EXPECT_TRUE(viewModel()->fixedExpenses().empty());
}

void CashFlowViewTest::seedMonth() {
    auto a = makeAccount("HDFC Savings", 42000);
    auto card = makeCard("Alpha", 25, 15);
    open<CashFlowView>();
    auto* vm = viewModel();
    vm->setIncome(85000, a->id());
    vm->setIncome(12000, std::nullopt);
    const char* fixed[] = {"Rent", "Car loan EMI", "Insurance", "Mutual fund SIP"};
    const double amounts[] = {25000, 12000, 3500, 10000};
    for (int i = 0; i < 4; ++i)
        vm->addExpense(
            {fixed[i], amounts[i], now, CashFlowViewModel::fixedType, "debit", {}, "", "", a->id(), {}});
    vm->addExpense({"Dinner out",
                    2400,
                    local(2026, 3, 8),
                    CashFlowViewModel::dynamicType,
                    "creditCard",
                    card->id(),
                    "Food",
                    "",
                    {},
                    {}});
    vm->addExpense({"Metro card",
                    500,
                    local(2026, 3, 3),
                    CashFlowViewModel::dynamicType,
                    "cash",
                    {},
                    "Transport",
                    "",
                    a->id(),
                    {}});
    qv::test::settle();
}

TEST_F(CashFlowViewTest, RendersAMonthWithIncomesExpensesAndTheDonut) {
    seedMonth();
    auto* vm = viewModel();
    EXPECT_EQ(find<DonutChart>("allocationDonut")->drawnSliceCount(), 5);
    view->resize(1000, 1180);
    qv::test::saveScreen(view.get(), "cashflow-month");
    view->resize(1000, 760);

    static_cast<CashFlowView*>(view.get())->editIncome(vm->incomes().at(0));
    qv::test::settle();
    ASSERT_NE(sheet(), nullptr);
    EXPECT_EQ(find<QLineEdit>("amountField", sheet()->content())->text(), QString("85000.0"));
    qv::test::saveScreen(view.get(), "cashflow-income-sheet");
}

TEST_F(CashFlowViewTest, TheMonthAndItsRowsReadInTheLocalesOrder) {
    qv::test::LocaleScope german(QStringLiteral("de_DE"));
    seedMonth();
    auto& screen = static_cast<CashFlowView&>(*view);
    EXPECT_EQ(text("monthLabel"), QString("März 2026"));
    const auto& incomes = screen.rows(CashFlowView::Kind::IncomeRow);
    ASSERT_FALSE(incomes.empty());
    EXPECT_EQ(incomes.front().date, QString("1. März"));
    EXPECT_EQ(incomes.front().amount, QString("85.000,00\u00a0₹"));
    const auto& dynamic = screen.rows(CashFlowView::Kind::DynamicRow);
    ASSERT_EQ(dynamic.size(), 2u);
    EXPECT_EQ(dynamic.front().date, QString("3. März"));
    view->resize(1000, 1180);
    qv::test::saveScreen(view.get(), "cashflow-month-de");
}

TEST_F(CashFlowViewTest, ALongMonthMakesOnlyTheRowsInViewAndAReusedRowActsForItsEntry) {
    auto a = makeAccount("A", 100000);
    auto& screen = FinanceScreenTest::open<CashFlowView>();
    auto* vm = viewModel();
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(vm->setIncome(1000 + i, std::nullopt));
    for (int i = 0; i < 120; ++i)
        ASSERT_TRUE(vm->addExpense({QStringLiteral("Plan %1").arg(i),
                                    10,
                                    now,
                                    CashFlowViewModel::fixedType,
                                    "debit",
                                    {},
                                    "",
                                    "",
                                    {},
                                    {}}));
    for (int i = 0; i < 300; ++i)
        ASSERT_TRUE(vm->addExpense({QStringLiteral("Spend %1").arg(i),
                                    5,
                                    local(2026, 3, 1 + i % 28),
                                    CashFlowViewModel::dynamicType,
                                    "debit",
                                    {},
                                    i % 2 ? "Food" : "",
                                    "",
                                    a->id(),
                                    {}}));
    qv::test::settle();
    VirtualList* list = screen.list();
    EXPECT_EQ(int(screen.items().size()), 1 + 40 + 1 + 120 + 1 + 300);
    EXPECT_LE(list->rowsMade(), 20);

    // Scrolled to the end, rows are handed on: the last dynamic row edits and deletes its own expense.
    const int last = int(screen.items().size()) - 1;
    list->scrollToIndex(last);
    qv::test::settle();
    EXPECT_LE(list->rowsMade(), 40);
    auto* row = qobject_cast<CashFlowEntryRow*>(list->rowWidget(last));
    ASSERT_NE(row, nullptr);
    EXPECT_TRUE(row->figures().lastInCard);
    EXPECT_GE(list->rowRect(last).height(), row->sizeHint().height()); // nothing is cut off
    const auto expense = row->figures().expense.lock();
    ASSERT_NE(expense, nullptr);
    EXPECT_EQ(find<QLabel>("dynamicTitle", row)->text(), expense->title().value());
    click("editButton", row);
    ASSERT_NE(sheet(), nullptr);
    EXPECT_EQ(find<QLineEdit>("titleField", sheet()->content())->text(), expense->title().value());
    click("cancelButton", sheet()->content());
    qv::test::settle();
    const double before = a->balance();
    click("deleteButton", list->rowWidget(last));
    EXPECT_EQ(vm->dynamicExpenses().size(), 299u);
    EXPECT_EQ(a->balance(), before + 5);

    // Back where the fixed rows meet the dynamic card, each place holds a row of its own kind.
    list->scrollToIndex(1 + 40 + 1 + 120);
    qv::test::settle();
    const std::map<CashFlowView::Kind, QString> names{{CashFlowView::Kind::IncomeRow, "incomeRow"},
                                                      {CashFlowView::Kind::FixedRow, "allocationRow"},
                                                      {CashFlowView::Kind::DynamicRow, "dynamicRow"}};
    int checked = 0;
    for (QWidget* shown : list->rowsInView()) {
        const auto kind = screen.items()[std::size_t(list->indexOf(shown))].kind;
        if (names.count(kind)) {
            EXPECT_EQ(shown->objectName(), names.at(kind));
            ++checked;
        }
    }
    EXPECT_GT(checked, 4);
}

TEST_F(CashFlowViewTest, TheFinanceTabsShowTheMoneyScreens) {
    const AppEnvironment env = screens.env(context);
    QWidget host;
    EXPECT_NE(qobject_cast<CashFlowView*>(FinanceTabScreens::make(FinanceTab::cashFlow, env, &host)),
              nullptr);
    EXPECT_NE(qobject_cast<CommitmentsView*>(FinanceTabScreens::make(FinanceTab::commitments, env, &host)),
              nullptr);
    EXPECT_NE(qobject_cast<BillsView*>(FinanceTabScreens::make(FinanceTab::bills, env, &host)), nullptr);
}

TEST_F(CashFlowViewTest, AfterSetFromTheKeyboardTheFocusStaysOnTheIncomeCard) {
    makeAccount("A", 1000);
    FocusRing::install(); // as the application's window does
    open<CashFlowView>();
    QApplication::setActiveWindow(view.get());
    type("incomeAmountField", "400");
    auto* set = find<QPushButton>("setIncomeButton");
    ASSERT_NE(set, nullptr);
    set->setFocus(Qt::TabFocusReason);
    QTest::keyClick(set, Qt::Key_Space);
    qv::test::settle();
    ASSERT_EQ(viewModel()->incomes().size(), 1u);
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->objectName(), QStringLiteral("addIncomeButton"))
        << "the card's plus takes the form's place";
    ASSERT_NE(FocusRing::current(), nullptr);
    EXPECT_EQ(FocusRing::current()->target(), focus);
}
