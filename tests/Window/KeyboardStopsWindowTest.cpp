// The keyboard's stops as the X server shows them: at every Tab stop of every destination the
// focused control is drawn (its area on screen changes when the focus leaves it), has a name a
// screen reader reads, is a control and not a pane, and comes after the one before it in the
// order the screen reads; a group of choices is one stop. Return in a sheet's one-line field
// presses the sheet's default button, so a form filled from the keyboard is saved from it.
#include "Window/WindowLane.h"

#include "Components/ChoiceGroup.h"
#include "Components/FocusRing.h"
#include "Components/KeyboardLayer.h"
#include "Components/MenuPicker.h"
#include "Models/CalendarTask.h"
#include "Models/LinkItem.h"
#include "Models/TaskCategory.h"
#include "Platform/UserDefaults.h"
#include "Store/FetchRequest.h"
#include "ViewModels/Theme/ThemeManager.h"
#include "Views/Achievements/AddAchievementSheet.h"
#include "Views/Achievements/EmojiGrid.h"
#include "Views/CalendarView/CalendarSwatch.h"
#include "Views/Finance/FinanceTabBar.h"
#include "Views/Finance/FinanceTabButton.h"
#include "Views/Finance/FinanceView.h"
#include "Views/Links/LinkRow.h"
#include "Views/Onboarding/OnboardingView.h"
#include "Views/Settings/ThemeSwatchView.h"

#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QPainterPath>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <iostream>

namespace {

class KeyboardStopsWindow : public WindowLane {
protected:
    void openAt(AppDestination destination) {
        if (!window_) {
            makeGoal(QStringLiteral("Run a half marathon"), 10, 2, 1);
            // A task of today in a category: the calendar's day shows its filter chips.
            auto category = TaskCategory::create(context());
            category->setName(QStringLiteral("Errands"));
            category->setColorHex(QStringLiteral("#FF9500"));
            auto task = CalendarTask::create(context());
            task->setTitle(QStringLiteral("Buy running shoes"));
            task->setDate(Clock::now().date().startOfDay());
            task->setCategory(category);
            auto link = LinkItem::create(context());
            link->setTitle(QStringLiteral("Training plan"));
            link->setUrl(QStringLiteral("https://example.org/plan"));
            link->setCategory(QStringLiteral("Running"));
            context()->save();
            UserDefaults::standard().setFlag(FinanceView::authEnabledKey, false);
            UserDefaults::standard().setFlag(FinanceView::onboardingCompleteKey, true);
            showWindow(QSize(1200, 760));
        }
        reach(destination);
    }

    // What the server shows around the control, the focus ring's room included.
    static QImage grabAround(QWidget* widget) {
        widget->window()->repaint();
        const int ring = FocusRing::kOutset;
        const QPoint origin = widget->mapToGlobal(QPoint(-ring, -ring));
        return widget->screen()
            ->grabWindow(0, origin.x(), origin.y(), widget->width() + 2 * ring, widget->height() + 2 * ring)
            .toImage();
    }

    // Tabs round the window from the destination's own control until the focus comes back to a
    // control it has been on; each stop is checked as it comes.
    void walk(AppDestination destination, bool names = true) {
        openAt(destination);
        const QString where = AppDestinations::rawValue(destination);
        QWidget* start = QApplication::focusWidget();
        if (!start) {
            window_->setFocus(Qt::OtherFocusReason);
            start = window_.get();
        }
        QList<QWidget*> seen;
        QList<ChoiceGroup*> groups;
        QWidget* content = named(QStringLiteral("detailArea"));
        QWidget* previous = nullptr;
        for (int i = 0; i < 120; ++i) {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window_.get(),
                            Qt::Key_Tab);
            frames(60);
            QWidget* focus = QApplication::focusWidget();
            ASSERT_NE(focus, nullptr) << where.toStdString() << ": Tab " << i << " left no control focused";
            if (seen.contains(focus))
                break;
            seen << focus;
            const std::string stop = (where + QStringLiteral(": ") + describe(focus)).toStdString();
            if (names) {
                EXPECT_FALSE(accessibleName(focus).isEmpty()) << stop << " has no accessible name";
            }
            EXPECT_FALSE(isPane(focus)) << stop << " is a pane: a stop that does nothing";
            if (ChoiceGroup* group = ChoiceGroup::of(focus)) {
                EXPECT_FALSE(groups.contains(group)) << stop << ": a second stop in one group of choices";
                groups << group;
            }
            // Within the screen (the sidebar is a column of its own, and Tab wraps round).
            if (previous && previous->isVisible() && content && content->isAncestorOf(previous) &&
                content->isAncestorOf(focus)) {
                const QString fault = readingOrderFault(previous, focus);
                EXPECT_TRUE(fault.isEmpty()) << stop << " comes after " << describe(previous).toStdString()
                                             << " though it stands " << fault.toStdString();
            }
            previous = focus;
            const QImage focused = grabAround(focus);
            focus->clearFocus();
            frames(60);
            const QImage unfocused = grabAround(focus);
            EXPECT_GT(differingShare(focused, unfocused), 0.0) << stop << " shows nothing of its focus";
            focus->setFocus(Qt::TabFocusReason);
            frames(60);
        }
        EXPECT_GT(seen.size(), 3) << where.toStdString();
    }

    // Tabs from the focused control until the focus is on the control of that name; -1 if never.
    int tabsTo(const QString& name) {
        for (int tabs = 1; tabs <= 120; ++tabs) {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window_.get(),
                            Qt::Key_Tab);
            frames(60);
            if (QApplication::focusWidget() && QApplication::focusWidget()->objectName() == name)
                return tabs;
        }
        return -1;
    }

    // The choices are one stop of the layer on top, each named by what it is.
    void expectOneStop(const QString& where, const QList<QWidget*>& choices) {
        KeyboardLayer* layer = KeyboardLayer::top(window_.get());
        ASSERT_NE(layer, nullptr) << where.toStdString();
        ASSERT_GT(choices.size(), 1) << where.toStdString();
        const QList<QWidget*> stops = layer->stops();
        QStringList names;
        int taken = 0;
        for (QWidget* choice : choices) {
            taken += stops.contains(choice) ? 1 : 0;
            names << accessibleName(choice);
            EXPECT_FALSE(names.last().contains(QRegularExpression(QStringLiteral("\\d of \\d"))))
                << where.toStdString() << ": " << names.last().toStdString() << " says where, not what";
        }
        EXPECT_EQ(taken, 1) << where.toStdString() << " takes " << taken << " Tab stops";
        names.removeDuplicates();
        EXPECT_EQ(names.size(), choices.size()) << where.toStdString() << ": choices share a name";
    }
    QList<QWidget*> shownNamed(const QRegularExpression& name) const {
        QList<QWidget*> out;
        for (QWidget* w : window_->findChildren<QWidget*>(name))
            if (w->isVisible())
                out << w;
        return out;
    }
};

} // namespace

TEST_F(KeyboardStopsWindow, EveryStopOfEveryDestinationIsDrawnAndNamed) {
    for (AppDestination destination : AppDestinations::allCases) {
        SCOPED_TRACE(AppDestinations::rawValue(destination).toStdString());
        walk(destination);
    }
    // And every page of Finance, not only the one it opens on: no pane, reading order, one stop a
    // group (the names of the controls on every page are another walk's).
    openAt(AppDestination::expenses);
    for (FinanceTab tab : FinanceTabs::allCases) {
        auto* finance = qobject_cast<FinanceView*>(screen());
        ASSERT_NE(finance, nullptr);
        ASSERT_NE(finance->tabBar(), nullptr);
        click(finance->tabBar()->button(tab));
        frames(800);
        SCOPED_TRACE(static_cast<int>(tab));
        walk(AppDestination::expenses, false);
    }
}

TEST_F(KeyboardStopsWindow, ReturnInAOneLineFieldSavesAddExpenseAndAddLink) {
    openAt(AppDestination::expenses);
    auto* finance = qobject_cast<FinanceView*>(screen());
    ASSERT_NE(finance, nullptr);
    if (finance->selectedTab() != FinanceTab::overview) {
        click(finance->tabBar()->button(FinanceTab::overview));
        frames(800);
    }
    QWidget* add = named(QStringLiteral("addExpenseButton"));
    ASSERT_NE(add, nullptr);
    add->setFocus(Qt::TabFocusReason);
    QTest::keyClick(add, Qt::Key_Space);
    frames(800);
    ASSERT_NE(topSheet(), nullptr);
    QTest::keyClicks(named(QStringLiteral("titleField")), QStringLiteral("Lunch"));
    QWidget* amount = named(QStringLiteral("amountField"));
    amount->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(amount, QStringLiteral("240"));
    QTest::keyClick(amount, Qt::Key_Return);
    frames(800);
    EXPECT_EQ(topSheet(), nullptr) << "Add Expense stayed open";
    const auto expenses = context()->fetch(FetchRequest(QStringLiteral("Expense")));
    ASSERT_EQ(expenses.size(), 1u);
    EXPECT_EQ(expenses.front()->value(QStringLiteral("title")).toString(), QStringLiteral("Lunch"));

    goTo(AppDestination::links);
    frames(800);
    QWidget* addLink = named(QStringLiteral("addLinkButton"));
    if (!addLink)
        addLink = named(QStringLiteral("addFirstLinkButton"));
    ASSERT_NE(addLink, nullptr);
    addLink->setFocus(Qt::TabFocusReason);
    QTest::keyClick(addLink, Qt::Key_Space);
    frames(800);
    ASSERT_NE(topSheet(), nullptr);
    QTest::keyClicks(named(QStringLiteral("titleField")), QStringLiteral("Race calendar"));
    QWidget* url = named(QStringLiteral("urlField"));
    url->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(url, QStringLiteral("https://example.org/races"));
    QTest::keyClick(url, Qt::Key_Enter, Qt::KeypadModifier);
    frames(800);
    EXPECT_EQ(topSheet(), nullptr) << "Add Link stayed open";
    EXPECT_EQ(context()->fetch(FetchRequest(QStringLiteral("LinkItem"))).size(), 2u);
}

// The states a keyboard user meets, as the server shows them at 1200x760, kept for a look:
// the check-in on arrival shows its whole note field and its chosen mood focused, and a mood
// the arrows reach is focused but not chosen; a focused pill button wears a ring of its shape; "Create Goal"
// off is not a gradient; the schedule sheet keeps its header and buttons in view and shrinks for its second
// phase; the bill sheet's category menu opens on its option, as wide as its field.
TEST_F(KeyboardStopsWindow, FocusDisabledAndCutStatesReadTrue) {
    makeGoal(QStringLiteral("Run a half marathon"), 10, 2, 1);
    makeGoal(QStringLiteral("Read twelve books"), 40, 12, 5);
    UserDefaults::standard().setFlag(FinanceView::authEnabledKey, false);
    UserDefaults::standard().setFlag(FinanceView::onboardingCompleteKey, true);
    UserDefaults::standard().setFlag(QStringLiteral("onboardingComplete"), true);
    UserDefaults::standard().setDate(QStringLiteral("lastCheckInDate"), Clock::now().addDays(-1));
    showWindow(QSize(1200, 760), true);
    frames(800);

    QWidget* notes = named(QStringLiteral("checkInNotes"));
    ASSERT_NE(notes, nullptr);
    QWidget* card = named(QStringLiteral("DailyCheckInModal"));
    ASSERT_NE(card, nullptr);
    // Every row of the note field shows: nothing above it in the card covers it and the part
    // of the card it sits in does not cut it.
    QRect shown(notes->mapTo(card, QPoint()), notes->size());
    for (QWidget* up = notes->parentWidget(); up && up != card; up = up->parentWidget())
        shown &= QRect(up->mapTo(card, QPoint()), up->size());
    EXPECT_EQ(shown.height(), 80) << "the note field shows " << shown.height() << " of its 80 px";
    QWidget* chosenMood = named(QStringLiteral("mood3"));
    ASSERT_NE(chosenMood, nullptr);
    EXPECT_TRUE(chosenMood->hasFocus()) << "the keyboard starts on the chosen mood";
    // As a keyboard user meets it: Shift+Tab and Tab come back to the moods' one stop, and the
    // arrows move the ring to a mood not chosen.
    QTest::keyClick(chosenMood, Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    frames(100);
    EXPECT_TRUE(chosenMood->hasFocus());
    QTest::keyClick(chosenMood, Qt::Key_Left);
    frames(100);
    QWidget* firstMood = named(QStringLiteral("mood2"));
    ASSERT_NE(firstMood, nullptr);
    EXPECT_TRUE(firstMood->hasFocus());
    ASSERT_NE(FocusRing::current(), nullptr);
    EXPECT_EQ(FocusRing::current()->target(), firstMood);
    const QRectF ring = FocusRing::current()->outline().boundingRect();
    EXPECT_NEAR(ring.width(), ring.height(), 1.0) << "a round ring round the emoji";
    saveScreen(QStringLiteral("checkin-arrival-1200x760"));
    const QImage focusedMood = grabAround(firstMood);
    focusedMood.scaled(focusedMood.size() * 4)
        .save(qv::test::screensDir() + QStringLiteral("/window-focused-mood.png"));
    // Chosen, the mood grows; focused, it keeps its size and tint, the ring aside.
    // Focus alone leaves the mood as it was: the same size and tint as its unchosen neighbour.
    const QImage neighbour = grabAround(named(QStringLiteral("mood1")));
    const int inset = FocusRing::kOutset + 4;
    EXPECT_LT(differingShare(focusedMood.copy(focusedMood.rect().adjusted(inset, inset, -inset, -inset)),
                             neighbour.copy(neighbour.rect().adjusted(inset, inset, -inset, -inset))),
              0.2);
    click(named(QStringLiteral("closeCheckInButton")));
    frames(1500);

    // A focused pill button: "New Goal" on the goals screen.
    goTo(AppDestination::goals);
    frames(800);
    auto* newGoal = qobject_cast<QPushButton*>(named(QStringLiteral("goalsNewGoalButton")));
    ASSERT_NE(newGoal, nullptr);
    newGoal->setFocus(Qt::TabFocusReason);
    frames(100);
    ASSERT_NE(FocusRing::current(), nullptr);
    const QPainterPath pill = FocusRing::current()->outline();
    const QRectF box = pill.boundingRect();
    EXPECT_FALSE(pill.contains(box.topLeft() + QPointF(2, 2))) << "the ring rounds its corners";
    const QImage pillShot = grabAround(newGoal);
    pillShot.scaled(pillShot.size() * 4)
        .save(qv::test::screensDir() + QStringLiteral("/window-focused-pill.png"));

    // "Create Goal" with a title and an amount it cannot use: off, and looking it.
    QTest::keyClick(newGoal, Qt::Key_Space);
    frames(800);
    auto* editor = sheet<CreateGoalView>();
    ASSERT_NE(editor, nullptr);
    auto* confirm = editor->findChild<QPushButton*>(QStringLiteral("createGoalConfirm"));
    const QImage off = grabAround(confirm);
    QTest::keyClicks(editor->findChild<QLineEdit*>(QStringLiteral("createGoalTitleField")),
                     QStringLiteral("Save for a bike"));
    frames(200);
    const QImage on = grabAround(confirm);
    EXPECT_GT(differingShare(on, off), 0.3) << "the button looks the same on and off";
    click(editor->findChild<QWidget*>(QStringLiteral("createGoalMoneyToggle")));
    frames(400);
    auto* amount = editor->findChild<QLineEdit*>(QStringLiteral("createGoalAmountField"));
    ASSERT_NE(amount, nullptr);
    QTest::keyClicks(amount, QStringLiteral("abc"));
    frames(200);
    ASSERT_FALSE(confirm->isEnabled()) << "an amount that is no number keeps Create Goal off";
    const QImage titledOff = grabAround(confirm);
    EXPECT_GT(differingShare(on, titledOff), 0.3) << "off with a title, the button keeps its gradient";
    titledOff.scaled(titledOff.size() * 2)
        .save(qv::test::screensDir() + QStringLiteral("/window-disabled-create-goal.png"));
    saveScreen(QStringLiteral("create-goal-disabled"));
    QTest::keyClick(confirm, Qt::Key_Escape);
    frames(800);
}

TEST_F(KeyboardStopsWindow, TheScheduleSheetKeepsItsHeaderAndFitsEachPhase) {
    openAt(AppDestination::goals);
    GoalRowView* row = nullptr;
    for (GoalRowView* candidate : screen()->findChildren<GoalRowView*>())
        if (candidate->isVisible())
            row = candidate;
    ASSERT_NE(row, nullptr);
    click(row);
    frames(800);
    ASSERT_NE(detail(), nullptr);
    click(detail()->findChild<QToolButton*>(QStringLiteral("addMilestoneButton")));
    frames(800);
    auto* add = sheet<AddMilestoneSheet>();
    ASSERT_NE(add, nullptr);
    QWidget* cardArea = topSheet()->card();
    const QRect cardRect(cardArea->mapTo(window_.get(), QPoint()), cardArea->size());
    const auto inView = [&](const char* name) {
        QWidget* w = add->findChild<QWidget*>(QString::fromLatin1(name));
        if (!w || !w->isVisible())
            return false;
        return cardRect.contains(QRect(w->mapTo(window_.get(), QPoint()), w->size()));
    };
    EXPECT_TRUE(inView("sheetClose")) << "the close button is cut";
    EXPECT_TRUE(inView("sheetCancel"));
    EXPECT_TRUE(inView("saveAndContinue")) << "the buttons sit below the fold";
    saveScreen(QStringLiteral("schedule-sheet-1200x760"));
    const int firstHeight = cardArea->height();

    click(add->findChildren<MilestoneFrequencyRow*>().value(1));
    click(add->findChild<QPushButton*>(QStringLiteral("saveAndContinue")));
    frames(800);
    EXPECT_TRUE(add->frequencySaved());
    EXPECT_TRUE(inView("sheetClose"));
    EXPECT_TRUE(inView("saveMilestone"));
    EXPECT_LT(cardArea->height(), firstHeight - 100) << "the second phase keeps the first one's height";
    saveScreen(QStringLiteral("schedule-sheet-phase2-1200x760"));
}

TEST_F(KeyboardStopsWindow, TheBillCategoryMenuOpensOnItsOptionAsWideAsItsField) {
    openAt(AppDestination::expenses);
    auto* finance = qobject_cast<FinanceView*>(screen());
    ASSERT_NE(finance, nullptr);
    click(finance->tabBar()->button(FinanceTab::bills));
    frames(800);
    QWidget* add = named(QStringLiteral("addBillButton"));
    if (!add)
        add = named(QStringLiteral("addFirstBillButton"));
    ASSERT_NE(add, nullptr);
    click(add);
    frames(800);
    auto* picker = qobject_cast<MenuPicker*>(named(QStringLiteral("categoryPicker")));
    ASSERT_NE(picker, nullptr);
    QString highlighted;
    int menuWidth = 0;
    QTimer::singleShot(300, picker, [&] {
        if (QMenu* menu = picker->openMenu()) {
            menuWidth = menu->width();
            highlighted = menu->activeAction() ? menu->activeAction()->text() : QString();
            grabAround(menu).save(qv::test::screensDir() + QStringLiteral("/window-bill-category-menu.png"));
            menu->close();
        }
    });
    picker->setFocus(Qt::TabFocusReason);
    QTest::keyClick(picker, Qt::Key_Space);
    EXPECT_EQ(highlighted, picker->currentText());
    EXPECT_GE(menuWidth, picker->width());
}

// In the smallest window the check-in still shows its moods at the top of its list and its
// whole note field below it.
TEST_F(KeyboardStopsWindow, TheCheckInInTheSmallestWindowShowsItsMoodsAndItsWholeNote) {
    for (int i = 0; i < 6; ++i)
        makeGoal(QStringLiteral("Goal number %1").arg(i + 1), 10 + i, 2, 1);
    UserDefaults::standard().setFlag(QStringLiteral("onboardingComplete"), true);
    UserDefaults::standard().setDate(QStringLiteral("lastCheckInDate"), Clock::now().addDays(-1));
    showWindow(QSize(900, 600), true);
    frames(800);
    QWidget* card = named(QStringLiteral("DailyCheckInModal"));
    ASSERT_NE(card, nullptr);
    const auto shownIn = [card](QWidget* w) {
        QRect shown(w->mapTo(card, QPoint()), w->size());
        for (QWidget* up = w->parentWidget(); up && up != card; up = up->parentWidget())
            shown &= QRect(up->mapTo(card, QPoint()), up->size());
        return shown.size() == w->size();
    };
    EXPECT_TRUE(shownIn(named(QStringLiteral("checkInNotes"))));
    EXPECT_TRUE(shownIn(named(QStringLiteral("mood5"))));
    saveScreen(QStringLiteral("checkin-arrival-900x600"));
}

// Settings from the keyboard: the themes and the fonts are a stop each, so "Require
// Authentication" is at most 20 Tabs into the screen; Space on a theme restyles the window,
// rebuilding the page, and the focus is back on the theme just chosen, with its ring.
TEST_F(KeyboardStopsWindow, SettingsReachesTheLockSoonAndKeepsTheFocusOnTheChosenTheme) {
    // The gear opens Settings and hands the focus into it.
    openAt(AppDestination::dashboard);
    QWidget* gear = named(QStringLiteral("sidebarSettingsButton"));
    gear->setFocus(Qt::TabFocusReason);
    QTest::keyClick(gear, Qt::Key_Space);
    frames(800);
    ASSERT_NE(QApplication::focusWidget(), nullptr) << "the gear left the focus on nothing";
    ASSERT_TRUE(named(QStringLiteral("SettingsView"))->isAncestorOf(QApplication::focusWidget()))
        << describe(QApplication::focusWidget()).toStdString() << " has the focus, not the Settings screen";
    const int fromGear = tabsTo(QStringLiteral("financeLockSwitch"));
    EXPECT_GT(fromGear, 0);
    EXPECT_LE(fromGear, 20);
    // The sidebar's last stop: the next Tab enters the screen.
    named(QStringLiteral("sidebarNewGoalButton"))->setFocus(Qt::TabFocusReason);
    const int intoScreen = tabsTo(QStringLiteral("financeLockSwitch"));
    std::cout << "Tabs to \"Require Authentication\": " << intoScreen << " into the screen, " << fromGear
              << " after the gear\n";
    EXPECT_GT(intoScreen, 0);
    EXPECT_LE(intoScreen, 20);

    named(QStringLiteral("userNameField"))->setFocus(Qt::TabFocusReason);
    ASSERT_GT(tabsTo(QStringLiteral("themeSwatch")), 0);
    auto* current = qobject_cast<ThemeSwatchView*>(QApplication::focusWidget());
    ASSERT_NE(current, nullptr);
    EXPECT_TRUE(current->isSelected()) << "Tab lands on the theme in use";
    const AppColorTheme before = ThemeManager::shared().currentTheme();
    QTest::keyClick(current, Qt::Key_Right);
    auto* next = qobject_cast<ThemeSwatchView*>(QApplication::focusWidget());
    ASSERT_NE(next, nullptr) << "the arrow moves within the themes";
    const AppColorTheme wanted = next->theme();
    EXPECT_EQ(ThemeManager::shared().currentTheme(), before) << "moving chooses nothing";
    QTest::keyClick(next, Qt::Key_Space);
    frames(1200);
    EXPECT_EQ(ThemeManager::shared().currentTheme(), wanted);
    auto* chosen = qobject_cast<ThemeSwatchView*>(QApplication::focusWidget());
    ASSERT_NE(chosen, nullptr) << "the focus is on nothing after the page was rebuilt";
    EXPECT_EQ(chosen->theme(), wanted);
    EXPECT_TRUE(chosen->isSelected());
    ASSERT_NE(FocusRing::current(), nullptr);
    EXPECT_EQ(FocusRing::current()->target(), chosen);
    saveScreen(QStringLiteral("settings-theme-chosen-by-keyboard"));
    ThemeManager::shared().setCurrentTheme(before);
    frames(600);
}

// The groups of choices of the check-in, the goal editor, the expense sheet and the onboarding
// are one stop each, their choices named by what they are; the onboarding's round swatches
// wear a round ring.
TEST_F(KeyboardStopsWindow, EachGroupOfChoicesIsOneStopNamedByItsChoices) {
    UserDefaults::standard().setFlag(FinanceView::authEnabledKey, false);
    UserDefaults::standard().setFlag(FinanceView::onboardingCompleteKey, true);
    makeGoal(QStringLiteral("Run a half marathon"), 10, 2, 1);
    UserDefaults::standard().setDate(QStringLiteral("lastCheckInDate"), Clock::now().addDays(-1));
    showWindow(QSize(1200, 760), true);
    frames(800);

    auto* onboarding = window_->findChild<OnboardingView*>();
    ASSERT_NE(onboarding, nullptr);
    onboarding->goToStep(2);
    frames(800);
    const QList<QWidget*> swatches = shownNamed(QRegularExpression(QStringLiteral("^colorSwatch$")));
    expectOneStop(QStringLiteral("the onboarding's colours"), swatches);
    auto* stop = ChoiceGroup::of(swatches.value(0)) ? ChoiceGroup::of(swatches.value(0))->stop() : nullptr;
    ASSERT_NE(stop, nullptr);
    stop->setFocus(Qt::TabFocusReason);
    frames(100);
    ASSERT_NE(FocusRing::current(), nullptr);
    const QPainterPath ring = FocusRing::current()->outline();
    const QRectF box = ring.boundingRect();
    EXPECT_FALSE(ring.contains(box.topLeft() + QPointF(box.width() * 0.1, box.height() * 0.1)))
        << "a round ring round a round swatch";
    UserDefaults::standard().setFlag(QStringLiteral("onboardingComplete"), true);
    window_.reset();
    showWindow(QSize(1200, 760), true);
    frames(800);

    ASSERT_NE(named(QStringLiteral("DailyCheckInModal")), nullptr);
    expectOneStop(QStringLiteral("the moods"), shownNamed(QRegularExpression(QStringLiteral("^mood\\d$"))));
    expectOneStop(QStringLiteral("the energy"),
                  shownNamed(QRegularExpression(QStringLiteral("^energy\\d$"))));
    click(named(QStringLiteral("closeCheckInButton")));
    frames(1500);

    goTo(AppDestination::goals);
    frames(800);
    click(named(QStringLiteral("goalsNewGoalButton")));
    frames(800);
    ASSERT_NE(sheet<CreateGoalView>(), nullptr);
    expectOneStop(QStringLiteral("the goal's colours"),
                  shownNamed(QRegularExpression(QStringLiteral("^createGoalColor_"))));
    expectOneStop(QStringLiteral("the goal's categories"),
                  shownNamed(QRegularExpression(QStringLiteral("^createGoal(Category_|CustomChip)"))));
    QTest::keyClick(sheet<CreateGoalView>(), Qt::Key_Escape);
    frames(800);

    goTo(AppDestination::expenses);
    frames(800);
    ASSERT_NE(openFinanceSheet(FinanceTab::overview, "addExpenseButton", 800), nullptr);
    expectOneStop(QStringLiteral("the expense's categories"),
                  shownNamed(QRegularExpression(QStringLiteral("^categoryChip$"))));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    frames(800);

    // The day's new task: its repetitions are one stop too.
    goTo(AppDestination::calendar);
    frames(800);
    QWidget* plus = named(QStringLiteral("toggleAddTaskButton"));
    ASSERT_NE(plus, nullptr);
    QTest::keyClick(plus, Qt::Key_Space);
    frames(400);
    const QList<QWidget*> repeats = shownNamed(QRegularExpression(QStringLiteral("^repeatChip")));
    ASSERT_GT(repeats.size(), 1);
    const auto takesTab = [](QWidget* w) { return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus; };
    EXPECT_EQ(std::count_if(repeats.begin(), repeats.end(), takesTab), 1) << "the task's repetitions";
    QTest::keyClick(named(QStringLiteral("newCategoryChip")), Qt::Key_Space);
    frames(400);
    QList<QWidget*> colours;
    for (CalendarSwatch* swatch : window_->findChildren<CalendarSwatch*>())
        if (swatch->isVisible())
            colours << swatch;
    ASSERT_GT(colours.size(), 1);
    EXPECT_EQ(std::count_if(colours.begin(), colours.end(), takesTab), 1) << "the new category's colours";
}

// The links are one stop moved through with the arrows, and the buttons of the row the keyboard
// is in follow it: with three links the first one's Edit is reached and edits that link. A link
// added from the keyboard leaves the categories where Tab from "Add Link" reaches them.
TEST_F(KeyboardStopsWindow, EveryLinksButtonsAreReachedAndTheCategoriesStayStops) {
    for (int i = 0; i < 3; ++i) {
        auto link = LinkItem::create(context());
        link->setTitle(QStringLiteral("Link %1").arg(i));
        link->setUrl(QStringLiteral("https://example.org/%1").arg(i));
        link->setCategory(QStringLiteral("Running"));
    }
    context()->save();
    showWindow(QSize(1200, 760));
    reach(AppDestination::links);
    const auto focused = [] { return QApplication::focusWidget(); };
    const auto press = [&](Qt::Key key) {
        QTest::keyClick(focused(), key);
        frames(400);
    };
    // The link of the row the focus is in.
    const auto focusedLink = [&]() -> QString {
        for (QWidget* w = focused(); w; w = w->parentWidget())
            if (auto* row = qobject_cast<LinkRow*>(w))
                return row->link() ? row->link()->title().value_or(QString()) : QString();
        return QStringLiteral("(no link)");
    };
    QWidget* add = named(QStringLiteral("addLinkButton"));
    ASSERT_NE(add, nullptr);
    add->setFocus(Qt::TabFocusReason);
    ASSERT_GT(tabsTo(QStringLiteral("editLinkButton")), 0) << "no Edit is reached by Tab";
    EXPECT_EQ(focusedLink(), QStringLiteral("Link 0"));
    press(Qt::Key_Return);
    ASSERT_NE(topSheet(), nullptr) << "Return on Edit opened nothing";
    auto* title = topSheet()->findChild<QLineEdit*>(QStringLiteral("titleField"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), QStringLiteral("Link 0"));
    press(Qt::Key_Escape);
    frames(400);
    ASSERT_EQ(topSheet(), nullptr);

    // The arrows go from link to link; Tab from a row goes on to that row's buttons.
    add->setFocus(Qt::TabFocusReason);
    ASSERT_GT(tabsTo(QStringLiteral("linkRow")), 0);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    EXPECT_EQ(focusedLink(), QStringLiteral("Link 2"));
    press(Qt::Key_Up);
    EXPECT_EQ(focusedLink(), QStringLiteral("Link 1"));
    press(Qt::Key_Tab);
    EXPECT_EQ(focused()->objectName(), QStringLiteral("openLinkButton"));
    EXPECT_EQ(focusedLink(), QStringLiteral("Link 1"));

    add->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    ASSERT_NE(topSheet(), nullptr);
    QTest::keyClicks(topSheet()->findChild<QWidget*>(QStringLiteral("titleField")), QStringLiteral("Race"));
    QWidget* url = topSheet()->findChild<QWidget*>(QStringLiteral("urlField"));
    url->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(url, QStringLiteral("https://example.org/races"));
    press(Qt::Key_Return);
    frames(400);
    ASSERT_EQ(topSheet(), nullptr) << "Add Link stayed open";
    add = named(QStringLiteral("addLinkButton"));
    add->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Tab);
    EXPECT_EQ(focused()->objectName(), QStringLiteral("categoryEntry"))
        << "after a link was added Tab goes from \"Add Link\" to " << describe(focused()).toStdString();
}

// The emoji of a new win are chosen from the keyboard: Space on the tile opens the grid with the
// focus on the emoji chosen now, the arrows (Up and Down by a row), Home and End move, Return or Space
// chooses and the focus is back on the tile; Escape closes the grid alone. The grid and each emoji are named.
TEST_F(KeyboardStopsWindow, AnEmojiIsChosenByKeyboardAndEscapeClosesOnlyTheGrid) {
    showWindow(QSize(1200, 760));
    reach(AppDestination::achievements);
    const auto press = [](Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key);
        frames(400);
    };
    QWidget* add = named(QStringLiteral("addWinButton"));
    ASSERT_NE(add, nullptr);
    add->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    ASSERT_NE(topSheet(), nullptr);
    auto* tile = topSheet()->findChild<QPushButton*>(QStringLiteral("emojiTile"));
    auto* grid = topSheet()->findChild<EmojiGrid*>(QStringLiteral("emojiGrid"));
    ASSERT_TRUE(tile && grid);
    const QStringList& emoji = AddAchievementSheet::emojiOptions();
    tile->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    ASSERT_TRUE(grid->isVisible());
    ASSERT_TRUE(grid->isAncestorOf(QApplication::focusWidget()))
        << "Space on the tile left the focus on " << describe(QApplication::focusWidget()).toStdString();
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(grid);
    EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("Emoji"));
    ASSERT_EQ(face->childCount(), emoji.size());
    for (int i = 0; i < face->childCount(); ++i) {
        const QString name = face->child(i)->text(QAccessible::Name);
        EXPECT_TRUE(std::any_of(name.begin(), name.end(), [](QChar c) { return c.isLetter(); }))
            << "emoji " << i << " is named \"" << name.toStdString() << "\"";
    }

    // Up and Down go by the grid's rows, Up on the top row nowhere.
    const int columns = grid->columnCount();
    ASSERT_LT(columns, emoji.size()) << "the grid is one row";
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Up, Qt::Key_Down})
        press(key);
    press(Qt::Key_Return);
    EXPECT_EQ(tile->text(), emoji.at(2 + columns));
    EXPECT_FALSE(grid->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), tile);
    press(Qt::Key_Space);
    press(Qt::Key_End);
    press(Qt::Key_Space);
    EXPECT_EQ(tile->text(), emoji.last());
    EXPECT_EQ(QApplication::focusWidget(), tile);

    press(Qt::Key_Space);
    press(Qt::Key_Home);
    press(Qt::Key_Escape);
    EXPECT_FALSE(grid->isVisible());
    EXPECT_NE(topSheet(), nullptr) << "Escape in the grid closed the sheet";
    EXPECT_EQ(QApplication::focusWidget(), tile);
    EXPECT_EQ(tile->text(), emoji.last()) << "Escape chose an emoji";
    press(Qt::Key_Escape);
    EXPECT_EQ(topSheet(), nullptr);
}
