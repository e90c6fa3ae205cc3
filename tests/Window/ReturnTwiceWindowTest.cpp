// The same keys add the same again, and two Returns never undo a save nor delete two records. For
// each save reached by the keyboard alone (Tab to the opener, Return, type, Return), done twice
// with the same keys from the Add on, each round adds one record and changes no other, the two
// Returns that follow keep every record, and the focus rests neither on a control that deletes,
// removes or cancels nor outside the screen saved.
#include "Window/WindowLane.h"

#include "Components/FocusAfter.h"
#include "Components/KeyboardLayer.h"
#include "Models/Achievement.h"
#include "Models/BankAccount.h"
#include "Models/Bill.h"
#include "Models/CalendarSubtask.h"
#include "Models/CalendarTask.h"
#include "Models/CreditCard.h"
#include "Models/DailyLog.h"
#include "Models/Expense.h"
#include "Models/Income.h"
#include "Models/Investment.h"
#include "Models/LinkItem.h"
#include "Models/Milestone.h"
#include "Models/Step.h"
#include "Models/Subscription.h"
#include "Models/TaskCategory.h"
#include "Platform/UrlOpener.h"
#include "Platform/UserDefaults.h"
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "Views/Finance/FinanceTabBar.h"
#include "Views/Finance/FinanceTabButton.h"
#include "Views/Finance/FinanceView.h"
#include "Views/Navigation/SidebarNavItem.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>

#include <algorithm>
#include <functional>
#include <tuple>

namespace {

// One keyboard step of a save: Tab until the focus is on the control (by object name or class),
// type the text, press the key. A step is left out when a control it opens is already shown.
struct KeyStep {
    const char* control;
    QString text;
    int key = 0;
    const char* unlessShown = nullptr;
};
KeyStep press(const char* control, int key = Qt::Key_Return, const char* unlessShown = nullptr) {
    return {control, {}, key, unlessShown};
}
KeyStep type(const char* control, const QString& text) {
    return {control, text};
}

struct SaveCase {
    const char* name;
    AppDestination destination;
    std::optional<FinanceTab> tab;
    // From the screen to the save: the opener, what to choose and type. A Return then saves.
    std::vector<KeyStep> steps;
    std::function<std::size_t(ObjectContext*)> records;
    // Kinds of record a save changes besides the one it adds: the account its money moves, the
    // goal an entry feeds.
    QStringList follows = {};
    // The step on the Add: the keys from there on are those of every round.
    std::size_t add = 0;
};

void PrintTo(const SaveCase& c, std::ostream* os) {
    *os << c.name;
}

template <typename Entity> std::size_t count(ObjectContext* context) {
    return context->fetch(FetchRequest(Entity::entityName())).size();
}
std::size_t incomesAndExpenses(ObjectContext* context) {
    return count<Income>(context) + count<Expense>(context);
}

class ReturnTwice : public KeyboardRound, public testing::WithParamInterface<SaveCase> {};

} // namespace

TEST_P(ReturnTwice, AfterEverySaveTwoReturnsKeepEveryRecord) {
    const SaveCase& c = GetParam();
    seedEveryKind();
    {
        // A month with its income and a fixed expense: rows with a Delete around the save.
        CashFlowViewModel cash(context());
        cash.fetchForSelectedMonth();
        cash.setIncome(2500, std::nullopt);
        ExpenseDraft rent;
        rent.title = QStringLiteral("Rent");
        rent.amount = 900;
        rent.date = Clock::now();
        rent.expenseType = CashFlowViewModel::fixedType;
        rent.paymentMethod = QStringLiteral("debit");
        cash.addExpense(rent);
    }
    showWindow(QSize(1200, 760));
    ASSERT_NE(tabTo([&c](QWidget* w) {
                  auto* nav = qobject_cast<SidebarNavItem*>(w);
                  return nav && nav->destination() == c.destination;
              }),
              nullptr);
    key(Qt::Key_Return);
    frames(800);
    if (c.tab) {
        ASSERT_NE(tabTo([&c](QWidget* w) {
                      auto* tab = qobject_cast<FinanceTabButton*>(w);
                      return tab && tab->tab() == *c.tab;
                  }),
                  nullptr);
        key(Qt::Key_Return);
        frames(800);
    }
    QWidget* screen = this->screen();
    // The keys of the first round from the Add on; the second round presses them again from where
    // the first left the focus, as a person adding two records in a row does.
    std::vector<Keystroke> keys;
    for (int round = 1; round <= 2; ++round) {
        const std::string at = std::string(c.name) + " round " + std::to_string(round);
        const std::size_t before = c.records(context());
        const StoreRows rows = storeRows(context());
        const QString from = describe(focus());
        if (round == 1) {
            for (std::size_t i = 0; i < c.steps.size(); ++i) {
                const KeyStep& step = c.steps[i];
                if (step.unlessShown && shown(step.unlessShown))
                    continue;
                ASSERT_NE(tabTo([&step](QWidget* w) { return matches(w, step.control); }), nullptr)
                    << at << ": Tab never reached " << step.control;
                if (i == c.add)
                    record(&keys);
                if (!step.text.isEmpty())
                    type(step.text);
                if (step.key) {
                    key(step.key);
                    frames(600);
                }
            }
            key(Qt::Key_Return);
            stopRecording();
        } else {
            // Another text in the first field, so a name that must be new stays new.
            std::vector<Keystroke> again = keys;
            for (Keystroke& stroke : again)
                if (!stroke.text.isEmpty()) {
                    stroke.text += QString::number(round);
                    break;
                }
            replay(again);
        }
        frames(800);
        EXPECT_EQ(topSheet(), nullptr) << at << ": the save left the sheet open";
        EXPECT_EQ(c.records(context()), before + 1)
            << at << ": the same keys did not add one record; the keys began on " << from.toStdString()
            << " and the focus rests on " << describe(focus()).toStdString();
        // Every record the round touched: one added, none changed nor gone (what follows aside).
        QStringList touched = changes(rows, storeRows(context())).split(u'\n', Qt::SkipEmptyParts);
        touched.removeIf([&c](const QString& line) { return c.follows.contains(line.section(u' ', 1, 1)); });
        QStringList was;
        for (const QString& line : std::as_const(touched))
            if (line.startsWith(QLatin1String("was ")))
                was << line.section(u' ', 1, 2);
        QStringList added;
        for (const QString& line : std::as_const(touched))
            if (line.startsWith(QLatin1String("now ")) && !was.contains(line.section(u' ', 1, 2)))
                added << line;
        touched.removeIf([&added](const QString& line) { return added.contains(line); });
        EXPECT_TRUE(touched.isEmpty()) << at << ": the add changed other records:\n"
                                       << touched.join(u'\n').toStdString();
        EXPECT_EQ(added.size(), 1) << at << ": the round added other records:\n"
                                   << added.join(u'\n').toStdString();
        EXPECT_TRUE(misplaced(screen).isEmpty())
            << at << ": the focus is " << misplaced(screen).toStdString();
    }
    const std::size_t saved = c.records(context());
    for (int press = 1; press <= 2; ++press) {
        EXPECT_TRUE(misplaced(screen).isEmpty())
            << "Return " << press << ": the focus is " << misplaced(screen).toStdString();
        key(Qt::Key_Return);
        frames(800);
        EXPECT_GE(c.records(context()), saved) << "Return " << press << " deleted a record";
    }
    for (int i = 0; i < 3 && over(screen); ++i) {
        key(Qt::Key_Escape);
        frames(800);
    }
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(u'\n'));
}

const auto money = QStringLiteral("40");

INSTANTIATE_TEST_SUITE_P(
    Saves, ReturnTwice,
    testing::Values(
        SaveCase{"dynamic-expense",
                 AppDestination::expenses,
                 FinanceTab::cashFlow,
                 {press("addDynamicButton"), type("titleField", QStringLiteral("Coffee")),
                  type("amountField", money)},
                 incomesAndExpenses,
                 {QStringLiteral("BankAccount")}},
        SaveCase{"allocation",
                 AppDestination::expenses,
                 FinanceTab::cashFlow,
                 {press("allocateButton"), type("titleField", QStringLiteral("Insurance")),
                  type("amountField", money)},
                 incomesAndExpenses,
                 {QStringLiteral("BankAccount")}},
        SaveCase{"monthly-income",
                 AppDestination::expenses,
                 FinanceTab::cashFlow,
                 {press("addIncomeButton"), type("incomeAmountField", QStringLiteral("77"))},
                 incomesAndExpenses,
                 {QStringLiteral("BankAccount")}},
        SaveCase{"income",
                 AppDestination::expenses,
                 FinanceTab::overview,
                 {press("addIncomeButton"), type("titleField", QStringLiteral("Bonus")),
                  type("amountField", money)},
                 incomesAndExpenses},
        SaveCase{"expense",
                 AppDestination::expenses,
                 FinanceTab::overview,
                 {press("addExpenseButton"), type("titleField", QStringLiteral("Lunch")),
                  type("amountField", money)},
                 incomesAndExpenses},
        SaveCase{"account",
                 AppDestination::expenses,
                 FinanceTab::overview,
                 {press("addAccountPlus"), type("accountNameField", QStringLiteral("Savings")),
                  type("balanceField", money)},
                 count<BankAccount>},
        SaveCase{"card",
                 AppDestination::expenses,
                 FinanceTab::commitments,
                 {press("addCardButton"), type("cardNameField", QStringLiteral("Travel card")),
                  press("addCardButton", 0)},
                 count<CreditCard>},
        SaveCase{"subscription",
                 AppDestination::expenses,
                 FinanceTab::commitments,
                 {press("addSubscriptionButton"), type("nameField", QStringLiteral("News")),
                  type("priceField", money), press("addSubscriptionButton", 0)},
                 count<Subscription>,
                 {QStringLiteral("Expense")}},
        SaveCase{"investment",
                 AppDestination::expenses,
                 FinanceTab::investments,
                 {press("addButton"), type("nameField", QStringLiteral("Bond fund")),
                  type("unitsField", money), type("buyPriceField", money), type("currentPriceField", money)},
                 count<Investment>},
        SaveCase{
            "bill",
            AppDestination::expenses,
            FinanceTab::bills,
            {press("addBillButton"), type("nameField", QStringLiteral("Water")), type("amountField", money)},
            count<Bill>},
        SaveCase{"task",
                 AppDestination::calendar,
                 std::nullopt,
                 {press("toggleAddTaskButton", Qt::Key_Return, "newTaskField"),
                  type("newTaskField", QStringLiteral("Call the bank")), press("addTaskButton", 0)},
                 count<CalendarTask>,
                 {},
                 0},
        SaveCase{"subtask",
                 AppDestination::calendar,
                 std::nullopt,
                 {press("addSubtaskButton"), type("newSubtaskField", QStringLiteral("Socks"))},
                 count<CalendarSubtask>,
                 {},
                 0},
        SaveCase{"task-category",
                 AppDestination::calendar,
                 std::nullopt,
                 {press("toggleAddTaskButton", Qt::Key_Return, "newCategoryChip"), press("newCategoryChip"),
                  type("categoryNameField", QStringLiteral("Errands")), press("categoryCreateButton", 0)},
                 count<TaskCategory>,
                 {},
                 1},
        SaveCase{"goal",
                 AppDestination::goals,
                 std::nullopt,
                 {press("goalsNewGoalButton"), type("createGoalTitleField", QStringLiteral("Read more")),
                  press("createGoalConfirm", 0)},
                 count<Goal>},
        SaveCase{"milestone",
                 AppDestination::goals,
                 std::nullopt,
                 {press("goalRow", Qt::Key_Return, "addMilestoneButton"), press("addMilestoneButton"),
                  press("frequencyRow", Qt::Key_Space), press("saveAndContinue"), press("saveMilestone", 0)},
                 count<Milestone>,
                 {},
                 1},
        SaveCase{"step",
                 AppDestination::goals,
                 std::nullopt,
                 {press("goalRow", Qt::Key_Return, "addMilestoneButton"),
                  press("milestoneChevron", Qt::Key_Return, "addStepButton"), press("addStepButton"),
                  type("stepTitleField", QStringLiteral("Stretch")), press("addStepConfirm", 0)},
                 count<Step>,
                 {},
                 2},
        SaveCase{"journal-entry",
                 AppDestination::journal,
                 std::nullopt,
                 {press("logProgressButton"), press("GoalChip", Qt::Key_Space), press("saveButton", 0)},
                 count<DailyLog>,
                 {QStringLiteral("Goal")}},
        SaveCase{"link",
                 AppDestination::links,
                 std::nullopt,
                 {press("addLinkButton"), type("titleField", QStringLiteral("Race results")),
                  type("urlField", QStringLiteral("https://example.org/results"))},
                 count<LinkItem>},
        SaveCase{
            "achievement",
            AppDestination::achievements,
            std::nullopt,
            {press("addWinButton"), type("titleField", QStringLiteral("Ran 15k")), press("saveButton", 0)},
            count<Achievement>}),
    [](const testing::TestParamInfo<SaveCase>& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });
