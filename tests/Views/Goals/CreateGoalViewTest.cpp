#include "Views/Goals/CreateGoalView.h"

#include "Components/NumberFieldNote.h"

#include "Components/SheetHost.h"
#include "Models/Goal.h"
#include "Models/Persistence/PersistenceController.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"
#include "Support/FullStore.h"
#include "Support/TestSupport.h"
#include "ViewModels/CreateGoalViewModel.h"
#include "ViewModels/GoalsViewModel.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

class CreateGoalViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::setFake(QDateTime(QDate(2026, 3, 10), QTime(9, 0), Qt::UTC));
        context = controller.viewContext();
        goals = std::make_unique<GoalsViewModel>(context);
        window = std::make_unique<QWidget>();
        window->resize(900, 800);
        window->setAttribute(Qt::WA_DontShowOnScreen, true);
        window->show();
    }
    void TearDown() override {
        window.reset();
        qv::test::settle();
        Clock::useSystem();
    }

    CreateGoalView* present(std::shared_ptr<Goal> goal = nullptr) {
        host = CreateGoalView::present(window.get(), goals.get(), std::move(goal), QSize(520, 620),
                                       [this] { ++dismissals; });
        qv::test::settle();
        return qobject_cast<CreateGoalView*>(host->content());
    }
    template <typename T> T* find(const QString& name) {
        auto* w = host->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    void type(const QString& field, const QString& text) {
        auto* edit = find<QLineEdit>(field);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    std::vector<std::shared_ptr<Goal>> stored() {
        return context->fetch<Goal>(FetchRequest(Goal::entityName()));
    }

    PersistenceController controller{true};
    ObjectContext* context = nullptr;
    std::unique_ptr<GoalsViewModel> goals;
    std::unique_ptr<QWidget> window;
    SheetHost* host = nullptr;
    int dismissals = 0;
};

TEST_F(CreateGoalViewTest, AFailedSaveKeepsTheSheetOpenWithWhatWasTyped) {
    present();
    type(QStringLiteral("createGoalTitleField"), QStringLiteral("Save for a bike"));
    find<QAbstractButton>(QStringLiteral("createGoalCategory_Finance"))->click();
    qv::test::fillStore(*context);
    testing::internal::CaptureStdout();
    find<QPushButton>(QStringLiteral("createGoalConfirm"))->click();
    qv::test::settle();
    EXPECT_NE(testing::internal::GetCapturedStdout().find("CoreData save error: "), std::string::npos);
    EXPECT_EQ(dismissals, 0);
    EXPECT_TRUE(stored().empty());
    ASSERT_NE(window->findChild<CreateGoalView*>(), nullptr);
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("createGoalTitleField"))->text(),
              QStringLiteral("Save for a bike"));
    qv::test::saveScreen(window.get(), QStringLiteral("create-goal-after-failed-save"));

    qv::test::freeStore(*context);
    find<QPushButton>(QStringLiteral("createGoalConfirm"))->click();
    qv::test::settle();
    EXPECT_EQ(dismissals, 1);
    ASSERT_EQ(stored().size(), 1u);
    EXPECT_EQ(stored()[0]->category(), QStringLiteral("Finance"));
}

TEST_F(CreateGoalViewTest, FillingTheFormAndConfirmingCreatesTheGoalAndCloses) {
    present();
    auto* confirm = find<QPushButton>(QStringLiteral("createGoalConfirm"));
    EXPECT_EQ(confirm->text(), QStringLiteral("Create Goal"));
    EXPECT_FALSE(confirm->isEnabled());
    type(QStringLiteral("createGoalTitleField"), QStringLiteral("Save for a bike"));
    EXPECT_TRUE(confirm->isEnabled());

    find<QAbstractButton>(QStringLiteral("createGoalCategory_Finance"))->click();
    find<QAbstractButton>(QStringLiteral("createGoalColor_D97706"))->click();
    find<QAbstractButton>(QStringLiteral("createGoalPriority_3"))->click();
    auto* money = find<QAbstractButton>(QStringLiteral("createGoalMoneyToggle"));
    EXPECT_FALSE(find<QWidget>(QStringLiteral("createGoalAmountEntry"))->isVisibleTo(host));
    money->click();
    EXPECT_TRUE(find<QWidget>(QStringLiteral("createGoalAmountEntry"))->isVisibleTo(host));

    type(QStringLiteral("createGoalAmountField"), QStringLiteral("5,000"));
    EXPECT_FALSE(confirm->isEnabled()) << "an amount that is not a number would be stored as 0";
    auto* note = NumberFieldNote::of(find<QLineEdit>(QStringLiteral("createGoalAmountField")));
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->isVisibleTo(host)) << "the refusal says why";
    qv::test::settle();
    EXPECT_EQ(note->visibleRegion().boundingRect().height(), note->height())
        << "the form scrolls to show the whole line";
    qv::test::saveScreen(window.get(), QStringLiteral("create-goal-refused-amount"));
    money->click();
    EXPECT_FALSE(note->isVisibleTo(host)) << "folded away with its field";
    money->click();
    EXPECT_TRUE(note->isVisibleTo(host));
    for (const char* refused : {"0", "-5", "1e308"}) {
        type(QStringLiteral("createGoalAmountField"), QString::fromLatin1(refused));
        EXPECT_FALSE(confirm->isEnabled()) << refused;
        EXPECT_TRUE(note->isVisibleTo(host)) << refused << ": and the line says why";
    }
    EXPECT_EQ(note->text(), QStringLiteral("Too large: amounts go up to 10,000,000,000,000"));
    type(QStringLiteral("createGoalAmountField"), QStringLiteral("1e3"));
    EXPECT_TRUE(confirm->isEnabled());
    EXPECT_FALSE(note->isVisibleTo(host));
    QTest::keyClicks(find<QPlainTextEdit>(QStringLiteral("createGoalNotes")),
                     QStringLiteral("<i>by June</i>"));

    confirm->click();
    qv::test::settle();
    EXPECT_EQ(dismissals, 1);
    ASSERT_EQ(stored().size(), 1u);
    auto goal = stored().front();
    EXPECT_EQ(goal->title(), QStringLiteral("Save for a bike"));
    EXPECT_EQ(goal->category(), QStringLiteral("Finance"));
    EXPECT_EQ(goal->colorHex(), QStringLiteral("#D97706"));
    EXPECT_EQ(goal->priority(), 3);
    EXPECT_TRUE(goal->needsMoney());
    EXPECT_EQ(goal->targetAmount(), 1000.0);
    EXPECT_EQ(goal->notes(), QStringLiteral("<i>by June</i>"));
    EXPECT_FALSE(goal->deadline().has_value());
    EXPECT_FALSE(context->hasChanges());
}

TEST_F(CreateGoalViewTest, CancelAndTheCloseIconDropEveryEdit) {
    auto goal = Goal::create(context);
    goal->setTitle(QStringLiteral("Original"));
    goal->setCategory(QStringLiteral("Side Project"));
    context->save();

    CreateGoalView* sheet = present(goal);
    EXPECT_EQ(sheet->form()->headerTitle(), QStringLiteral("Edit Goal"));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("createGoalTitleField"))->text(), QStringLiteral("Original"));
    EXPECT_TRUE(find<QWidget>(QStringLiteral("createGoalCustomEntry"))->isVisibleTo(host));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("createGoalCustomField"))->text(),
              QStringLiteral("Side Project"));
    // The chosen chip is the last of the strip; the strip scrolls it into full view.
    auto* strip = find<QWidget>(QStringLiteral("createGoalCategoryStrip"));
    auto* custom = find<QWidget>(QStringLiteral("createGoalCustomChip"));
    const QRect chip(custom->mapTo(strip, QPoint(0, 0)), custom->size());
    EXPECT_TRUE(strip->rect().contains(chip)) << chip.x() << "+" << chip.width() << " in " << strip->width();
    type(QStringLiteral("createGoalTitleField"), QStringLiteral("Changed"));
    find<QAbstractButton>(QStringLiteral("createGoalCategory_Health"))->click();
    EXPECT_FALSE(find<QWidget>(QStringLiteral("createGoalCustomEntry"))->isVisibleTo(host));
    find<QPushButton>(QStringLiteral("createGoalCancel"))->click();
    qv::test::settle();
    EXPECT_EQ(dismissals, 1);
    EXPECT_EQ(goal->title(), QStringLiteral("Original"));
    EXPECT_EQ(goal->category(), QStringLiteral("Side Project"));
    EXPECT_FALSE(context->hasChanges());

    present(goal);
    type(QStringLiteral("createGoalTitleField"), QStringLiteral("Changed again"));
    find<QAbstractButton>(QStringLiteral("createGoalClose"))->click();
    qv::test::settle();
    EXPECT_EQ(dismissals, 2);
    EXPECT_EQ(goal->title(), QStringLiteral("Original"));
}

TEST_F(CreateGoalViewTest, ReturnInTheTitleFieldDoesNotConfirm) {
    present();
    type(QStringLiteral("createGoalTitleField"), QStringLiteral("Learn to sail"));
    QTest::keyClick(find<QLineEdit>(QStringLiteral("createGoalTitleField")), Qt::Key_Return);
    qv::test::settle();
    EXPECT_TRUE(stored().empty());
    EXPECT_EQ(dismissals, 0);
}

} // namespace
