#include "Components/MenuPicker.h"
#include "Components/SegmentedPicker.h"
#include "Components/SheetHost.h"
#include "Models/CreditCard.h"
#include "Models/Expense.h"
#include "Models/Goal.h"
#include "Models/Income.h"
#include "Support/TestSupport.h"
#include "ViewModels/Finance/CategoryStore.h"
#include "ViewModels/Finance/FinanceTestSupport.h"
#include "Views/Finance/AddBillSheet.h"
#include "Views/Finance/AddExpenseSheet.h"
#include "Views/Finance/AddIncomeSheet.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

namespace {

class MoneySheetsTest : public FinanceStoreTest {
protected:
    MoneySheetsTest() : FinanceStoreTest(local(2026, 3, 14, 10)) {}
    void TearDown() override {
        sheet.reset();
        FinanceStoreTest::TearDown();
    }

    template <typename S> S* show(std::unique_ptr<QWidget> made) {
        sheet = std::move(made);
        sheet->resize(420, 900);
        sheet->setAttribute(Qt::WA_DontShowOnScreen, true);
        sheet->show();
        qv::test::settle();
        return static_cast<S*>(sheet.get());
    }
    AddExpenseSheet* expenseSheet(AddExpenseSheet::Options options) {
        return show<AddExpenseSheet>(
            std::make_unique<AddExpenseSheet>(std::move(options), [this](const ExpenseDraft& d) {
                expenses.push_back(d);
                return accept;
            }));
    }
    AddIncomeSheet* incomeSheet(const std::shared_ptr<Income>& editing) {
        return show<AddIncomeSheet>(std::make_unique<AddIncomeSheet>(editing, [this](const IncomeDraft& d) {
            incomes.push_back(d);
            return accept;
        }));
    }
    template <typename T> T* find(const char* name) {
        return sheet->findChild<T*>(QString::fromLatin1(name));
    }
    bool visible(const char* name) {
        auto* w = find<QWidget>(name);
        return w && w->isVisibleTo(sheet.get());
    }
    void set(const char* name, const QString& text) { find<QLineEdit>(name)->setText(text); }
    bool saveEnabled() { return find<QPushButton>("saveButton")->isEnabled(); }
    void pressSave() { QTest::mouseClick(find<QPushButton>("saveButton"), Qt::LeftButton); }

    std::shared_ptr<Expense> storedExpense(const QString& method, const std::optional<QUuid>& card,
                                           const std::optional<QUuid>& account) {
        auto e = Expense::create(context);
        e->setTitle("Electricity");
        e->setAmount(1500);
        e->setDate(local(2026, 3, 10));
        e->setExpenseType("fixed");
        e->setPaymentMethod(method);
        e->setCreditCardID(card);
        e->setBankAccountID(account);
        context->save();
        return e;
    }

    std::unique_ptr<QWidget> sheet;
    std::vector<ExpenseDraft> expenses;
    std::vector<IncomeDraft> incomes;
    bool accept = true;
};

} // namespace

TEST_F(MoneySheetsTest, TheExpenseSheetEnablesOnATitleAndAnAmountAboveZero) {
    auto a = makeAccount("A", 0);
    auto* s = expenseSheet({{}, {a}, {}, "fixed", nullptr, false});
    EXPECT_EQ(s->paymentMethod(), QString("debit"));
    EXPECT_EQ(s->selectedBankAccountID(), a->id());
    EXPECT_FALSE(saveEnabled());
    set("titleField", "   ");
    set("amountField", "12");
    EXPECT_FALSE(saveEnabled());
    set("titleField", "  Rent ");
    for (const char* refused : {"12,50", " 12", "12 ", "", "inf", "nan", "1e999", "0x10", "0", "-5"}) {
        set("amountField", refused);
        EXPECT_FALSE(saveEnabled()) << refused;
        pressSave();
        EXPECT_TRUE(expenses.empty()) << refused;
    }
    set("amountField", "1e3");
    pressSave();
    ASSERT_EQ(expenses.size(), 1u);
    EXPECT_EQ(expenses[0].title, QString("Rent"));
    EXPECT_EQ(expenses[0].amount, 1000);
    EXPECT_EQ(expenses[0].expenseType, QString("fixed"));
    EXPECT_EQ(expenses[0].bankAccountID, a->id());
    EXPECT_FALSE(expenses[0].creditCardID.has_value());
}

TEST_F(MoneySheetsTest, TheExpenseSheetPassesACardOnlyForCardsAndAnAccountOnlyForCashOrDebit) {
    auto a = makeAccount("A", 0);
    auto card = makeCard("Alpha", 25, 15);
    auto* s = expenseSheet({{card}, {a}, {}, "dynamic", nullptr, false});
    set("titleField", "Lunch");
    set("amountField", "20");
    find<SegmentedPicker>("paymentMethodPicker")->setCurrentIndex(2);
    EXPECT_TRUE(visible("cardSection"));
    EXPECT_FALSE(visible("bankSection"));
    EXPECT_EQ(s->draft().creditCardID, card->id());
    EXPECT_FALSE(s->draft().bankAccountID.has_value());
    find<SegmentedPicker>("paymentMethodPicker")->setCurrentIndex(0);
    EXPECT_FALSE(s->draft().creditCardID.has_value());
    EXPECT_EQ(s->draft().bankAccountID, a->id());
    find<MenuPicker>("bankAccountPicker")->setCurrentIndex(0); // "None"
    EXPECT_FALSE(s->draft().bankAccountID.has_value());
}

TEST_F(MoneySheetsTest, EditingAnExpenseWithoutAnAccountStartsOnNone) {
    auto a = makeAccount("A", 100);
    auto card = makeCard("Alpha", 25, 15);
    auto entry = storedExpense("cash", std::nullopt, std::nullopt);
    auto* s = expenseSheet({{card}, {a}, {}, "fixed", entry, true});
    EXPECT_EQ(find<QLineEdit>("amountField")->text(), QString("1500.0"));
    EXPECT_EQ(find<MenuPicker>("bankAccountPicker")->currentText(), QString("None"));
    EXPECT_FALSE(visible("typeSection"));
    EXPECT_EQ(find<QLabel>("sheetTitle")->text(), QString("Edit Expense"));
    EXPECT_EQ(find<QPushButton>("saveButton")->text(), QString("Save Changes"));
    pressSave();
    ASSERT_EQ(expenses.size(), 1u);
    EXPECT_FALSE(expenses[0].bankAccountID.has_value());
    EXPECT_EQ(expenses[0].amount, 1500);
    EXPECT_EQ(expenses[0].expenseType, QString("fixed"));
    EXPECT_EQ(expenses[0].paymentMethod, QString("cash"));
    EXPECT_FALSE(expenses[0].creditCardID.has_value());
    EXPECT_EQ(s->paymentMethod(), QString("cash"));
}

TEST_F(MoneySheetsTest, EditingABillPaymentKeepsItsCardMethodAsStored) {
    auto other = makeCard("Beta", 5, 20);
    auto card = makeCard("Alpha", 25, 15);
    auto entry = storedExpense("credit card", card->id(), std::nullopt);
    expenseSheet({{other, card}, {}, {}, "fixed", entry, true});
    EXPECT_EQ(find<SegmentedPicker>("paymentMethodPicker")->currentIndex(), 2);
    EXPECT_EQ(find<MenuPicker>("cardPicker")->currentText(), QString("Alpha"));
    pressSave();
    ASSERT_EQ(expenses.size(), 1u);
    EXPECT_EQ(expenses[0].paymentMethod, QString("credit card"));
    EXPECT_EQ(expenses[0].creditCardID, card->id());
}

TEST_F(MoneySheetsTest, AGoalTakesTheTitleAndCustomEntryClearsIt) {
    auto goal = Goal::create(context);
    goal->setTitle("New bike");
    goal->setNeedsMoney(true);
    goal->setTargetAmount(5000);
    auto paid = Expense::create(context);
    paid->setAmount(1200.75);
    paid->setGoalID(goal->id());
    context->save();
    auto* s = expenseSheet({{}, {}, {goal}, "dynamic", nullptr, false});
    auto* picker = find<MenuPicker>("goalPicker");
    ASSERT_NE(picker, nullptr);
    picker->setCurrentIndex(1);
    qv::test::settle();
    EXPECT_EQ(find<QLineEdit>("titleField")->text(), QString("New bike"));
    EXPECT_FALSE(visible("titleField"));
    EXPECT_EQ(find<QLabel>("goalCardFigures")->text(), QString("1200 / 5000"));
    EXPECT_EQ(s->selectedGoalID(), goal->id());
    picker->setCurrentIndex(0);
    qv::test::settle();
    EXPECT_TRUE(visible("titleField"));
    EXPECT_EQ(find<QLineEdit>("titleField")->text(), QString());
    EXPECT_FALSE(s->selectedGoalID().has_value());
}

TEST_F(MoneySheetsTest, TheIncomeSheetRefusesBadAmountsAndKeepsAnUnknownMethod) {
    auto income = Income::create(context);
    income->setAmount(2500);
    income->setPaymentMethod("upi");
    context->save();
    auto* s = incomeSheet(income);
    EXPECT_EQ(find<QLineEdit>("titleField")->text(), QString("Untitled"));
    EXPECT_EQ(find<QLineEdit>("amountField")->text(), QString("2500.0"));
    EXPECT_EQ(find<QPushButton>("saveButton")->text(), QString("Save Changes"));
    for (const char* refused : {"2,5", " 2", "2 ", "", "inf", "1e999"}) {
        set("amountField", refused);
        EXPECT_FALSE(saveEnabled()) << refused;
    }
    set("amountField", "-1");
    pressSave();
    EXPECT_TRUE(incomes.empty());
    set("amountField", "2500.0");
    set("notesField", "  ");
    accept = false;
    pressSave();
    ASSERT_EQ(incomes.size(), 1u);
    EXPECT_EQ(incomes[0].paymentMethod, QString("upi"));
    EXPECT_EQ(incomes[0].amount, 2500);
    EXPECT_EQ(incomes[0].notes, QString("  "));
    EXPECT_EQ(s->paymentMethod(), QString("upi"));
    EXPECT_TRUE(sheet->isVisible()); // the write was refused: the sheet stays
}

TEST_F(MoneySheetsTest, ANewIncomeStartsOnDebitAndNow) {
    auto* s = incomeSheet(nullptr);
    EXPECT_EQ(s->paymentMethod(), QString("debit"));
    EXPECT_EQ(s->date(), now);
    EXPECT_EQ(find<QLabel>("sheetTitle")->text(), QString("Add Income"));
    qv::test::saveScreen(sheet.get(), "income-sheet-add");
}

// A sheet over a window with room to spare: its card takes the form's height as sections come
// and go, never scrolling and never keeping the room of a section that left.
class SheetInWindowTest : public MoneySheetsTest {
protected:
    void SetUp() override {
        MoneySheetsTest::SetUp();
        window.resize(1200, 1600);
        window.setAttribute(Qt::WA_DontShowOnScreen, true);
        window.show();
        qv::test::settle();
    }
    void TearDown() override {
        if (host)
            host->dismiss();
        qv::test::settle();
        MoneySheetsTest::TearDown();
    }
    int cardHeight() {
        qv::test::settle();
        return host->card()->height();
    }
    bool scrolls() const {
        for (QScrollArea* area : host->card()->findChildren<QScrollArea*>())
            if (area->verticalScrollBar()->maximum() > 0)
                return true;
        return false;
    }
    template <typename T> T* inSheet(const char* name) {
        return host->content()->findChild<T*>(QString::fromLatin1(name));
    }

    QWidget window;
    QPointer<SheetHost> host;
};

TEST_F(SheetInWindowTest, TheExpenseCardFollowsTheGoalTheCardSectionAndTheChips) {
    auto goal = Goal::create(context);
    goal->setTitle("New bike");
    goal->setNeedsMoney(true);
    goal->setTargetAmount(5000);
    auto card = CreditCard::create(context);
    card->setId(QUuid::createUuid());
    card->setName("Travel");
    context->save();
    host = AddExpenseSheet::present(&window, {{card}, {}, {goal}, "dynamic", nullptr, false},
                                    [](const ExpenseDraft&) { return true; });
    const int plain = cardHeight();
    EXPECT_FALSE(scrolls());

    inSheet<MenuPicker>("goalPicker")->setCurrentIndex(1);
    const int withGoal = cardHeight();
    EXPECT_NE(withGoal, plain) << "the goal's card stands in for the title field";
    EXPECT_FALSE(scrolls());

    inSheet<SegmentedPicker>("paymentMethodPicker")->setCurrentIndex(2);
    EXPECT_GT(cardHeight(), withGoal) << "the card picker shows";
    EXPECT_FALSE(scrolls());
    inSheet<SegmentedPicker>("paymentMethodPicker")->setCurrentIndex(1);
    EXPECT_EQ(cardHeight(), withGoal) << "and its room goes with it";
    inSheet<MenuPicker>("goalPicker")->setCurrentIndex(0);
    EXPECT_EQ(cardHeight(), plain);

    // Categories enough for the chips to wrap onto more lines.
    const QStringList categories = CategoryStore::shared().categories();
    for (int i = 0; i < 12; ++i)
        CategoryStore::shared().add(QStringLiteral("Category number %1").arg(i));
    EXPECT_GT(cardHeight(), plain);
    EXPECT_FALSE(scrolls());
    CategoryStore::shared().setCategories(categories);
    EXPECT_EQ(cardHeight(), plain);
}

TEST_F(SheetInWindowTest, TheBillCardFollowsItsCardPicker) {
    auto card = CreditCard::create(context);
    card->setId(QUuid::createUuid());
    card->setName("Travel");
    context->save();
    host = AddBillSheet::present(&window, {card}, [](const BillDraft&) { return true; });
    const int plain = cardHeight();
    inSheet<SegmentedPicker>("paymentMethodPicker")->setCurrentIndex(2);
    EXPECT_GT(cardHeight(), plain);
    EXPECT_FALSE(scrolls());
    inSheet<SegmentedPicker>("paymentMethodPicker")->setCurrentIndex(0);
    EXPECT_EQ(cardHeight(), plain);
}
