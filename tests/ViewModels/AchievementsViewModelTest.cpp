#include "ViewModels/AchievementsViewModel.h"
#include "Models/Achievement.h"
#include "Models/AchievementCategory.h"
#include "Models/ModelTestSupport.h"
#include "Models/Persistence/PersistenceController.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class AchievementsFixture : public FrozenClockStoreTest {
protected:
    AchievementsFixture() : FrozenClockStoreTest(at(2026, 3, 7, 15)) {}

    QStringList categoryNames(const AchievementsViewModel& model) const {
        QStringList names;
        for (const auto& c : model.categories())
            names << c->name().value_or("<none>");
        return names;
    }
    QStringList titles(const std::vector<std::shared_ptr<Achievement>>& list) const {
        QStringList out;
        for (const auto& a : list)
            out << a->title().value_or("<none>");
        return out;
    }
    int storedCategories() { return context->count(FetchRequest(AchievementCategory::entityName())); }
    static QDateTime at(int y, int m, int d, int h = 12) { return QDateTime(QDate(y, m, d), QTime(h, 0)); }
};

class AchievementsViewModelTest : public AchievementsFixture {};
class AchievementsViewModelDates : public AchievementsFixture {};

} // namespace

TEST_F(AchievementsViewModelTest, SeedsTheSevenBuiltInCategoriesOnceInCodePointOrder) {
    {
        AchievementsViewModel first(context);
        EXPECT_EQ(categoryNames(first), QStringList({"Career", "Education", "Finance", "Health", "Other",
                                                     "Personal", "Relationships"}));
        EXPECT_FALSE(context->hasChanges());
    }
    AchievementsViewModel second(context);
    AchievementsViewModel third(context);
    EXPECT_EQ(storedCategories(), 7);

    // Lower case sorts after every capital, as the store compares text.
    third.addCategory("career");
    EXPECT_EQ(categoryNames(third).first(), QString("Career"));
    EXPECT_EQ(categoryNames(third).last(), QString("career"));
}

TEST_F(AchievementsViewModelTest, CustomCategoriesDoNotStandInForTheBuiltInOnes) {
    auto custom = AchievementCategory::create(context);
    custom->setName(QString("Music"));
    custom->setIsCustom(true);
    context->save();

    AchievementsViewModel model(context);
    EXPECT_EQ(storedCategories(), 8);
    EXPECT_TRUE(categoryNames(model).contains("Music"));
    const int builtIn = context->count(
        FetchRequest(AchievementCategory::entityName(), Key(AchievementCategory::Keys::isCustom) == false));
    EXPECT_EQ(builtIn, 7);
}

TEST_F(AchievementsViewModelTest, AddedCategoryIsCustomAndNameIsNotChecked) {
    AchievementsViewModel model(context);
    auto health = model.addCategory("Health");
    ASSERT_TRUE(health);
    EXPECT_TRUE(health->isCustom());
    EXPECT_TRUE(health->id().has_value());
    EXPECT_EQ(categoryNames(model).count("Health"), 2);
    EXPECT_FALSE(context->hasChanges());
}

TEST_F(AchievementsViewModelTest, AddsDeletesAndListsNewestFirst) {
    AchievementsViewModel model(context);
    EXPECT_TRUE(model.achievements().empty());
    EXPECT_TRUE(model.recentAchievements().empty());

    for (int day = 1; day <= 7; ++day)
        model.add(QString("Win %1").arg(day), at(2026, 2, day), "🏆", nullptr, QString());
    EXPECT_EQ(titles(model.recentAchievements()), QStringList({"Win 7", "Win 6", "Win 5", "Win 4", "Win 3"}));
    EXPECT_EQ(model.achievements().size(), 7u);

    auto newest = model.achievements().front();
    model.deleteAchievement(newest);
    EXPECT_EQ(model.achievements().size(), 6u);
    EXPECT_EQ(model.achievements().front()->title(), QString("Win 6"));
    EXPECT_FALSE(context->hasChanges());
}

TEST_F(AchievementsViewModelTest, StoresWhatItIsGiven) {
    AchievementsViewModel model(context);
    const auto career = model.categories().front();
    const QDateTime picked = at(2027, 1, 2, 18);
    model.add("  Promotion ", picked, "🥇", career, "  ");
    model.add("Marathon", now, "🏃", nullptr, QString());

    const auto promotion = model.achievements()[0];
    EXPECT_EQ(promotion->title(), QString("  Promotion "));
    EXPECT_EQ(promotion->date(), picked);
    EXPECT_EQ(promotion->emoji(), QString("🥇"));
    EXPECT_EQ(promotion->category(), career);
    EXPECT_EQ(promotion->desc(), QString("  "));
    EXPECT_EQ(promotion->createdAt(), now);
    EXPECT_TRUE(promotion->id().has_value());

    const auto marathon = model.achievements()[1];
    EXPECT_FALSE(marathon->desc().has_value());
    EXPECT_EQ(marathon->category(), nullptr);
}

TEST_F(AchievementsViewModelDates, GroupsByLocalYearNewestFirst) {
    AchievementsViewModel model(context);
    model.add("Mid 2023", at(2023, 6, 1), "🏆", nullptr, QString());
    model.add("Late 2025", at(2025, 12, 31, 23), "🏆", nullptr, QString());
    model.add("Early 2024", at(2024, 1, 1, 0), "🏆", nullptr, QString());
    model.add("Late 2024", at(2024, 11, 5), "🏆", nullptr, QString());
    auto undated = Achievement::create(context); // created now, in 2026
    undated->setTitle(QString("Undated"));
    context->save();
    model.fetch();

    const auto sections = model.achievementsByYear();
    ASSERT_EQ(sections.size(), 4u);
    EXPECT_EQ(sections[0].year, 2026);
    EXPECT_EQ(titles(sections[0].achievements), QStringList({"Undated"}));
    EXPECT_EQ(sections[1].year, 2025);
    EXPECT_EQ(titles(sections[1].achievements), QStringList({"Late 2025"}));
    EXPECT_EQ(sections[2].year, 2024);
    EXPECT_EQ(titles(sections[2].achievements), QStringList({"Late 2024", "Early 2024"}));
    EXPECT_EQ(sections[3].year, 2023);
}
