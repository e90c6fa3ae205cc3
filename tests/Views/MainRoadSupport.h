#pragma once

#include "Views/ShellTestSupport.h"

#include "Components/AlertButton.h"
#include "Components/SheetHost.h"
#include "Store/FetchRequest.h"
#include "Views/Goals/AddMilestoneSheet.h"
#include "Views/Goals/CreateGoalView.h"
#include "Views/Goals/GoalCardView.h"
#include "Views/Goals/GoalDetailView.h"
#include "Views/Goals/GoalRowView.h"
#include "Views/Goals/GoalsView.h"
#include "Views/Goals/MilestoneCard.h"
#include "Views/Goals/MilestoneFrequencyRow.h"
#include "Views/Goals/StepRowView.h"
#include "Views/Navigation/ContentView.h"
#include "Views/Navigation/MainWindow.h"
#include "Views/Navigation/SidebarGoalItem.h"
#include "Views/Navigation/SidebarNavItem.h"
#include "Views/Navigation/SidebarNewGoalButton.h"
#include "Views/Navigation/SidebarView.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

// The real window over an in-memory store with onboarding and the day's check-in done, driven
// the way a user drives it: clicks on widgets found by object name, text typed into fields.
class MainRoad : public WindowTest {
protected:
    MainWindow& start() {
        skipOverlays();
        return openWindow();
    }

    SidebarView* sidebar() const { return window_->contentView()->sidebar(); }
    GoalsView* goalsScreen() const { return qobject_cast<GoalsView*>(screen()); }
    GoalDetailView* detail() const {
        GoalsView* goals = goalsScreen();
        return goals ? qobject_cast<GoalDetailView*>(goals->detailPanel()) : nullptr;
    }

    static void click(QWidget* widget, QPoint at = QPoint()) {
        ASSERT_NE(widget, nullptr);
        QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
        qv::test::settle();
    }

    QString render(const QString& name) {
        qv::test::settle();
        return qv::test::saveScreen(window_.get(), QStringLiteral("mainroad-") + name);
    }

    // The newest sheet or alert over the window and what it shows.
    SheetHost* topSheet() const { return SheetHost::topmost(window_.get()); }
    template <typename T> T* sheet() const {
        SheetHost* host = topSheet();
        return host ? qobject_cast<T*>(host->content()) : nullptr;
    }
    void pressAlertButton(const QString& text) {
        SheetHost* host = topSheet();
        ASSERT_NE(host, nullptr) << "no alert open for " << text.toStdString();
        for (AlertButton* button : host->findChildren<AlertButton*>())
            if (button->text() == text)
                return click(button);
        FAIL() << "no alert button " << text.toStdString();
    }

    void goTo(AppDestination destination) {
        for (SidebarNavItem* item : sidebar()->navItems())
            if (item->destination() == destination)
                return click(item);
        FAIL() << "no sidebar item for " << AppDestinations::rawValue(destination).toStdString();
    }

    // "New Goal" on the goals screen, the title typed, "Create Goal" pressed.
    std::shared_ptr<Goal> createGoal(const QString& title) {
        GoalsView* goals = goalsScreen();
        EXPECT_NE(goals, nullptr);
        if (!goals)
            return nullptr;
        click(goals->findChild<QPushButton*>(QStringLiteral("goalsNewGoalButton")));
        auto* editor = sheet<CreateGoalView>();
        EXPECT_NE(editor, nullptr) << "the create sheet opens";
        if (!editor)
            return nullptr;
        QTest::keyClicks(editor->findChild<QLineEdit*>(QStringLiteral("createGoalTitleField")), title);
        click(editor->findChild<QPushButton*>(QStringLiteral("createGoalConfirm")));
        EXPECT_EQ(topSheet(), nullptr) << "the create sheet closes";
        for (const auto& goal : context()->fetch<Goal>(FetchRequest(Goal::entityName())))
            if (goal->title() == title)
                return goal;
        ADD_FAILURE() << "no goal " << title.toStdString() << " in the store";
        return nullptr;
    }

    GoalRowView* rowOf(const std::shared_ptr<Goal>& goal) const {
        for (GoalRowView* row : screen()->findChildren<GoalRowView*>())
            if (row->goalID() == goal->objectID() && row->isVisible())
                return row;
        return nullptr;
    }
    GoalCardView* cardOf(const std::shared_ptr<Goal>& goal) const {
        for (GoalCardView* card : screen()->findChildren<GoalCardView*>())
            if (card->goalID() == goal->objectID() && card->isVisible())
                return card;
        return nullptr;
    }
    SidebarGoalItem* sidebarItemOf(const std::shared_ptr<Goal>& goal) const {
        for (SidebarGoalItem* item : sidebar()->goalItems())
            if (item->goalID() == goal->objectID())
                return item;
        return nullptr;
    }
    QString sidebarPercent(const std::shared_ptr<Goal>& goal) const {
        SidebarGoalItem* item = sidebarItemOf(goal);
        return item ? item->percentText() : QStringLiteral("(no sidebar row)");
    }

    // The "+" of the detail's check-in section, a frequency, "Save & Continue", each step
    // through the builder, then "Save".
    void addMilestone(MilestoneFrequency frequency, const QStringList& steps,
                      const QString& screenName = {}) {
        ASSERT_NE(detail(), nullptr);
        click(detail()->findChild<QToolButton*>(QStringLiteral("addMilestoneButton")));
        auto* add = sheet<AddMilestoneSheet>();
        ASSERT_NE(add, nullptr) << "the add-milestone sheet opens";
        for (MilestoneFrequencyRow* row : add->findChildren<MilestoneFrequencyRow*>())
            if (row->frequency() == frequency)
                click(row);
        click(add->findChild<QPushButton*>(QStringLiteral("saveAndContinue")));
        for (const QString& step : steps) {
            click(add->findChild<QPushButton*>(QStringLiteral("addPendingStep")));
            QTest::keyClicks(add->findChild<QLineEdit*>(QStringLiteral("builderTitleField")), step);
            click(add->findChild<QPushButton*>(QStringLiteral("builderAdd")));
        }
        if (!screenName.isEmpty())
            render(screenName);
        click(add->findChild<QPushButton*>(QStringLiteral("saveMilestone")));
        EXPECT_EQ(topSheet(), nullptr) << "the add-milestone sheet closes";
    }

    QList<MilestoneCard*> milestoneCards() const {
        QList<MilestoneCard*> out;
        if (GoalDetailView* view = detail())
            for (MilestoneCard* card : view->findChildren<MilestoneCard*>())
                if (!card->isHidden())
                    out << card;
        return out;
    }
    QList<StepRowView*> stepRows() const {
        QList<StepRowView*> out;
        for (MilestoneCard* card : milestoneCards())
            for (StepRowView* row : card->findChildren<StepRowView*>())
                if (!row->isHidden())
                    out << row;
        return out;
    }
    // Expands the first card when it is collapsed, then ticks the step row at index.
    void tick(int index) {
        ASSERT_FALSE(milestoneCards().isEmpty());
        if (stepRows().isEmpty())
            click(milestoneCards().first()->findChild<QToolButton*>(QStringLiteral("milestoneChevron")));
        ASSERT_GT(stepRows().size(), index);
        click(stepRows().at(index)->findChild<QToolButton*>(QStringLiteral("stepToggle")));
    }
    QString detailText(const char* name) const {
        auto* label = detail() ? detail()->findChild<QLabel*>(QString::fromLatin1(name)) : nullptr;
        return label ? label->text() : QStringLiteral("(no %1)").arg(QString::fromLatin1(name));
    }
};
