// Sheets of a fixed frame open at that frame while their content fits it, and grow (never
// cut their last button) when it does not, as with a large font.

#include "Views/ShellTestSupport.h"

#include "Components/SheetHost.h"
#include "Views/DailyLog/AddLogView.h"
#include "Views/DailyLog/DailyLogView.h"
#include "Views/Goals/AddStepView.h"
#include "Views/Goals/GoalDetailView.h"
#include "Views/Goals/GoalsTestSupport.h"
#include "Views/Goals/MilestoneCard.h"
#include "Views/Goals/MilestoneFrequencySheet.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <map>

namespace {

class SheetSizes : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        goal = makeGoal(QStringLiteral("Read more"), 3, 1);
        goal->milestones().front()->setFrequency(QStringLiteral("Weekly"));
        ASSERT_TRUE(context()->save());
        window = GoalsTestSupport::darkWindow(1000, 900);
        new QHBoxLayout(window.get());
        window->show();
    }
    void TearDown() override {
        window.reset();
        ShellTest::TearDown();
    }

    SheetHost* top() const { return SheetHost::topmost(window.get()); }
    void closeTop() {
        if (SheetHost* host = top())
            host->dismiss();
        qv::test::settle();
    }

    // Opens the three sheets the way the user opens them and hands each to check while open.
    void openEach(const std::function<void(const QString&, SheetHost*)>& check) {
        auto* detail = new GoalDetailView(AppEnvironment{context(), nullptr}, goal, window.get());
        window->layout()->addWidget(detail);
        qv::test::settle();
        const auto card = [detail] {
            for (MilestoneCard* card : detail->findChildren<MilestoneCard*>())
                if (card->isVisible())
                    return card;
            return static_cast<MilestoneCard*>(nullptr);
        };
        QTest::mouseClick(card()->findChild<QWidget*>(QStringLiteral("milestoneHeader")), Qt::LeftButton, {},
                          QPoint(150, 20));
        qv::test::settle();
        check(QStringLiteral("frequency"), top());
        closeTop();
        card()->findChild<QToolButton*>(QStringLiteral("milestoneChevron"))->click();
        qv::test::settle();
        card()->findChild<QToolButton*>(QStringLiteral("addStepButton"))->click();
        qv::test::settle();
        check(QStringLiteral("add step"), top());
        closeTop();
        delete detail;

        auto* journal = new DailyLogView(AppEnvironment{context(), nullptr}, window.get());
        window->layout()->addWidget(journal);
        qv::test::settle();
        QTest::mouseClick(journal->findChild<QPushButton*>(QStringLiteral("logProgressButton")),
                          Qt::LeftButton);
        qv::test::settle();
        check(QStringLiteral("journal"), top());
        closeTop();
    }

    // The lowest button of the sheet ends inside its card.
    static bool buttonsInside(SheetHost* host) {
        for (QPushButton* button : host->content()->findChildren<QPushButton*>())
            if (button->isVisibleTo(host->content()) &&
                button->mapTo(host->card(), QPoint(0, button->height())).y() > host->card()->height())
                return false;
        return true;
    }

    std::shared_ptr<Goal> goal;
    std::unique_ptr<QWidget> window;
};

} // namespace

TEST_F(SheetSizes, FixedFramesHoldAtTheDefaultFontAndGrowForALargeOne) {
    const std::map<QString, QSize> frames{
        {QStringLiteral("frequency"), MilestoneFrequencySheet::preferredSize},
        {QStringLiteral("add step"), AddStepView::preferredSize},
        {QStringLiteral("journal"), QSize(AddLogView::kWidth, AddLogView::kHeight)}};
    EXPECT_EQ(frames.at(QStringLiteral("frequency")), QSize(400, 560));
    EXPECT_EQ(frames.at(QStringLiteral("add step")), QSize(400, 380));
    EXPECT_EQ(frames.at(QStringLiteral("journal")), QSize(480, 520));
    openEach([&](const QString& name, SheetHost* host) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_NE(host, nullptr);
        EXPECT_EQ(host->card()->size(), frames.at(name));
        EXPECT_TRUE(buttonsInside(host));
        qv::test::saveScreen(window.get(), QStringLiteral("sheet-size-") + QString(name).replace(u' ', u'-'));
    });
    window.reset();

    const QFont before = QApplication::font();
    QFont large = before;
    large.setPixelSize(120); // the texts in the default font ("Cancel") outgrow every gap
    QApplication::setFont(large);
    window = GoalsTestSupport::darkWindow(1000, 1400);
    new QHBoxLayout(window.get());
    window->show();
    openEach([&](const QString& name, SheetHost* host) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_NE(host, nullptr);
        EXPECT_EQ(host->card()->width(), frames.at(name).width());
        EXPECT_GT(host->card()->height(), frames.at(name).height());
        EXPECT_TRUE(buttonsInside(host));
    });
    QApplication::setFont(before);
}
