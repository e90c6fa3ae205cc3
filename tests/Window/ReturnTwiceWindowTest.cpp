// Two Returns never undo a save. For each save reached by the keyboard alone (Tab to the opener,
// Return, type, Return), done twice over, the two Returns that follow keep every record, and the
// focus rests neither on a control that deletes, removes or cancels nor outside the screen saved.
#include "Window/WindowLane.h"

#include "Components/FocusAfter.h"
#include "Components/KeyboardLayer.h"
#include "Models/Achievement.h"
#include "Models/BankAccount.h"
#include "Models/Bill.h"
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
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "Views/Finance/FinanceTabButton.h"
#include "Views/Finance/FinanceView.h"
#include "Views/Navigation/SidebarNavItem.h"

#include <QApplication>

#include <functional>

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
    // From the screen to the save: the opener, what to choose and type. A Return then saves,
    // and the first text typed is made different in each round.
    std::vector<KeyStep> steps;
    std::function<std::size_t(ObjectContext*)> records;
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

bool matches(const QWidget* widget, const char* name) {
    return widget->objectName() == QLatin1String(name) || widget->inherits(name);
}

class ReturnTwice : public WindowLane, public testing::WithParamInterface<SaveCase> {
protected:
    static QWidget* focus() { return QApplication::focusWidget(); }
    void key(int key) {
        QTest::keyClick(focus() ? focus() : window_.get(), Qt::Key(key));
        frames(120);
    }
    // The focus on the first stop Tab reaches that passes, staying if it is there already.
    QWidget* tabTo(const std::function<bool(QWidget*)>& wanted) {
        if (focus() && wanted(focus()))
            return focus();
        for (int i = 0; i < 150; ++i) {
            key(Qt::Key_Tab);
            if (focus() && wanted(focus()))
                return focus();
        }
        return nullptr;
    }
    bool shown(const char* name) const {
        const QWidget* within = topSheet() ? static_cast<const QWidget*>(topSheet()) : screen();
        for (const QWidget* w : within->findChildren<QWidget*>(QString::fromLatin1(name)))
            if (w->isVisible())
                return true;
        return false;
    }
    // A sheet or popover over the screen that owns the keyboard, if any: a Return on the
    // screen's Add may open the next one.
    KeyboardLayer* over(const QWidget* screen) const {
        KeyboardLayer* layer = KeyboardLayer::top(window_.get());
        return layer && !layer->contains(screen) && !screen->isAncestorOf(layer->widget()) ? layer : nullptr;
    }
    // Where the focus may not rest after a save, or nothing.
    QString misplaced(const QWidget* screen) const {
        if (!focus())
            return {};
        if (FocusAfter::isDestructive(focus()))
            return QStringLiteral("on ") + describe(focus());
        KeyboardLayer* layer = over(screen);
        if (!screen->isAncestorOf(focus()) && !(layer && layer->contains(focus())))
            return QStringLiteral("outside the screen, on ") + describe(focus());
        return {};
    }
};

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
    for (int round = 1; round <= 2; ++round) {
        const std::string at = std::string(c.name) + " round " + std::to_string(round);
        bool typed = false;
        for (const KeyStep& step : c.steps) {
            if (step.unlessShown && shown(step.unlessShown))
                continue;
            ASSERT_NE(tabTo([&step](QWidget* w) { return matches(w, step.control); }), nullptr)
                << at << ": Tab never reached " << step.control;
            if (!step.text.isEmpty()) {
                QTest::keyClicks(focus(), typed ? step.text : step.text + QString::number(round));
                typed = true;
            }
            if (step.key) {
                key(step.key);
                frames(600);
            }
        }
        const std::size_t before = c.records(context());
        key(Qt::Key_Return);
        frames(800);
        EXPECT_EQ(topSheet(), nullptr) << at << ": the save left the sheet open";
        const std::size_t saved = c.records(context());
        EXPECT_EQ(saved, before + 1) << at << ": Return saved nothing";
        for (int press = 1; press <= 2; ++press) {
            EXPECT_TRUE(misplaced(screen).isEmpty())
                << at << ", Return " << press << ": the focus is " << misplaced(screen).toStdString();
            key(Qt::Key_Return);
            frames(800);
            EXPECT_GE(c.records(context()), saved) << at << ", Return " << press << " deleted a record";
        }
        for (int i = 0; i < 3 && over(screen); ++i) {
            key(Qt::Key_Escape);
            frames(800);
        }
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
                 incomesAndExpenses},
        SaveCase{"allocation",
                 AppDestination::expenses,
                 FinanceTab::cashFlow,
                 {press("allocateButton"), type("titleField", QStringLiteral("Insurance")),
                  type("amountField", money)},
                 incomesAndExpenses},
        SaveCase{"monthly-income",
                 AppDestination::expenses,
                 FinanceTab::cashFlow,
                 {press("addIncomeButton"), type("incomeAmountField", QStringLiteral("300"))},
                 incomesAndExpenses},
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
                 count<Subscription>},
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
                 count<CalendarTask>},
        SaveCase{"task-category",
                 AppDestination::calendar,
                 std::nullopt,
                 {press("toggleAddTaskButton", Qt::Key_Return, "newCategoryChip"), press("newCategoryChip"),
                  type("categoryNameField", QStringLiteral("Errands")), press("categoryCreateButton", 0)},
                 count<TaskCategory>},
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
                 count<Milestone>},
        SaveCase{"step",
                 AppDestination::goals,
                 std::nullopt,
                 {press("goalRow", Qt::Key_Return, "addMilestoneButton"),
                  press("milestoneChevron", Qt::Key_Return, "addStepButton"), press("addStepButton"),
                  type("stepTitleField", QStringLiteral("Stretch")), press("addStepConfirm", 0)},
                 count<Step>},
        SaveCase{"journal-entry",
                 AppDestination::journal,
                 std::nullopt,
                 {press("logProgressButton"), press("GoalChip", Qt::Key_Space), press("saveButton", 0)},
                 count<DailyLog>},
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
