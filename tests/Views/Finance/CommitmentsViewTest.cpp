#include "Views/Finance/CommitmentsView.h"

#include "Components/MenuPicker.h"
#include "Components/SegmentedPicker.h"
#include "Components/Stepper.h"
#include "Components/VirtualList.h"
#include "Models/Expense.h"
#include "Models/Subscription.h"
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "ViewModels/Finance/CommitmentsViewModel.h"
#include "Views/Finance/AddCreditCardSheet.h"
#include "Views/Finance/AddSubscriptionSheet.h"
#include "Views/Finance/FinanceScreenTest.h"
#include "Views/Finance/SubscriptionsSection.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

class CommitmentsViewTest : public FinanceScreenTest {
protected:
    // Friday 20 March 2026.
    CommitmentsViewTest() : FinanceScreenTest(local(2026, 3, 20, 10)) {}
    void open() { open<CommitmentsView>(1000, 900); }
    using FinanceScreenTest::open;
    CommitmentsViewModel* viewModel() { return static_cast<CommitmentsView*>(view.get())->viewModel(); }
    // A card with a monthly subscription on it, an annual one and a paused quarterly one.
    void seedSample();
};

} // namespace

void CommitmentsViewTest::seedSample() {
    auto alpha = makeCard("Alpha", 25, 15);
    CommitmentsViewModel vm(context);
    ASSERT_TRUE(
        vm.addSubscription("StreamBox", 499, "monthly", local(2026, 3, 25), "creditCard", alpha->id()));
    ASSERT_TRUE(vm.addSubscription("Cloud Drive", 1200, "annual", local(2026, 6, 1), "debit", std::nullopt));
    ASSERT_TRUE(vm.addSubscription("News", 300, "quarterly", local(2026, 4, 10), "debit", std::nullopt));
    ASSERT_TRUE(vm.toggleSubscriptionStatus(vm.subscriptions().at(2)));
}

TEST_F(CommitmentsViewTest, ShowsACardsNextBillAndTheSubscriptionTotals) {
    seedSample();
    open();
    EXPECT_EQ(text("nextBill"), QString("Next bill: ₹499"));
    EXPECT_EQ(text("dueDate"), QString("Due Apr 15"));
    EXPECT_EQ(text("cardDays"), QString("Closes day 25 · Due day 15"));
    EXPECT_EQ(text("subscriptionsTotal"), QString("₹599/mo"));
    EXPECT_EQ(text("activeCount"), QString("2 active"));
    auto* inactive = find<QPushButton>("inactiveDisclosure");
    ASSERT_NE(inactive, nullptr);
    EXPECT_EQ(inactive->text(), QString("Inactive (1)"));
    EXPECT_EQ(all<QWidget>("subscriptionRow").size(), 2u); // folded
    const auto perMonth = all<QLabel>("subscriptionPerMonth");
    ASSERT_EQ(perMonth.size(), 1u);
    EXPECT_EQ(perMonth[0]->text(), QString("₹100/mo"));
    qv::test::saveScreen(view.get(), "commitments-sample");

    click(inactive);
    EXPECT_EQ(all<QWidget>("subscriptionRow").size(), 3u);
    // Pausing moves a row into the group and lowers the total at once.
    click(all<QPushButton>("toggleSubscriptionButton").front());
    EXPECT_EQ(text("subscriptionsTotal"), QString("₹100/mo"));
    EXPECT_EQ(find<QPushButton>("inactiveDisclosure")->text(), QString("Inactive (2)"));
}

TEST_F(CommitmentsViewTest, CardAndSubscriptionDatesReadInTheLocalesOrder) {
    qv::test::LocaleScope german(QStringLiteral("de_DE"));
    seedSample();
    open();
    EXPECT_EQ(text("dueDate"), QString("Due 15. Apr."));
    EXPECT_EQ(text("nextBill"), QString("Next bill: 499\u00a0₹"));
    QStringList details;
    for (auto* label : all<QLabel>("subscriptionDetail"))
        details << label->text();
    EXPECT_TRUE(details.contains(QString("Monthly · renews 25. März"))) << details.join('|').toStdString();
    EXPECT_TRUE(details.contains(QString("Annual · renews 1. Juni"))) << details.join('|').toStdString();
    qv::test::saveScreen(view.get(), "commitments-de");
}

TEST_F(CommitmentsViewTest, ManyCardsAndSubscriptionsMakeOnlyTheRowsInView) {
    {
        CommitmentsViewModel vm(context);
        for (int i = 0; i < 150; ++i)
            ASSERT_TRUE(vm.addCreditCard(QStringLiteral("Card %1").arg(i), 25, 15));
        for (int i = 0; i < 200; ++i)
            ASSERT_TRUE(vm.addSubscription(QStringLiteral("Service %1").arg(i), 120, "quarterly",
                                           local(2026, 4, 1), "debit", std::nullopt));
        for (int i = 0; i < 40; ++i)
            ASSERT_TRUE(vm.toggleSubscriptionStatus(vm.subscriptions().at(std::size_t(i))));
    }
    auto& screen = FinanceScreenTest::open<CommitmentsView>(1000, 900);
    VirtualList* list = screen.list();
    EXPECT_LE(list->rowsMade(), 14);
    EXPECT_EQ(screen.subscriptions()->activeRowCount(), 160);
    EXPECT_EQ(all<QWidget>("creditCardRow").size(), list->rowsInView().size() - 1); // under the head

    // The fold button sits after the active rows; unfolding lists the paused ones under it.
    const auto& items = screen.items();
    const auto fold = std::find_if(items.begin(), items.end(), [](const CommitmentsView::Item& item) {
        return item.kind == CommitmentsView::Kind::Disclosure;
    });
    ASSERT_NE(fold, items.end());
    const int foldIndex = int(fold - items.begin());
    EXPECT_EQ(foldIndex, 1 + 150 + 1 + 160);
    list->scrollToIndex(foldIndex);
    auto* disclosure = find<QPushButton>("inactiveDisclosure");
    ASSERT_NE(disclosure, nullptr);
    EXPECT_EQ(disclosure->text(), QString("Inactive (40)"));
    click(disclosure);
    EXPECT_TRUE(screen.subscriptions()->isInactiveExpanded());
    EXPECT_EQ(int(screen.items().size()), foldIndex + 1 + 40);
    list->scrollToIndex(foldIndex + 40);
    qv::test::settle();
    auto* last = list->rowWidget(foldIndex + 40);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->objectName(), QString("subscriptionRow"));
    EXPECT_EQ(find<QLabel>("subscriptionName", last)->text(), QString("Service 39"));
    click(find<QPushButton>("toggleSubscriptionButton", last)); // resumes that one
    EXPECT_EQ(screen.subscriptions()->activeRowCount(), 161);
    list->scrollToIndex(1 + 150); // the section's head, with its totals
    qv::test::settle();
    EXPECT_EQ(text("activeCount"), QString("161 active"));
    EXPECT_LE(list->rowsMade(), 30) << "a dozen rows of each kind, however long the lists";
}

TEST_F(CommitmentsViewTest, ACardWithoutANextBillShowsThisMonthsSpend) {
    makeCard("", 25, 15)->setName(std::nullopt);
    context->save();
    open();
    EXPECT_EQ(text("monthSpend"), QString("This month: ₹0"));
    EXPECT_EQ(find<QLabel>("cardName")->text(), QString("Card"));
    click(find<QPushButton>("deleteCardButton"));
    EXPECT_NE(find<QWidget>("cardsEmpty"), nullptr);
    EXPECT_NE(find<QWidget>("subscriptionsEmpty"), nullptr);
    EXPECT_EQ(find<QLabel>("subscriptionsTotal"), nullptr);
    qv::test::saveScreen(view.get(), "commitments-empty");
}

TEST_F(CommitmentsViewTest, CardFiguresFollowEveryExpenseWrittenHereOrElsewhere) {
    auto alpha = makeCard("Alpha", 25, 15);
    CashFlowViewModel cashFlow(context);
    ExpenseDraft groceries;
    groceries.title = QStringLiteral("Groceries");
    groceries.amount = 250;
    groceries.date = local(2026, 3, 10, 9);
    groceries.expenseType = CashFlowViewModel::dynamicType;
    groceries.paymentMethod = QStringLiteral("creditCard");
    groceries.creditCardID = alpha->id();
    ASSERT_TRUE(cashFlow.addExpense(groceries));
    open();
    ASSERT_EQ(text("monthSpend"), QString("This month: ₹250"));

    // A subscription paid by the card, renewing before the statement closes, from the sheet.
    click(find<QPushButton>("addSubscriptionButton"));
    auto* form = qobject_cast<AddSubscriptionSheet*>(sheet()->content());
    ASSERT_NE(form, nullptr);
    find<QLineEdit>("nameField", form)->setText("StreamBox");
    find<QLineEdit>("priceField", form)->setText("199");
    find<SegmentedPicker>("paymentMethodPicker", form)->setCurrentIndex(2);
    find<MenuPicker>("cardPicker", form)->setCurrentIndex(1);
    click(find<QPushButton>("addSubscriptionButton", form));
    EXPECT_EQ(text("monthSpend"), QString("This month: ₹449")) << "the subscription's expense counts at once";
    qv::test::saveScreen(view.get(), "commitments-after-card-subscription");

    // Written by another screen's model while this one shows: added, edited, deleted.
    groceries.amount = 100;
    groceries.date = local(2026, 3, 12, 9);
    ASSERT_TRUE(cashFlow.addExpense(groceries));
    qv::test::settle();
    EXPECT_EQ(text("monthSpend"), QString("This month: ₹549"));
    cashFlow.fetchForSelectedMonth();
    std::shared_ptr<Expense> second;
    for (const auto& expense : cashFlow.dynamicExpenses())
        if (expense->amount() == 100)
            second = expense;
    ASSERT_TRUE(second);
    groceries.amount = 150;
    ASSERT_TRUE(cashFlow.updateExpense(second, groceries));
    qv::test::settle();
    EXPECT_EQ(text("monthSpend"), QString("This month: ₹599"));
    groceries.date = local(2026, 3, 28, 9); // after the close: billed next month
    ASSERT_TRUE(cashFlow.updateExpense(second, groceries));
    qv::test::settle();
    EXPECT_EQ(text("nextBill"), QString("Next bill: ₹150"));
    ASSERT_TRUE(cashFlow.deleteExpense(second));
    qv::test::settle();
    EXPECT_EQ(text("monthSpend"), QString("This month: ₹449"));

    // Hidden, the screen reads nothing; shown again, it shows what was written meanwhile.
    view->hide();
    groceries.amount = 1;
    ASSERT_TRUE(cashFlow.addExpense(groceries));
    qv::test::settle();
    view->show();
    EXPECT_EQ(text("nextBill"), QString("Next bill: ₹1"));
}

TEST_F(CommitmentsViewTest, TheCardSheetNeedsANameAndKeepsItsDaysWithinOneToTwentyEight) {
    open();
    click(find<QPushButton>("addFirstCardButton"));
    ASSERT_NE(sheet(), nullptr);
    auto* form = qobject_cast<AddCreditCardSheet*>(sheet()->content());
    ASSERT_NE(form, nullptr);
    auto* add = find<QPushButton>("addCardButton", form);
    EXPECT_FALSE(add->isEnabled());
    EXPECT_EQ(form->statementCloseDay(), 25);
    EXPECT_EQ(form->paymentDueDay(), 15);
    auto* close = find<Stepper>("statementCloseStepper", form);
    auto* due = find<Stepper>("paymentDueStepper", form);
    EXPECT_EQ(close->label(), QString("Day 25 of each month"));
    EXPECT_EQ(due->label(), QString("Day 15 of the following month"));
    close->setValue(0);
    due->setValue(29);
    EXPECT_EQ(form->statementCloseDay(), 1);
    EXPECT_EQ(form->paymentDueDay(), 28);
    find<QLineEdit>("cardNameField", form)->setText("   ");
    EXPECT_FALSE(add->isEnabled());
    find<QLineEdit>("cardNameField", form)->setText("  Travel  Card ");
    EXPECT_TRUE(add->isEnabled());
    qv::test::saveScreen(view.get(), "commitments-card-sheet");
    click(add);
    ASSERT_EQ(viewModel()->creditCards().size(), 1u);
    EXPECT_EQ(viewModel()->creditCards()[0]->name(), QString("Travel  Card"));
    EXPECT_EQ(viewModel()->creditCards()[0]->statementCloseDay(), 1);
    EXPECT_EQ(viewModel()->creditCards()[0]->paymentDueDay(), 28);
}

TEST_F(CommitmentsViewTest, TheSubscriptionSheetRefusesBadPricesAndPassesACardOnlyForCards) {
    auto alpha = makeCard("Alpha", 25, 15);
    open();
    click(find<QPushButton>("addSubscriptionButton"));
    auto* form = qobject_cast<AddSubscriptionSheet*>(sheet()->content());
    ASSERT_NE(form, nullptr);
    auto* add = find<QPushButton>("addSubscriptionButton", form);
    EXPECT_FALSE(add->isEnabled());
    EXPECT_EQ(form->billingCycle(), QString("monthly"));
    EXPECT_EQ(form->paymentMethod(), QString("debit"));
    EXPECT_EQ(find<QWidget>("cardGroup", form), nullptr);
    find<QLineEdit>("nameField", form)->setText("  ");
    for (const char* refused : {"12,5", "", "inf", "nan", "1e999", " 5"}) {
        find<QLineEdit>("priceField", form)->setText(refused);
        EXPECT_FALSE(add->isEnabled()) << refused;
    }
    find<QLineEdit>("priceField", form)->setText("0");
    EXPECT_FALSE(add->isEnabled()) << "a button that is on saves; zero is not a price";
    click(add);
    EXPECT_TRUE(viewModel()->subscriptions().empty());

    find<QLineEdit>("priceField", form)->setText("199");
    find<SegmentedPicker>("paymentMethodPicker", form)->setCurrentIndex(2);
    ASSERT_NE(find<QWidget>("cardGroup", form), nullptr);
    EXPECT_FALSE(form->draft().creditCardID.has_value()); // "Select card"
    find<MenuPicker>("cardPicker", form)->setCurrentIndex(1);
    EXPECT_EQ(form->draft().creditCardID, alpha->id());
    find<SegmentedPicker>("paymentMethodPicker", form)->setCurrentIndex(1);
    EXPECT_FALSE(form->draft().creditCardID.has_value());
    find<SegmentedPicker>("paymentMethodPicker", form)->setCurrentIndex(2);
    find<SegmentedPicker>("cyclePicker", form)->setCurrentIndex(2);
    qv::test::saveScreen(view.get(), "commitments-subscription-sheet");
    click(add);
    ASSERT_EQ(viewModel()->subscriptions().size(), 1u);
    const auto s = viewModel()->subscriptions()[0];
    EXPECT_EQ(s->name(), QString("  "));
    EXPECT_EQ(s->billingCycle(), QString("annual"));
    EXPECT_EQ(s->creditCardID(), alpha->id());
}
