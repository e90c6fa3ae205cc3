// Two Returns never undo a save, nor delete two records. For each save reached by the keyboard
// alone (Tab to the opener, Return, type, Return), done twice over, the two Returns that follow
// keep every record, and the focus rests neither on a control that deletes, removes or cancels
// nor outside the screen saved. For each list with a Delete per row, see the second table below.
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

// A window driven by the keyboard a round at a time, and where its focus may not rest.
class KeyboardRound : public WindowLane {
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

// One Delete takes one record. In every list whose rows each have a Delete, three records: the
// second one's Delete pressed by Tab and Return, by Tab and Space, or clicked (a Delete that asks
// is confirmed the same way; a journal entry's is in its context menu), then Return once more. One record is
// gone, not two, and the focus rests on no control that deletes, removes or cancels: the row that took the
// place has it.
namespace {

enum class Press { tabReturn, tabSpace, click };

struct DeleteCase {
    const char* name;
    AppDestination destination;
    std::optional<FinanceTab> tab;
    const char* row; // the object name of a row
    std::function<void(ObjectContext*)> seed;
    std::function<std::size_t(ObjectContext*)> records;
    bool inGoal = false; // the rows are in the goal's detail, its card unfolded
    // A row whose Delete is in its context menu: the menu's action by that object name, chosen
    // with the keyboard in the row, or without (a right click).
    const char* menuDelete = nullptr;
};

void PrintTo(const std::tuple<DeleteCase, Press>& c, std::ostream* os) {
    *os << std::get<0>(c).name << '/' << int(std::get<1>(c));
}

const QStringList three = {QStringLiteral("First"), QStringLiteral("Second"), QStringLiteral("Third")};

void seedCashFlow(ObjectContext* context, const QString& type) {
    CashFlowViewModel cash(context);
    cash.fetchForSelectedMonth();
    cash.setIncome(2500, std::nullopt);
    if (type.isEmpty()) {
        cash.setIncome(300, std::nullopt);
        cash.setIncome(200, std::nullopt);
        return;
    }
    for (const QString& title : three) {
        ExpenseDraft draft;
        draft.title = title;
        draft.amount = 40;
        draft.date = Clock::now();
        draft.expenseType = type;
        draft.paymentMethod = QStringLiteral("debit");
        cash.addExpense(draft);
    }
}

std::shared_ptr<Goal> seedGoal(ObjectContext* context, int milestones, int steps) {
    auto goal = Goal::create(context);
    goal->setTitle(QStringLiteral("Run a half marathon"));
    goal->setCreatedAt(Clock::now().addDays(-3));
    goal->setColorHex(QStringLiteral("#0891B2"));
    for (int m = 0; m < milestones; ++m) {
        auto milestone = Milestone::create(context);
        milestone->setTitle(three[m]);
        milestone->setOrder(qint16(m));
        milestone->setGoal(goal);
        for (int i = 0; i < steps; ++i) {
            auto step = Step::create(context);
            step->setTitle(three[i]);
            step->setMilestone(milestone);
        }
    }
    return goal;
}

std::shared_ptr<CalendarTask> seedTask(ObjectContext* context, const QString& title) {
    auto task = CalendarTask::create(context);
    task->setTitle(title);
    task->setDate(Clock::now().date().startOfDay());
    return task;
}

class DeleteOnce : public KeyboardRound, public testing::WithParamInterface<std::tuple<DeleteCase, Press>> {
protected:
    // The rows shown, top to bottom.
    QList<QWidget*> rows(const char* name) const {
        QList<QWidget*> out;
        for (QWidget* w : screen()->findChildren<QWidget*>(QString::fromLatin1(name)))
            if (w->isVisible())
                out << w;
        std::sort(out.begin(), out.end(), [this](QWidget* a, QWidget* b) {
            return a->mapTo(window_.get(), QPoint()).y() < b->mapTo(window_.get(), QPoint()).y();
        });
        return out;
    }
    // The row's own Delete (not one of a row inside it).
    static QAbstractButton* deleteOf(QWidget* row, const char* rowName) {
        for (auto* button : row->findChildren<QAbstractButton*>()) {
            QWidget* owner = button->parentWidget();
            while (owner && owner != row && owner->objectName() != QLatin1String(rowName))
                owner = owner->parentWidget();
            if (owner == row && FocusAfter::isDestructive(button))
                return button;
        }
        return nullptr;
    }
    static QWidget* firstStop(QWidget* row) {
        if ((row->focusPolicy() & Qt::TabFocus) == Qt::TabFocus)
            return row;
        for (QWidget* w = row->nextInFocusChain(); w && w != row; w = w->nextInFocusChain())
            if (row->isAncestorOf(w) && w->isVisible() && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus)
                return w;
        return nullptr;
    }
    // Into the row by the keyboard: Tab to it, or to the row before and Down where the rows
    // are one stop.
    void enter(const QList<QWidget*>& shown) {
        const bool oneStop = !firstStop(shown[1]);
        QWidget* row = oneStop ? shown[0] : shown[1];
        ASSERT_NE(tabTo([row](QWidget* w) { return w == row || row->isAncestorOf(w); }), nullptr)
            << "Tab never reached the row";
        if (oneStop)
            key(Qt::Key_Down);
        ASSERT_TRUE(focus() && (focus() == shown[1] || shown[1]->isAncestorOf(focus())));
    }
    // The Delete pressed as the case says; true when it asked.
    void press(QWidget* row, QAbstractButton* remove, Press how) {
        if (how == Press::click) {
            hover(row);
            frames(300);
            ASSERT_TRUE(remove->isVisible()) << "the row shows no Delete under the pointer";
            click(remove);
        } else {
            for (int i = 0; i < 12 && focus() != remove; ++i) {
                key(Qt::Key_Tab);
                ASSERT_TRUE(focus() && row->isAncestorOf(focus())) << "Tab left the row before its Delete";
            }
            ASSERT_EQ(focus(), remove) << "Tab never reached the row's Delete";
            key(how == Press::tabReturn ? Qt::Key_Return : Qt::Key_Space);
        }
        frames(600);
    }
    // The Delete of the row's context menu chosen (the menu is Qt's own; what is tested is
    // where the focus goes once the row is gone).
    void chooseInMenu(QWidget* row, const char* name) {
        QAction* remove = nullptr;
        for (QAction* action : row->actions())
            if (action->objectName() == QLatin1String(name))
                remove = action;
        ASSERT_NE(remove, nullptr) << "the row's menu has no " << name;
        remove->trigger();
        frames(600);
    }
    // The alert a Delete that asks opened, confirmed as the Delete was pressed.
    void confirm(Press how) {
        SheetHost* alert = topSheet();
        if (!alert)
            return;
        QAbstractButton* yes = nullptr;
        for (auto* button : alert->findChildren<QAbstractButton*>())
            if (button->isVisible() && FocusAfter::isDestructive(button) &&
                !button->text().startsWith(QStringLiteral("Cancel")))
                yes = button;
        ASSERT_NE(yes, nullptr) << "the alert has no Delete";
        if (how == Press::click) {
            click(yes);
        } else {
            for (int i = 0; i < 6 && focus() != yes; ++i)
                key(Qt::Key_Tab);
            ASSERT_EQ(focus(), yes);
            key(how == Press::tabReturn ? Qt::Key_Return : Qt::Key_Space);
        }
        frames(800);
    }
};

std::string deleteCaseName(const testing::TestParamInfo<std::tuple<DeleteCase, Press>>& info) {
    static const char* const presses[] = {"TabReturn", "TabSpace", "Click"};
    return std::string(std::get<0>(info.param).name) + "_" + presses[int(std::get<1>(info.param))];
}

} // namespace

TEST_P(DeleteOnce, TheSecondRowDeletedThenReturnTakesOneRecord) {
    const auto& [c, how] = GetParam();
    // Return on a link's row opens it: not in a browser here.
    struct NoBrowser {
        NoBrowser() {
            UrlOpener::setHandler([](const QUrl&) {});
        }
        ~NoBrowser() { UrlOpener::setHandler({}); }
    } noBrowser;
    UserDefaults::standard().setFlag(FinanceView::authEnabledKey, false);
    UserDefaults::standard().setFlag(FinanceView::onboardingCompleteKey, true);
    c.seed(context());
    context()->save();
    showWindow(QSize(1200, 760));
    reach(c.destination);
    if (c.tab) {
        auto* finance = qobject_cast<FinanceView*>(screen());
        ASSERT_NE(finance, nullptr);
        click(finance->tabBar()->button(*c.tab));
        frames(800);
    }
    if (c.inGoal) {
        click(named(QStringLiteral("goalRow")));
        frames(800);
        if (QString(c.row) == QLatin1String("stepRow")) {
            click(named(QStringLiteral("milestoneChevron")));
            frames(600);
        }
    }
    QList<QWidget*> shown = rows(c.row);
    ASSERT_EQ(shown.size(), 3) << "three rows of " << c.row;
    QAbstractButton* remove = c.menuDelete ? nullptr : deleteOf(shown[1], c.row);
    ASSERT_TRUE(remove || c.menuDelete) << "the row has no Delete";
    const std::size_t before = c.records(context());
    // A Delete that a click does not focus leaves the focus where it was.
    const bool focusFollows =
        how != Press::click || (remove && (remove->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus);
    if (how != Press::click)
        enter(shown);
    if (remove)
        press(shown[1], remove, how);
    else
        chooseInMenu(shown[1], c.menuDelete);
    confirm(how);
    EXPECT_EQ(c.records(context()), before - 1) << "the Delete took no record, or more than one";
    const QList<QWidget*> left = rows(c.row);
    ASSERT_EQ(left.size(), 2);
    if (focusFollows) {
        EXPECT_TRUE(focus() && (focus() == left[1] || left[1]->isAncestorOf(focus())))
            << "the row that took the place has no focus: "
            << (focus() ? describe(focus()).toStdString() : "none");
    }
    EXPECT_TRUE(misplaced(screen()).isEmpty())
        << "after the delete the focus is " << misplaced(screen()).toStdString();
    key(Qt::Key_Return);
    frames(800);
    EXPECT_EQ(c.records(context()), before - 1) << "one more Return deleted another record";
    for (int i = 0; i < 3 && over(screen()); ++i) {
        key(Qt::Key_Escape);
        frames(800);
    }
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(u'\n'));
}

INSTANTIATE_TEST_SUITE_P(
    EveryList, DeleteOnce,
    testing::Combine(
        testing::Values(DeleteCase{"bills", AppDestination::expenses, FinanceTab::bills, "billRow",
                                   [](ObjectContext* context) {
                                       for (int i = 0; i < 3; ++i) {
                                           auto bill = Bill::create(context);
                                           bill->setName(three[i]);
                                           bill->setDueDay(qint16(5 + i));
                                           bill->setAmount(100 + i);
                                       }
                                   },
                                   count<Bill>},
                        DeleteCase{"cards", AppDestination::expenses, FinanceTab::commitments,
                                   "creditCardRow",
                                   [](ObjectContext* context) {
                                       for (const QString& name : three) {
                                           auto card = CreditCard::create(context);
                                           card->setId(QUuid::createUuid());
                                           card->setName(name);
                                       }
                                   },
                                   count<CreditCard>},
                        DeleteCase{"subscriptions", AppDestination::expenses, FinanceTab::commitments,
                                   "subscriptionRow",
                                   [](ObjectContext* context) {
                                       for (const QString& name : three) {
                                           auto subscription = Subscription::create(context);
                                           subscription->setId(QUuid::createUuid());
                                           subscription->setName(name);
                                           subscription->setPrice(9);
                                           subscription->setStatus(QStringLiteral("active"));
                                           subscription->setRenewalDate(Clock::now().addDays(3));
                                       }
                                   },
                                   count<Subscription>},
                        DeleteCase{"holdings", AppDestination::expenses, FinanceTab::investments,
                                   "investmentRow",
                                   [](ObjectContext* context) {
                                       for (const QString& name : three) {
                                           auto holding = Investment::create(context);
                                           holding->setId(QUuid::createUuid());
                                           holding->setName(name);
                                           holding->setUnits(10);
                                           holding->setBuyPrice(100);
                                           holding->setCurrentPrice(110);
                                           holding->setBuyDate(Clock::now());
                                       }
                                   },
                                   count<Investment>},
                        DeleteCase{"accounts", AppDestination::expenses, FinanceTab::overview, "accountRow",
                                   [](ObjectContext* context) {
                                       for (const QString& name : three) {
                                           auto account = BankAccount::create(context);
                                           account->setId(QUuid::createUuid());
                                           account->setName(name);
                                           account->setBalance(1200);
                                       }
                                   },
                                   count<BankAccount>},
                        DeleteCase{"incomes", AppDestination::expenses, FinanceTab::cashFlow, "incomeRow",
                                   [](ObjectContext* context) { seedCashFlow(context, {}); }, count<Income>},
                        DeleteCase{"expenses", AppDestination::expenses, FinanceTab::cashFlow, "dynamicRow",
                                   [](ObjectContext* context) {
                                       seedCashFlow(context, CashFlowViewModel::dynamicType);
                                   },
                                   count<Expense>},
                        DeleteCase{"allocations", AppDestination::expenses, FinanceTab::cashFlow,
                                   "allocationRow",
                                   [](ObjectContext* context) {
                                       seedCashFlow(context, CashFlowViewModel::fixedType);
                                   },
                                   count<Expense>},
                        DeleteCase{"links", AppDestination::links, std::nullopt, "linkRow",
                                   [](ObjectContext* context) {
                                       for (const QString& title : three) {
                                           auto link = LinkItem::create(context);
                                           link->setTitle(title);
                                           link->setUrl(QStringLiteral("https://example.org/") + title);
                                           link->setCategory(QStringLiteral("Running"));
                                       }
                                   },
                                   count<LinkItem>},
                        DeleteCase{"tasks", AppDestination::calendar, std::nullopt, "calendarTaskRow",
                                   [](ObjectContext* context) {
                                       for (const QString& title : three)
                                           seedTask(context, title);
                                   },
                                   count<CalendarTask>},
                        DeleteCase{"subtasks", AppDestination::calendar, std::nullopt, "calendarSubtaskRow",
                                   [](ObjectContext* context) {
                                       auto task = seedTask(context, QStringLiteral("Pack"));
                                       for (const QString& title : three) {
                                           auto subtask = CalendarSubtask::create(context);
                                           subtask->setTitle(title);
                                           subtask->setTask(task);
                                       }
                                   },
                                   count<CalendarSubtask>},
                        DeleteCase{"wins", AppDestination::achievements, std::nullopt, "achievementRow",
                                   [](ObjectContext* context) {
                                       for (int i = 0; i < 3; ++i) {
                                           auto win = Achievement::create(context);
                                           win->setTitle(three[i]);
                                           win->setDate(Clock::now().addDays(-i));
                                       }
                                   },
                                   count<Achievement>},
                        DeleteCase{"journal_entries", AppDestination::journal, std::nullopt, "dailyLogEntry",
                                   [](ObjectContext* context) {
                                       auto goal = seedGoal(context, 0, 0);
                                       for (const QString& notes : three) {
                                           auto log = DailyLog::create(context);
                                           log->setGoal(goal);
                                           log->setDate(Clock::now());
                                           log->setNotes(notes);
                                       }
                                   },
                                   count<DailyLog>, false, "deleteEntryAction"},
                        DeleteCase{"milestones", AppDestination::goals, std::nullopt, "milestoneCard",
                                   [](ObjectContext* context) { seedGoal(context, 3, 0); }, count<Milestone>,
                                   true},
                        DeleteCase{"steps", AppDestination::goals, std::nullopt, "stepRow",
                                   [](ObjectContext* context) { seedGoal(context, 1, 3); }, count<Step>,
                                   true}),
        testing::Values(Press::tabReturn, Press::tabSpace, Press::click)),
    deleteCaseName);
