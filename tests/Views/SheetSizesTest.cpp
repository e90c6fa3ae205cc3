// Sheets of a fixed frame open at that frame while their content fits it, and grow (never
// cut their last button) when it does not, as with a large font. Any sheet is as tall as its
// form up to the window and scrolls beyond that.

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
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

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
        auto* detail = new GoalDetailView(env(nullptr), goal, window.get());
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

        auto* journal = new DailyLogView(env(nullptr), window.get());
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
    window = GoalsTestSupport::darkWindow(1000, 1800); // room for the grown frames
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

TEST_F(SheetSizes, AFormTallerThanTheWindowScrollsWithAVisibleBarAndAShortOneTakesItsHeight) {
    window->resize(900, 600);
    qv::test::settle();
    const auto form = [](int fields) {
        auto* content = new QWidget;
        auto* column = new QVBoxLayout(content);
        for (int i = 0; i < fields; ++i)
            column->addWidget(new QLineEdit);
        column->addWidget(new QPushButton(QStringLiteral("Save")));
        return content;
    };
    const auto bar = [](SheetHost* host) {
        auto* area = host->card()->findChild<QScrollArea*>();
        return area ? area->verticalScrollBar() : nullptr;
    };

    QWidget* tall = form(30);
    SheetHost* host = SheetHost::present(window.get(), tall, 420);
    qv::test::settle();
    EXPECT_EQ(host->card()->height(), 600 - 2 * SheetHost::kWindowMargin) << "as tall as the window lets it";
    ASSERT_NE(bar(host), nullptr);
    EXPECT_TRUE(bar(host)->isVisible()) << "the form scrolls with a bar in view";
    EXPECT_GT(bar(host)->maximum(), 0);
    auto* save = tall->findChild<QPushButton*>();
    bar(host)->setValue(bar(host)->maximum());
    qv::test::settle();
    EXPECT_LE(save->mapTo(host->card(), QPoint(0, save->height())).y(), host->card()->height())
        << "its last button is reached";
    closeTop();

    QWidget* small = form(2);
    host = SheetHost::present(window.get(), small, 420);
    qv::test::settle();
    EXPECT_EQ(host->card()->height(), small->sizeHint().height()) << "the height the form needs";
    EXPECT_TRUE(bar(host) == nullptr || !bar(host)->isVisible());
    closeTop();
}
