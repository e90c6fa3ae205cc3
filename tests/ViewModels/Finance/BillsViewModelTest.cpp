#include "ViewModels/Finance/BillsViewModel.h"

#include "Models/Bill.h"
#include "Models/Expense.h"
#include "ViewModels/Finance/FinanceTestSupport.h"

#include <QSignalSpy>

#include <limits>

namespace {

class BillsViewModelDates : public FinanceStoreTest {
protected:
    BillsViewModelDates() : FinanceStoreTest(local(2026, 3, 20, 10)) {}

    std::shared_ptr<Bill> addBill(BillsViewModel& vm, const QString& name, int dueDay, double amount = 100,
                                  const QString& method = "cash", const std::optional<QUuid>& card = {}) {
        EXPECT_TRUE(vm.addBill(name, amount, dueDay, "Electricity", "", method, card));
        for (const auto& bill : vm.bills())
            if (bill->name() == name)
                return bill;
        return nullptr;
    }
    std::vector<std::shared_ptr<Expense>> payments() {
        return context->fetch<Expense>(FetchRequest("Expense", {}, {{Expense::Keys::date, true}}));
    }
};

} // namespace

TEST_F(BillsViewModelDates, APaymentFallsOnTheDueDayKeptWithinTheMonth) {
    EXPECT_EQ(BillsViewModel::paymentDate(31, local(2026, 4, 17, 15)), local(2026, 4, 30));
    EXPECT_EQ(BillsViewModel::paymentDate(31, local(2028, 2, 1)), local(2028, 2, 29));
    EXPECT_EQ(BillsViewModel::paymentDate(31, local(2026, 2, 1)), local(2026, 2, 28));
    EXPECT_EQ(BillsViewModel::paymentDate(15, local(2026, 2, 1)), local(2026, 2, 15));
    EXPECT_EQ(BillsViewModel::paymentDate(0, local(2026, 2, 1)), local(2026, 2, 1));
    EXPECT_EQ(BillsViewModel::paymentDate(40, local(2026, 2, 1)), local(2026, 2, 28));
}

TEST_F(BillsViewModelDates, APaymentIsAFixedExpenseNamingTheBill) {
    BillsViewModel vm(context);
    auto bill = addBill(vm, "Power", 31, 1450.5);
    ASSERT_TRUE(bill);
    EXPECT_FALSE(bill->notes().has_value());
    QSignalSpy announced(&vm, &BillsViewModel::paymentsChanged);
    ASSERT_TRUE(vm.markAsPaid(bill, local(2026, 4, 1)));
    EXPECT_EQ(announced.count(), 1);
    const auto paid = payments();
    ASSERT_EQ(paid.size(), 1u);
    const QString note = paid[0]->notes().value_or("");
    EXPECT_EQ(note, "bill-payment:" + bill->id()->toString(QUuid::WithoutBraces).toUpper());
    EXPECT_EQ(note.size(), 49);
    EXPECT_EQ(paid[0]->title(), QString("Power"));
    EXPECT_EQ(paid[0]->amount(), 1450.5);
    EXPECT_EQ(paid[0]->date(), local(2026, 4, 30));
    EXPECT_EQ(paid[0]->billedMonth(), local(2026, 4, 1));
    EXPECT_EQ(paid[0]->category(), QString("Electricity"));
    EXPECT_EQ(paid[0]->paymentMethod(), QString("cash"));
    EXPECT_EQ(paid[0]->expenseType(), QString("fixed"));
    EXPECT_FALSE(paid[0]->bankAccountID().has_value());

    EXPECT_TRUE(vm.isPaid(*bill, local(2026, 4, 12)));
    EXPECT_FALSE(vm.isPaid(*bill, local(2026, 3, 1)));
    EXPECT_FALSE(vm.isPaid(*bill, local(2026, 5, 1)));
}

TEST_F(BillsViewModelDates, UnmarkingRemovesEveryPaymentOfThatMonthOnly) {
    BillsViewModel vm(context);
    auto bill = addBill(vm, "Rent", 5);
    auto other = addBill(vm, "Water", 5);
    ASSERT_TRUE(vm.markAsPaid(bill, local(2026, 3, 1)));
    ASSERT_TRUE(vm.markAsPaid(bill, local(2026, 3, 9)));
    ASSERT_TRUE(vm.markAsPaid(bill, local(2026, 4, 1)));
    ASSERT_TRUE(vm.markAsPaid(other, local(2026, 3, 1)));
    EXPECT_EQ(vm.paidBillIDs(local(2026, 3, 1)), (QSet<QUuid>{*bill->id(), *other->id()}));
    ASSERT_TRUE(vm.unmarkAsPaid(bill, local(2026, 3, 31)));
    EXPECT_EQ(vm.paidBillIDs(local(2026, 3, 1)), QSet<QUuid>{*other->id()});
    EXPECT_EQ(vm.paidBillIDs(local(2026, 4, 1)), QSet<QUuid>{*bill->id()});
    EXPECT_FALSE(vm.isPaid(*bill, local(2026, 3, 1)));
    EXPECT_TRUE(vm.isPaid(*bill, local(2026, 4, 1)));
    EXPECT_TRUE(vm.isPaid(*other, local(2026, 3, 1)));
    EXPECT_EQ(payments().size(), 2u);
}

TEST_F(BillsViewModelDates, ACardPaymentIsBilledByTheCardWhileItExists) {
    auto card = makeCard("Alpha", 5, 20);
    BillsViewModel vm(context);
    auto bill = addBill(vm, "Internet", 10, 999, "credit card", card->id());
    ASSERT_TRUE(vm.markAsPaid(bill, local(2026, 3, 1)));
    auto paid = payments();
    ASSERT_EQ(paid.size(), 1u);
    EXPECT_EQ(paid[0]->date(), local(2026, 3, 10));
    EXPECT_EQ(paid[0]->billedMonth(), local(2026, 4, 1));
    EXPECT_EQ(paid[0]->paymentMethod(), QString("credit card"));
    EXPECT_EQ(paid[0]->creditCardID(), card->id());
    EXPECT_TRUE(vm.isPaid(*bill, local(2026, 3, 1)));

    const auto cardID = card->id();
    context->deleteObject(card);
    ASSERT_TRUE(context->save());
    ASSERT_TRUE(vm.markAsPaid(bill, local(2026, 5, 1)));
    paid = payments();
    ASSERT_EQ(paid.size(), 2u);
    EXPECT_EQ(paid[1]->billedMonth(), local(2026, 5, 1));
    EXPECT_EQ(paid[1]->creditCardID(), cardID);
}

TEST_F(BillsViewModelDates, GuardsTotalsAndDeletes) {
    BillsViewModel vm(context);
    EXPECT_EQ(vm.totalMonthly(), 0);
    auto bill = addBill(vm, "Gas", 20, 12);
    addBill(vm, "Phone", 3, 4.5);
    EXPECT_EQ(vm.totalMonthly(), 16.5);
    EXPECT_EQ(vm.bills().front()->name(), QString("Phone")); // by due day

    // A bill without an id cannot be paid: no payment that names nothing.
    auto nameless = Bill::create(context);
    nameless->setId(std::nullopt);
    nameless->setDueDay(40);
    context->save();
    EXPECT_FALSE(vm.markAsPaid(nameless, now));
    EXPECT_FALSE(vm.isPaid(*nameless, now));
    EXPECT_TRUE(payments().empty());

    ASSERT_TRUE(vm.markAsPaid(bill, now));
    ASSERT_TRUE(vm.deleteBill(bill));
    EXPECT_EQ(vm.bills().size(), 2u); // the nameless one is a bill too
    EXPECT_EQ(payments().size(), 1u);
    EXPECT_FALSE(vm.addBill("Bad", std::numeric_limits<double>::infinity(), 1, "Other", "", "cash", {}));
}

TEST_F(BillsViewModelDates, AFailedSaveRecordsNoPaymentAndNoBill) {
    BillsViewModel vm(context);
    auto bill = addBill(vm, "Rent", 1);
    refuseWrites({"Expense", "Bill"});
    testing::internal::CaptureStdout();
    EXPECT_FALSE(vm.markAsPaid(bill, now));
    EXPECT_FALSE(vm.addBill("Water", 10, 2, "Water", "  ", "debit", {}));
    EXPECT_FALSE(vm.deleteBill(bill));
    EXPECT_NE(testing::internal::GetCapturedStdout().find("CoreData save error: "), std::string::npos);
    EXPECT_FALSE(vm.isPaid(*bill, now));
    EXPECT_EQ(vm.bills().size(), 1u);
    EXPECT_FALSE(bill->isDeleted());
    allowWrites();
    ASSERT_TRUE(vm.addBill("Water", 10, 2, "Water", "  ", "debit", {}));
    EXPECT_EQ(vm.bills().back()->notes(), QString("  "));
}
