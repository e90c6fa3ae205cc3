#include "Views/Goals/MilestoneFrequencySheet.h"
#include "Models/Milestone.h"
#include "Models/Persistence/PersistenceController.h"
#include "Store/ObjectContext.h"
#include "Support/TestSupport.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Goals/GoalsTestSupport.h"
#include "Views/Goals/MilestoneFrequencyRow.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using GoalsTestSupport::onCard;

class MilestoneFrequencySheetTest : public testing::Test {
protected:
    void SetUp() override {
        store = std::make_unique<PersistenceController>(true);
        milestone = Milestone::create(store->viewContext());
        milestone->setTitle(QStringLiteral("Read"));
    }
    std::unique_ptr<MilestoneFrequencySheet> open() {
        auto sheet = std::make_unique<MilestoneFrequencySheet>(
            milestone, QColor("#8B5CF6"),
            [this](std::optional<MilestoneFrequency> f) { chosen.push_back(f); });
        sheet->resize(MilestoneFrequencySheet::preferredSize);
        return sheet;
    }
    static QStringList highlighted(MilestoneFrequencySheet& sheet) {
        QStringList out;
        for (auto* row : sheet.findChildren<MilestoneFrequencyRow*>())
            if (row->isSelected())
                out << row->property("frequency").toString();
        return out;
    }

    std::unique_ptr<PersistenceController> store;
    std::shared_ptr<Milestone> milestone;
    std::vector<std::optional<MilestoneFrequency>> chosen;
};

TEST_F(MilestoneFrequencySheetTest, HighlightsTheCurrentFrequencyAndOffersClear) {
    milestone->setFrequency(QStringLiteral("Weekly"));
    auto sheet = open();
    QStringList order;
    for (auto* row : sheet->findChildren<MilestoneFrequencyRow*>())
        order << row->property("frequency").toString();
    EXPECT_EQ(order,
              (QStringList{"One Time", "Daily", "Weekly", "Monthly", "Quarterly", "Bi-Yearly", "Annually"}));
    EXPECT_EQ(highlighted(*sheet), QStringList{"Weekly"});
    EXPECT_NE(sheet->findChild<QPushButton*>("frequencyClear"), nullptr);
    EXPECT_EQ(sheet->findChild<QLabel*>("frequencySheetSubtitle")->text(), QStringLiteral("Read"));
    onCard(sheet.get());
    qv::test::saveScreen(sheet.get(), QStringLiteral("goal-detail-frequency-sheet"));
}

TEST_F(MilestoneFrequencySheetTest, UnknownOrMissingFrequencyHighlightsNothing) {
    milestone->setFrequency(QStringLiteral("weekly"));
    milestone->setTitle(std::nullopt);
    auto sheet = open();
    EXPECT_TRUE(highlighted(*sheet).isEmpty());
    EXPECT_EQ(sheet->findChild<QPushButton*>("frequencyClear"), nullptr);
    EXPECT_EQ(sheet->findChild<QLabel*>("frequencySheetSubtitle")->text(),
              QStringLiteral("Untitled Milestone"));
}

TEST_F(MilestoneFrequencySheetTest, EachControlAnswersAtMostOnce) {
    milestone->setFrequency(QStringLiteral("Weekly"));
    auto sheet = open();
    QSignalSpy closed(sheet.get(), &MilestoneFrequencySheet::dismissRequested);
    for (auto* row : sheet->findChildren<MilestoneFrequencyRow*>())
        if (row->isSelected())
            row->click();
    sheet->findChild<QPushButton*>("frequencyClear")->click();
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0], MilestoneFrequency::weekly);
    EXPECT_EQ(closed.count(), 1);

    auto again = open();
    again->findChild<QPushButton*>("frequencyClear")->click();
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_FALSE(chosen[1].has_value());

    auto cancelled = open();
    QSignalSpy cancelClosed(cancelled.get(), &MilestoneFrequencySheet::dismissRequested);
    cancelled->findChild<QPushButton*>("sheetCancel")->click();
    auto closedByX = open();
    QSignalSpy xClosed(closedByX.get(), &MilestoneFrequencySheet::dismissRequested);
    closedByX->findChild<QToolButton*>("sheetClose")->click();
    EXPECT_EQ(cancelClosed.count(), 1);
    EXPECT_EQ(xClosed.count(), 1);
    EXPECT_EQ(chosen.size(), 2u);
}

} // namespace
