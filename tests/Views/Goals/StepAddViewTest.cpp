#include "Components/SheetHost.h"
#include "Support/TestSupport.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Goals/AddStepView.h"
#include "Views/Goals/GoalsTestSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using GoalsTestSupport::onCard;

struct Added {
    QString title;
    std::optional<QString> notes;
    qint16 priority = 0;
    StepInputType inputType = StepInputType::checkbox;
};

QPushButton* buttonWithProperty(QWidget* root, const char* name, const QVariant& value) {
    for (auto* b : root->findChildren<QPushButton*>())
        if (b->property(name) == value)
            return b;
    return nullptr;
}

class StepAddViewTest : public testing::Test {
protected:
    void SetUp() override {
        view = std::make_unique<AddStepView>(
            nullptr, QColor("#4F46E5"),
            [this](const QString& t, const std::optional<QString>& n, qint16 p, StepInputType i) {
                added.push_back({t, n, p, i});
                return true;
            });
        view->resize(AddStepView::preferredSize);
        field = view->findChild<QLineEdit*>("stepTitleField");
        add = view->findChild<QPushButton*>("addStepConfirm");
        ASSERT_TRUE(field && add);
    }
    std::vector<Added> added;
    std::unique_ptr<AddStepView> view;
    QLineEdit* field = nullptr;
    QPushButton* add = nullptr;
};

TEST_F(StepAddViewTest, OpensWithCompleteMediumAndNothingToAdd) {
    EXPECT_EQ(field->placeholderText(), QStringLiteral("Step title..."));
    EXPECT_TRUE(field->text().isEmpty());
    EXPECT_TRUE(buttonWithProperty(view.get(), "inputType", "Complete")->property("selected").toBool());
    EXPECT_FALSE(buttonWithProperty(view.get(), "inputType", "Write a note")->property("selected").toBool());
    EXPECT_TRUE(buttonWithProperty(view.get(), "priority", 2)->property("selected").toBool());
    EXPECT_FALSE(add->isEnabled());
    onCard(view.get());
    qv::test::saveScreen(view.get(), QStringLiteral("goal-detail-add-step"));
}

TEST_F(StepAddViewTest, TypingEnablesAndBlanksCount) {
    QTest::keyClicks(field, QStringLiteral("R"));
    EXPECT_TRUE(add->isEnabled());
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_FALSE(add->isEnabled());
    QTest::keyClicks(field, QStringLiteral("   "));
    ASSERT_TRUE(add->isEnabled());
    QSignalSpy closed(view.get(), &AddStepView::dismissRequested);
    add->click();
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0].title, QStringLiteral("   "));
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(StepAddViewTest, HandsOverTypeTitleAndPriorityWithoutNotes) {
    buttonWithProperty(view.get(), "inputType", "Write a note")->click();
    buttonWithProperty(view.get(), "priority", 3)->click();
    QTest::keyClicks(field, QStringLiteral("Journal"));
    QTest::keyClick(field, Qt::Key_Return); // Return neither adds nor closes
    EXPECT_TRUE(added.empty());
    onCard(view.get());
    qv::test::saveScreen(view.get(), QStringLiteral("goal-detail-add-step-filled"));
    QSignalSpy closed(view.get(), &AddStepView::dismissRequested);
    add->click();
    add->click(); // one step per presentation
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0].title, QStringLiteral("Journal"));
    EXPECT_FALSE(added[0].notes.has_value());
    EXPECT_EQ(added[0].priority, 3);
    EXPECT_EQ(added[0].inputType, StepInputType::inputField);
    EXPECT_EQ(closed.count(), 1);
}

// On the sheet layer, where Return in a one-line field presses the default button elsewhere,
// Return in the step's title still adds nothing.
TEST_F(StepAddViewTest, ReturnInTheTitleAddsNothingOnTheSheetLayer) {
    QWidget window;
    window.resize(1200, 760);
    window.show();
    AddStepView* hosted = view.release();
    SheetHost::present(&window, hosted, AddStepView::preferredSize.width());
    qv::test::settle();
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("Journal"));
    ASSERT_TRUE(add->isEnabled());
    QTest::keyClick(field, Qt::Key_Return);
    QTest::keyClick(field, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(added.empty());
    add->click();
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0].title, QStringLiteral("Journal"));
}

} // namespace
