#include "Views/Finance/FinanceView.h"

#include "Components/SheetHost.h"
#include "ViewModels/Finance/FinanceAuthViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "Views/Finance/FinanceLockScreen.h"
#include "Views/Finance/FinanceOnboardingSheet.h"
#include "Views/Finance/FinanceShellTestSupport.h"
#include "Views/Finance/FinanceTabBar.h"
#include "Views/Finance/FinanceTabButton.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class FinanceViewTest : public FinanceShellTest {
protected:
    FinanceView* open(bool authEnabled, bool onboarded = true) {
        UserDefaults::standard().setFlag(FinanceView::authEnabledKey, authEnabled);
        UserDefaults::standard().setFlag(FinanceView::onboardingCompleteKey, onboarded);
        auto fake = std::make_unique<ScriptedAuthenticator>(&calls);
        authenticator = fake.get();
        return show(new FinanceView(env(), window.get(), std::move(fake)));
    }
    QStringList calls;
    ScriptedAuthenticator* authenticator = nullptr;
};

TEST_F(FinanceViewTest, FiveTabsInOrderAndAFreshScreenPerChoice) {
    FinanceView* view = open(false);
    EXPECT_EQ(view->lockScreen(), nullptr);
    ASSERT_NE(view->tabBar(), nullptr);
    QStringList titles;
    for (auto* button : view->tabBar()->findChildren<FinanceTabButton*>())
        titles << button->text();
    EXPECT_EQ(titles,
              (QStringList{"Overview", "Monthly Allocations", "Commitments", "Investments", "Bills"}));
    EXPECT_EQ(view->selectedTab(), FinanceTab::overview);

    QPointer<QWidget> first = view->tabScreen();
    QTest::mouseClick(view->tabBar()->button(FinanceTab::overview), Qt::LeftButton);
    EXPECT_EQ(view->tabScreen(), first.data()) << "choosing the shown tab changes nothing";

    QTest::mouseClick(view->tabBar()->button(FinanceTab::bills), Qt::LeftButton);
    qv::test::settle();
    EXPECT_EQ(view->selectedTab(), FinanceTab::bills);
    EXPECT_TRUE(view->tabBar()->button(FinanceTab::bills)->isSelected());
    EXPECT_TRUE(first.isNull()) << "the screen left behind is discarded";
    QTest::mouseClick(view->tabBar()->button(FinanceTab::overview), Qt::LeftButton);
    EXPECT_NE(view->tabScreen(), nullptr);
    qv::test::saveScreen(window.get(), QStringLiteral("finance-tabs"));
}

TEST_F(FinanceViewTest, TheLockBuildsNothingOfTheSectionAndAsksForNothingUntilTyped) {
    FinanceView* view = open(true);
    ASSERT_NE(view->lockScreen(), nullptr);
    EXPECT_EQ(view->tabBar(), nullptr);
    EXPECT_TRUE(view->findChildren<FinanceTabButton*>().isEmpty());
    EXPECT_EQ(view->tabScreen(), nullptr);
    EXPECT_TRUE(calls.isEmpty()) << "showing the lock calls no authentication";
    QLineEdit* field = view->lockScreen()->passwordField();
    EXPECT_EQ(window->focusWidget(), field);

    // An empty field does nothing.
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(calls.isEmpty());

    QTest::keyClicks(field, QStringLiteral("hunter2"));
    QTest::keyClick(field, Qt::Key_Return);
    auto* button = view->lockScreen()->findChild<QPushButton*>(QStringLiteral("authenticateButton"));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(calls, QStringList{"hunter2"}) << "one attempt at a time";

    authenticator->answer(false, QStringLiteral("Authentication failure"));
    qv::test::settle();
    auto* error = view->lockScreen()->findChild<QLabel*>(QStringLiteral("lockError"));
    ASSERT_TRUE(error->isVisible());
    EXPECT_EQ(error->text(), QStringLiteral("Authentication failure"));
    EXPECT_EQ(error->palette().color(QPalette::WindowText), AppTheme::Colors::rose());
    EXPECT_TRUE(field->text().isEmpty()) << "cleared after each answer";
    EXPECT_TRUE(view->findChildren<FinanceTabButton*>().isEmpty());
    qv::test::saveScreen(window.get(), QStringLiteral("finance-lock-error"));

    QTest::mouseClick(button, Qt::LeftButton);
    QTest::keyClicks(field, QStringLiteral("right"));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(calls.size(), 2);
    authenticator->answer(true);
    qv::test::settle();
    EXPECT_EQ(view->lockScreen(), nullptr);
    ASSERT_NE(view->tabBar(), nullptr);
    EXPECT_EQ(view->findChildren<FinanceTabButton*>().size(), 5);
    EXPECT_FALSE(view->authViewModel()->errorMessage().has_value());
}

TEST_F(FinanceViewTest, WhileACheckRunsTheLockSaysSoAndStartsNoOther) {
    FinanceView* view = open(true);
    FinanceLockScreen* lock = view->lockScreen();
    ASSERT_NE(lock, nullptr);
    auto* button = lock->findChild<QPushButton*>(QStringLiteral("authenticateButton"));
    QLineEdit* field = lock->passwordField();
    QTest::keyClicks(field, QStringLiteral("hunter2"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(button->text(), QStringLiteral("Checking…"));
    EXPECT_FALSE(button->isEnabled());
    EXPECT_TRUE(field->isReadOnly());
    qv::test::saveScreen(window.get(), QStringLiteral("finance-lock-checking"));
    authenticator->answer(false, QStringLiteral("Authentication failure"));
    qv::test::settle();
    EXPECT_EQ(button->text(), QStringLiteral("Authenticate"));
    EXPECT_TRUE(button->isEnabled());

    // A check an earlier visit left running holds this one back until it ends.
    authenticator->setCheckingElsewhere(true);
    EXPECT_EQ(button->text(), QStringLiteral("Checking…"));
    QTest::keyClicks(field, QStringLiteral("again"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(calls, QStringList{"hunter2"});
    authenticator->setCheckingElsewhere(false);
    EXPECT_TRUE(button->isEnabled());
    EXPECT_FALSE(field->isReadOnly());
}

TEST_F(FinanceViewTest, TurningTheLockOffShowsTheTabs) {
    FinanceView* view = open(true);
    ASSERT_NE(view->lockScreen(), nullptr);
    UserDefaults::standard().setFlag(FinanceView::authEnabledKey, false);
    qv::test::settle();
    EXPECT_EQ(view->lockScreen(), nullptr);
    EXPECT_NE(view->tabBar(), nullptr);
}

TEST_F(FinanceViewTest, TheFirstRunSheetOnEveryVisitUntilFinished) {
    for (int visit = 0; visit < 2; ++visit) {
        FinanceView* view = open(true, false);
        SheetHost* host = view->firstRunSheet();
        ASSERT_NE(host, nullptr);
        EXPECT_EQ(SheetHost::topmost(window.get()), host) << "it lies over the lock screen";
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : host, Qt::Key_Escape);
        qv::test::settle();
        EXPECT_EQ(SheetHost::topmost(window.get()), host) << "Escape does not close it";
        EXPECT_TRUE(calls.isEmpty());
        delete view;
        qv::test::settle();
        EXPECT_EQ(SheetHost::topmost(window.get()), nullptr) << "it leaves with the screen";
    }

    FinanceView* view = open(true, false);
    auto* sheet = qobject_cast<FinanceOnboardingSheet*>(view->firstRunSheet()->content());
    ASSERT_NE(sheet, nullptr);
    sheet->skip();
    sheet->skip();
    sheet->finish();
    qv::test::settle();
    EXPECT_TRUE(UserDefaults::standard().flag(FinanceView::onboardingCompleteKey));
    EXPECT_EQ(window->focusWidget(), view->lockScreen()->passwordField()) << "the password field takes over";
    EXPECT_EQ(view->findChildren<FinanceTabButton*>().size(), 0);
    delete view;
    view = open(true, true);
    EXPECT_EQ(view->firstRunSheet(), nullptr);
}

} // namespace
