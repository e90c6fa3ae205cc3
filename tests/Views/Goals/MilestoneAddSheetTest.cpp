#include "Support/TestSupport.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Goals/AddMilestoneSheet.h"
#include "Views/Goals/GoalsTestSupport.h"
#include "Views/Goals/MilestoneFrequencyRow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using GoalsTestSupport::onCard;

struct Result {
    QString title;
    std::optional<MilestoneFrequency> frequency;
    std::vector<PendingStep> steps;
};

class MilestoneAddSheetTest : public testing::Test {
protected:
    void SetUp() override {
        sheet = std::make_unique<AddMilestoneSheet>(
            QColor("#0891B2"),
            [this](const QString& t, std::optional<MilestoneFrequency> f, const std::vector<PendingStep>& s) {
                results.push_back({t, f, s});
                return true;
            });
        sheet->resize(AddMilestoneSheet::preferredSize.width(), 560);
        sheet->setAttribute(Qt::WA_DontShowOnScreen);
        sheet->show();
    }

    MilestoneFrequencyRow* row(MilestoneFrequency f) {
        for (auto* r : sheet->findChildren<MilestoneFrequencyRow*>())
            if (r->frequency() == f)
                return r;
        return nullptr;
    }
    QPushButton* button(const char* name) { return sheet->findChild<QPushButton*>(name); }
    QLineEdit* field() { return sheet->findChild<QLineEdit*>("builderTitleField"); }
    QWidget* builder() { return sheet->findChild<QWidget*>("stepBuilder"); }
    QStringList rowTitles() {
        QStringList out;
        for (auto* l : sheet->findChildren<QLabel*>("pendingStepTitle"))
            if (!l->parentWidget()->isHidden())
                out << l->text();
        return out;
    }
    void removeRow(int index) {
        QList<QToolButton*> visible;
        for (auto* b : sheet->findChildren<QToolButton*>("pendingStepRemove"))
            if (!b->parentWidget()->isHidden())
                visible << b;
        visible.at(index)->click();
    }
    void toPhase2(MilestoneFrequency f = MilestoneFrequency::weekly) {
        row(f)->click();
        button("saveAndContinue")->click();
    }
    void typeStep(const QString& title) {
        button("addPendingStep")->click();
        QTest::keyClicks(field(), title);
        button("builderAdd")->click();
    }

    std::vector<Result> results;
    std::unique_ptr<AddMilestoneSheet> sheet;
};

TEST_F(MilestoneAddSheetTest, PhaseOneNeedsAFrequencyAndTappingAgainClearsIt) {
    EXPECT_EQ(sheet->findChild<QLabel*>("sheetTitle")->text(), QStringLiteral("Check-in Schedule"));
    EXPECT_FALSE(button("saveAndContinue")->isEnabled());
    onCard(sheet.get());
    qv::test::saveScreen(sheet.get(), QStringLiteral("goal-detail-add-milestone-phase1"));
    row(MilestoneFrequency::daily)->click();
    EXPECT_TRUE(row(MilestoneFrequency::daily)->isSelected());
    EXPECT_TRUE(button("saveAndContinue")->isEnabled());
    row(MilestoneFrequency::weekly)->click();
    EXPECT_FALSE(row(MilestoneFrequency::daily)->isSelected());
    EXPECT_TRUE(row(MilestoneFrequency::weekly)->isSelected());
    onCard(sheet.get());
    qv::test::saveScreen(sheet.get(), QStringLiteral("goal-detail-add-milestone-phase1-chosen"));
    row(MilestoneFrequency::weekly)->click();
    EXPECT_FALSE(sheet->selectedFrequency().has_value());
    EXPECT_FALSE(button("saveAndContinue")->isEnabled());
}

TEST_F(MilestoneAddSheetTest, SavingRightAwayGivesTheFrequencyAsTitleAndNoSteps) {
    toPhase2(MilestoneFrequency::biYearly);
    EXPECT_EQ(sheet->findChild<QLabel*>("sheetTitle")->text(), QStringLiteral("Add Action Steps"));
    EXPECT_EQ(sheet->findChild<QLabel*>("frequencyChipText")->text(), QStringLiteral("Bi-Yearly"));
    QSignalSpy closed(sheet.get(), &AddMilestoneSheet::dismissRequested);
    button("saveMilestone")->click();
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].title, QStringLiteral("Bi-Yearly"));
    EXPECT_EQ(results[0].frequency, MilestoneFrequency::biYearly);
    EXPECT_TRUE(results[0].steps.empty());
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(MilestoneAddSheetTest, DraftShowsAsUnnamedRowAndFollowsTyping) {
    toPhase2();
    button("addPendingStep")->click();
    EXPECT_TRUE(sheet->addingStep());
    EXPECT_EQ(rowTitles(), QStringList{"Unnamed step"});
    EXPECT_FALSE(button("builderAdd")->isEnabled());
    QTest::keyClicks(field(), QStringLiteral("Read"));
    EXPECT_EQ(rowTitles(), QStringList{"Read"});
    button("builderInputType")->click(); // the first type stays "Complete"
    onCard(sheet.get());
    qv::test::saveScreen(sheet.get(), QStringLiteral("goal-detail-add-milestone-builder"));
    button("builderAdd")->click();
    EXPECT_FALSE(sheet->addingStep());
    EXPECT_FALSE(builder()->isVisible());
    EXPECT_TRUE(button("addPendingStep")->isVisible());
    button("addPendingStep")->click();
    button("builderCancel")->click();
    EXPECT_EQ(rowTitles(), QStringList{"Read"});
    EXPECT_TRUE(results.empty());
    typeStep(QStringLiteral("Write"));
    onCard(sheet.get());
    qv::test::saveScreen(sheet.get(), QStringLiteral("goal-detail-add-milestone-phase2"));
}

TEST_F(MilestoneAddSheetTest, SaveTakesTheOpenDraftOnlyWhenTyped) {
    toPhase2();
    typeStep(QStringLiteral("   "));
    button("addPendingStep")->click();
    QTest::keyClicks(field(), QStringLiteral("Draft"));
    button("saveMilestone")->click();
    ASSERT_EQ(results.size(), 1u);
    ASSERT_EQ(results[0].steps.size(), 2u);
    EXPECT_EQ(results[0].steps[0].title, QStringLiteral("   "));
    EXPECT_EQ(results[0].steps[1].title, QStringLiteral("Draft"));

    AddMilestoneSheet other(Qt::red, [this](auto&&... args) {
        results.push_back({args...});
        return true;
    });
    other.findChild<MilestoneFrequencyRow*>()->click();
    other.findChild<QPushButton*>("saveAndContinue")->click();
    other.findChild<QPushButton*>("addPendingStep")->click();
    other.findChild<QPushButton*>("saveMilestone")->click();
    ASSERT_EQ(results.size(), 2u);
    EXPECT_TRUE(results[1].steps.empty());
}

TEST_F(MilestoneAddSheetTest, BuilderOnlyEverTouchesItsOwnDraft) {
    toPhase2();
    typeStep(QStringLiteral("Read"));
    button("addPendingStep")->click();
    QTest::keyClicks(field(), QStringLiteral("Draft"));
    // Removing a confirmed row leaves the draft under edit.
    removeRow(0);
    EXPECT_EQ(rowTitles(), QStringList{"Draft"});
    EXPECT_TRUE(sheet->addingStep());
    QTest::keyClicks(field(), QStringLiteral("!"));
    EXPECT_EQ(rowTitles(), QStringList{"Draft!"});

    button("builderAdd")->click();

    // The builder's "Cancel" takes back only the draft it opened.
    button("addPendingStep")->click();
    button("builderCancel")->click();
    EXPECT_EQ(rowTitles(), QStringList{"Draft!"});

    // Removing the draft's own row closes the builder; a later "Cancel" finds nothing to take.
    button("addPendingStep")->click();
    QTest::keyClicks(field(), QStringLiteral("Gone"));
    removeRow(1);
    EXPECT_FALSE(sheet->addingStep());
    EXPECT_FALSE(builder()->isVisible());
    button("builderCancel")->click();
    EXPECT_EQ(rowTitles(), QStringList{"Draft!"});
    ASSERT_EQ(sheet->pendingSteps().size(), 1u);
}

TEST_F(MilestoneAddSheetTest, BackKeepsStepsAndTheNewFrequencyNamesTheMilestone) {
    toPhase2(MilestoneFrequency::daily);
    typeStep(QStringLiteral("Read"));
    typeStep(QStringLiteral("Read"));
    removeRow(1);
    EXPECT_EQ(rowTitles(), QStringList{"Read"});
    button("sheetBack")->click();
    EXPECT_FALSE(sheet->frequencySaved());
    toPhase2(MilestoneFrequency::monthly);
    EXPECT_EQ(sheet->findChild<QLabel*>("frequencyChipText")->text(), QStringLiteral("Monthly"));
    button("saveMilestone")->click();
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].title, QStringLiteral("Monthly"));
    EXPECT_EQ(results[0].frequency, MilestoneFrequency::monthly);
    ASSERT_EQ(results[0].steps.size(), 1u);
}

TEST_F(MilestoneAddSheetTest, ClosingNeverAdds) {
    QSignalSpy closed(sheet.get(), &AddMilestoneSheet::dismissRequested);
    button("sheetCancel")->click();
    EXPECT_EQ(closed.count(), 1);
    AddMilestoneSheet other(Qt::red, [this](auto&&... args) {
        results.push_back({args...});
        return true;
    });
    QSignalSpy otherClosed(&other, &AddMilestoneSheet::dismissRequested);
    other.findChild<MilestoneFrequencyRow*>()->click();
    other.findChild<QPushButton*>("saveAndContinue")->click();
    other.findChild<QPushButton*>("addPendingStep")->click();
    other.findChild<QPushButton*>("builderCancel")->click();
    EXPECT_EQ(otherClosed.count(), 0);
    other.findChild<QToolButton*>("sheetClose")->click();
    EXPECT_EQ(otherClosed.count(), 1);
    EXPECT_TRUE(results.empty());
}

} // namespace
