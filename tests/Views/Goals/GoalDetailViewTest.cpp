#include "Views/Goals/GoalDetailView.h"
#include "Components/ConfettiView.h"
#include "Components/ElidedLabel.h"
#include "Components/FocusRing.h"
#include "Components/PriorityBadge.h"
#include "Components/SheetHost.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/Persistence/PersistenceController.h"
#include "Models/Step.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"
#include "Support/FullStore.h"
#include "Support/TestSupport.h"
#include "ViewModels/GoalDetailViewModel.h"
#include "ViewModels/GoalText.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Achievements/AddAchievementSheet.h"
#include "Views/Goals/AddMilestoneSheet.h"
#include "Views/Goals/AddStepView.h"
#include "Views/Goals/CreateGoalView.h"
#include "Views/Goals/GoalsTestSupport.h"
#include "Views/Goals/MilestoneCard.h"
#include "Views/Goals/MilestoneFrequencyRow.h"
#include "Views/Goals/MilestoneFrequencySheet.h"
#include "Views/Goals/StepRowView.h"
#include "Views/TestScreenModels.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2026, 3, 10), QTime(9, 30), Qt::UTC);

class GoalDetailViewTest : public testing::Test {
protected:
    void SetUp() override {
        Clock::setFake(kNow);
        store = std::make_unique<PersistenceController>(true);
        context = store->viewContext();
        goal = Goal::create(context);
        goal->setTitle(QStringLiteral("Learn Japanese"));
        goal->setCategory(QStringLiteral("Learning"));
        goal->setColorHex(QStringLiteral("#0891B2"));
        goal->setPriority(3);
        context->save();
    }
    void TearDown() override {
        window.reset();
        Clock::useSystem();
    }

    // The goals screen hosts the detail in a side panel 380 points wide; with a wider window
    // the panel sits at its right edge and sheets centre over the whole window.
    GoalDetailView* open(int width = 380, int height = 900, int windowWidth = 0) {
        window = GoalsTestSupport::darkWindow(qMax(width, windowWidth), height);
        auto* layout = new QHBoxLayout(window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        if (windowWidth > width)
            layout->addStretch(1);
        detail = new GoalDetailView(screens.env(context), goal, window.get());
        detail->setFixedWidth(width);
        layout->addWidget(detail);
        window->show();
        qv::test::settle();
        return detail;
    }

    std::shared_ptr<Milestone> addMilestone(const QString& frequency, QStringList steps) {
        auto m = Milestone::create(context);
        m->setTitle(frequency);
        m->setFrequency(frequency);
        m->setOrder(qint16(goal->milestones().size()));
        m->setGoal(goal);
        for (int i = 0; i < steps.size(); ++i) {
            auto s = Step::create(context);
            s->setTitle(steps[i]);
            s->setPriority(2);
            s->setCreatedAt(kNow.addSecs(i));
            s->setMilestone(m);
        }
        context->save();
        return m;
    }

    QWidget* topSheet() {
        SheetHost* host = SheetHost::topmost(window.get());
        return host ? host->content() : nullptr;
    }
    template <typename T> T* sheet() { return qobject_cast<T*>(topSheet()); }
    QAbstractButton* alertButton(const QString& text) {
        for (auto* b : topSheet()->findChildren<QAbstractButton*>())
            if (b->text() == text)
                return b;
        return nullptr;
    }
    QList<MilestoneCard*> cards() {
        QList<MilestoneCard*> out;
        for (auto* c : detail->findChildren<MilestoneCard*>())
            if (!c->isHidden())
                out << c;
        return out;
    }
    QList<StepRowView*> rows() {
        QList<StepRowView*> out;
        for (auto* c : cards())
            out << c->findChildren<StepRowView*>();
        return out;
    }
    QString percent() { return detail->findChild<QLabel*>("progressPercent")->text(); }
    QWidget* confetti() { return detail->findChild<QWidget*>("confetti"); }
    int stepsInStore() { return context->count(FetchRequest(Step::entityName())); }

    std::unique_ptr<PersistenceController> store;
    ObjectContext* context = nullptr;
    std::shared_ptr<Goal> goal;
    TestScreenModels screens;
    std::unique_ptr<QWidget> window;
    GoalDetailView* detail = nullptr;
};

TEST_F(GoalDetailViewTest, MainRoadFromAnEmptyGoalToACelebratedMilestone) {
    open();
    auto* empty = detail->findChild<QLabel*>("emptyMilestonesText");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->isVisible());
    EXPECT_EQ(empty->text(), QStringLiteral("No check-in schedule yet. Tap + to add one."));
    EXPECT_EQ(detail->findChild<QLabel*>("progressCaption")->text(), QStringLiteral("Manual"));
    qv::test::saveScreen(window.get(), QStringLiteral("goal-detail-empty"));

    detail->findChild<QToolButton*>("addMilestoneButton")->click();
    auto* add = sheet<AddMilestoneSheet>();
    ASSERT_TRUE(add);
    EXPECT_EQ(detail->activeSheetId(), QStringLiteral("addMilestone"));
    for (auto* row : add->findChildren<MilestoneFrequencyRow*>())
        if (row->frequency() == MilestoneFrequency::weekly)
            row->click();
    add->findChild<QPushButton*>("saveAndContinue")->click();
    add->findChild<QPushButton*>("addPendingStep")->click();
    QTest::keyClicks(add->findChild<QLineEdit*>("builderTitleField"), QStringLiteral("Read"));
    add->findChild<QPushButton*>("builderAdd")->click();
    qv::test::saveScreen(window.get(), QStringLiteral("goal-detail-sheet-add-milestone"));
    add->findChild<QPushButton*>("saveMilestone")->click();
    qv::test::settle();
    EXPECT_EQ(topSheet(), nullptr);
    EXPECT_TRUE(detail->activeSheetId().isEmpty());

    ASSERT_EQ(cards().size(), 1);
    EXPECT_FALSE(empty->isVisible());
    EXPECT_EQ(cards()[0]->findChild<ElidedLabel*>("milestoneName")->fullText(), QStringLiteral("Weekly"));
    EXPECT_EQ(cards()[0]->findChild<QLabel*>("milestoneCount")->text(), QStringLiteral("0/1"));
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(detail->findChild<QLabel*>("progressCaption")->text(), QStringLiteral("Based on steps"));
    EXPECT_EQ(percent(), QStringLiteral("0%"));
    qv::test::saveScreen(window.get(), QStringLiteral("goal-detail-collapsed"));

    cards()[0]->findChild<QToolButton*>("milestoneChevron")->click();
    ASSERT_EQ(rows().size(), 1);
    EXPECT_EQ(rows()[0]->step()->title(), QStringLiteral("Read"));
    QTest::mouseClick(rows()[0]->findChild<QToolButton*>("stepToggle"), Qt::LeftButton);
    qv::test::settle();

    ASSERT_EQ(cards().size(), 1);
    EXPECT_TRUE(cards()[0]->findChild<ElidedLabel*>("milestoneName")->font().strikeOut());
    EXPECT_EQ(cards()[0]->findChild<QLabel*>("milestoneCount")->text(), QStringLiteral("1/1"));
    ASSERT_TRUE(confetti());
    EXPECT_TRUE(confetti()->isVisible());
    EXPECT_EQ(confetti()->parentWidget(), detail);
    EXPECT_EQ(confetti()->geometry(), detail->rect());
    EXPECT_TRUE(confetti()->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(percent(), QStringLiteral("100%"));
    EXPECT_EQ(detail->findChild<QLabel*>("progressCaption")->text(), QStringLiteral("Based on steps"));
    EXPECT_TRUE(detail->findChild<QLabel*>("autoTrackedNote")->isVisible());
    EXPECT_FALSE(detail->findChild<QToolButton*>("manualPlus")->isEnabled());
    // Everything fits the panel: nothing is pushed past its right edge.
    EXPECT_LE(detail->findChild<QWidget*>("goalDetailContent")->width(), detail->width());
    if (auto* pieces = qobject_cast<ConfettiView*>(confetti()))
        pieces->freezeAt(0.5);
    qv::test::saveScreen(window.get(), QStringLiteral("goal-detail-expanded-celebrating"));

    Clock::advance(3);
    qv::test::settle();
    EXPECT_TRUE(!confetti() || !confetti()->isVisible());
    qv::test::saveScreen(window.get(), QStringLiteral("goal-detail-expanded"));

    cards()[0]->findChild<QToolButton*>("milestoneDelete")->click();
    ASSERT_TRUE(topSheet());
    EXPECT_EQ(topSheet()->findChild<QLabel*>("alertTitle")->text(), QStringLiteral("Delete \"Weekly\"?"));
    qv::test::saveScreen(window.get(), QStringLiteral("goal-detail-delete-milestone-dialog"));
    alertButton(QStringLiteral("Delete Milestone"))->click();
    qv::test::settle();
    EXPECT_EQ(stepsInStore(), 0);
    EXPECT_EQ(context->count(FetchRequest(Milestone::entityName())), 0);
    EXPECT_TRUE(cards().isEmpty());
    EXPECT_TRUE(empty->isVisible());
}

TEST_F(GoalDetailViewTest, WideSheetKeepsTheHeaderOnOneLine) {
    goal->setNotes(QStringLiteral("Pass the N4 exam by the end of the year."));
    goal->setDeadline(kNow.addDays(40));
    goal->setStreak(6);
    auto done = addMilestone(QStringLiteral("Daily"), {QStringLiteral("Kana drill")});
    done->stepsArray()[0]->setIsCompleted(true);
    done->setIsCompleted(true);
    auto open = addMilestone(QStringLiteral("Weekly"),
                             {QStringLiteral("Grammar chapter"), QStringLiteral("Listening"),
                              QStringLiteral("Write a diary page")});
    open->stepsArray()[0]->setPriority(3);
    open->stepsArray()[2]->setPriority(1);
    context->save();
    this->open(620, 900);
    EXPECT_EQ(detail->findChild<QWidget*>("goalHeader")->findChild<QWidget*>("goalCategoryTag")->y(),
              detail->findChild<PriorityBadge*>()->parentWidget()->y() +
                  detail->findChild<PriorityBadge*>()->y());
    cards()[1]->findChild<QToolButton*>("milestoneChevron")->click();
    EXPECT_EQ(rows().size(), 3);
    qv::test::saveScreen(window.get(), QStringLiteral("goal-detail-wide"));
}

TEST_F(GoalDetailViewTest, ManualProgressOnlyWithoutSteps) {
    addMilestone(QStringLiteral("Weekly"), {});
    open();
    EXPECT_EQ(detail->findChild<QLabel*>("progressCaption")->text(), QStringLiteral("Manual"));
    EXPECT_FALSE(detail->findChild<QLabel*>("autoTrackedNote")->isVisible());
    auto* plus = detail->findChild<QToolButton*>("manualPlus");
    auto* minus = detail->findChild<QToolButton*>("manualMinus");
    ASSERT_TRUE(plus->isEnabled() && minus->isEnabled());
    minus->click();
    EXPECT_EQ(percent(), QStringLiteral("0%"));
    for (int i = 0; i < 3; ++i)
        plus->click();
    EXPECT_EQ(percent(), QStringLiteral("15%"));
    EXPECT_DOUBLE_EQ(goal->manualProgress(), 0.15);
}

TEST_F(GoalDetailViewTest, HeaderFallsBackAndMarksOverdueDeadlines) {
    goal->setTitle(std::nullopt);
    goal->setCategory(std::nullopt);
    goal->setDeadline(kNow.addDays(-2));
    goal->setStreak(1);
    goal->setNotes(QStringLiteral("<b>not bold</b>"));
    open();
    EXPECT_EQ(detail->findChild<QLabel*>("goalTitle")->text(), QStringLiteral("Untitled Goal"));
    auto* notes = detail->findChild<QLabel*>("goalNotes");
    EXPECT_EQ(notes->textFormat(), Qt::PlainText);
    EXPECT_TRUE(notes->isVisible());
    EXPECT_EQ(detail->findChild<QLabel*>("deadlineLabelText")->text(), QStringLiteral("Mar 8, 2026"));
    EXPECT_EQ(detail->findChild<QLabel*>("deadlineLabelText")->palette().color(QPalette::WindowText),
              QColor("#E11D48"));
    EXPECT_EQ(detail->findChild<QLabel*>("streakLabelText")->text(), QStringLiteral("1 day streak"));
    qv::test::saveScreen(window.get(), QStringLiteral("goal-detail-header-fallbacks"));

    goal->setStreak(0);
    goal->setNotes(QString());
    goal->setManualProgress(1.0);
    detail->refresh();
    EXPECT_FALSE(detail->findChild<QWidget*>("streakLabel")->isVisible());
    EXPECT_FALSE(notes->isVisible());
    EXPECT_NE(detail->findChild<QLabel*>("deadlineLabelText")->palette().color(QPalette::WindowText),
              QColor("#E11D48"));
}

TEST_F(GoalDetailViewTest, HeaderTapOpensTheScheduleAndClearStoresNone) {
    auto m = addMilestone(QStringLiteral("Weekly"), {QStringLiteral("Read")});
    open(380, 760, 1000);
    QTest::mouseClick(cards()[0]->findChild<QWidget*>("milestoneHeader"), Qt::LeftButton, {},
                      QPoint(150, 20));
    auto* frequency = sheet<MilestoneFrequencySheet>();
    ASSERT_TRUE(frequency);
    EXPECT_EQ(detail->activeSheetId(), QStringLiteral("freq-%1").arg(m->objectID()));
    qv::test::saveScreen(window.get(), QStringLiteral("goal-detail-sheet-frequency"));
    frequency->findChild<QPushButton*>("frequencyClear")->click();
    qv::test::settle();
    EXPECT_FALSE(m->frequency().has_value());
    EXPECT_EQ(topSheet(), nullptr);
    EXPECT_EQ(cards()[0]->findChild<ElidedLabel*>("milestoneName")->fullText(), QStringLiteral("Weekly"));
}

TEST_F(GoalDetailViewTest, AddStepSheetAddsToItsMilestone) {
    auto m = addMilestone(QStringLiteral("Weekly"), {});
    open(380, 760, 1000);
    cards()[0]->findChild<QToolButton*>("milestoneChevron")->click();
    cards()[0]->findChild<QToolButton*>("addStepButton")->click();
    auto* add = sheet<AddStepView>();
    ASSERT_TRUE(add);
    EXPECT_EQ(detail->activeSheetId(), QStringLiteral("addStep-%1").arg(m->objectID()));
    QTest::keyClicks(add->findChild<QLineEdit*>("stepTitleField"), QStringLiteral("Flashcards"));
    qv::test::saveScreen(window.get(), QStringLiteral("goal-detail-sheet-add-step"));
    add->findChild<QPushButton*>("addStepConfirm")->click();
    qv::test::settle();
    ASSERT_EQ(m->stepsArray().size(), 1u);
    EXPECT_EQ(m->stepsArray()[0]->title(), QStringLiteral("Flashcards"));
    EXPECT_TRUE(detail->isExpanded(m->objectID()));
    ASSERT_EQ(rows().size(), 1);
    rows()[0]->findChild<QToolButton*>("stepDelete")->click();
    qv::test::settle();
    EXPECT_EQ(stepsInStore(), 0);
}

TEST_F(GoalDetailViewTest, AddStepSheetStaysOpenWithItsTextWhenTheSaveFails) {
    auto m = addMilestone(QStringLiteral("Weekly"), {});
    open(380, 760, 1000);
    cards()[0]->findChild<QToolButton*>("milestoneChevron")->click();
    cards()[0]->findChild<QToolButton*>("addStepButton")->click();
    auto* add = sheet<AddStepView>();
    ASSERT_TRUE(add);
    QTest::keyClicks(add->findChild<QLineEdit*>("stepTitleField"), QStringLiteral("Flashcards"));
    qv::test::fillStore(*context);
    testing::internal::CaptureStdout();
    add->findChild<QPushButton*>("addStepConfirm")->click();
    qv::test::settle();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(sheet<AddStepView>(), add) << "the sheet closes only after the save went through";
    EXPECT_EQ(add->findChild<QLineEdit*>("stepTitleField")->text(), QStringLiteral("Flashcards"));
    EXPECT_EQ(stepsInStore(), 0);

    qv::test::freeStore(*context);
    add->findChild<QPushButton*>("addStepConfirm")->click();
    qv::test::settle();
    EXPECT_EQ(stepsInStore(), 1);
    EXPECT_EQ(m->stepsArray().size(), 1u);
}

TEST_F(GoalDetailViewTest, EditingTheGoalRedrawsTheHeader) {
    open(380, 760, 1000);
    detail->findChild<QToolButton*>("editGoalButton")->click();
    auto* editor = sheet<CreateGoalView>();
    ASSERT_TRUE(editor);
    EXPECT_EQ(detail->activeSheetId(), QStringLiteral("editGoal"));
    qv::test::saveScreen(window.get(), QStringLiteral("goal-detail-sheet-edit-goal"));
    auto* title = editor->findChild<QLineEdit*>();
    ASSERT_TRUE(title);
    title->selectAll();
    QTest::keyClicks(title, QStringLiteral("Speak Japanese"));
    auto* save = editor->findChild<QPushButton*>("createGoalConfirm");
    ASSERT_TRUE(save);
    EXPECT_EQ(save->text(), QStringLiteral("Save Changes"));
    save->click();
    qv::test::settle();
    EXPECT_EQ(goal->title(), QStringLiteral("Speak Japanese"));
    EXPECT_EQ(detail->findChild<QLabel*>("goalTitle")->text(), QStringLiteral("Speak Japanese"));
    EXPECT_TRUE(detail->activeSheetId().isEmpty());
}

TEST_F(GoalDetailViewTest, AchievingMarksTheGoalAndCanRecordIt) {
    open();
    detail->findChild<QToolButton*>("achieveButton")->click();
    ASSERT_TRUE(topSheet());
    EXPECT_EQ(topSheet()->findChild<QLabel*>("alertMessage")->text(),
              QStringLiteral("\"Learn Japanese\" will be marked as complete."));
    alertButton(QStringLiteral("Cancel"))->click();
    qv::test::settle();
    EXPECT_FALSE(goal->isArchived());

    detail->findChild<QToolButton*>("achieveButton")->click();
    alertButton(QStringLiteral("Add to Achievements"))->click();
    qv::test::settle();
    EXPECT_TRUE(goal->isArchived());
    EXPECT_FALSE(context->hasChanges());
    auto* record = sheet<AddAchievementSheet>();
    ASSERT_TRUE(record);
    EXPECT_EQ(record->title(), QStringLiteral("Learn Japanese"));
    EXPECT_EQ(record->emoji(), QStringLiteral("\U0001F3C6"));
}

TEST_F(GoalDetailViewTest, LeavingDuringTheCelebrationIsSafe) {
    addMilestone(QStringLiteral("Daily"), {QStringLiteral("Only")});
    open();
    cards()[0]->findChild<QToolButton*>("milestoneChevron")->click();
    rows()[0]->findChild<QToolButton*>("stepToggle")->click();
    ASSERT_TRUE(detail->viewModel()->showConfetti());
    cards()[0]->findChild<QToolButton*>("addStepButton")->click();
    ASSERT_TRUE(topSheet());
    delete detail;
    detail = nullptr;
    qv::test::settle();
    EXPECT_EQ(topSheet(), nullptr);
    Clock::advance(5);
    qv::test::settle();
    EXPECT_EQ(Clock::pendingCount(), 0);
}

} // namespace

TEST_F(GoalDetailViewTest, UserTextStaysPlainInToolTipsAndDatesFollowTheLocale) {
    const QString markup = QStringLiteral("<h1>BIG</h1><font color=red>x</font> and a long tail to elide");
    auto milestone = Milestone::create(context);
    milestone->setTitle(markup);
    milestone->setGoal(goal);
    goal->setDeadline(QDateTime(QDate(2026, 12, 10), QTime(12, 0), Qt::UTC));
    context->save();
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    open(300);
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    EXPECT_EQ(detail->findChild<QLabel*>("deadlineLabelText")->text(), QStringLiteral("10. Dez. 2026"));
    auto* name = cards()[0]->findChild<ElidedLabel*>("milestoneName");
    ASSERT_NE(name, nullptr);
    ASSERT_FALSE(name->toolTip().isEmpty()) << "the elided name has its full text in a tool tip";
    QTextDocument shown;
    shown.setHtml(name->toolTip());
    EXPECT_EQ(shown.toPlainText(), markup) << "the tool tip shows the tags as typed";
}

TEST_F(GoalDetailViewTest, TheFocusStaysOnTheStepControlThatActed) {
    addMilestone(QStringLiteral("Daily"),
                 {QStringLiteral("Kana"), QStringLiteral("Kanji"), QStringLiteral("Verbs")});
    FocusRing::install(); // as the application's window does
    open();
    QApplication::setActiveWindow(window.get());
    auto focused = [] { return QApplication::focusWidget(); };
    auto stepOf = [](QWidget* w) {
        auto* row = qobject_cast<StepRowView*>(w);
        if (!row && w)
            row = qobject_cast<StepRowView*>(w->parentWidget());
        return row ? GoalText::stepTitle(row->step().get()) : QString();
    };
    // The user's own Tab from the row onto its controls: a focus only handed to a control that
    // acts on the step would be moved off it.
    auto tabFrom = [&](StepRowView* row, int tabs) {
        row->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < tabs; ++i)
            QTest::keyClick(focused(), Qt::Key_Tab);
        return focused();
    };
    auto* chevron = cards().first()->findChild<QWidget*>(QStringLiteral("milestoneChevron"));
    chevron->setFocus(Qt::TabFocusReason);
    QTest::keyClick(chevron, Qt::Key_Space);
    qv::test::settle();
    ASSERT_EQ(rows().size(), 3);
    ASSERT_NE(focused(), nullptr);
    EXPECT_EQ(focused()->objectName(), QStringLiteral("milestoneChevron"))
        << "the card opened, the focus stayed";

    QWidget* tick = tabFrom(rows()[1], 1);
    ASSERT_EQ(tick, rows()[1]->findChild<QWidget*>(QStringLiteral("stepToggle")));
    QTest::keyClick(tick, Qt::Key_Space);
    qv::test::settle();
    EXPECT_TRUE(rows()[1]->step()->isCompleted());
    ASSERT_NE(focused(), nullptr);
    EXPECT_EQ(focused()->objectName(), QStringLiteral("stepToggle")) << "not the section's +";
    EXPECT_EQ(stepOf(focused()), QStringLiteral("Kanji"));
    ASSERT_NE(FocusRing::current(), nullptr);
    EXPECT_EQ(FocusRing::current()->target(), focused());

    auto tabOntoDelete = [&](StepRowView* row) {
        QWidget* remove = tabFrom(row, 2);
        EXPECT_EQ(remove, row->findChild<QWidget*>(QStringLiteral("stepDelete")));
        return remove;
    };
    QWidget* remove = tabOntoDelete(rows()[1]);
    QTest::keyClick(remove, Qt::Key_Space);
    qv::test::settle();
    ASSERT_EQ(rows().size(), 2);
    // One more Return on the next step's Delete or tick would act on that step too: the step
    // that took the place takes the focus as a row.
    EXPECT_EQ(focused() ? focused()->objectName() : QString(), QStringLiteral("stepRow"));
    EXPECT_EQ(stepOf(focused()), QStringLiteral("Verbs")) << "the next step takes the place";
    ASSERT_NE(FocusRing::current(), nullptr);
    EXPECT_EQ(FocusRing::current()->target(), focused()) << "the keyboard's ring went with the focus";

    // The last step deleted: the one before it.
    remove = tabOntoDelete(rows()[1]);
    QTest::keyClick(remove, Qt::Key_Space);
    qv::test::settle();
    ASSERT_EQ(rows().size(), 1);
    EXPECT_EQ(focused() ? focused()->objectName() : QString(), QStringLiteral("stepRow"));
    EXPECT_EQ(stepOf(focused()), QStringLiteral("Kana"));
}
