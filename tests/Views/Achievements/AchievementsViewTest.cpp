#include "Views/Achievements/AchievementsView.h"
#include "Components/SheetHost.h"
#include "Models/Achievement.h"
#include "Models/AchievementCategory.h"
#include "Models/Persistence/PersistenceController.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"
#include "Support/TestSupport.h"
#include "ViewModels/AchievementsViewModel.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Achievements/AchievementTimelineRow.h"
#include "Views/Achievements/AddAchievementSheet.h"
#include "Views/ShellTestSupport.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

class AchievementsScreen : public FrozenClockStoreTest {
protected:
    AchievementsScreen() : FrozenClockStoreTest(QDateTime(QDate(2026, 3, 7), QTime(15, 30))) {}
    void SetUp() override {
        FrozenClockStoreTest::SetUp();
        window.resize(1020, 760);
        window.setAttribute(Qt::WA_DontShowOnScreen, true);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, Theme::backgroundPrimary());
        window.setPalette(palette);
        window.setAutoFillBackground(true);
    }
    void TearDown() override {
        delete view;
        FrozenClockStoreTest::TearDown();
    }

    std::shared_ptr<Achievement> add(const QString& title, std::optional<QDateTime> date,
                                     std::optional<QString> emoji = QString("🥇"),
                                     std::shared_ptr<AchievementCategory> category = nullptr,
                                     std::optional<QString> desc = std::nullopt) {
        auto achievement = Achievement::create(context);
        achievement->setTitle(title);
        achievement->setDate(date);
        achievement->setEmoji(emoji);
        achievement->setCategory(category);
        achievement->setDesc(desc);
        context->save();
        return achievement;
    }
    AchievementsView* open() {
        view = new AchievementsView(screens.env(context), &window);
        view->resize(window.size());
        window.show();
        qv::test::settle();
        return view;
    }
    QStringList texts(const char* name) {
        QStringList out;
        for (auto* label : view->findChildren<QLabel*>(QString::fromLatin1(name)))
            if (label->isVisible())
                out << label->text();
        return out;
    }
    std::vector<AchievementTimelineRow*> rows() {
        std::vector<AchievementTimelineRow*> out;
        for (auto* row : view->findChildren<AchievementTimelineRow*>())
            if (row->isVisible())
                out.push_back(row);
        return out;
    }
    static QDateTime at(int y, int m, int d) { return QDateTime(QDate(y, m, d), QTime(10, 0)); }

    TestScreenModels screens;
    QWidget window;
    AchievementsView* view = nullptr;
};

} // namespace

TEST_F(AchievementsScreen, EmptyStoreInvitesTheFirstWinAndHoldsTheSevenCategories) {
    open();
    EXPECT_EQ(texts("winsLogged"), QStringList({"0 wins logged"}));
    EXPECT_TRUE(view->findChild<QWidget*>("emptyState")->isVisible());
    EXPECT_TRUE(texts("yearLabel").isEmpty());
    EXPECT_EQ(context->count(FetchRequest(AchievementCategory::entityName())), 7);
    qv::test::saveScreen(&window, "achievements-empty");
}

TEST_F(AchievementsScreen, GroupsYearsNewestFirstInPlainDigits) {
    add("Third", at(2023, 5, 1));
    add("First", at(2025, 1, 2));
    add("Second", at(2024, 8, 9));
    auto undated = add("Undated", std::nullopt);
    undated->setCreatedAt(at(2022, 6, 6));
    context->save();
    open();
    EXPECT_EQ(texts("winsLogged"), QStringList({"4 wins logged"}));
    EXPECT_EQ(texts("yearLabel"), QStringList({"2025", "2024", "2023", "2022"}));
    QStringList order;
    for (auto* row : rows())
        order << row->achievement()->title().value_or("");
    EXPECT_EQ(order, QStringList({"First", "Second", "Third", "Undated"}));
    EXPECT_EQ(view->findChildren<QLabel*>("achievementDate").first()->text(), QString("Jan 2, 2025"));
}

TEST_F(AchievementsScreen, RowsFallBackForMissingValuesAndShowNotesOnlyWhenPresent) {
    auto unnamed = AchievementCategory::create(context);
    unnamed->setIsCustom(true);
    auto health = AchievementCategory::create(context);
    health->setName(QString("Health"));
    add(QString(), at(2026, 3, 1), std::nullopt, unnamed, QString());
    add("Ran <b>10k</b>", at(2026, 2, 1), QString("🔥"), health, QString("Felt great.\nNew best."));
    add("No category", at(2026, 1, 1));
    auto untitled = context->fetch<Achievement>(FetchRequest(Achievement::entityName()))[0];
    untitled->setTitle(std::nullopt);
    context->save();
    open();

    const auto shown = rows();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0]->findChild<QLabel*>("achievementTitle")->text(), QString("Untitled"));
    EXPECT_EQ(shown[0]->findChild<QLabel*>("categoryChip")->text(), QString("Other"));
    EXPECT_EQ(shown[0]->findChild<QLabel*>("achievementDesc"), nullptr);
    EXPECT_EQ(shown[1]->findChild<QLabel*>("achievementTitle")->text(), QString("Ran <b>10k</b>"));
    EXPECT_EQ(shown[1]->findChild<QLabel*>("achievementTitle")->textFormat(), Qt::PlainText);
    EXPECT_EQ(shown[1]->findChild<QLabel*>("achievementDesc")->text(), QString("Felt great.\nNew best."));
    EXPECT_EQ(shown[2]->findChild<QLabel*>("categoryChip"), nullptr);
    qv::test::saveScreen(&window, "achievements-timeline");
}

TEST_F(AchievementsScreen, DeleteShowsOnHoverAndRemovesAtOnce) {
    add("Only win", at(2026, 2, 14));
    open();
    ASSERT_EQ(rows().size(), 1u);
    AchievementTimelineRow* row = rows()[0];
    EXPECT_FALSE(row->deleteButton()->isVisible());
    row->setHovered(true);
    EXPECT_TRUE(row->deleteButton()->isVisible());
    row->setHovered(false);
    EXPECT_FALSE(row->deleteButton()->isVisible());

    row->setHovered(true);
    QTest::mouseClick(row->deleteButton(), Qt::LeftButton);
    qv::test::settle();
    EXPECT_EQ(SheetHost::topmost(&window), nullptr);
    EXPECT_EQ(context->count(FetchRequest(Achievement::entityName())), 0);
    EXPECT_TRUE(rows().empty());
    EXPECT_TRUE(view->findChild<QWidget*>("emptyState")->isVisible());
    EXPECT_EQ(texts("winsLogged"), QStringList({"0 wins logged"}));
}

TEST_F(AchievementsScreen, AddWinOpensTheSheetAndEveryCloseFetchesAgain) {
    open();
    QSignalSpy fetched(view->viewModel(), &AchievementsViewModel::achievementsChanged);
    QTest::mouseClick(view->findChild<QPushButton*>("addWinButton"), Qt::LeftButton);
    qv::test::settle();
    SheetHost* host = SheetHost::topmost(&window);
    ASSERT_NE(host, nullptr);
    auto* sheet = qobject_cast<AddAchievementSheet*>(host->content());
    ASSERT_NE(sheet, nullptr);
    EXPECT_GE(sheet->height(), 500);
    EXPECT_TRUE(sheet->title().isEmpty());
    const int afterOpen = fetched.count(); // the sheet fetches when it is shown
    sheet->dismiss();
    qv::test::settle();
    EXPECT_EQ(fetched.count(), afterOpen + 1);

    QTest::mouseClick(view->findChild<QPushButton*>("addAchievementButton"), Qt::LeftButton);
    qv::test::settle();
    sheet = qobject_cast<AddAchievementSheet*>(SheetHost::topmost(&window)->content());
    sheet->findChild<QLineEdit*>("titleField")->setText("Won the hackathon");
    sheet->save();
    qv::test::settle();
    EXPECT_EQ(texts("winsLogged"), QStringList({"1 win logged"}));
    EXPECT_EQ(texts("yearLabel"), QStringList({"2026"}));
}
