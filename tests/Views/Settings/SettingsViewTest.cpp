#include "Views/Settings/SettingsView.h"

#include "Components/AlertButton.h"
#include "Components/SheetHost.h"
#include "Components/Stepper.h"
#include "Components/ToggleSwitch.h"
#include "Models/Goal.h"
#include "Platform/UserDefaults.h"
#include "Support/TestSupport.h"
#include "ViewModels/SettingsViewModel.h"
#include "ViewModels/Theme/ThemeManager.h"
#include "Views/Finance/FinanceShellTestSupport.h"
#include "Views/Settings/FinanceLockOffSheet.h"
#include "Views/Settings/FontOptionCard.h"
#include "Views/Settings/SettingsRows.h"
#include "Views/Settings/ThemeSwatchView.h"
#include "Views/ShellTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTimeEdit>

namespace {

class SettingsScreen : public WindowTest {
protected:
    SettingsView* openSettings() {
        skipOverlays();
        openWindow();
        vm_->navigate(AppDestination::settings);
        qv::test::settle();
        return qobject_cast<SettingsView*>(screen());
    }
    int selectedCount(const QList<QAbstractButton*>& buttons) {
        int n = 0;
        for (auto* b : buttons)
            n += b->isChecked() ? 1 : 0;
        return n;
    }
    QList<QAbstractButton*> swatches(QWidget* in) {
        QList<QAbstractButton*> out;
        for (auto* s : in->findChildren<ThemeSwatchView*>())
            out << s;
        return out;
    }
    QList<QAbstractButton*> fonts(QWidget* in) {
        QList<QAbstractButton*> out;
        for (auto* s : in->findChildren<FontOptionCard*>())
            out << s;
        return out;
    }
};

} // namespace

TEST_F(SettingsScreen, ShowsTheDefaultsAndTheAlertRowsFollowTheCount) {
    SettingsView* view = openSettings();
    ASSERT_NE(view, nullptr);
    const int keysBefore = UserDefaults::standard().count();
    EXPECT_TRUE(view->findChild<ToggleSwitch*>("notificationsSwitch")->isChecked());
    auto* stepper = view->findChild<Stepper*>("alertCountStepper");
    ASSERT_NE(stepper, nullptr);
    EXPECT_EQ(stepper->label(), QString("2x per day"));
    EXPECT_FALSE(view->findChild<ToggleSwitch*>("financeLockSwitch")->isChecked());
    EXPECT_EQ(view->findChild<ProfileAvatar*>()->initial(), QString("T"));
    EXPECT_EQ(swatches(view).size(), 21);
    EXPECT_EQ(fonts(view).size(), 13);
    EXPECT_EQ(selectedCount(swatches(view)), 1);
    EXPECT_EQ(selectedCount(fonts(view)), 1);
    EXPECT_EQ(view->findChild<CustomColorRow*>(), nullptr);
    QStringList about;
    for (auto* v : view->findChildren<QLabel*>("infoValue"))
        about << v->text();
    EXPECT_EQ(about, QStringList({"1.0.0", "2026.1", "Linux"}));
    EXPECT_EQ(UserDefaults::standard().count(), keysBefore) << "showing defaults writes nothing";
    qv::test::saveScreen(window_.get(), "settings");
    qv::test::saveScreen(view->findChild<QTimeEdit*>("alertTime1")->parentWidget(), "settings-alert-time");

    view->viewModel()->setAlertCount(4);
    stepper->setValue(4);
    qv::test::settle();
    EXPECT_NE(view->findChild<QTimeEdit*>("alertTime4"), nullptr);
    EXPECT_EQ(view->findChild<QTimeEdit*>("alertTime3")->time(), QTime(18, 0));
    view->findChild<ToggleSwitch*>("notificationsSwitch")->click();
    qv::test::settle();
    EXPECT_EQ(view->findChild<QWidget*>("reminderRows"), nullptr);
    EXPECT_FALSE(UserDefaults::standard().flag("enableNotifications", true));
}

TEST_F(SettingsScreen, ChoosingCustomThemeRestylesTheWindowAndShowsTheBaseColourRow) {
    openSettings();
    ThemeSwatchView* custom = nullptr;
    for (auto* s : screen()->findChildren<ThemeSwatchView*>())
        if (s->theme() == AppColorTheme::custom)
            custom = s;
    ASSERT_NE(custom, nullptr);
    custom->click();
    qv::test::settle(8);
    EXPECT_EQ(ThemeManager::shared().currentTheme(), AppColorTheme::custom);
    auto* rebuilt = qobject_cast<SettingsView*>(screen());
    ASSERT_NE(rebuilt, nullptr) << "the window keeps its destination";
    EXPECT_NE(rebuilt->findChild<CustomColorRow*>(), nullptr);
    EXPECT_EQ(selectedCount(swatches(rebuilt)), 1);

    CustomColorRow::pick(QColor(18, 52, 86));
    qv::test::settle(8);
    EXPECT_EQ(UserDefaults::standard().text("customThemeBaseHex"), QString("#123456"));
    auto* scroll = screen()->findChild<QScrollArea*>("settingsScroll");
    scroll->ensureWidgetVisible(screen()->findChild<CustomColorRow*>());
    qv::test::saveScreen(window_.get(), "settings-appearance-custom");

    for (auto* card : screen()->findChildren<FontOptionCard*>())
        if (card->option() == AppFontOption::serif)
            card->click();
    qv::test::settle(8);
    EXPECT_EQ(UserDefaults::standard().text("selectedFont"), QString("Serif"));
    EXPECT_EQ(selectedCount(fonts(screen())), 1);
}

TEST_F(SettingsScreen, TheExportBannerHidesAfterTwoSecondsAndResetAsksFirst) {
    QDir().mkpath(qv::test::tempHome() + "/Desktop");
    makeGoal("Run", 3);
    SettingsView* view = openSettings();
    view->findChild<QAbstractButton*>("exportRow")->click();
    qv::test::settle();
    EXPECT_TRUE(view->isExportBannerShown());
    qv::test::saveScreen(window_.get(), "settings-export-banner");
    Clock::advanceMs(1900);
    EXPECT_TRUE(view->isExportBannerShown());
    Clock::advanceMs(200);
    EXPECT_FALSE(view->isExportBannerShown());

    view->findChild<QAbstractButton*>("exportRow")->click();
    vm_->navigate(AppDestination::goals); // leaving before the banner hides is safe
    qv::test::settle();
    Clock::advanceMs(2500);

    vm_->navigate(AppDestination::settings);
    qv::test::settle();
    view = qobject_cast<SettingsView*>(screen());
    view->findChild<QAbstractButton*>("resetRow")->click();
    qv::test::settle();
    SheetHost* alert = SheetHost::topmost(window_.get());
    ASSERT_NE(alert, nullptr);
    qv::test::saveScreen(window_.get(), "settings-reset-dialog");
    QAbstractButton* reset = nullptr;
    for (auto* b : alert->findChildren<AlertButton*>())
        if (b->text() == "Reset")
            reset = b;
    ASSERT_NE(reset, nullptr);
    reset->click();
    qv::test::settle();
    EXPECT_EQ(context()->count(FetchRequest(Goal::entityName())), 0);
}

// Anyone at an unlocked desktop could otherwise open the finance section in two clicks.
TEST_F(SettingsScreen, TheFinanceLockGoesOffOnlyAfterThePasswordPasses) {
    QStringList calls;
    ScriptedAuthenticator* scripted = nullptr;
    OwnerAuthenticator::setFactory([&calls, &scripted] {
        auto made = std::make_unique<ScriptedAuthenticator>(&calls);
        scripted = made.get();
        return made;
    });
    const std::unique_ptr<void, void (*)(void*)> restore(&calls,
                                                         [](void*) { OwnerAuthenticator::setFactory({}); });
    UserDefaults::standard().setFlag(QStringLiteral("financeAuthEnabled"), true);
    SettingsView* view = openSettings();
    auto* lock = view->findChild<ToggleSwitch*>("financeLockSwitch");
    ASSERT_TRUE(lock->isChecked());
    const auto stillOn = [&](const char* when) {
        EXPECT_TRUE(UserDefaults::standard().flag(QStringLiteral("financeAuthEnabled"))) << when;
        EXPECT_TRUE(lock->isChecked()) << when;
    };
    const auto ask = [&]() -> FinanceLockOffSheet* {
        lock->click();
        qv::test::settle();
        return window_->findChild<FinanceLockOffSheet*>();
    };

    FinanceLockOffSheet* sheet = ask();
    ASSERT_NE(sheet, nullptr);
    stillOn("while it asks");
    EXPECT_TRUE(calls.isEmpty()) << "nothing is checked before a password is typed";
    EXPECT_EQ(window_->focusWidget(), sheet->passwordField());
    QTest::keyClicks(sheet->passwordField(), QStringLiteral("wrong"));
    QTest::keyClick(sheet->passwordField(), Qt::Key_Return);
    EXPECT_EQ(calls, QStringList{"wrong"});
    EXPECT_EQ(sheet->confirmButton()->text(), QStringLiteral("Checking…"));
    EXPECT_FALSE(sheet->confirmButton()->isEnabled());
    qv::test::saveScreen(window_.get(), QStringLiteral("settings-lock-off-checking"));
    scripted->answer(false, QStringLiteral("Authentication failure"));
    qv::test::settle();
    auto* error = sheet->findChild<QLabel*>(QStringLiteral("lockOffError"));
    ASSERT_NE(error, nullptr);
    EXPECT_TRUE(error->isVisible());
    EXPECT_EQ(error->text(), QStringLiteral("Authentication failure"));
    EXPECT_TRUE(sheet->passwordField()->text().isEmpty());
    stillOn("after a failed check");
    qv::test::saveScreen(window_.get(), QStringLiteral("settings-lock-off-failed"));
    sheet->findChild<QAbstractButton*>(QStringLiteral("lockOffCancel"))->click();
    qv::test::settle();
    EXPECT_EQ(SheetHost::topmost(window_.get()), nullptr);
    stillOn("after Cancel");

    // Closed while its check runs: the answer, whatever it is, changes nothing.
    sheet = ask();
    ASSERT_NE(sheet, nullptr);
    QTest::keyClicks(sheet->passwordField(), QStringLiteral("right"));
    QTest::keyClick(sheet->passwordField(), Qt::Key_Return);
    QTest::keyClick(sheet->passwordField(), Qt::Key_Escape);
    qv::test::settle();
    EXPECT_EQ(window_->findChild<FinanceLockOffSheet*>(), nullptr);
    stillOn("after Escape during a check");

    sheet = ask();
    ASSERT_NE(sheet, nullptr);
    QTest::keyClicks(sheet->passwordField(), QStringLiteral("right"));
    sheet->confirmButton()->click();
    scripted->answer(true);
    qv::test::settle();
    EXPECT_EQ(SheetHost::topmost(window_.get()), nullptr);
    EXPECT_FALSE(UserDefaults::standard().flag(QStringLiteral("financeAuthEnabled")));
    EXPECT_FALSE(lock->isChecked());

    // On asks for nothing.
    const qsizetype checks = calls.size();
    lock->click();
    qv::test::settle();
    EXPECT_EQ(SheetHost::topmost(window_.get()), nullptr);
    EXPECT_TRUE(UserDefaults::standard().flag(QStringLiteral("financeAuthEnabled")));
    EXPECT_TRUE(lock->isChecked());
    EXPECT_EQ(calls.size(), checks);
}
