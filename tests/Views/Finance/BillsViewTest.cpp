#include "Views/Finance/BillsView.h"

#include "Components/MenuPicker.h"
#include "Components/SegmentedPicker.h"
#include "Components/Stepper.h"
#include "Components/VirtualList.h"
#include "Models/Bill.h"
#include "ViewModels/Finance/BillsViewModel.h"
#include "Views/Finance/AddBillSheet.h"
#include "Views/Finance/BillRow.h"
#include "Views/Finance/FinanceScreenTest.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class BillsViewTest : public FinanceScreenTest {
protected:
    BillsViewTest() : FinanceScreenTest(local(2026, 12, 10, 10)) {}
    void open() { open<BillsView>(); }
    using FinanceScreenTest::open;
    BillsViewModel* viewModel() { return static_cast<BillsView*>(view.get())->viewModel(); }
};

} // namespace

TEST_F(BillsViewTest, MonthsStepAcrossTheYearEndAndThePaidStateFollowsTheMonth) {
    auto card = makeCard("Alpha", 5, 20);
    {
        BillsViewModel vm(context);
        vm.addBill("Rent", 25000, 1, "Rent", "", "debit", {});
        vm.addBill("Internet", 1199.6, 22, "Internet", "", "credit card", card->id());
        vm.addBill("Power", 1450, 31, "Electricity", "", "cash", {});
        vm.addBill("Gas", 800, 13, "Gas", "", "credit card", QUuid::createUuid());
    }
    open();
    EXPECT_EQ(text("monthLabel"), QString("December 2026"));
    EXPECT_EQ(text("billsTotal"), QString("₹28,450"));
    EXPECT_EQ(text("billsCount"), QString("4"));
    QStringList due;
    for (auto* label : all<QLabel>("billDue"))
        due << label->text();
    EXPECT_EQ(due, (QStringList{"Due 1st of every month", "Due 13th of every month",
                                "Due 22nd of every month", "Due 31st of every month"}));
    QStringList payments;
    for (auto* label : all<QLabel>("billPayment"))
        payments << label->text();
    EXPECT_EQ(payments, (QStringList{"Debit", "Credit Card", "Alpha"}));
    EXPECT_EQ(all<QLabel>("billAmount")[2]->text(), QString("₹1,200"));

    auto toggles = all<QPushButton>("paidToggle");
    ASSERT_EQ(toggles.size(), 4u);
    EXPECT_EQ(toggles[0]->text(), QString("Mark Paid"));
    click(toggles[0]);
    EXPECT_EQ(all<QPushButton>("paidToggle")[0]->text(), QString("Paid"));
    EXPECT_EQ(text("billsTotal"), QString("₹28,450"));
    qv::test::saveScreen(view.get(), "bills-month");

    click(find<QPushButton>("nextMonthButton"));
    EXPECT_EQ(text("monthLabel"), QString("January 2027"));
    EXPECT_EQ(all<QPushButton>("paidToggle")[0]->text(), QString("Mark Paid"));
    click(find<QPushButton>("previousMonthButton"));
    click(find<QPushButton>("previousMonthButton"));
    EXPECT_EQ(text("monthLabel"), QString("November 2026"));
    EXPECT_EQ(all<QPushButton>("paidToggle")[0]->text(), QString("Mark Paid"));
    click(find<QPushButton>("nextMonthButton"));
    ASSERT_EQ(all<QPushButton>("paidToggle")[0]->text(), QString("Paid"));
    click(all<QPushButton>("paidToggle")[0]);
    EXPECT_EQ(all<QPushButton>("paidToggle")[0]->text(), QString("Mark Paid"));
}

TEST_F(BillsViewTest, TheDeleteButtonShowsOnlyUnderThePointer) {
    {
        BillsViewModel vm(context);
        vm.addBill("Water", 300, 5, "Water", "", "cash", {});
    }
    open();
    auto* row = find<BillRow>("billRow");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(find<QPushButton>("deleteBillButton"), nullptr);
    QEnterEvent enter(QPointF(10, 10), QPointF(10, 10), QPointF(10, 10));
    QCoreApplication::sendEvent(row, &enter);
    auto* remove = find<QPushButton>("deleteBillButton");
    ASSERT_NE(remove, nullptr);
    EXPECT_EQ(remove->toolTip(), QString("Delete bill"));
    click(remove);
    EXPECT_NE(find<QWidget>("billsEmpty"), nullptr);
    EXPECT_EQ(find<QWidget>("billsTotalCard"), nullptr);
    qv::test::saveScreen(view.get(), "bills-empty");
}

TEST_F(BillsViewTest, ALongListMakesOnlyTheRowsInViewAndAReusedRowActsForItsNewBill) {
    {
        BillsViewModel vm(context);
        for (int i = 0; i < 300; ++i)
            vm.addBill(QStringLiteral("Bill %1").arg(i), 100 + i, 1 + i % 28, "Water", "", "cash", {});
    }
    auto& screen = FinanceScreenTest::open<BillsView>();
    VirtualList* list = screen.list();
    EXPECT_EQ(text("billsCount"), QString("300"));
    EXPECT_LE(list->rowsMade(), 12);
    auto* first = qobject_cast<BillRow*>(list->rowWidget(0));
    ASSERT_NE(first, nullptr);
    EXPECT_LE(first->sizeHint().height(), BillRow::kHeight); // nothing is cut off
    QEnterEvent enter(QPointF(10, 10), QPointF(10, 10), QPointF(10, 10));
    QCoreApplication::sendEvent(first, &enter);
    EXPECT_TRUE(first->isHovered());

    list->scrollToIndex(299);
    qv::test::settle();
    EXPECT_LE(list->rowsMade(), 12); // the rows were handed on, not made anew
    auto* last = qobject_cast<BillRow*>(list->rowWidget(299));
    ASSERT_NE(last, nullptr);
    for (QWidget* row : list->rowsInView())
        EXPECT_FALSE(qobject_cast<BillRow*>(row)->isHovered()); // reused rows come back without delete
    const QString name = screen.shownRows()[299].name;
    EXPECT_EQ(find<QLabel>("billName", last)->text(), name);
    click(find<QPushButton>("paidToggle", last));
    const auto paid = screen.shownRows()[299].bill.lock();
    ASSERT_NE(paid, nullptr);
    EXPECT_EQ(paid->name(), name);
    EXPECT_TRUE(viewModel()->isPaid(*paid, viewModel()->selectedMonth()));
    EXPECT_EQ(find<QPushButton>("paidToggle", list->rowWidget(299))->text(), QString("Paid"));
    EXPECT_TRUE(screen.shownRows()[299].paid);
    EXPECT_FALSE(screen.shownRows()[0].paid);
}

TEST_F(BillsViewTest, AddBillStaysDisabledUnlessTheAmountIsAPositiveNumber) {
    auto card = makeCard("Alpha", 5, 20);
    auto second = makeCard("Beta", 10, 25);
    open();
    click(find<QPushButton>("emptyAddBillButton"));
    ASSERT_NE(sheet(), nullptr);
    auto* form = qobject_cast<AddBillSheet*>(sheet()->content());
    ASSERT_NE(form, nullptr);
    auto* add = find<QPushButton>("addBillButton", form);
    EXPECT_FALSE(add->isEnabled());
    EXPECT_EQ(find<MenuPicker>("categoryPicker", form)->currentText(), QString("Other"));
    EXPECT_EQ(find<Stepper>("dueDayStepper", form)->label(), QString("Day 1"));
    find<QLineEdit>("nameField", form)->setText(" \t ");
    find<QLineEdit>("amountField", form)->setText("1200.50");
    EXPECT_FALSE(add->isEnabled());
    find<QLineEdit>("nameField", form)->setText(" Rent ");
    EXPECT_TRUE(add->isEnabled());
    for (const char* refused : {"1,200", "", "-5", "0", " 12", "inf", "1e999"}) {
        find<QLineEdit>("amountField", form)->setText(refused);
        EXPECT_FALSE(add->isEnabled()) << refused;
    }
    find<QLineEdit>("amountField", form)->setText("1200.50");
    find<Stepper>("dueDayStepper", form)->setValue(40);
    EXPECT_EQ(form->draft().dueDay, 31);

    auto* method = find<SegmentedPicker>("paymentMethodPicker", form);
    EXPECT_EQ(method->options().size(), 3);
    method->setCurrentIndex(2);
    EXPECT_EQ(form->selectedCardID(), card->id());
    ASSERT_NE(find<QWidget>("cardGroup", form), nullptr);
    method->setCurrentIndex(1);
    EXPECT_FALSE(form->selectedCardID().has_value());
    EXPECT_EQ(find<QWidget>("cardGroup", form), nullptr);
    method->setCurrentIndex(2);
    find<MenuPicker>("cardPicker", form)->setCurrentIndex(2);
    EXPECT_EQ(form->draft().creditCardID, second->id());
    qv::test::saveScreen(view.get(), "bills-add-sheet");
    click(add);
    ASSERT_EQ(viewModel()->bills().size(), 1u);
    const auto bill = viewModel()->bills()[0];
    EXPECT_EQ(bill->name(), QString(" Rent "));
    EXPECT_EQ(bill->amount(), 1200.5);
    EXPECT_EQ(bill->dueDay(), 31);
    EXPECT_EQ(bill->paymentMethod(), QString("credit card"));
    EXPECT_EQ(bill->creditCardID(), second->id());
    EXPECT_FALSE(bill->notes().has_value());
}

TEST_F(BillsViewTest, WithoutCardsThereIsNoCardMethod) {
    open();
    click(find<QPushButton>("addBillButton"));
    auto* form = qobject_cast<AddBillSheet*>(sheet()->content());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(find<SegmentedPicker>("paymentMethodPicker", form)->options(), (QStringList{"Cash", "Debit"}));
    EXPECT_EQ(form->paymentMethod(), QString("cash"));
}

TEST_F(BillsViewTest, EveryBillGoneAtOnceLeavesTheEmptyStateAndNoRowBoundPastTheBills) {
    for (int i = 0; i < 300; ++i) {
        auto bill = Bill::create(context);
        bill->setName(QStringLiteral("Bill %1").arg(i));
        bill->setAmount(10);
        bill->setDueDay(qint16(1 + i % 28));
    }
    ASSERT_TRUE(context->save());
    open();
    ASSERT_EQ(text("billsCount"), QString("300"));
    // The empty state shows and the total card goes while the list still counts 300 rows: the
    // rows it then places must be bound to bills there are.
    ASSERT_TRUE(context->batchDelete(Bill::entityName()));
    viewModel()->fetchBills();
    EXPECT_TRUE(find<QWidget>("billsEmpty")->isVisible());
    for (BillRow* row : all<BillRow>(QString()))
        EXPECT_FALSE(row->isVisible());
}
