#include "ViewModels/Theme/ThemeManager.h"
#include "Platform/UserDefaults.h"
#include "ViewModels/Theme/AppColorTheme.h"
#include "ViewModels/Theme/AppFontOption.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace {

class ThemeManagerTest : public testing::Test {
protected:
    void SetUp() override {
        UserDefaults::resetStandard();
        ThemeManager::resetShared();
    }
    void TearDown() override {
        ThemeManager::resetShared();
        UserDefaults::resetStandard();
    }
    static UserDefaults& defaults() { return UserDefaults::standard(); }
};

QStringList fields(const AppThemeDefinition& d) {
    return {d.backgroundPrimary, d.backgroundSecondary, d.backgroundTertiary, d.backgroundElevated,
            d.textPrimary,       d.textSecondary,       d.textMuted};
}

} // namespace

TEST_F(ThemeManagerTest, FirstLaunchLoadsTheDefaultsAndWritesNothing) {
    ThemeManager& tm = ThemeManager::shared();
    EXPECT_EQ(tm.currentTheme(), AppColorTheme::midnight);
    EXPECT_EQ(tm.currentFont(), AppFontOption::manrope);
    EXPECT_EQ(tm.customBaseHex(), QStringLiteral("#4F46E5"));
    EXPECT_FALSE(defaults().contains(QStringLiteral("selectedTheme")));
    EXPECT_FALSE(defaults().contains(QStringLiteral("selectedFont")));
    EXPECT_FALSE(defaults().contains(QStringLiteral("customThemeBaseHex")));
    EXPECT_EQ(tm.definition().backgroundPrimary, QStringLiteral("#1C1F2E"));
}

TEST_F(ThemeManagerTest, UnknownStoredNamesFallBackWithoutBeingOverwritten) {
    defaults().setText(QStringLiteral("selectedTheme"), QStringLiteral("midnight"));
    defaults().setText(QStringLiteral("selectedFont"), QStringLiteral("Gill Sans"));
    ThemeManager& tm = ThemeManager::shared();
    EXPECT_EQ(tm.currentTheme(), AppColorTheme::midnight);
    EXPECT_EQ(tm.currentFont(), AppFontOption::gillSans);
    EXPECT_EQ(defaults().text(QStringLiteral("selectedTheme")), QStringLiteral("midnight"));

    ThemeManager::resetShared();
    defaults().setText(QStringLiteral("selectedTheme"), QStringLiteral("Ocean"));
    defaults().setText(QStringLiteral("selectedFont"), QStringLiteral("Helvetica"));
    EXPECT_EQ(ThemeManager::shared().currentTheme(), AppColorTheme::ocean);
    EXPECT_EQ(ThemeManager::shared().currentFont(), AppFontOption::helveticaNeue);
    EXPECT_EQ(AppFontOptions::familyName(AppFontOption::helveticaNeue), QStringLiteral("Helvetica Neue"));
    EXPECT_EQ(AppFontOptions::makeFont(AppFontOption::helveticaNeue, 14).family(),
              QStringLiteral("Helvetica Neue"));
}

TEST_F(ThemeManagerTest, EveryAssignmentWritesItsKeyAndSignalsOnlyChanges) {
    ThemeManager& tm = ThemeManager::shared();
    QSignalSpy themeSpy(&tm, &ThemeManager::themeChanged);
    tm.setCurrentTheme(AppColorTheme::midnight);
    EXPECT_EQ(defaults().text(QStringLiteral("selectedTheme")), QStringLiteral("Midnight"));
    EXPECT_EQ(themeSpy.count(), 0);
    tm.setCurrentTheme(AppColorTheme::forest);
    EXPECT_EQ(themeSpy.count(), 1);
    tm.setCurrentFont(AppFontOption::mono);
    EXPECT_EQ(defaults().text(QStringLiteral("selectedFont")), QStringLiteral("Mono"));
    tm.setCustomBaseColor(QColor::fromHsvF(0, 0, 0.5f));
    EXPECT_EQ(defaults().text(QStringLiteral("customThemeBaseHex")), QStringLiteral("#7F7F7F"));

    ThemeManager::resetShared();
    EXPECT_EQ(ThemeManager::shared().currentTheme(), AppColorTheme::forest);
    EXPECT_EQ(ThemeManager::shared().currentFont(), AppFontOption::mono);
}

TEST_F(ThemeManagerTest, CustomThemeFollowsTheBaseColour) {
    ThemeManager& tm = ThemeManager::shared();
    tm.setCurrentTheme(AppColorTheme::custom);
    tm.setCustomBaseHex(QStringLiteral("#FF0000"));
    EXPECT_EQ(tm.definition().backgroundPrimary, QStringLiteral("#2D0000"));
    EXPECT_EQ(AppColorThemes::previewAccent(AppColorTheme::custom), QColor(255, 0, 0));
    tm.setCustomBaseHex(QStringLiteral("not a colour"));
    EXPECT_EQ(tm.definition().backgroundPrimary, QStringLiteral("#000000"));
}

TEST(AppColorThemes, CatalogueHasTwentyOneNamedThemesMatchedExactly) {
    ASSERT_EQ(AppColorThemes::allCases.size(), 21u);
    EXPECT_EQ(AppColorThemes::rawValue(AppColorThemes::allCases.front()), QStringLiteral("Midnight"));
    EXPECT_EQ(AppColorThemes::rawValue(AppColorTheme::custom), QStringLiteral("Custom"));
    EXPECT_EQ(AppColorThemes::fromRaw(QStringLiteral("Volcano")), AppColorTheme::volcano);
    EXPECT_FALSE(AppColorThemes::fromRaw(QStringLiteral("volcano")).has_value());
    EXPECT_EQ(fields(AppColorThemes::definition(AppColorTheme::noir)),
              (QStringList{"#0A0A0C", "#111114", "#18181C", "#222228", "#F0F0F8", "#8888A0", "#44445A"}));
    EXPECT_EQ(AppColorThemes::previewAccent(AppColorTheme::aurora), QColor(0x06, 0xB6, 0xD4));
}

TEST(AppColorThemes, DerivesGreysFromBlack) {
    EXPECT_EQ(fields(AppColorThemes::deriveDefinition(QStringLiteral("#000000"))),
              (QStringList{"#000000", "#0A0A0A", "#161616", "#262626", "#F2F2F2", "#999999", "#606060"}));
}

TEST(AppColorThemes, DerivesSaturatedBackgroundsAndFaintTextTints) {
    // Pure red: brightness 1 gives the brightest possible base level, 0.18.
    const AppThemeDefinition red = AppColorThemes::deriveDefinition(QStringLiteral("#FF0000"));
    EXPECT_EQ(fields(red),
              (QStringList{"#2D0000", "#380000", "#440000", "#540000", "#F2DEDE", "#996363", "#604343"}));
    // A dimmer blue keeps its hue and full saturation in the backgrounds.
    const AppThemeDefinition blue = AppColorThemes::deriveDefinition(QStringLiteral("#000080"));
    EXPECT_EQ(blue.backgroundPrimary, QStringLiteral("#000017"));
    EXPECT_EQ(blue.textPrimary, QStringLiteral("#DEDEF2"));
}
