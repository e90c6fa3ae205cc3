#include "Views/Goals/MilestoneCard.h"
#include "Components/ElidedLabel.h"
#include "Components/SmallProgressBar.h"
#include "Models/Milestone.h"
#include "Models/Persistence/PersistenceController.h"
#include "Models/Step.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"
#include "Support/TestSupport.h"
#include "ViewModels/GoalText.h"
#include "Views/Goals/StepRowView.h"

#include <QLabel>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2026, 3, 10), QTime(9, 30), Qt::UTC);

class MilestoneCardTest : public testing::Test {
protected:
    void SetUp() override {
        Clock::setFake(kNow);
        store = std::make_unique<PersistenceController>(true);
        context = store->viewContext();
    }
    void TearDown() override { Clock::useSystem(); }

    std::shared_ptr<Milestone> milestone(std::optional<QString> title, std::optional<QString> frequency) {
        auto m = Milestone::create(context);
        m->setTitle(title);
        m->setFrequency(frequency);
        return m;
    }
    std::shared_ptr<Step> step(const std::shared_ptr<Milestone>& m, const QString& title, qint16 priority,
                               bool done = false) {
        auto s = Step::create(context);
        s->setTitle(title);
        s->setPriority(priority);
        s->setIsCompleted(done);
        s->setCreatedAt(kNow.addSecs(m->steps().size()));
        s->setMilestone(m);
        return s;
    }
    std::unique_ptr<MilestoneCard> card(const std::shared_ptr<Milestone>& m, bool expanded) {
        auto c = std::make_unique<MilestoneCard>(m, QColor("#059669"), expanded, actions);
        c->resize(316, c->sizeHint().height());
        return c;
    }
    static QString name(MilestoneCard& c) { return c.findChild<ElidedLabel*>("milestoneName")->fullText(); }
    static QString count(MilestoneCard& c) { return c.findChild<QLabel*>("milestoneCount")->text(); }

    std::unique_ptr<PersistenceController> store;
    ObjectContext* context = nullptr;
    MilestoneCard::Actions actions;
};

TEST_F(MilestoneCardTest, HeaderShowsAKnownFrequencyElseTheTitle) {
    auto weekly = milestone(QStringLiteral("Read"), QStringLiteral("Weekly"));
    EXPECT_EQ(name(*card(weekly, false)), QStringLiteral("Weekly"));
    EXPECT_EQ(GoalText::milestoneTitle(weekly.get()), QStringLiteral("Read"));
    EXPECT_EQ(name(*card(milestone(QStringLiteral("Read"), QStringLiteral("weekly")), false)),
              QStringLiteral("Read"));
    EXPECT_EQ(name(*card(milestone(std::nullopt, std::nullopt), false)),
              QStringLiteral("Untitled Milestone"));
}

TEST_F(MilestoneCardTest, CountAndBarFollowTheSteps) {
    auto m = milestone(QStringLiteral("Weekly"), std::nullopt);
    auto empty = card(m, false);
    EXPECT_EQ(count(*empty), QStringLiteral("0/0"));
    for (int i = 0; i < 5; ++i)
        step(m, QStringLiteral("S%1").arg(i), 2, i < 2);
    auto c = card(m, false);
    EXPECT_EQ(count(*c), QStringLiteral("2/5"));
    EXPECT_DOUBLE_EQ(c->findChild<SmallProgressBar*>("milestoneBar")->progress(), 0.4);
}

TEST_F(MilestoneCardTest, HeaderTapIsNotFiredByItsButtons) {
    auto m = milestone(QStringLiteral("Weekly"), std::nullopt);
    int taps = 0, expands = 0, deletes = 0;
    actions.onTap = [&] { ++taps; };
    actions.onToggleExpand = [&] { ++expands; };
    actions.onDelete = [&] { ++deletes; };
    auto c = card(m, false);
    c->setAttribute(Qt::WA_DontShowOnScreen);
    c->show();
    QTest::mouseClick(c->findChild<QToolButton*>("milestoneChevron"), Qt::LeftButton);
    EXPECT_EQ(expands, 1);
    EXPECT_EQ(taps, 0);
    QTest::mouseClick(c->findChild<QWidget*>("milestoneHeader"), Qt::LeftButton, {}, QPoint(120, 20));
    EXPECT_EQ(taps, 1);
    QTest::mouseClick(c->findChild<ElidedLabel*>("milestoneName"), Qt::LeftButton);
    EXPECT_EQ(taps, 2);
    EXPECT_EQ(deletes, 0);
}

TEST_F(MilestoneCardTest, StepRowsMarkPriorityAndRouteTheirActions) {
    auto m = milestone(QStringLiteral("Weekly"), std::nullopt);
    step(m, QStringLiteral("low"), 1);
    step(m, QStringLiteral("medium"), 2);
    step(m, QStringLiteral("high"), 3);
    step(m, QStringLiteral("odd"), 0);
    std::vector<QString> toggled, deleted;
    actions.onToggleStep = [&](const std::shared_ptr<Step>& s) { toggled.push_back(*s->title()); };
    actions.onDeleteStep = [&](const std::shared_ptr<Step>& s) { deleted.push_back(*s->title()); };
    auto c = card(m, true);
    const auto rows = c->findChildren<StepRowView*>();
    ASSERT_EQ(rows.size(), 4);
    QStringList symbols;
    for (auto* row : rows) {
        auto* mark = row->findChild<QLabel*>("stepPriority");
        symbols << (mark->isHidden() ? QString() : mark->property("symbolName").toString());
    }
    EXPECT_EQ(symbols, (QStringList{"arrow.down", "", "arrow.up", "minus"}));
    rows[2]->findChild<QToolButton*>("stepToggle")->click();
    rows[3]->findChild<QToolButton*>("stepDelete")->click();
    EXPECT_EQ(toggled, std::vector<QString>{"high"});
    EXPECT_EQ(deleted, std::vector<QString>{"odd"});
}

TEST_F(MilestoneCardTest, CompletionShowsInTheHeaderAndTheStepRows) {
    auto m = milestone(QStringLiteral("Weekly"), QStringLiteral("Weekly"));
    step(m, QStringLiteral("Read"), 2, true);
    step(m, QStringLiteral("Write"), 2, false);
    m->setIsCompleted(true);
    auto c = card(m, true);
    EXPECT_TRUE(c->findChild<ElidedLabel*>("milestoneName")->font().strikeOut());
    const auto rows = c->findChildren<StepRowView*>();
    EXPECT_EQ(rows[0]->findChild<QToolButton*>("stepToggle")->property("symbolName"),
              QStringLiteral("checkmark.circle.fill"));
    EXPECT_TRUE(rows[0]->findChild<ElidedLabel*>("stepTitle")->font().strikeOut());
    EXPECT_EQ(rows[1]->findChild<QToolButton*>("stepToggle")->property("symbolName"),
              QStringLiteral("circle"));
    EXPECT_FALSE(rows[1]->findChild<ElidedLabel*>("stepTitle")->font().strikeOut());
    EXPECT_TRUE(c->findChild<QToolButton*>("addStepButton")->isEnabled());
    EXPECT_TRUE(c->findChild<QToolButton*>("milestoneDelete")->isEnabled());
}

} // namespace
