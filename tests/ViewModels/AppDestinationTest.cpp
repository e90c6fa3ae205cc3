#include "ViewModels/AppDestination.h"
#include "Platform/UserDefaults.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/EnumStyles.h"
#include "ViewModels/Theme/ThemeManager.h"

#include <gtest/gtest.h>

TEST(AppDestination, NineDestinationsWithTitlesAndAccents) {
    ASSERT_EQ(AppDestinations::allCases.size(), 9u);
    EXPECT_EQ(AppDestinations::allCases.back(), AppDestination::settings);
    EXPECT_EQ(AppDestinations::title(AppDestination::expenses), QStringLiteral("Finance"));
    EXPECT_EQ(AppDestinations::fromRaw(QStringLiteral("Finance")), AppDestination::expenses);
    EXPECT_FALSE(AppDestinations::fromRaw(QStringLiteral("expenses")).has_value());
    EXPECT_EQ(AppDestinations::accentColor(AppDestination::links), AppTheme::Colors::sky());
}

TEST(AppDestination, OnlyTheSettingsAccentFollowsTheTheme) {
    UserDefaults::resetStandard();
    ThemeManager::resetShared();
    ThemeManager& tm = ThemeManager::shared();
    tm.setCurrentTheme(AppColorTheme::midnight);
    const QColor goals = AppDestinations::accentColor(AppDestination::goals);
    EXPECT_EQ(AppDestinations::accentColor(AppDestination::settings), QColor(0x55, 0x5E, 0x8A));
    tm.setCurrentTheme(AppColorTheme::forest);
    EXPECT_EQ(AppDestinations::accentColor(AppDestination::settings), QColor(0x3D, 0x66, 0x55));
    EXPECT_EQ(AppDestinations::accentColor(AppDestination::goals), goals);
    ThemeManager::resetShared();
    UserDefaults::resetStandard();
}

TEST(EnumStyles, BadgeAndFrequencyVocabulary) {
    EXPECT_EQ(EnumStyles::label(GoalPriority::medium), QStringLiteral("Medium"));
    EXPECT_EQ(EnumStyles::symbol(GoalPriority::high), QStringLiteral("arrow.up"));
    EXPECT_EQ(EnumStyles::tone(GoalPriority::high), AppTheme::Colors::coral());
    EXPECT_EQ(EnumStyles::label(MomentumState::stalling), QStringLiteral("Stalling"));
    EXPECT_EQ(EnumStyles::symbol(MomentumState::stalling), QStringLiteral("tortoise.fill"));
    EXPECT_EQ(EnumStyles::color(MilestoneFrequency::biYearly), AppTheme::Colors::emerald());
    EXPECT_EQ(EnumStyles::symbol(MilestoneFrequency::weekly), QStringLiteral("7.circle.fill"));
    EXPECT_EQ(EnumStyles::rowSymbol(StepInputType::inputField), QStringLiteral("text.cursor"));
}
