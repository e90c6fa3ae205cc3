#include "Views/Onboarding/OnboardingView.h"

#include "Models/Goal.h"
#include "Platform/UserDefaults.h"
#include "Support/TestSupport.h"
#include "ViewModels/OnboardingViewModel.h"
#include "Views/ShellTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
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

TEST_F(OnboardingScreen, TheNameStepShowsItsPlaceholderWhileTheFieldHasFocusAndBackIsAPaddedButton) {
    OnboardingView* view = open();
    ASSERT_NE(view, nullptr);
    QApplication::setActiveWindow(window_.get());
    button(view, "getStartedButton")->click();
    qv::test::settle();
    auto* name = view->findChild<QLineEdit*>("nameField");
    ASSERT_TRUE(name->hasFocus()) << "the field has focus on arrival";
    // The placeholder's pixels: the field drawn with it, against the field drawn without.
    const QImage with = name->grab().toImage();
    name->setPlaceholderText(QString());
    const QImage without = name->grab().toImage();
    name->setPlaceholderText(QStringLiteral("Your name"));
    int differing = 0;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            differing += with.pixel(x, y) != without.pixel(x, y);
    EXPECT_GT(differing, 100) << "\"Your name\" shows in the focused, empty field";

    // "Back" is the secondary button: padded like "Continue", rounded and outlined.
    QPushButton* back = button(view, "backButton");
    QPushButton* forward = button(view, "continueButton");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->height(), forward->height());
    EXPECT_GE(back->width(), back->fontMetrics().horizontalAdvance(back->text()) + 64);
    const QImage face = back->grab().toImage();
    const QColor corner = face.pixelColor(1, 1), edge = face.pixelColor(0, face.height() / 2);
    EXPECT_NE(corner, edge) << "the corners are rounded off, the sides outlined";
    qv::test::saveScreen(window_.get(), "onboarding-name-placeholder");
}
