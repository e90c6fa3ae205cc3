// The keyboard's names and where it goes on after an action, on the X server. Every control Tab
// reaches on every destination and in every sheet has a name a screen reader reads that says in
// words what it does or holds, with no markup. After a first record replaces an empty state the
// focus is on the screen's own "Add" (the first goal: on its row), with its ring, so the next
// Return adds another (never the sidebar's Settings gear); in the schedule sheet "+ Add step"
// leaves the focus on the new step's title and "Add Step" on "+ Add step", so Return never
// deletes a step; Return in the monthly income sets it; a delete leaves the focus on the
// neighbour, or on the section's Add after the last.
#include "Window/WindowLane.h"

#include "Components/FocusAfter.h"
#include "Components/FocusRing.h"
#include "Components/KeyboardLayer.h"
#include "Models/Achievement.h"
#include "Models/CalendarSubtask.h"
#include "Models/CalendarTask.h"
#include "Models/CreditCard.h"
#include "Models/Income.h"
#include "Models/Subscription.h"
#include "Platform/OwnerAuthenticator.h"
#include "Platform/UserDefaults.h"
#include "Views/Finance/FinanceTabBar.h"
#include "Views/Finance/FinanceTabButton.h"
#include "Views/Finance/FinanceView.h"
#include "Views/Links/LinkRow.h"
#include "Views/Links/LinksList.h"
#include "Views/Links/LinksView.h"
#include "Views/Onboarding/OnboardingView.h"

#include <QAccessible>
#include <QApplication>
#include <QRegularExpression>

#include <functional>

namespace {

// What is wrong with the name of a control a person reaches, if anything: none at all, markup
// read out as text, or no word (an emoji or a sign alone).
QString nameFault(QWidget* widget) {
    const QString name = accessibleName(widget);
    if (name.isEmpty())
        return QStringLiteral("has no name");
    static const QRegularExpression markup(QStringLiteral("<\\s*/?\\s*[A-Za-z][^>]*>|&[A-Za-z]+;|&#[0-9]+;"));
    if (markup.match(name).hasMatch())
        return QStringLiteral("reads its markup: \"%1\"").arg(name);
    if (std::none_of(name.begin(), name.end(), [](QChar c) { return c.isLetterOrNumber(); }))
        return QStringLiteral("has a name without a word: \"%1\"").arg(name);
    return {};
}

} // namespace

class KeyboardNamesWindow : public WindowLane {
protected:
    void TearDown() override {
        OwnerAuthenticator::setFactory({});
        WindowLane::TearDown();
    }

    static QWidget* focus() { return QApplication::focusWidget(); }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(focus() ? focus() : window_.get(), Qt::Key(key), modifiers);
        frames(120);
    }

    // The goals screen with its first goal open beside the list.
    void openDetail() {
        reach(AppDestination::goals);
        if (!detail()) {
            click(rowOf(context()->fetch<Goal>(FetchRequest(Goal::entityName())).front()), QPoint(40, 20));
            frames(1200);
        }
        ASSERT_NE(detail(), nullptr);
    }
    FinanceView* finance() { return qobject_cast<FinanceView*>(screen()); }
    void atTab(FinanceTab tab) {
        reach(AppDestination::expenses);
        ASSERT_NE(finance(), nullptr);
        if (finance()->selectedTab() != tab) {
            click(finance()->tabBar()->button(tab));
            frames(800);
        }
    }
    // The first shown widget of that name inside the current screen (sheets and the sidebar
    // hold controls of the same names).
    QWidget* onScreen(const char* name) const {
        for (QWidget* w : screen()->findChildren<QWidget*>(QString::fromLatin1(name)))
            if (w->isVisible())
                return w;
        return nullptr;
    }

    // Presses Tab until the focus comes back to a stop it has been on, noting each stop whose
    // name is missing or says nothing, the one it starts on included.
    void walk(const QString& where) {
        // The control an action left the focus on is read first.
        if (QWidget* start = focus())
            if (const QString fault = nameFault(start); !fault.isEmpty())
                faults_ << where + QStringLiteral(": ") + describe(start) + QLatin1Char(' ') + fault;
        QList<QWidget*> seen;
        for (int i = 0; i < 200; ++i) {
            key(Qt::Key_Tab);
            QWidget* now = focus();
            if (!now) {
                faults_ << where + QStringLiteral(": Tab left nothing focused");
                return;
            }
            if (seen.contains(now))
                break;
            seen << now;
            if (const QString fault = nameFault(now); !fault.isEmpty())
                faults_ << where + QStringLiteral(": ") + describe(now) + QLatin1Char(' ') + fault;
        }
        if (seen.isEmpty())
            faults_ << where + QStringLiteral(": Tab found no stop");
    }
    // Opens a layer with `open`, walks it and closes it with Escape (or as told).
    void walkLayer(const QString& where, const std::function<void()>& open,
                   const std::function<void()>& close = {}) {
        open();
        frames(600);
        KeyboardLayer* layer = KeyboardLayer::top(window_.get());
        if (!layer) {
            faults_ << where + QStringLiteral(": did not open");
            return;
        }
        walk(where);
        if (close) {
            close();
        } else {
            key(Qt::Key_Escape);
        }
        frames(800);
        if (SheetHost* host = topSheet(); host && KeyboardLayer::top(window_.get()) == layer)
            host->dismiss();
        frames(400);
    }

    // From the keyboard: the focus on the control, then Return.
    void press(QWidget* control, const char* what = "") {
        ASSERT_NE(control, nullptr) << what;
        if (FocusAfter::isAction(control))
            tabOnto(control);
        else
            control->setFocus(Qt::TabFocusReason);
        frames(60);
        key(Qt::Key_Return);
        frames(600);
    }
    void type(const char* field, const QString& text) {
        QWidget* w = topSheet() ? topSheet()->findChild<QWidget*>(QString::fromLatin1(field)) : nullptr;
        ASSERT_NE(w, nullptr) << field;
        w->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(w, text);
        frames(60);
    }
    // Return on the sheet's button of that name, pressed from the keyboard.
    void pressInSheet(const char* button) {
        ASSERT_NE(topSheet(), nullptr);
        press(topSheet()->findChild<QWidget*>(QString::fromLatin1(button)));
        frames(800);
    }

    // After the save: the sheet is gone, the focus is on the screen's control of that name with
    // its ring, and Return there opens the sheet again over the same screen.
    void expectFocusOnScreenControl(const char* what, const char* name) {
        EXPECT_EQ(topSheet(), nullptr) << what << ": the sheet stayed open";
        QWidget* wanted = onScreen(name);
        ASSERT_NE(wanted, nullptr) << what << ": no " << name;
        EXPECT_EQ(focus(), wanted) << what << ": the focus is on " << describe(focus()).toStdString();
        EXPECT_TRUE(FocusRing::current() && FocusRing::current()->target() == wanted)
            << what << ": the focused control shows no ring";
        const AppDestination destination = vm_->selectedDestination();
        if (focus() != wanted)
            return;
        key(Qt::Key_Return);
        frames(800);
        EXPECT_EQ(vm_->selectedDestination(), destination) << what << ": Return left the screen";
        EXPECT_NE(topSheet(), nullptr) << what << ": Return on the add button opened nothing";
        if (topSheet()) {
            key(Qt::Key_Escape);
            frames(800);
        }
    }

    QStringList faults_;
};

TEST_F(KeyboardNamesWindow, EveryControlTabReachesIsNamedInWords) {
    seedEveryKind();
    // A task with a subtask shows the chevron that folds it, and the subtask's own controls.
    auto subtask = CalendarSubtask::create(context());
    subtask->setTitle(QStringLiteral("Pick the seats"));
    subtask->setTask(context()->fetch<CalendarTask>(FetchRequest(CalendarTask::entityName())).front());
    context()->save();
    showWindow(QSize(1200, 760));

    for (AppDestination destination : AppDestinations::allCases) {
        reach(destination);
        if (destination == AppDestination::expenses) {
            for (FinanceTab tab : {FinanceTab::overview, FinanceTab::commitments, FinanceTab::bills,
                                   FinanceTab::investments, FinanceTab::cashFlow}) {
                atTab(tab);
                walk(QStringLiteral("finance ") + FinanceTabs::title(tab));
            }
            continue;
        }
        if (destination == AppDestination::goals) {
            openDetail();
            if (!onScreen("addStepButton"))
                press(onScreen("milestoneChevron"), "milestoneChevron");
        }
        if (destination == AppDestination::calendar) {
            click(onScreen("toggleAddTaskButton"));
            frames(400);
            // A repeat shows the day it ends, and a rename the task's field and its confirm.
            click(onScreen("repeatChipDaily"));
            QWidget* row = onScreen("calendarTaskRow");
            ASSERT_NE(row, nullptr);
            row->setFocus(Qt::TabFocusReason);
            frames(400);
            press(onScreen("taskEditButton"), "taskEditButton");
            EXPECT_NE(onScreen("taskTitleField"), nullptr) << "no rename field";
        }
        walk(AppDestinations::rawValue(destination));
    }

    reach(AppDestination::goals);
    openDetail();
    walkLayer(QStringLiteral("New Goal"),
              [&] { press(onScreen("goalsNewGoalButton"), "goalsNewGoalButton"); });
    walkLayer(QStringLiteral("New Goal, deadline and money"), [&] {
        press(onScreen("goalsNewGoalButton"), "goalsNewGoalButton");
        ASSERT_NE(topSheet(), nullptr);
        click(topSheet()->findChild<QWidget*>(QStringLiteral("createGoalDeadlineToggle")));
        click(topSheet()->findChild<QWidget*>(QStringLiteral("createGoalMoneyToggle")));
    });
    walkLayer(QStringLiteral("Edit Goal"), [&] { press(onScreen("editGoalButton"), "editGoalButton"); });
    walkLayer(QStringLiteral("Achieve alert"), [&] { press(onScreen("achieveButton"), "achieveButton"); });
    walkLayer(QStringLiteral("Delete milestone alert"),
              [&] { press(onScreen("milestoneDelete"), "milestoneDelete"); });
    walkLayer(QStringLiteral("Schedule sheet"), [&] { click(onScreen("milestoneHeader"), QPoint(60, 20)); });
    walkLayer(QStringLiteral("Add Step"), [&] {
        if (!onScreen("addStepButton"))
            press(onScreen("milestoneChevron"), "milestoneChevron");
        press(onScreen("addStepButton"), "addStepButton");
    });
    walkLayer(QStringLiteral("Add Milestone"),
              [&] { press(onScreen("addMilestoneButton"), "addMilestoneButton"); });
    walkLayer(QStringLiteral("Add Milestone, steps"), [&] {
        press(onScreen("addMilestoneButton"), "addMilestoneButton");
        ASSERT_NE(topSheet(), nullptr);
        click(topSheet()->findChildren<MilestoneFrequencyRow*>().value(0));
        pressInSheet("saveAndContinue");
        pressInSheet("addPendingStep");
    });

    for (const char* mode : {"goalsGridModeButton", "goalsAchievedTab"}) {
        press(onScreen(mode), mode);
        walk(QString::fromLatin1(mode));
    }

    reach(AppDestination::dashboard);
    walkLayer(QStringLiteral("Goal over the dashboard"),
              [&] { click(onScreen("goalCard"), QPoint(40, 20)); });
    reach(AppDestination::achievements);
    walkLayer(QStringLiteral("Add Win"), [&] { press(onScreen("addWinButton"), "addWinButton"); });
    walkLayer(QStringLiteral("Add Win, emoji"), [&] {
        press(onScreen("addWinButton"), "addWinButton");
        pressInSheet("emojiTile");
    });
    reach(AppDestination::journal);
    walkLayer(QStringLiteral("Log Progress"),
              [&] { press(onScreen("logProgressButton"), "logProgressButton"); });
    reach(AppDestination::links);
    walkLayer(QStringLiteral("Add Link"), [&] { press(onScreen("addLinkButton"), "addLinkButton"); });
    walkLayer(QStringLiteral("Edit Link"), [&] {
        auto* view = qobject_cast<LinksView*>(screen());
        ASSERT_NE(view, nullptr);
        ASSERT_FALSE(view->list()->visibleRows().isEmpty());
        view->list()->visibleRows().at(0)->setFocus(Qt::TabFocusReason);
        frames(400);
        press(onScreen("editLinkButton"), "editLinkButton");
    });
    reach(AppDestination::calendar);
    walkLayer(QStringLiteral("New category"), [&] {
        if (!onScreen("newCategoryChip"))
            press(onScreen("toggleAddTaskButton"), "toggleAddTaskButton");
        press(onScreen("newCategoryChip"), "newCategoryChip");
    });
    walkLayer(QStringLiteral("Follow-up"), [&] {
        QWidget* row = onScreen("calendarTaskRow");
        ASSERT_NE(row, nullptr);
        row->setFocus(Qt::TabFocusReason);
        frames(400);
        press(onScreen("followUpButton"), "followUpButton");
    });

    const std::pair<FinanceTab, const char*> financeSheets[] = {
        {FinanceTab::overview, "addIncomeButton"},
        {FinanceTab::overview, "addExpenseButton"},
        {FinanceTab::overview, "addAccountButton"},
        {FinanceTab::commitments, "addCardButton"},
        {FinanceTab::commitments, "addSubscriptionButton"},
        {FinanceTab::bills, "addBillButton"},
        {FinanceTab::investments, "addButton"},
    };
    for (const auto& [tab, opener] : financeSheets) {
        atTab(tab);
        walkLayer(FinanceTabs::title(tab) + QStringLiteral(" ") + QString::fromLatin1(opener), [&] {
            QWidget* button = onScreen(opener);
            if (!button && qstrcmp(opener, "addAccountButton") == 0)
                button = onScreen("addAccountPlus");
            press(button);
        });
    }
    atTab(FinanceTab::overview);
    walkLayer(QStringLiteral("Edit account"), [&] {
        // The account's buttons show while the keyboard is in its row: Tab goes there.
        for (int i = 0; i < 60 && !(focus() && focus()->objectName() == QLatin1String("editAccount")); ++i)
            key(Qt::Key_Tab);
        ASSERT_TRUE(focus() && focus()->objectName() == QLatin1String("editAccount"));
        key(Qt::Key_Return);
    });
    atTab(FinanceTab::investments);
    walkLayer(QStringLiteral("Add Investment, deposit"), [&] {
        press(onScreen("addButton"), "addButton");
        ASSERT_NE(topSheet(), nullptr);
        const QList<QWidget*> tiles = topSheet()->findChildren<QWidget*>(QStringLiteral("typeTile"));
        ASSERT_FALSE(tiles.isEmpty());
        click(tiles.last());
        click(topSheet()->findChild<QWidget*>(QStringLiteral("maturityToggle")));
    });

    reach(AppDestination::dashboard);
    UserDefaults::standard().setFlag(FinanceView::onboardingCompleteKey, false);
    walkLayer(
        QStringLiteral("Finance first run"), [&] { reach(AppDestination::expenses); },
        [&] {
            if (SheetHost* host = topSheet())
                host->dismiss();
        });
    reach(AppDestination::dashboard);
    OwnerAuthenticator::setFactory([] { return std::make_unique<SilentAuthenticator>(); });
    UserDefaults::standard().setFlag(FinanceView::onboardingCompleteKey, true);
    UserDefaults::standard().setFlag(FinanceView::authEnabledKey, true);
    reach(AppDestination::expenses);
    walk(QStringLiteral("finance lock"));

    EXPECT_TRUE(faults_.isEmpty()) << faults_.join(u'\n').toStdString();
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(u'\n'));
}

TEST_F(KeyboardNamesWindow, TheFirstDaysOverlaysAreNamedInWords) {
    makeGoal(QStringLiteral("Run a half marathon"), 10, 2, 1);
    UserDefaults::standard().setFlag(QStringLiteral("onboardingComplete"), true);
    UserDefaults::standard().setDate(QStringLiteral("lastCheckInDate"), Clock::now().addDays(-1));
    showWindow(QSize(1200, 760), true);
    frames(800);
    ASSERT_NE(window_->contentView()->checkInOverlay(), nullptr);
    walk(QStringLiteral("check-in"));
    window_.reset();
    vm_.reset();
    qv::test::settle();

    UserDefaults::standard().setFlag(QStringLiteral("onboardingComplete"), false);
    UserDefaults::standard().setDate(QStringLiteral("lastCheckInDate"), Clock::now());
    showWindow(QSize(1200, 760), true);
    frames(800);
    auto* onboarding = qobject_cast<OnboardingView*>(window_->contentView()->onboardingOverlay());
    ASSERT_NE(onboarding, nullptr);
    for (int step = 0; step < 4; ++step) {
        onboarding->goToStep(step);
        frames(400);
        walk(QStringLiteral("onboarding step %1").arg(step));
    }
    EXPECT_TRUE(faults_.isEmpty()) << faults_.join(u'\n').toStdString();
}

TEST_F(KeyboardNamesWindow, AFirstRecordLeavesTheFocusOnTheScreensAdd) {
    UserDefaults::standard().setFlag(FinanceView::authEnabledKey, false);
    UserDefaults::standard().setFlag(FinanceView::onboardingCompleteKey, true);
    showWindow(QSize(1200, 760));

    // The dashboard's invitation leads to the goals: the focus goes on into that screen.
    press(onScreen("createFirstGoalButton"), "createFirstGoalButton");
    frames(400);
    ASSERT_EQ(vm_->selectedDestination(), AppDestination::goals);
    EXPECT_TRUE(focus() && screen()->isAncestorOf(focus()))
        << "after the dashboard's Create the focus is on " << describe(focus()).toStdString();

    // The first goal: its row takes the place of the invitation, and the focus with it.
    reach(AppDestination::goals);
    press(onScreen("goalsCreateFirstGoal"), "goalsCreateFirstGoal");
    type("createGoalTitleField", QStringLiteral("Run a half marathon"));
    pressInSheet("createGoalConfirm");
    EXPECT_EQ(topSheet(), nullptr);
    EXPECT_TRUE(qobject_cast<GoalRowView*>(focus())) << "the focus is on " << describe(focus()).toStdString();
    EXPECT_TRUE(FocusRing::current() && FocusRing::current()->target() == focus());

    reach(AppDestination::journal);
    press(onScreen("emptyLogProgressButton"), "emptyLogProgressButton");
    ASSERT_NE(topSheet(), nullptr);
    click(topSheet()
              ->findChild<QWidget*>(QStringLiteral("goalStrip"))
              ->findChildren<QAbstractButton*>()
              .value(0));
    pressInSheet("saveButton");
    expectFocusOnScreenControl("journal", "logProgressButton");

    reach(AppDestination::links);
    press(onScreen("addFirstLinkButton"), "addFirstLinkButton");
    type("titleField", QStringLiteral("Race calendar"));
    type("urlField", QStringLiteral("https://example.org/races"));
    type("newCategoryField", QStringLiteral("Running"));
    key(Qt::Key_Return);
    frames(800);
    expectFocusOnScreenControl("links", "addLinkButton");
    // The rows end where the header's "Add Link" does, not nearer the window's edge.
    auto* links = qobject_cast<LinksView*>(screen());
    ASSERT_NE(links, nullptr);
    ASSERT_FALSE(links->list()->visibleRows().isEmpty());
    QWidget* row = links->list()->visibleRows().at(0);
    QWidget* addLink = onScreen("addLinkButton");
    EXPECT_LE(row->mapTo(window_.get(), QPoint(row->width(), 0)).x(),
              addLink->mapTo(window_.get(), QPoint(addLink->width(), 0)).x())
        << "a link row runs past the header's margin";

    reach(AppDestination::achievements);
    press(onScreen("addAchievementButton"), "addAchievementButton");
    type("titleField", QStringLiteral("First 10k"));
    pressInSheet("saveButton");
    expectFocusOnScreenControl("achievements", "addWinButton");

    atTab(FinanceTab::bills);
    press(onScreen("emptyAddBillButton"), "emptyAddBillButton");
    type("nameField", QStringLiteral("Rent"));
    type("amountField", QStringLiteral("900"));
    key(Qt::Key_Return);
    frames(800);
    expectFocusOnScreenControl("bills", "addBillButton");

    atTab(FinanceTab::investments);
    press(onScreen("addFirstButton"), "addFirstButton");
    type("nameField", QStringLiteral("Index fund"));
    type("unitsField", QStringLiteral("10"));
    type("buyPriceField", QStringLiteral("100"));
    type("currentPriceField", QStringLiteral("110"));
    pressInSheet("addInvestmentButton");
    expectFocusOnScreenControl("investments", "addButton");

    atTab(FinanceTab::commitments);
    press(onScreen("addFirstSubscriptionButton"), "addFirstSubscriptionButton");
    type("nameField", QStringLiteral("Music"));
    type("priceField", QStringLiteral("9"));
    pressInSheet("addSubscriptionButton");
    expectFocusOnScreenControl("subscriptions", "addSubscriptionButton");
    press(onScreen("addFirstCardButton"), "addFirstCardButton");
    type("cardNameField", QStringLiteral("Everyday card"));
    pressInSheet("addCardButton");
    expectFocusOnScreenControl("cards", "addCardButton");

    // The monthly income: Return in the amount sets it, and the card's "+" takes the form's place.
    atTab(FinanceTab::cashFlow);
    QWidget* amount = onScreen("incomeAmountField");
    ASSERT_NE(amount, nullptr);
    amount->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(amount, QStringLiteral("2500"));
    key(Qt::Key_Return);
    frames(800);
    EXPECT_EQ(context()->fetch(FetchRequest(Income::entityName())).size(), 1u) << "Return set no income";
    EXPECT_EQ(focus(), onScreen("addIncomeButton")) << "the focus is on " << describe(focus()).toStdString();
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(u'\n'));
}

TEST_F(KeyboardNamesWindow, ReturnAfterAddStepNeverDeletesAStep) {
    makeGoal(QStringLiteral("Run a half marathon"), 10, 2, 1);
    showWindow(QSize(1200, 760));
    reach(AppDestination::goals);
    openDetail();
    press(onScreen("addMilestoneButton"), "addMilestoneButton");
    auto* add = sheet<AddMilestoneSheet>();
    ASSERT_NE(add, nullptr);
    click(add->findChildren<MilestoneFrequencyRow*>().value(0));
    pressInSheet("saveAndContinue");
    const auto steps = [add] {
        int shown = 0;
        for (QWidget* row : add->findChildren<QWidget*>(QStringLiteral("pendingStepRow")))
            shown += row->isVisible() ? 1 : 0;
        return shown;
    };
    for (const QString& title : {QStringLiteral("Run 5k"), QStringLiteral("Stretch")}) {
        const int before = steps();
        pressInSheet("addPendingStep");
        EXPECT_EQ(steps(), before + 1) << "Add step made no step";
        ASSERT_NE(focus(), nullptr);
        EXPECT_EQ(focus()->objectName().toStdString(), "builderTitleField")
            << "after Add step the focus is on " << describe(focus()).toStdString();
        key(Qt::Key_Return);
        frames(400);
        EXPECT_EQ(steps(), before + 1) << "Return after Add step deleted the step";
        QTest::keyClicks(focus(), title);
        pressInSheet("builderAdd");
        EXPECT_EQ(steps(), before + 1);
        ASSERT_NE(focus(), nullptr);
        EXPECT_EQ(focus()->objectName().toStdString(), "addPendingStep")
            << "after the step is added the focus is on " << describe(focus()).toStdString();
        key(Qt::Key_Return);
        frames(400);
        EXPECT_GE(steps(), before + 1) << "Return after the step was added deleted it";
        if (steps() > before + 1) {
            // Return opened the next step's builder; leave it for the next round.
            add->findChild<QWidget*>(QStringLiteral("builderCancel"))->setFocus(Qt::TabFocusReason);
            key(Qt::Key_Return);
            frames(400);
        }
    }
    EXPECT_EQ(steps(), 2);
    pressInSheet("saveMilestone");
    ASSERT_EQ(topSheet(), nullptr);

    // A step added to a milestone of the goal: its card is made anew, and the focus goes back
    // to its "Add Step", not to the sidebar.
    if (!onScreen("addStepButton"))
        press(onScreen("milestoneChevron"), "milestoneChevron");
    press(onScreen("addStepButton"), "addStepButton");
    type("stepTitleField", QStringLiteral("Cool down"));
    pressInSheet("addStepConfirm");
    EXPECT_EQ(topSheet(), nullptr);
    ASSERT_NE(focus(), nullptr);
    EXPECT_EQ(focus()->objectName().toStdString(), "addStepButton")
        << "after the step is saved the focus is on " << describe(focus()).toStdString();
    EXPECT_TRUE(detail() && detail()->isAncestorOf(focus()));
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(u'\n'));
}

TEST_F(KeyboardNamesWindow, ADeleteLeavesTheFocusOnTheNeighbourOrTheSectionsAdd) {
    for (const QString& title : {QStringLiteral("First 10k"), QStringLiteral("First half")}) {
        auto win = Achievement::create(context());
        win->setTitle(title);
        win->setDate(Clock::now());
    }
    auto subscription = Subscription::create(context());
    subscription->setName(QStringLiteral("Music"));
    subscription->setPrice(9);
    subscription->setStatus(QStringLiteral("active"));
    subscription->setRenewalDate(Clock::now().addDays(3));
    CreditCard::create(context())->setName(QStringLiteral("Everyday card"));
    context()->save();
    UserDefaults::standard().setFlag(FinanceView::authEnabledKey, false);
    UserDefaults::standard().setFlag(FinanceView::onboardingCompleteKey, true);
    showWindow(QSize(1200, 760));

    // A win's Delete, reached by Tab from its row: the win that moves up takes the focus, and
    // after the last the empty state's "Add Achievement".
    reach(AppDestination::achievements);
    for (const char* next : {"achievementRow", "addAchievementButton"}) {
        QWidget* row = onScreen("achievementRow");
        ASSERT_NE(row, nullptr);
        row->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Tab);
        ASSERT_EQ(focus(), onScreen("deleteAchievementButton"));
        // The button shows over the end of the row's first line, clear of its date.
        QWidget* date = row->findChild<QWidget*>(QStringLiteral("achievementDate"));
        ASSERT_NE(date, nullptr);
        EXPECT_FALSE(QRect(focus()->mapTo(row, QPoint()), focus()->size())
                         .intersects(QRect(date->mapTo(row, QPoint()), date->size())))
            << "Delete is drawn over the date";
        key(Qt::Key_Return);
        frames(800);
        EXPECT_EQ(focus(), onScreen(next))
            << "after a delete the focus is on " << describe(focus()).toStdString();
        EXPECT_TRUE(FocusRing::current() && FocusRing::current()->target() == focus());
    }
    EXPECT_TRUE(context()->fetch(FetchRequest(Achievement::entityName())).empty());

    // The last subscription and the last card: their section's "Add", never the other section.
    atTab(FinanceTab::commitments);
    for (const auto& [remove, add] : {std::pair{"deleteSubscriptionButton", "addSubscriptionButton"},
                                      std::pair{"deleteCardButton", "addCardButton"}}) {
        press(onScreen(remove), remove);
        frames(800);
        EXPECT_EQ(focus(), onScreen(add))
            << remove << ": the focus is on " << describe(focus()).toStdString();
    }
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(u'\n'));
}
