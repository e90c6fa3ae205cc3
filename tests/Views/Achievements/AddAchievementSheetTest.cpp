#include "Views/Achievements/AddAchievementSheet.h"
#include "Components/DatePickerField.h"
#include "Components/MenuPicker.h"
#include "Components/SheetHost.h"
#include "Models/Achievement.h"
#include "Models/AchievementCategory.h"
#include "Models/Persistence/PersistenceController.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"
#include "Support/TestSupport.h"
#include "ViewModels/AchievementsViewModel.h"
#include "Views/Achievements/EmojiGrid.h"
#include "Views/ShellTestSupport.h"

#include <gtest/gtest.h>

#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

class AddAchievementSheetTest : public FrozenClockStoreTest {
protected:
    AddAchievementSheetTest() : FrozenClockStoreTest(QDateTime(QDate(2026, 3, 7), QTime(15, 45, 10))) {}
    void SetUp() override {
        FrozenClockStoreTest::SetUp();
        viewModel = std::make_unique<AchievementsViewModel>(persistence->viewContext());
    }
    void TearDown() override {
        sheet.reset();
        FrozenClockStoreTest::TearDown();
    }

    AddAchievementSheet* open(const QString& title = {}, int width = 480, int height = 600) {
        sheet = std::make_unique<AddAchievementSheet>(viewModel.get(), title);
        sheet->resize(width, height);
        sheet->setAttribute(Qt::WA_DontShowOnScreen, true);
        sheet->show();
        qv::test::settle();
        return sheet.get();
    }
    template <typename T> T* find(const char* name) {
        auto* widget = sheet->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }

    std::unique_ptr<AchievementsViewModel> viewModel;
    std::unique_ptr<AddAchievementSheet> sheet;
};

} // namespace

TEST_F(AddAchievementSheetTest, OpensEmptyOnTheTrophyAndSavesTrimmedTitleWithTheOpeningTime) {
    open();
    EXPECT_EQ(sheet->emoji(), QString("🏆"));
    EXPECT_EQ(sheet->date(), now);
    EXPECT_EQ(find<MenuPicker>("categoryPicker")->currentText(), QString("None"));
    EXPECT_FALSE(find<QPushButton>("saveButton")->isEnabled());

    QTest::keyClicks(find<QLineEdit>("titleField"), "  \t ");
    EXPECT_FALSE(find<QPushButton>("saveButton")->isEnabled());
    find<QLineEdit>("titleField")->setText("  Ran a  marathon\t");
    find<QPlainTextEdit>("notesEditor")->setPlainText("  ");
    QSignalSpy dismissed(sheet.get(), &AddAchievementSheet::dismissed);
    click("saveButton");

    EXPECT_EQ(dismissed.count(), 1);
    ASSERT_EQ(viewModel->achievements().size(), 1u);
    const auto saved = viewModel->achievements()[0];
    EXPECT_EQ(saved->title(), QString("Ran a  marathon"));
    EXPECT_EQ(saved->date(), now);
    EXPECT_EQ(saved->desc(), QString("  "));
    EXPECT_EQ(saved->category(), nullptr);
    EXPECT_EQ(saved->emoji(), QString("🏆"));
}

TEST_F(AddAchievementSheetTest, PrefilledTitleCanBeSavedAtOnceAndClosingWritesNothing) {
    open("Untitled Goal");
    EXPECT_TRUE(find<QPushButton>("saveButton")->isEnabled());
    QSignalSpy dismissed(sheet.get(), &AddAchievementSheet::dismissed);
    click("closeButton");
    EXPECT_EQ(dismissed.count(), 1);
    EXPECT_TRUE(viewModel->achievements().empty());
}

TEST_F(AddAchievementSheetTest, EmojiGridShowsEveryEmojiInsideTheSheetAndRemembersTheChoice) {
    open(); // the goal screens present the sheet 480 wide
    auto* grid = find<EmojiGrid>("emojiGrid");
    EXPECT_FALSE(grid->isVisible());
    click("emojiTile");
    qv::test::settle();
    ASSERT_TRUE(grid->isVisible());
    EXPECT_EQ(grid->columnCount(), 10);
    const QRect inside = grid->rect();
    for (int i = 0; i < AddAchievementSheet::emojiOptions().size(); ++i)
        EXPECT_TRUE(QRectF(inside).contains(grid->cellRect(i))) << i;
    EXPECT_LE(grid->mapTo(sheet.get(), grid->rect().topRight()).x(), sheet->width());
    qv::test::saveScreen(sheet.get(), "achievements-add-sheet-emoji-grid");

    QTest::mouseClick(grid->cells().at(12), Qt::LeftButton);
    EXPECT_EQ(sheet->emoji(), QString("❤️"));
    EXPECT_FALSE(sheet->isEmojiPickerShown());
    click("emojiTile");
    EXPECT_EQ(grid->selected(), QString("❤️"));
    click("emojiTile");
    EXPECT_FALSE(sheet->isEmojiPickerShown());

    // Narrow sheets drop columns rather than cut emoji off.
    EXPECT_EQ(grid->geometry().width() > 0, true);
    for (int width : {120, 200, 330})
        for (int i = 0; i < 20; ++i)
            EXPECT_LE(grid->cellRect(i, width).right(), width - EmojiGrid::kPadding) << width;
}

TEST_F(AddAchievementSheetTest, NewCategoryIsTrimmedSelectedAndKeptWhenTheSheetIsClosed) {
    open();
    click("newCategoryButton");
    auto* field = find<QLineEdit>("newCategoryField");
    ASSERT_TRUE(sheet->isNewCategoryFieldShown());
    field->setText("   ");
    click("addCategoryButton");
    EXPECT_TRUE(sheet->isNewCategoryFieldShown());
    EXPECT_EQ(field->text(), QString("   "));

    field->setText("  Health \t");
    click("addCategoryButton");
    EXPECT_FALSE(sheet->isNewCategoryFieldShown());
    EXPECT_TRUE(field->text().isEmpty());
    ASSERT_TRUE(sheet->selectedCategory());
    EXPECT_EQ(sheet->selectedCategory()->name(), QString("Health"));
    EXPECT_TRUE(sheet->selectedCategory()->isCustom());
    auto* picker = find<MenuPicker>("categoryPicker");
    EXPECT_EQ(picker->count(), 1 + 8);
    EXPECT_EQ(picker->currentValue().toLongLong(), sheet->selectedCategory()->objectID());
    EXPECT_EQ(picker->currentText(), QString("Health"));

    click("closeButton");
    EXPECT_TRUE(viewModel->achievements().empty());
    EXPECT_FALSE(persistence->viewContext()->hasChanges());
}

TEST_F(AddAchievementSheetTest, PickedCategoryAndDayAreSavedWithTheOpeningTimeOfDay) {
    auto unnamed = viewModel->addCategory(QString());
    unnamed->setName(std::nullopt);
    persistence->viewContext()->save();
    viewModel->fetch();
    open("Promotion");
    auto* picker = find<MenuPicker>("categoryPicker");
    EXPECT_EQ(picker->optionText(1), QString("Other")); // the unnamed category sorts first
    picker->setCurrentIndex(2);
    EXPECT_EQ(picker->currentText(), QString("Career"));
    find<DatePickerField>("datePicker")->setDateTime(QDateTime(QDate(2024, 2, 29), QTime(1, 2)));
    sheet->findChild<QDateEdit*>("datePickerEdit")->setDate(QDate(2024, 2, 28));
    sheet->save();

    ASSERT_EQ(viewModel->achievements().size(), 1u);
    EXPECT_EQ(viewModel->achievements()[0]->category()->name(), QString("Career"));
    EXPECT_EQ(viewModel->achievements()[0]->date(), QDateTime(QDate(2024, 2, 28), QTime(1, 2)));
}

TEST_F(AddAchievementSheetTest, ClosesItsSheetHostWhenSaved) {
    QWidget window;
    window.resize(1200, 760);
    window.setAttribute(Qt::WA_DontShowOnScreen, true);
    window.show();
    int dismissals = 0;
    auto* content = new AddAchievementSheet(viewModel.get(), "Ship it");
    SheetHost* host = SheetHost::present(&window, content, 480, [&] { ++dismissals; });
    host->setCardHeight(600);
    qv::test::settle();
    EXPECT_EQ(content->width(), 480);
    qv::test::saveScreen(&window, "achievements-add-sheet-over-window");
    content->save();
    qv::test::settle();
    EXPECT_EQ(dismissals, 1);
    EXPECT_EQ(viewModel->achievements().size(), 1u);
}
