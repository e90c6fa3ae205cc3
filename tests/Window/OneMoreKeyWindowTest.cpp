// One more key after a row action changes no record. Every list with an action per row, one
// window per list: three records (or one), the action on the second by Tab and Return, by Tab
// and Space and by a click, on the last by the keyboard and on the only one, then Return and
// Space once more. The store's rows (every record of every kind, each attribute) stay as the
// action left them, the focus rests on no control of another list nor on nothing, a row that left
// hands it to the row that took its place (else the section's Add), and a row the focus rests on
// has a name. A toggle whose row stays keeps the focus where the user put it: one more key there is
// his own.
#include "Window/WindowLane.h"

#include "Components/ElidedLabel.h"
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
#include "Platform/UrlOpener.h"
#include "Platform/UserDefaults.h"
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "Views/CalendarView/CalendarTextLine.h"
#include "Views/Finance/FinanceTabBar.h"
#include "Views/Finance/FinanceTabButton.h"
#include "Views/Finance/FinanceView.h"
#include "Views/Navigation/SidebarNavItem.h"

#include <QAbstractButton>
#include <QAction>
#include <QCursor>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

const QStringList names = {QStringLiteral("Alder"), QStringLiteral("Birch"), QStringLiteral("Cedar")};

enum class Press { tabReturn, tabSpace, click };
enum class Which { second, last, only };

struct RowAction {
    const char* label;
    const char* control; // the row's control by object name; null: `menu`
    const char* menu;    // an action of the row's context menu by object name
    bool leaves;         // the row leaves its list
    bool removes;        // the record leaves the store
};
RowAction act(const char* label, const char* control, bool leaves, bool removes = false) {
    return {label, control, nullptr, leaves, removes};
}
RowAction deletes(const char* control) {
    return {"delete", control, nullptr, true, true};
}

// Where the rows are, besides the destination and its tab.
enum class Place { screen, inactiveSubscriptions, goalDetail, steps, achievedGoals };

struct ListCase {
    const char* name;
    AppDestination destination;
    std::optional<FinanceTab> tab;
    const char* row;
    // The Adds of the section (or what holds them, as a form in place of the empty list): where
    // the focus may go once its last row left.
    QStringList adds;
    QString entity;
    // The list's records replaced by that many, named from `names`.
    std::function<void(ObjectContext*, int)> seed;
    std::vector<RowAction> actions;
    Place place = Place::screen;
};

void PrintTo(const ListCase& c, std::ostream* os) {
    *os << c.name;
}

template <typename Entity> void removeAll(ObjectContext* context) {
    for (const auto& record : context->fetch(FetchRequest(Entity::entityName())))
        context->deleteObject(record);
}

void seedCashFlow(ObjectContext* context, const QString& type, int n) {
    CashFlowViewModel cash(context);
    cash.fetchForSelectedMonth();
    if (type.isEmpty()) {
        removeAll<Income>(context);
        context->save();
        for (int i = 0; i < n; ++i)
            cash.setIncome(300 + 100 * i, std::nullopt);
        auto incomes = context->fetch<Income>(FetchRequest(Income::entityName()));
        std::sort(incomes.begin(), incomes.end(),
                  [](const auto& a, const auto& b) { return a->objectID() < b->objectID(); });
        for (int i = 0; i < int(incomes.size()) && i < n; ++i)
            incomes[size_t(i)]->setTitle(names[i]);
        return;
    }
    for (const auto& expense : context->fetch<Expense>(FetchRequest(Expense::entityName())))
        if (expense->expenseType() == type)
            context->deleteObject(expense);
    context->save();
    for (int i = 0; i < n; ++i) {
        ExpenseDraft draft;
        draft.title = names[i];
        draft.amount = 40 + i;
        draft.date = Clock::now();
        draft.expenseType = type;
        draft.paymentMethod = QStringLiteral("debit");
        cash.addExpense(draft);
    }
}

std::shared_ptr<Goal> seedGoal(ObjectContext* context, int milestones, int steps) {
    removeAll<Goal>(context);
    removeAll<Milestone>(context);
    removeAll<Step>(context);
    auto goal = Goal::create(context);
    goal->setTitle(QStringLiteral("Run a half marathon"));
    goal->setCreatedAt(Clock::now().addDays(-3));
    goal->setColorHex(QStringLiteral("#0891B2"));
    for (int m = 0; m < milestones; ++m) {
        auto milestone = Milestone::create(context);
        milestone->setTitle(steps ? QStringLiteral("Base miles") : names[m]);
        milestone->setOrder(qint16(m));
        milestone->setGoal(goal);
        for (int i = 0; i < steps; ++i) {
            auto step = Step::create(context);
            step->setTitle(names[i]);
            step->setMilestone(milestone);
        }
    }
    return goal;
}

void seedSubscriptions(ObjectContext* context, int n, bool active) {
    removeAll<Subscription>(context);
    const auto make = [context](const QString& name, bool on) {
        auto subscription = Subscription::create(context);
        subscription->setId(QUuid::createUuid());
        subscription->setName(name);
        subscription->setPrice(9);
        subscription->setStatus(on ? QStringLiteral("active") : QStringLiteral("paused"));
        subscription->setRenewalDate(Clock::now().addDays(3));
    };
    // Rows of another kind beside: an active one above the paused ones.
    if (!active)
        make(QStringLiteral("Music"), true);
    for (int i = 0; i < n; ++i)
        make(names[i], active);
}

class OneMoreKey : public KeyboardRound, public testing::WithParamInterface<ListCase> {
protected:
    // The record a row shows: the name of `names` its labels or its accessible name give.
    QString titleOf(QWidget* row) const {
        const QString rowName = row->objectName();
        for (const QString& name : names)
            if (row->accessibleName().contains(name))
                return name;
        for (auto* label : row->findChildren<QLabel*>()) {
            QWidget* owner = label->parentWidget();
            while (owner && owner != row && owner->objectName() != rowName)
                owner = owner->parentWidget();
            if (owner != row)
                continue;
            auto* elided = qobject_cast<ElidedLabel*>(label);
            const QString text = elided ? elided->fullText() : label->text();
            if (names.contains(text.trimmed()))
                return text.trimmed();
        }
        for (auto* line : row->findChildren<CalendarTextLine*>())
            if (rowAround(line) == row && names.contains(line->text().trimmed()))
                return line->text().trimmed();
        return {};
    }
    // The rows of seeded records shown, top to bottom.
    QList<QWidget*> rows(const ListCase& c) const {
        QList<QWidget*> out;
        for (QWidget* w : screen()->findChildren<QWidget*>(QString::fromLatin1(c.row)))
            if (w->isVisible() && !titleOf(w).isEmpty())
                out << w;
        std::sort(out.begin(), out.end(), [this](QWidget* a, QWidget* b) {
            return a->mapTo(window_.get(), QPoint()).y() < b->mapTo(window_.get(), QPoint()).y();
        });
        return out;
    }
    QWidget* rowTitled(const ListCase& c, const QString& title) const {
        for (QWidget* row : rows(c))
            if (titleOf(row) == title)
                return row;
        return nullptr;
    }
    // The row's own control of that name (not one of a row inside it).
    static QWidget* controlOf(QWidget* row, const char* name) {
        for (auto* control : row->findChildren<QWidget*>(QString::fromLatin1(name))) {
            QWidget* owner = control->parentWidget();
            while (owner && owner != row && owner->objectName() != row->objectName())
                owner = owner->parentWidget();
            if (owner == row)
                return control;
        }
        return nullptr;
    }
    // The nearest row of any list around the widget, itself included.
    static QWidget* rowAround(QWidget* widget) {
        static const QStringList rowNames = {QStringLiteral("billRow"),
                                             QStringLiteral("subscriptionRow"),
                                             QStringLiteral("creditCardRow"),
                                             QStringLiteral("investmentRow"),
                                             QStringLiteral("accountRow"),
                                             QStringLiteral("incomeRow"),
                                             QStringLiteral("dynamicRow"),
                                             QStringLiteral("allocationRow"),
                                             QStringLiteral("linkRow"),
                                             QStringLiteral("calendarTaskRow"),
                                             QStringLiteral("calendarSubtaskRow"),
                                             QStringLiteral("dailyLogEntry"),
                                             QStringLiteral("achievementRow"),
                                             QStringLiteral("milestoneCard"),
                                             QStringLiteral("stepRow"),
                                             QStringLiteral("goalRow"),
                                             QStringLiteral("archivedGoalRow")};
        for (QWidget* w = widget; w; w = w->parentWidget())
            if (rowNames.contains(w->objectName()))
                return w;
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
    static bool within(QWidget* row, QWidget* w) { return w && (w == row || row->isAncestorOf(w)); }

    // Where a person starts: the list's finance tab, else its destination in the sidebar.
    void goHome(const ListCase& c) {
        for (int i = 0; i < 3 && over(screen()); ++i) {
            key(Qt::Key_Escape);
            frames(800);
        }
        QWidget* home = nullptr;
        if (auto* finance = qobject_cast<FinanceView*>(screen()); finance && c.tab)
            home = finance->tabBar()->button(*c.tab);
        for (SidebarNavItem* item : sidebar()->navItems())
            if (!home && item->destination() == c.destination)
                home = item;
        ASSERT_NE(home, nullptr);
        home->setFocus(Qt::TabFocusReason);
        frames(60);
    }
    // The screen made anew over the records just seeded, as a person comes back to it, and the
    // rows brought into view as their place asks.
    void open(const ListCase& c) {
        reach(c.destination == AppDestination::deadlines ? AppDestination::links : AppDestination::deadlines);
        reach(c.destination);
        if (c.tab) {
            auto* finance = qobject_cast<FinanceView*>(screen());
            ASSERT_NE(finance, nullptr);
            click(finance->tabBar()->button(*c.tab));
            frames(800);
        }
        if (c.place == Place::goalDetail || c.place == Place::steps) {
            QWidget* goal = named(QStringLiteral("goalRow"));
            ASSERT_NE(goal, nullptr);
            if (!named(QStringLiteral("milestoneCard"))) {
                click(goal);
                frames(800);
            }
            if (c.place == Place::steps && !named(QStringLiteral("stepRow"))) {
                click(named(QStringLiteral("milestoneChevron")));
                frames(600);
            }
        } else if (c.place == Place::inactiveSubscriptions && rows(c).isEmpty()) {
            click(named(QStringLiteral("inactiveDisclosure")));
            frames(600);
        } else if (c.place == Place::achievedGoals && !named(QStringLiteral("archivedGoalRow"))) {
            click(named(QStringLiteral("goalsAchievedTab")));
            frames(800);
        }
    }
    // Into the row by the keyboard: Tab to it, or to the first row and Down where the rows are
    // one stop.
    bool enter(const QList<QWidget*>& shown, int index) {
        QWidget* row = shown[index];
        const bool oneStop = !firstStop(row);
        QWidget* first = oneStop ? shown[0] : row;
        if (!tabTo([first](QWidget* w) { return within(first, w); })) {
            ADD_FAILURE() << "Tab never reached the row";
            return false;
        }
        for (int i = 0; oneStop && i < index; ++i)
            key(Qt::Key_Down);
        if (!within(row, focus())) {
            ADD_FAILURE() << "the keyboard is not in the row but on " << describe(focus()).toStdString();
            return false;
        }
        return true;
    }
    // The control pressed as the step says; false when it could not be.
    bool press(QWidget* row, QWidget* control, Press how) {
        if (how == Press::click) {
            // From outside the row, so that the row made anew under a pointer left there is entered.
            if (QScreen* screen = QGuiApplication::primaryScreen())
                QCursor::setPos(screen, screen->geometry().bottomRight());
            frames(60);
            hover(row);
            frames(300);
            if (!control->isVisible()) {
                ADD_FAILURE() << "the row shows no " << control->objectName().toStdString();
                return false;
            }
            click(control);
        } else {
            // Forward through the row, else back: the control may come before the stop entered.
            for (int i = 0; i < 12 && focus() != control && within(row, focus()); ++i)
                key(Qt::Key_Tab);
            if (focus() != control && !within(row, focus()))
                key(Qt::Key_Backtab);
            for (int i = 0; i < 12 && focus() != control && within(row, focus()); ++i)
                key(Qt::Key_Backtab);
            if (focus() != control) {
                ADD_FAILURE() << "Tab and Shift+Tab in the row never reached "
                              << control->objectName().toStdString() << ", but "
                              << describe(focus()).toStdString();
                return false;
            }
            key(how == Press::tabReturn ? Qt::Key_Return : Qt::Key_Space);
        }
        frames(600);
        return true;
    }
    // The action of the row's context menu chosen (the menu is Qt's own).
    void chooseInMenu(QWidget* row, const char* name) {
        QAction* chosen = nullptr;
        for (QAction* action : row->actions())
            if (action->objectName() == QLatin1String(name))
                chosen = action;
        ASSERT_NE(chosen, nullptr) << "the row's menu has no " << name;
        chosen->trigger();
        frames(600);
    }
    // The alert an action that asks opened, confirmed as the action was pressed.
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

    // Why the focus may not rest where it is after the action, or nothing.
    QString focusFault(const ListCase& c, const RowAction& a, const QString& acted, const QString& following,
                       const QString& around) {
        QWidget* at = focus();
        if (!at)
            return QStringLiteral("on nothing");
        if (const QString wrong = misplaced(screen()); !wrong.isEmpty())
            return wrong;
        QWidget* row = rowAround(at);
        if (at == row && accessibleName(row).isEmpty())
            return QStringLiteral("on a row without a name, ") + describe(at);
        // A row of another list; the row around the list's rows (a step's milestone) is the section.
        if (row && row->objectName() == around)
            row = nullptr;
        else if (row && row->objectName() != QLatin1String(c.row))
            return QStringLiteral("in another list's row, on ") + describe(at) + QStringLiteral(" (") +
                   accessibleName(at) + u')';
        if (!a.leaves)
            return {};
        // The record's own row, as a row, may keep it: the record just changed.
        if (row && titleOf(row) == acted)
            return at == row ? QString()
                             : QStringLiteral("on a control of the row that left, ") + describe(at);
        if (!following.isEmpty()) {
            QWidget* next = rowTitled(c, following);
            if (!within(next, at))
                return QStringLiteral("not on the row that took the place, but on ") + describe(at);
            return {};
        }
        if (row)
            return {};
        for (QWidget* w = at; w; w = w->parentWidget())
            if (c.adds.contains(w->objectName()))
                return {};
        return QStringLiteral("neither in the section's rows nor on its Add, but on ") + describe(at);
    }

    void step(const ListCase& c, const RowAction& a, Which which, Press how) {
        static const char* const presses[] = {"Tab+Return", "Tab+Space", "click"};
        static const char* const whiches[] = {"second", "last", "only"};
        const std::string at = std::string(c.name) + ", " + a.label + " on the " + whiches[int(which)] +
                               " row by " + presses[int(how)];
        SCOPED_TRACE(at);
        for (int i = 0; i < 3 && over(screen()); ++i) {
            key(Qt::Key_Escape);
            frames(800);
        }
        const int n = which == Which::only ? 1 : 3;
        c.seed(context(), n);
        context()->save();
        frames(800);
        open(c);
        QList<QWidget*> shown = rows(c);
        ASSERT_EQ(shown.size(), n) << "rows of " << c.row;
        const int index = which == Which::second ? 1 : n - 1;
        QWidget* row = shown[index];
        const QString acted = titleOf(row);
        const QString following = index + 1 < n ? titleOf(shown[index + 1]) : QString();
        QWidget* container = rowAround(row->parentWidget());
        const QString around = container ? container->objectName() : QString();
        QWidget* control = a.control ? controlOf(row, a.control) : nullptr;
        ASSERT_TRUE(control || a.menu) << "the row has no " << a.control;
        goHome(c);
        const StoreRows before = storeRows(context());
        const bool focusFollows =
            how != Press::click || (control && (control->focusPolicy() & Qt::ClickFocus));
        if (how != Press::click && !enter(shown, index))
            return;
        if (control && !press(row, control, how))
            return;
        if (!control)
            chooseInMenu(row, a.menu);
        confirm(how);
        frames(400);
        const StoreRows acting = storeRows(context());
        ASSERT_FALSE(changes(before, acting).isEmpty()) << "the action changed no record";
        if (a.removes) {
            EXPECT_EQ(acting.value(c.entity).size() + 1, before.value(c.entity).size())
                << "the action took no record, or more than one";
        }
        if (a.removes) {
            EXPECT_EQ(rowTitled(c, acted), nullptr) << "the row of the record gone is still shown";
        }
        if (focusFollows) {
            EXPECT_TRUE(focusFault(c, a, acted, following, around).isEmpty())
                << "after the action the focus is "
                << focusFault(c, a, acted, following, around).toStdString();
        }
        // A toggle whose row stays keeps the focus on it, as the user put it there.
        if (!a.leaves && focus() && focus()->objectName() == QLatin1String(a.control) &&
            titleOf(rowAround(focus())) == acted)
            return;
        const QString focused =
            describe(focus()) + QStringLiteral(" (") + (focus() ? accessibleName(focus()) : QString()) + u')';
        for (int extra : {int(Qt::Key_Return), int(Qt::Key_Space)}) {
            const StoreRows was = storeRows(context());
            key(extra);
            frames(800);
            const QString changed = changes(was, storeRows(context()));
            EXPECT_TRUE(changed.isEmpty()) << "one more " << (extra == Qt::Key_Return ? "Return" : "Space")
                                           << " on " << focused.toStdString() << " changed records:\n"
                                           << changed.toStdString();
            for (int i = 0; i < 3 && over(screen()); ++i) {
                key(Qt::Key_Escape);
                frames(800);
            }
        }
    }
};

} // namespace

TEST_P(OneMoreKey, AfterARowActionOneMoreKeyChangesNoRecord) {
    const ListCase& c = GetParam();
    // Return on a link's row opens it: not in a browser here.
    struct NoBrowser {
        NoBrowser() {
            UrlOpener::setHandler([](const QUrl&) {});
        }
        ~NoBrowser() { UrlOpener::setHandler({}); }
    } noBrowser;
    // One more Return or Space on a picker opens its menu, which a person would close again.
    QTimer menus;
    QObject::connect(&menus, &QTimer::timeout, [] {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    menus.start(100);
    seedEveryKind();
    {
        // Rows of the other sections of the month plan around each one.
        CashFlowViewModel cash(context());
        cash.fetchForSelectedMonth();
        cash.setIncome(2500, std::nullopt);
        for (const QString& type : {CashFlowViewModel::fixedType, CashFlowViewModel::dynamicType}) {
            ExpenseDraft draft;
            draft.title = QStringLiteral("Groceries");
            draft.amount = 90;
            draft.date = Clock::now();
            draft.expenseType = type;
            draft.paymentMethod = QStringLiteral("debit");
            cash.addExpense(draft);
        }
    }
    // Tall enough that every row of the month plan is made (its lists make only the rows in view).
    showWindow(QSize(1400, 1040));
    for (const RowAction& a : c.actions) {
        step(c, a, Which::second, Press::tabReturn);
        step(c, a, Which::second, Press::tabSpace);
        step(c, a, Which::second, Press::click);
        step(c, a, Which::last, Press::tabReturn);
        step(c, a, Which::only, Press::tabSpace);
    }
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(u'\n'));
}

INSTANTIATE_TEST_SUITE_P(
    EveryList, OneMoreKey,
    testing::Values(
        ListCase{"bills",
                 AppDestination::expenses,
                 FinanceTab::bills,
                 "billRow",
                 {QStringLiteral("addBillButton"), QStringLiteral("emptyAddBillButton")},
                 Bill::entityName(),
                 [](ObjectContext* context, int n) {
                     removeAll<Bill>(context);
                     for (int i = 0; i < n; ++i) {
                         auto bill = Bill::create(context);
                         bill->setId(QUuid::createUuid());
                         bill->setName(names[i]);
                         bill->setDueDay(qint16(5 + i));
                         bill->setAmount(100 + i);
                     }
                 },
                 {act("Mark Paid", "paidToggle", false), deletes("deleteBillButton")}},
        ListCase{"cards",
                 AppDestination::expenses,
                 FinanceTab::commitments,
                 "creditCardRow",
                 {QStringLiteral("addCardButton"), QStringLiteral("addFirstCardButton")},
                 CreditCard::entityName(),
                 [](ObjectContext* context, int n) {
                     removeAll<CreditCard>(context);
                     for (int i = 0; i < n; ++i) {
                         auto card = CreditCard::create(context);
                         card->setId(QUuid::createUuid());
                         card->setName(names[i]);
                     }
                 },
                 {deletes("deleteCardButton")}},
        ListCase{"subscriptions",
                 AppDestination::expenses,
                 FinanceTab::commitments,
                 "subscriptionRow",
                 {QStringLiteral("addSubscriptionButton"), QStringLiteral("addFirstSubscriptionButton")},
                 Subscription::entityName(),
                 [](ObjectContext* context, int n) { seedSubscriptions(context, n, true); },
                 {act("Pause", "toggleSubscriptionButton", true), deletes("deleteSubscriptionButton")}},
        ListCase{"paused_subscriptions",
                 AppDestination::expenses,
                 FinanceTab::commitments,
                 "subscriptionRow",
                 {QStringLiteral("addSubscriptionButton"), QStringLiteral("inactiveDisclosure")},
                 Subscription::entityName(),
                 [](ObjectContext* context, int n) { seedSubscriptions(context, n, false); },
                 {act("Resume", "toggleSubscriptionButton", true)},
                 Place::inactiveSubscriptions},
        ListCase{"holdings",
                 AppDestination::expenses,
                 FinanceTab::investments,
                 "investmentRow",
                 {QStringLiteral("addButton"), QStringLiteral("addFirstButton")},
                 Investment::entityName(),
                 [](ObjectContext* context, int n) {
                     removeAll<Investment>(context);
                     for (int i = 0; i < n; ++i) {
                         auto holding = Investment::create(context);
                         holding->setId(QUuid::createUuid());
                         holding->setName(names[i]);
                         holding->setUnits(10);
                         holding->setBuyPrice(100);
                         holding->setCurrentPrice(110);
                         holding->setBuyDate(Clock::now());
                     }
                 },
                 {deletes("deleteHolding")}},
        ListCase{"accounts",
                 AppDestination::expenses,
                 FinanceTab::overview,
                 "accountRow",
                 {QStringLiteral("addAccountButton"), QStringLiteral("addAccountPlus")},
                 BankAccount::entityName(),
                 [](ObjectContext* context, int n) {
                     removeAll<BankAccount>(context);
                     for (int i = 0; i < n; ++i) {
                         auto account = BankAccount::create(context);
                         account->setId(QUuid::createUuid());
                         account->setName(names[i]);
                         account->setBalance(1200);
                     }
                 },
                 {deletes("deleteAccount")}},
        ListCase{"incomes",
                 AppDestination::expenses,
                 FinanceTab::cashFlow,
                 "incomeRow",
                 {QStringLiteral("addIncomeButton"), QStringLiteral("inlineIncomeForm")},
                 Income::entityName(),
                 [](ObjectContext* context, int n) { seedCashFlow(context, {}, n); },
                 {deletes("deleteButton")}},
        ListCase{
            "expenses",
            AppDestination::expenses,
            FinanceTab::cashFlow,
            "dynamicRow",
            {QStringLiteral("addDynamicButton")},
            Expense::entityName(),
            [](ObjectContext* context, int n) { seedCashFlow(context, CashFlowViewModel::dynamicType, n); },
            {deletes("deleteButton")}},
        ListCase{
            "allocations",
            AppDestination::expenses,
            FinanceTab::cashFlow,
            "allocationRow",
            {QStringLiteral("allocateButton")},
            Expense::entityName(),
            [](ObjectContext* context, int n) { seedCashFlow(context, CashFlowViewModel::fixedType, n); },
            {deletes("deleteButton")}},
        ListCase{"links",
                 AppDestination::links,
                 std::nullopt,
                 "linkRow",
                 {QStringLiteral("addLinkButton"), QStringLiteral("addFirstLinkButton")},
                 LinkItem::entityName(),
                 [](ObjectContext* context, int n) {
                     removeAll<LinkItem>(context);
                     for (int i = 0; i < n; ++i) {
                         auto link = LinkItem::create(context);
                         link->setTitle(names[i]);
                         link->setUrl(QStringLiteral("https://example.org/") + names[i]);
                         link->setCategory(QStringLiteral("Running"));
                     }
                 },
                 {deletes("deleteLinkButton")}},
        ListCase{"tasks",
                 AppDestination::calendar,
                 std::nullopt,
                 "calendarTaskRow",
                 {QStringLiteral("toggleAddTaskButton")},
                 CalendarTask::entityName(),
                 [](ObjectContext* context, int n) {
                     removeAll<CalendarSubtask>(context);
                     removeAll<CalendarTask>(context);
                     for (int i = 0; i < n; ++i) {
                         auto task = CalendarTask::create(context);
                         task->setTitle(names[i]);
                         task->setDate(Clock::now().date().startOfDay());
                     }
                 },
                 {act("Mark as done", "taskTick", false), deletes("taskDeleteButton")}},
        ListCase{"subtasks",
                 AppDestination::calendar,
                 std::nullopt,
                 "calendarSubtaskRow",
                 {QStringLiteral("addSubtaskButton")},
                 CalendarSubtask::entityName(),
                 [](ObjectContext* context, int n) {
                     removeAll<CalendarSubtask>(context);
                     removeAll<CalendarTask>(context);
                     auto task = CalendarTask::create(context);
                     task->setTitle(QStringLiteral("Pack"));
                     task->setDate(Clock::now().date().startOfDay());
                     for (int i = 0; i < n; ++i) {
                         auto subtask = CalendarSubtask::create(context);
                         subtask->setTitle(names[i]);
                         subtask->setTask(task);
                     }
                 },
                 {act("Mark as done", "subtaskTick", false), deletes("subtaskDeleteButton")}},
        ListCase{"journal_entries",
                 AppDestination::journal,
                 std::nullopt,
                 "dailyLogEntry",
                 {QStringLiteral("logProgressButton"), QStringLiteral("emptyLogProgressButton")},
                 DailyLog::entityName(),
                 [](ObjectContext* context, int n) {
                     removeAll<DailyLog>(context);
                     auto goal = context->fetch<Goal>(FetchRequest(Goal::entityName())).front();
                     for (int i = 0; i < n; ++i) {
                         auto log = DailyLog::create(context);
                         log->setGoal(goal);
                         log->setDate(Clock::now());
                         log->setNotes(names[i]);
                     }
                 },
                 {{"delete", nullptr, "deleteEntryAction", true, true}}},
        ListCase{"wins",
                 AppDestination::achievements,
                 std::nullopt,
                 "achievementRow",
                 {QStringLiteral("addWinButton"), QStringLiteral("addAchievementButton")},
                 Achievement::entityName(),
                 [](ObjectContext* context, int n) {
                     removeAll<Achievement>(context);
                     for (int i = 0; i < n; ++i) {
                         auto win = Achievement::create(context);
                         win->setTitle(names[i]);
                         win->setDate(Clock::now().addDays(-i));
                     }
                 },
                 {deletes("deleteAchievementButton")}},
        ListCase{"milestones",
                 AppDestination::goals,
                 std::nullopt,
                 "milestoneCard",
                 {QStringLiteral("addMilestoneButton")},
                 Milestone::entityName(),
                 [](ObjectContext* context, int n) { seedGoal(context, n, 0); },
                 {deletes("milestoneDelete")},
                 Place::goalDetail},
        ListCase{"steps",
                 AppDestination::goals,
                 std::nullopt,
                 "stepRow",
                 {QStringLiteral("addStepButton")},
                 Step::entityName(),
                 [](ObjectContext* context, int n) { seedGoal(context, 1, n); },
                 {act("Mark as done", "stepToggle", false), deletes("stepDelete")},
                 Place::steps},
        ListCase{"achieved_goals",
                 AppDestination::goals,
                 std::nullopt,
                 "archivedGoalRow",
                 {QStringLiteral("goalsTabs")},
                 Goal::entityName(),
                 [](ObjectContext* context, int n) {
                     removeAll<Goal>(context);
                     for (int i = 0; i < n; ++i) {
                         auto goal = Goal::create(context);
                         goal->setTitle(names[i]);
                         goal->setCreatedAt(Clock::now().addDays(-10 - i));
                         goal->setIsArchived(true);
                         goal->setColorHex(QStringLiteral("#0891B2"));
                     }
                 },
                 {act("Restore", "archivedGoalRestore", true), deletes("archivedGoalDelete")},
                 Place::achievedGoals}),
    [](const testing::TestParamInfo<ListCase>& info) { return std::string(info.param.name); });
