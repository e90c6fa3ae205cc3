#include "Views/Onboarding/OnboardingView.h"

#include "Models/Goal.h"
#include "Platform/UserDefaults.h"
#include "Support/TestSupport.h"
#include "ViewModels/OnboardingViewModel.h"
#include "Views/ShellTestSupport.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

class OnboardingScreen : public WindowTest {
protected:
    OnboardingView* open() {
        openWindow();
        return window_->findChild<OnboardingView*>();
    }
    QPushButton* button(OnboardingView* view, const char* name) {
        for (auto* b : view->findChildren<QPushButton*>(name))
            if (b->isVisible())
                return b;
        return nullptr;
    }
};

} // namespace

TEST_F(OnboardingScreen, WalksFromWelcomeToTheFirstGoalAndFinishesOnce) {
    OnboardingView* view = open();
    ASSERT_NE(view, nullptr) << "a first start shows the onboarding";
    qv::test::saveScreen(window_.get(), "onboarding-1-welcome");
    button(view, "getStartedButton")->click();
    EXPECT_EQ(view->step(), 1);
    EXPECT_FALSE(button(view, "continueButton")->isEnabled());
    view->findChild<QLineEdit*>("nameField")->setText(" Ada");
    EXPECT_TRUE(button(view, "continueButton")->isEnabled());
    qv::test::saveScreen(window_.get(), "onboarding-2-name");
    button(view, "continueButton")->click();
    EXPECT_EQ(view->step(), 2);
    EXPECT_FALSE(button(view, "createGoalButton")->isEnabled());
    view->findChild<QLineEdit*>("goalTitleField")->setText("Read");
    qv::test::saveScreen(window_.get(), "onboarding-3-goal");
    button(view, "createGoalButton")->click();
    qv::test::settle();
    EXPECT_EQ(view->step(), 3);
    EXPECT_EQ(view->findChild<QLabel*>("finalTitle")->text(), QString("You're all set,  Ada!"));
    EXPECT_TRUE(
        view->findChild<QLabel*>("finalText")->text().startsWith("Your first goal has been created."));
    qv::test::saveScreen(window_.get(), "onboarding-4-final");

    auto goals = context()->fetch<Goal>(FetchRequest(Goal::entityName()));
    ASSERT_EQ(goals.size(), 1u);
    EXPECT_EQ(goals[0]->title(), QString("Read"));
    EXPECT_EQ(goals[0]->category(), QString("Personal"));
    EXPECT_EQ(goals[0]->colorHex(), QString("#4F46E5"));
    EXPECT_EQ(goals[0]->priority(), 2);
    EXPECT_EQ(goals[0]->momentumState(), QString("coasting"));
    EXPECT_FALSE(goals[0]->deadline().has_value());
    EXPECT_FALSE(UserDefaults::standard().contains("userName")) << "the name is only shown back";

    EXPECT_FALSE(UserDefaults::standard().flag("onboardingComplete"));
    button(view, "finishOnboardingButton")->click();
    qv::test::settle(8);
    EXPECT_TRUE(UserDefaults::standard().flag("onboardingComplete"));
    EXPECT_FALSE(vm_->showOnboarding());
}
