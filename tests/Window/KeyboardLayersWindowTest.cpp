// Every layer that comes over the window (each onboarding step, the check-in, the sheets of
// every screen, the calendar's popovers, the finance first-run sheet and the lock screen)
// owns the keyboard, as the X server shows it: 40 Tabs and 40 Shift+Tabs stay in it and each
// stop shows, Space and Return at each stop change nothing behind it, a sheet's stops follow
// its layout, and when it closes the focus is back on the control that opened it.
#include "Window/WindowLane.h"

#include "Components/FocusAfter.h"
#include "Components/FocusRing.h"
#include "Components/KeyboardLayer.h"
#include "Models/BankAccount.h"
#include "Models/CalendarTask.h"
#include "Models/LinkItem.h"
#include "Models/Milestone.h"
#include "Platform/OwnerAuthenticator.h"
#include "Platform/UserDefaults.h"
#include "Store/EntityDescription.h"
#include "Views/CalendarView/CalendarPageView.h"
#include "Views/CalendarView/CalendarTaskRow.h"
#include "Views/Finance/FinanceLockScreen.h"
#include "Views/Finance/FinanceOnboardingSheet.h"
#include "Views/Finance/FinanceTabBar.h"
#include "Views/Finance/FinanceTabButton.h"
#include "Views/Finance/FinanceView.h"
#include "Views/Links/LinkRow.h"
#include "Views/Links/LinksList.h"
#include "Views/Links/LinksView.h"
#include "Views/Onboarding/OnboardingView.h"

#include <QApplication>
#include <QMap>
#include <QScrollArea>
#include <QTimer>

#include <functional>

class KeyboardLayersWindow;

namespace {

struct LayerCase {
    const char* name;
    // Brings the layer up, making the window first when there is none (or the layer can only
    // come with a new one), and returns the control that opened it.
    std::function<QWidget*(KeyboardLayersWindow&)> open;
    // The kinds of record the layer may write.
    QStringList owned;
    // A sheet or popover: its Tab stops follow its layout.
    bool form = true;
    // Closed as its user would close it: Escape unless given; null with closable false.
    std::function<void(KeyboardLayersWindow&)> close = {};
    bool closable = true;
    // Still the state under test (an onboarding step stays that step).
    std::function<bool(KeyboardLayersWindow&)> intact = {};
};

void PrintTo(const LayerCase& layer, std::ostream* os) {
    *os << layer.name;
}

// Where a control stands in its layer's layout, scrolling aside: the place of each scroll area
// around it, from the outside in, then its own place in the innermost one's content.
QList<QRect> placeOf(const QWidget* root, const QWidget* widget) {
    QList<const QScrollArea*> areas;
    for (const QWidget* up = widget->parentWidget(); up && up != root; up = up->parentWidget())
        if (const auto* area = qobject_cast<const QScrollArea*>(up);
            area && area->widget() && area->widget()->isAncestorOf(widget))
            areas.prepend(area);
    QList<QRect> place;
    const QWidget* base = root;
    for (const QScrollArea* area : areas) {
        place << QRect(area->mapTo(base, QPoint()), area->size());
        base = area->widget();
    }
    place << QRect(widget->mapTo(base, QPoint()), widget->size());
    return place;
}

// b comes after a when read top to bottom, a line left to right.
bool comesAfter(const QList<QRect>& a, const QList<QRect>& b) {
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (a[i] == b[i])
            continue;
        const int shared = std::min(a[i].bottom(), b[i].bottom()) - std::max(a[i].top(), b[i].top()) + 1;
        const bool sameLine = 2 * shared >= std::min(a[i].height(), b[i].height());
        return sameLine ? b[i].left() > a[i].left() : b[i].top() > a[i].top();
    }
    return false;
}

bool within(const QWidget* root, const QWidget* widget) {
    return root && widget && (widget == root || root->isAncestorOf(widget));
}

} // namespace

class KeyboardLayersWindow : public WindowLane, public testing::WithParamInterface<LayerCase> {
public:
    // What the table of layers drives the window with.
    using MainRoad::click;
    using MainRoad::sheet;
    using ShellTest::context;
    using WindowLane::frames;
    using WindowLane::hover;
    using WindowTest::screen;
    using WindowTest::window_;

    void TearDown() override {
        OwnerAuthenticator::setFactory({});
        WindowLane::TearDown();
    }

    // The window at the usual size over a store with a goal of two steps and a task for
    // today; finance unlocked and set up.
    void ensureWindow() {
        if (window_)
            return;
        if (!seeded_) {
            seeded_ = true;
            goal_ = makeGoal(QStringLiteral("Run a half marathon"), 10, 2, 1);
            auto task = CalendarTask::create(context());
            task->setTitle(QStringLiteral("Book the flights"));
            task->setDate(Clock::now().date().startOfDay());
            context()->save();
            UserDefaults::standard().setFlag(FinanceView::authEnabledKey, false);
            UserDefaults::standard().setFlag(FinanceView::onboardingCompleteKey, true);
        }
        showWindow(QSize(1200, 760), overlaysDue_);
        overlaysDue_ = false;
    }
    // A new window, with whatever overlay the defaults make due.
    void freshWindow(std::function<void()> defaults) {
        ensureWindow();
        window_.reset();
        vm_.reset();
        qv::test::settle();
        defaults();
        overlaysDue_ = true;
        ensureWindow();
        frames(400);
    }
    void at(AppDestination destination) {
        ensureWindow();
        if (vm_->selectedDestination() != destination) {
            goTo(destination);
            frames(800);
        }
    }
    using WindowLane::named;
    QWidget* named(std::initializer_list<const char*> names) const {
        for (const char* name : names)
            if (QWidget* w = named(QString::fromLatin1(name)))
                return w;
        return nullptr;
    }
    SidebarNavItem* navItem(AppDestination destination) const {
        for (SidebarNavItem* item : sidebar()->navItems())
            if (item->destination() == destination)
                return item;
        return nullptr;
    }
    // From the keyboard: the focus on the control, then Space. A control Tab does not reach is
    // clicked, and then there is no opener to come back to.
    QWidget* press(QWidget* control) {
        EXPECT_NE(control, nullptr) << "no control to open the layer with";
        if (!control)
            return nullptr;
        if ((control->focusPolicy() & Qt::TabFocus) != Qt::TabFocus) {
            click(control);
            frames(800);
            return nullptr;
        }
        // A focus put on a row's action by a program is moved off it: Tab there as a user does.
        if (FocusAfter::isAction(control))
            tabOnto(control);
        else
            control->setFocus(Qt::TabFocusReason);
        QTest::keyClick(control, Qt::Key_Space);
        frames(500);
        return control;
    }
    void showDetail() {
        at(AppDestination::goals);
        if (!detail()) {
            click(rowOf(goal_), QPoint(40, 20));
            frames(1200);
        }
    }
    void showFinanceTab(FinanceTab tab) {
        at(AppDestination::expenses);
        auto* finance = qobject_cast<FinanceView*>(screen());
        ASSERT_NE(finance, nullptr);
        if (finance->selectedTab() != tab) {
            click(finance->tabBar()->button(tab));
            frames(800);
        }
    }
    // A milestone for the goal, as after one was deleted.
    void addMilestone() {
        auto milestone = Milestone::create(context());
        milestone->setGoal(goal_);
        context()->save();
        frames(800);
    }
    OnboardingView* onboarding() const {
        return window_ ? qobject_cast<OnboardingView*>(window_->contentView()->onboardingOverlay()) : nullptr;
    }

    // Every record but the kinds the layer may write, as text.
    QMap<QString, QStringList> records(const QStringList& owned) const {
        QMap<QString, QStringList> out;
        for (const auto& entity : context()->model().entities()) {
            if (owned.contains(entity->name))
                continue;
            QStringList rows;
            for (const auto& object : context()->fetch(FetchRequest(entity->name))) {
                QStringList values;
                for (const auto& attribute : entity->attributes)
                    values << object->value(attribute.name).toString();
                rows << values.join(u'|');
            }
            rows.sort();
            out.insert(entity->name, rows);
        }
        return out;
    }

    // Presses the key count times: the focus stays in the layer each time. With look, each
    // stop's first visit shows on the screen around it. Returns the stops in visiting order.
    QList<QWidget*> walk(QWidget* root, Qt::Key key, int count, bool look) {
        QList<QWidget*> visited;
        QImage before = look ? grabScreen(root) : QImage();
        for (int i = 0; i < count; ++i) {
            QWidget* from = QApplication::focusWidget();
            QTest::keyClick(from ? from : window_.get(), key,
                            key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            frames(30);
            QWidget* now = QApplication::focusWidget();
            EXPECT_TRUE(within(root, now)) << GetParam().name << ": press " << i + 1 << " put the focus on "
                                           << describe(now).toStdString() << ", outside the layer";
            if (!within(root, now))
                return visited;
            visited << now;
            if (look && visited.count(now) == 1) {
                const QImage after = grabScreen(root);
                // Against the same place without the ring: a stop scrolled into view may have
                // come where the one before stood, ring and all.
                QImage reference = before;
                if (FocusRing* ring = FocusRing::current(); ring && ring->target() == now) {
                    ring->hide();
                    reference = grabScreen(root);
                    ring->show();
                }
                const QRect area =
                    QRect(now->mapTo(root, QPoint()), now->size()).adjusted(-4, -4, 4, 4) & root->rect();
                // At least half a ring's length of pixels changed.
                const double changed =
                    differingShare(reference.copy(area), after.copy(area)) * area.width() * area.height();
                EXPECT_GT(changed, area.width() + area.height())
                    << GetParam().name << ": " << describe(now).toStdString() << " shows no focus";
                if (changed <= area.width() + area.height())
                    after.save(qv::test::screensDir() + QStringLiteral("/window-keyboard-layer-unseen-") +
                               QString::fromLatin1(GetParam().name) + QStringLiteral(".png"));
                before = after;
            }
        }
        return visited;
    }

    // Closes what a key opened over the layer: a menu or calendar pop-up, a layer on top.
    void closeWhatOpened(const QPointer<KeyboardLayer>& layer) {
        for (int guard = 0; guard < 4; ++guard) {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                QTest::keyClick(popup, Qt::Key_Escape);
                frames(200);
                continue;
            }
            KeyboardLayer* top = KeyboardLayer::top(window_.get());
            if (layer && layer->isActive() && top && top != layer) {
                QWidget* focus = QApplication::focusWidget();
                QTest::keyClick(focus ? focus : top->widget(), Qt::Key_Escape);
                frames(600);
                continue;
            }
            return;
        }
    }

    bool up(const QPointer<KeyboardLayer>& layer) {
        return window_ && layer && layer->isActive() && KeyboardLayer::top(window_.get()) == layer &&
               (!GetParam().intact || GetParam().intact(*this));
    }

    std::shared_ptr<Goal> goal_;
    bool seeded_ = false;
    bool overlaysDue_ = false;
};

TEST_P(KeyboardLayersWindow, TheLayerOnTopOwnsTheKeyboard) {
    const LayerCase& c = GetParam();
    QWidget* opener = c.open(*this);
    QPointer<KeyboardLayer> layer = KeyboardLayer::top(window_.get());
    ASSERT_NE(layer, nullptr) << c.name << " is not up";
    QWidget* root = layer->widget();
    ASSERT_TRUE(within(root, QApplication::focusWidget()))
        << c.name << ": the focus starts on " << describe(QApplication::focusWidget()).toStdString();
    if (qstrcmp(c.name, "links-add") == 0)
        saveScreen(QStringLiteral("keyboard-layer-links-add"));

    // Round and back: the same stops, each shown, nothing outside.
    const QList<QWidget*> forward = walk(root, Qt::Key_Tab, 40, true);
    QList<QWidget*> cycle;
    for (QWidget* w : forward)
        if (!cycle.contains(w))
            cycle << w;
    ASSERT_FALSE(cycle.isEmpty());
    for (qsizetype i = 0; i < forward.size(); ++i)
        EXPECT_EQ(forward[i], cycle[i % cycle.size()]) << c.name << ": Tab goes round the same stops";
    const QList<QWidget*> backward = walk(root, Qt::Key_Backtab, 40, false);
    const qsizetype last = cycle.indexOf(forward.value(forward.size() - 1));
    for (qsizetype i = 0; i < backward.size(); ++i) {
        const qsizetype expected = ((last - 1 - i) % cycle.size() + cycle.size()) % cycle.size();
        EXPECT_EQ(backward[i], cycle[expected])
            << c.name << ": Shift+Tab " << i + 1 << " is on " << describe(backward[i]).toStdString();
    }

    // A form's stops: top to bottom, a line left to right, then back to the top once.
    if (c.form && cycle.size() > 1) {
        QStringList wrongTurns;
        for (qsizetype i = 0; i < cycle.size(); ++i) {
            QWidget* a = cycle[i];
            QWidget* b = cycle[(i + 1) % cycle.size()];
            if (!comesAfter(placeOf(root, a), placeOf(root, b)))
                wrongTurns << describe(a) + QStringLiteral(" → ") + describe(b);
        }
        EXPECT_EQ(wrongTurns.size(), 1) << c.name << ": Tab goes against the layout at "
                                        << wrongTurns.join(QStringLiteral(", ")).toStdString();
    }

    // Closed, the focus is back where the layer came from.
    if (c.closable) {
        if (c.close)
            c.close(*this);
        else
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : root, Qt::Key_Escape);
        frames(800);
        EXPECT_TRUE(!layer || !layer->isActive() || KeyboardLayer::top(window_.get()) != layer)
            << c.name << " did not close";
        if (opener) {
            EXPECT_EQ(QApplication::focusWidget(), opener)
                << c.name << ": after closing the focus is on "
                << describe(QApplication::focusWidget()).toStdString() << ", not on "
                << describe(opener).toStdString();
        }
    }

    // Space and Return at each stop touch nothing behind the layer.
    const QMap<QString, QStringList> before = records(c.owned);
    const AppDestination destination = vm_->selectedDestination();
    QPointer<QWidget> hidden;
    auto reopen = [&] {
        c.open(*this);
        layer = KeyboardLayer::top(window_.get());
        hidden = screen();
        return up(layer);
    };
    ASSERT_TRUE(reopen()) << c.name << " does not open again";
    for (qsizetype i = 0; i < cycle.size(); ++i) {
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
            if (!up(layer)) {
                closeWhatOpened(layer);
                ASSERT_TRUE(reopen()) << c.name << " does not open again";
                for (qsizetype k = 0; k < i; ++k)
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            QWidget* at = QApplication::focusWidget();
            const std::string where =
                describe(at).toStdString() + (key == Qt::Key_Space ? " (Space)" : " (Return)");
            // A menu the key opens runs its own loop until it closes.
            QTimer::singleShot(100, [] {
                if (QWidget* popup = QApplication::activePopupWidget())
                    popup->close();
            });
            QTest::keyClick(at ? at : window_.get(), key);
            frames(300);
            closeWhatOpened(layer);
            EXPECT_EQ(vm_->selectedDestination(), destination)
                << c.name << ": " << where << " changed the destination";
            EXPECT_TRUE(hidden && hidden == screen())
                << c.name << ": " << where << " changed the screen behind";
            EXPECT_EQ(records(c.owned), before)
                << c.name << ": " << where << " changed a record behind the layer";
        }
        if (up(layer))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(u'\n'));
}

namespace {

using T = KeyboardLayersWindow;
const QStringList kGoalRecords{QStringLiteral("Goal"), QStringLiteral("Milestone"), QStringLiteral("Step")};

LayerCase onboardingStep(const char* name, int step) {
    LayerCase c{name,
                [step](T& t) -> QWidget* {
                    if (!t.onboarding())
                        t.freshWindow([] {
                            UserDefaults::standard().setFlag(QStringLiteral("onboardingComplete"), false);
                            UserDefaults::standard().setDate(QStringLiteral("lastCheckInDate"), Clock::now());
                        });
                    t.onboarding()->goToStep(step);
                    t.frames(300);
                    return t.navItem(AppDestination::dashboard);
                },
                {QStringLiteral("Goal"), QStringLiteral("Milestone")},
                false};
    c.intact = [step](T& t) { return t.onboarding() && t.onboarding()->step() == step; };
    c.closable = step == 3;
    c.close = [](T& t) { QTest::keyClick(t.named(QStringLiteral("finishOnboardingButton")), Qt::Key_Space); };
    return c;
}

const LayerCase kLayers[] = {
    onboardingStep("onboarding-welcome", 0),
    onboardingStep("onboarding-name", 1),
    onboardingStep("onboarding-goal", 2),
    onboardingStep("onboarding-done", 3),
    {"check-in",
     [](T& t) -> QWidget* {
         if (!t.window_ || !t.window_->contentView()->checkInOverlay())
             t.freshWindow([] {
                 UserDefaults::standard().setFlag(QStringLiteral("onboardingComplete"), true);
                 UserDefaults::standard().setDate(QStringLiteral("lastCheckInDate"),
                                                  Clock::now().addDays(-1));
             });
         return t.navItem(AppDestination::dashboard);
     },
     {QStringLiteral("DailyLog"), QStringLiteral("Goal"), QStringLiteral("GoalCheckIn")},
     false},
    {"goals-new",
     [](T& t) {
         t.at(AppDestination::goals);
         return t.press(t.named({"goalsNewGoalButton"}));
     },
     kGoalRecords},
    {"goals-edit",
     [](T& t) {
         t.showDetail();
         return t.press(t.named({"editGoalButton"}));
     },
     kGoalRecords},
    {"goals-add-milestone",
     [](T& t) {
         t.showDetail();
         return t.press(t.named({"addMilestoneButton"}));
     },
     kGoalRecords},
    {"goals-add-step",
     [](T& t) {
         t.showDetail();
         if (!t.named({"addStepButton"}))
             t.click(t.named({"milestoneChevron"}));
         t.frames(400);
         return t.press(t.named({"addStepButton"}));
     },
     kGoalRecords},
    {"goals-achieve-alert",
     [](T& t) {
         t.showDetail();
         return t.press(t.named({"achieveButton"}));
     },
     kGoalRecords + QStringList{QStringLiteral("Achievement"), QStringLiteral("AchievementCategory")}},
    {"goals-delete-milestone-alert",
     [](T& t) {
         t.showDetail();
         if (!t.named({"milestoneDelete"})) {
             t.addMilestone();
             t.at(AppDestination::dashboard);
             t.showDetail();
         }
         return t.press(t.named({"milestoneDelete"}));
     },
     kGoalRecords},
    {"goals-frequency",
     [](T& t) {
         t.showDetail();
         if (!t.named({"milestoneHeader"}))
             t.addMilestone();
         t.click(t.named({"milestoneHeader"}), QPoint(60, 20));
         t.frames(500);
         return nullptr;
     },
     kGoalRecords},
    {"dashboard-goal-detail",
     [](T& t) {
         t.at(AppDestination::dashboard);
         t.click(t.named({"goalCard"}), QPoint(40, 20));
         t.frames(800);
         return nullptr;
     },
     kGoalRecords + QStringList{QStringLiteral("Achievement"), QStringLiteral("AchievementCategory"),
                                QStringLiteral("GoalCheckIn"), QStringLiteral("DailyLog")}},
    {"dashboard-log-win",
     [](T& t) {
         t.at(AppDestination::dashboard);
         return t.press(t.named({"logFirstWinButton", "seeAllAchievementsButton"}));
     },
     {QStringLiteral("Achievement"), QStringLiteral("AchievementCategory")}},
    {"achievements-add",
     [](T& t) {
         t.at(AppDestination::achievements);
         return t.press(t.named({"addAchievementButton", "addWinButton"}));
     },
     {QStringLiteral("Achievement"), QStringLiteral("AchievementCategory")}},
    {"journal-log",
     [](T& t) {
         t.at(AppDestination::journal);
         return t.press(t.named({"logProgressButton", "emptyLogProgressButton"}));
     },
     {QStringLiteral("DailyLog"), QStringLiteral("Goal"), QStringLiteral("GoalCheckIn")}},
    {"links-add",
     [](T& t) {
         t.at(AppDestination::links);
         return t.press(t.named({"addLinkButton", "addFirstLinkButton"}));
     },
     {QStringLiteral("LinkItem")}},
    {"links-edit",
     [](T& t) -> QWidget* {
         t.ensureWindow();
         if (t.context()->fetch(FetchRequest(LinkItem::entityName())).empty()) {
             auto link = LinkItem::create(t.context());
             link->setTitle(QStringLiteral("Reference"));
             link->setUrl(QStringLiteral("https://example.org"));
             link->setCategory(QStringLiteral("Reading"));
             t.context()->save();
         }
         t.at(AppDestination::links);
         auto* view = qobject_cast<LinksView*>(t.screen());
         LinkRow* row =
             view && !view->list()->visibleRows().isEmpty() ? view->list()->visibleRows().at(0) : nullptr;
         if (row) {
             T::hover(row);
             EXPECT_TRUE(QTest::qWaitFor([row] { return row->underMouse(); }, 30000))
                 << "the row never heard of the pointer";
             t.frames(400);
         }
         return t.press(row ? row->findChild<QWidget*>(QStringLiteral("editLinkButton")) : nullptr);
     },
     {QStringLiteral("LinkItem")}},
    {"finance-income",
     [](T& t) {
         t.showFinanceTab(FinanceTab::overview);
         return t.press(t.named({"addIncomeButton"}));
     },
     {QStringLiteral("Income"), QStringLiteral("BankAccount")}},
    {"finance-expense",
     [](T& t) {
         t.showFinanceTab(FinanceTab::overview);
         return t.press(t.named({"addExpenseButton"}));
     },
     {QStringLiteral("Expense"), QStringLiteral("ExpenseMonth"), QStringLiteral("BankAccount"),
      QStringLiteral("CreditCard")}},
    {"finance-investment",
     [](T& t) {
         t.showFinanceTab(FinanceTab::investments);
         return t.press(t.named({"addButton", "addFirstButton"}));
     },
     {QStringLiteral("Investment"), QStringLiteral("InvestmentTranche"), QStringLiteral("PriceHistory")}},
    {"finance-account",
     [](T& t) {
         t.showFinanceTab(FinanceTab::overview);
         return t.press(t.named({"addAccountButton", "addAccountPlus"}));
     },
     {QStringLiteral("BankAccount")}},
    {"finance-account-edit",
     [](T& t) {
         t.ensureWindow();
         if (t.context()->fetch(FetchRequest(BankAccount::entityName())).empty()) {
             auto account = BankAccount::create(t.context());
             account->setId(QUuid::createUuid());
             account->setName(QStringLiteral("Everyday account"));
             account->setBalance(1200);
             account->setCreatedAt(Clock::now());
             t.context()->save();
         }
         t.showFinanceTab(FinanceTab::commitments);
         t.showFinanceTab(FinanceTab::overview);
         return t.press(t.named({"editAccount"}));
     },
     {QStringLiteral("BankAccount")}},
    {"finance-card",
     [](T& t) {
         t.showFinanceTab(FinanceTab::commitments);
         return t.press(t.named({"addFirstCardButton", "addCardButton"}));
     },
     {QStringLiteral("CreditCard")}},
    {"finance-subscription",
     [](T& t) {
         t.showFinanceTab(FinanceTab::commitments);
         return t.press(t.named({"addFirstSubscriptionButton", "addSubscriptionButton"}));
     },
     {QStringLiteral("Subscription")}},
    {"finance-bill",
     [](T& t) {
         t.showFinanceTab(FinanceTab::bills);
         return t.press(t.named({"emptyAddBillButton"}));
     },
     {QStringLiteral("Bill")}},
    {"finance-first-run",
     [](T& t) -> QWidget* {
         t.at(AppDestination::dashboard);
         UserDefaults::standard().setFlag(FinanceView::onboardingCompleteKey, false);
         return t.press(t.navItem(AppDestination::expenses));
     },
     {QStringLiteral("BankAccount"), QStringLiteral("CreditCard"), QStringLiteral("CashReserve")},
     true,
     [](T& t) {
         if (auto* sheet = t.sheet<FinanceOnboardingSheet>())
             sheet->finish();
     }},
    {"finance-lock",
     [](T& t) -> QWidget* {
         if (auto* finance = t.window_ ? qobject_cast<FinanceView*>(t.screen()) : nullptr;
             finance && finance->lockScreen()) {
             finance->lockScreen()->focusPassword();
             return t.navItem(AppDestination::expenses);
         }
         OwnerAuthenticator::setFactory([] { return std::make_unique<SilentAuthenticator>(); });
         t.at(AppDestination::dashboard);
         UserDefaults::standard().setFlag(FinanceView::authEnabledKey, true);
         SidebarNavItem* item = t.navItem(AppDestination::expenses);
         t.press(item);
         return item;
     },
     {},
     false},
    {"calendar-new-category",
     [](T& t) {
         t.at(AppDestination::calendar);
         if (!t.named({"newCategoryChip"}))
             t.click(t.named({"toggleAddTaskButton"}));
         t.frames(400);
         return t.press(t.named({"newCategoryChip"}));
     },
     {QStringLiteral("TaskCategory")}},
    {"calendar-follow-up",
     [](T& t) {
         t.at(AppDestination::calendar);
         auto* page = qobject_cast<CalendarPageView*>(t.screen());
         EXPECT_NE(page, nullptr);
         QWidget* row = page && !page->taskRows().empty() ? page->taskRows().front() : nullptr;
         if (row) {
             T::hover(row);
             EXPECT_TRUE(QTest::qWaitFor([row] { return row->underMouse(); }, 30000))
                 << "the row never heard of the pointer";
             t.frames(400);
         }
         return t.press(row ? row->findChild<QWidget*>(QStringLiteral("followUpButton")) : nullptr);
     },
     {QStringLiteral("CalendarTask"), QStringLiteral("CalendarSubtask")}},
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Layers, KeyboardLayersWindow, testing::ValuesIn(kLayers),
                         [](const testing::TestParamInfo<LayerCase>& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// The Add Link form from the keyboard: Tab goes title, URL, category, then the buttons, and
// what is typed after each Tab lands in the field it reached.
TEST_F(KeyboardLayersWindow, TheAddLinkFormTakesTabInTheOrderOfItsFields) {
    at(AppDestination::links);
    press(named({"addLinkButton", "addFirstLinkButton"}));
    ASSERT_NE(topSheet(), nullptr);
    QStringList stops;
    const QStringList typed{QStringLiteral("Reference"), QStringLiteral("https://example.org"),
                            QStringLiteral("Reading")};
    for (const QString& text : typed) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(qobject_cast<QLineEdit*>(focus), nullptr) << describe(focus).toStdString();
        QTest::keyClicks(focus, text);
        stops << focus->objectName();
        if (stops.size() == 3) {
            frames(100);
            saveScreen(QStringLiteral("add-link-tab-order"));
        }
        QTest::keyClick(focus, Qt::Key_Tab);
        frames(50);
    }
    for (int i = 0; i < 2; ++i) {
        stops << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(stops, (QStringList{QStringLiteral("titleField"), QStringLiteral("urlField"),
                                  QStringLiteral("newCategoryField"), QStringLiteral("cancelButton"),
                                  QStringLiteral("saveButton")}));
    // Save, pressed from the keyboard, stores what was typed in each field.
    QWidget* save = named(QStringLiteral("saveButton"));
    save->setFocus(Qt::TabFocusReason);
    QTest::keyClick(save, Qt::Key_Space);
    frames(600);
    const auto links = context()->fetch(FetchRequest(QStringLiteral("LinkItem")));
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links.front()->value(QStringLiteral("category")).toString(), QStringLiteral("Reading"));
}

// On the onboarding's name step Tab comes back round to the name field, and letters typed
// there land in it.
TEST_F(KeyboardLayersWindow, LettersTypedAfterTabsOnTheNameStepLandInTheNameField) {
    freshWindow([] {
        UserDefaults::standard().setFlag(QStringLiteral("onboardingComplete"), false);
        UserDefaults::standard().setDate(QStringLiteral("lastCheckInDate"), Clock::now());
    });
    ASSERT_NE(onboarding(), nullptr);
    click(named(QStringLiteral("getStartedButton")));
    frames(400);
    auto* name = qobject_cast<QLineEdit*>(named(QStringLiteral("nameField")));
    ASSERT_NE(name, nullptr);
    for (int i = 0; i < 6 && QApplication::focusWidget() != name; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), name) << "Tab goes round Back and back to the field";
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Ada"));
    EXPECT_EQ(name->text(), QStringLiteral("Ada"));
}
