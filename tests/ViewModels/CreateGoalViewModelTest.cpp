#include "ViewModels/CreateGoalViewModel.h"

#include "Models/Goal.h"
#include "Models/Persistence/PersistenceController.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"
#include "ViewModels/GoalsViewModel.h"

#include <gtest/gtest.h>

namespace {

class CreateGoalViewModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::setFake(QDateTime(QDate(2026, 3, 10), QTime(9, 30), Qt::UTC));
        context = controller.viewContext();
        goals = std::make_unique<GoalsViewModel>(context);
    }
    void TearDown() override { Clock::useSystem(); }

    std::vector<std::shared_ptr<Goal>> allGoals() {
        return context->fetch<Goal>(FetchRequest(Goal::entityName()));
    }

    std::shared_ptr<Goal> storedGoal() {
        auto list = allGoals();
        return list.size() == 1 ? list.front() : nullptr;
    }

    PersistenceController controller{true};
    ObjectContext* context = nullptr;
    std::unique_ptr<GoalsViewModel> goals;
};

TEST_F(CreateGoalViewModelTest, CreatesANewGoalWithTheFormValuesAndFreshState) {
    CreateGoalViewModel form(goals.get(), nullptr);
    EXPECT_EQ(form.headerTitle(), QStringLiteral("New Goal"));
    EXPECT_EQ(form.confirmLabel(), QStringLiteral("Create Goal"));
    EXPECT_EQ(form.deadline(), Clock::now().addSecs(90 * 86400));
    EXPECT_FALSE(form.canConfirm());

    form.setTitle(QStringLiteral("  Run a half marathon  "));
    form.chooseSuggestion(QStringLiteral("Fitness"));
    form.setSelectedColorHex(QStringLiteral("#059669"));
    form.setPriority(3);
    form.setHasDeadline(true);
    form.setNotes(QStringLiteral("Sunday long runs"));
    Clock::advance(30);
    ASSERT_TRUE(form.canConfirm());
    auto goal = form.confirm();
    ASSERT_TRUE(goal);
    EXPECT_FALSE(context->hasChanges());

    EXPECT_EQ(storedGoal(), goal);
    EXPECT_TRUE(goal->id().has_value());
    EXPECT_EQ(goal->title(), QStringLiteral("  Run a half marathon  "));
    EXPECT_EQ(goal->category(), QStringLiteral("Fitness"));
    EXPECT_EQ(goal->colorHex(), QStringLiteral("#059669"));
    EXPECT_EQ(goal->priority(), 3);
    EXPECT_EQ(goal->deadline(), QDateTime(QDate(2026, 6, 8), QTime(9, 30), Qt::UTC));
    EXPECT_EQ(goal->notes(), QStringLiteral("Sunday long runs"));
    EXPECT_EQ(goal->createdAt(), Clock::now());
    EXPECT_EQ(goal->streak(), 0);
    EXPECT_EQ(goal->momentumState(), QStringLiteral("coasting"));
    EXPECT_FALSE(goal->isArchived());
    EXPECT_FALSE(goal->needsMoney());
    EXPECT_EQ(goal->targetAmount(), 0.0);
    EXPECT_TRUE(goal->milestones().empty());
}

TEST_F(CreateGoalViewModelTest, TitleOfBlanksCannotBeConfirmedButLineBreaksCount) {
    CreateGoalViewModel form(goals.get(), nullptr);
    form.setTitle(QStringLiteral(" \t\u00A0\u3000"));
    EXPECT_TRUE(form.hasTitleText());
    EXPECT_FALSE(form.canConfirm());
    EXPECT_EQ(form.confirm(), nullptr);
    EXPECT_TRUE(allGoals().empty());
    form.setTitle(QStringLiteral("\n"));
    EXPECT_TRUE(form.canConfirm());
    form.setTitle(QString());
    EXPECT_FALSE(form.hasTitleText());
}

TEST_F(CreateGoalViewModelTest, CategoryChoicesFollowSuggestionsAndCustomEntry) {
    CreateGoalViewModel form(goals.get(), nullptr);
    form.setTitle(QStringLiteral("x"));
    EXPECT_TRUE(form.isSuggestionChosen(QStringLiteral("Personal")));

    form.chooseSuggestion(QStringLiteral("Career"));
    form.chooseCustom();
    EXPECT_FALSE(form.isSuggestionChosen(QStringLiteral("Career")));
    EXPECT_EQ(form.category(), QStringLiteral("Career"));
    EXPECT_EQ(form.finalCategory(), QStringLiteral("Personal")); // custom entry open but empty

    form.setCustomCategory(QStringLiteral("   "));
    EXPECT_EQ(form.finalCategory(), QStringLiteral("   "));
    form.setCustomCategory(QStringLiteral("Side Project"));
    form.chooseSuggestion(QStringLiteral("Health"));
    EXPECT_FALSE(form.isCustomCategory());
    EXPECT_EQ(form.customCategory(), QString());
    form.chooseCustom();
    EXPECT_EQ(form.customCategory(), QString());
    form.setCustomCategory(QStringLiteral("Side Project"));
    ASSERT_TRUE(form.confirm());
    EXPECT_EQ(storedGoal()->category(), QStringLiteral("Side Project"));
}

TEST_F(CreateGoalViewModelTest, MoneyTargetTextRoundTripsAndBlocksConfirmWhenUnreadableOrNegative) {
    CreateGoalViewModel form(goals.get(), nullptr);
    form.setTitle(QStringLiteral("Emergency fund"));
    form.setNeedsMoney(true);
    for (const char* bad : {"5,000", "\u20B9500", " 100", "inf", "nan", "1e999", "abc", "-5", "-0.01"}) {
        form.setTargetAmountText(QString::fromUtf8(bad));
        EXPECT_FALSE(form.canConfirm()) << bad;
        EXPECT_EQ(form.confirm(), nullptr) << bad;
    }
    EXPECT_TRUE(allGoals().empty());
    form.setTargetAmountText(QString());
    EXPECT_TRUE(form.canConfirm());

    // With the toggle off the text plays no part in enabling, and an unreadable one stores 0.
    form.setTargetAmountText(QStringLiteral("5,000"));
    form.setNeedsMoney(false);
    EXPECT_TRUE(form.canConfirm());

    form.setNeedsMoney(true);
    form.setTargetAmountText(QStringLiteral("1e3"));
    auto goal = form.confirm();
    ASSERT_TRUE(goal);
    EXPECT_EQ(goal->targetAmount(), 1000.0);
    EXPECT_TRUE(goal->needsMoney());

    CreateGoalViewModel edit(goals.get(), goal);
    EXPECT_EQ(edit.targetAmountText(), QStringLiteral("1000.0"));
    edit.setTargetAmountText(QStringLiteral("100000"));
    edit.confirm();
    CreateGoalViewModel again(goals.get(), goal);
    EXPECT_EQ(again.targetAmountText(), QStringLiteral("100000.0"));
    again.setTargetAmountText(QStringLiteral("1234.5"));
    again.setNeedsMoney(false); // typed, then switched off: still stored
    again.confirm();
    EXPECT_EQ(goal->targetAmount(), 1234.5);
    EXPECT_FALSE(goal->needsMoney());
    EXPECT_EQ(CreateGoalViewModel(goals.get(), goal).targetAmountText(), QStringLiteral("1234.5"));

    CreateGoalViewModel off(goals.get(), goal);
    off.setTargetAmountText(QStringLiteral("5,000"));
    off.confirm();
    EXPECT_EQ(goal->targetAmount(), 0.0);
    EXPECT_EQ(CreateGoalViewModel(goals.get(), goal).targetAmountText(), QString());
}

TEST_F(CreateGoalViewModelTest, EditFillsTheFormAndKeepsWhatTheFormDoesNotShow) {
    auto goal = Goal::create(context);
    const auto id = goal->id();
    const QDateTime created = goal->createdAt().value();
    goal->setTitle(std::nullopt);
    goal->setCategory(QStringLiteral("career")); // differs from a suggestion only in case
    goal->setPriority(1);
    goal->setStreak(12);
    goal->setMomentumState(QStringLiteral("accelerating"));
    goal->setManualProgress(0.4);
    goal->setDeadline(QDateTime(QDate(2026, 5, 1), QTime(0, 0), Qt::UTC));
    goal->setNeedsMoney(true);
    goal->setTargetAmount(2500);
    context->save();

    CreateGoalViewModel form(goals.get(), goal);
    EXPECT_EQ(form.headerTitle(), QStringLiteral("Edit Goal"));
    EXPECT_EQ(form.confirmLabel(), QStringLiteral("Save Changes"));
    EXPECT_EQ(form.title(), QStringLiteral("Untitled Goal"));
    EXPECT_TRUE(form.isCustomCategory());
    EXPECT_EQ(form.customCategory(), QStringLiteral("career"));
    EXPECT_EQ(form.category(), QStringLiteral("Personal"));
    EXPECT_EQ(form.selectedColorHex(), QStringLiteral("#4F46E5"));
    EXPECT_EQ(form.priority(), 1);
    EXPECT_TRUE(form.hasDeadline());
    EXPECT_EQ(form.notes(), QString());
    EXPECT_EQ(form.targetAmountText(), QStringLiteral("2500.0"));

    form.setHasDeadline(false);
    form.setNotes(QString());
    ASSERT_EQ(form.confirm(), goal);
    EXPECT_EQ(allGoals().size(), 1u);
    EXPECT_EQ(goal->title(), QStringLiteral("Untitled Goal"));
    EXPECT_EQ(goal->category(), QStringLiteral("career"));
    EXPECT_EQ(goal->colorHex(), QStringLiteral("#4F46E5"));
    EXPECT_FALSE(goal->deadline().has_value());
    EXPECT_FALSE(goal->notes().has_value());
    EXPECT_EQ(goal->targetAmount(), 2500.0);
    EXPECT_EQ(goal->id(), id);
    EXPECT_EQ(goal->createdAt(), created);
    EXPECT_EQ(goal->streak(), 12);
    EXPECT_EQ(goal->momentumState(), QStringLiteral("accelerating"));
    EXPECT_EQ(goal->manualProgress(), 0.4);

    // A colour outside the palette survives an edit; turning a deadline on offers 90 days out.
    goal->setColorHex(QStringLiteral("#123456"));
    context->save();
    CreateGoalViewModel second(goals.get(), goal);
    EXPECT_FALSE(second.hasDeadline());
    EXPECT_EQ(second.deadline(), Clock::now().addSecs(90 * 86400));
    second.setTitle(QStringLiteral("Renamed"));
    second.confirm();
    EXPECT_EQ(goal->colorHex(), QStringLiteral("#123456"));

    // Dropping the form leaves the goal untouched.
    {
        CreateGoalViewModel dropped(goals.get(), goal);
        dropped.setTitle(QStringLiteral("Never saved"));
        dropped.chooseSuggestion(QStringLiteral("Health"));
    }
    EXPECT_EQ(goal->title(), QStringLiteral("Renamed"));
    EXPECT_EQ(goal->category(), QStringLiteral("career"));
}

} // namespace

// The goal editor's target reads the one amount rule: the line under the field and the
// enabling of Create come from the same verdict, and Create stores what the field shows.
TEST_F(CreateGoalViewModelTest, TheMoneyTargetIsTakenOrRefusedWithItsReasonInEitherLocale) {
    struct Case {
        const char* text;
        const char* locale;
        AmountVerdict::Kind kind;
    };
    using Kind = AmountVerdict::Kind;
    for (const Case& c :
         {Case{"50.000", "de_DE", Kind::ThousandsAmbiguous}, Case{"-5", "en_US", Kind::BelowZero},
          Case{"0", "en_US", Kind::ZeroRefused}, Case{"1e308", "en_US", Kind::TooLarge},
          Case{"5,000", "en_US", Kind::NotANumber}, Case{"abc", "de_DE", Kind::NotANumber}}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(c.locale)));
        CreateGoalViewModel form(goals.get(), nullptr);
        form.setTitle(QStringLiteral("Bike"));
        form.setNeedsMoney(true);
        form.setTargetAmountText(QString::fromLatin1(c.text));
        EXPECT_EQ(form.targetAmountVerdict().kind, c.kind) << c.text;
        EXPECT_FALSE(form.targetAmountVerdict().line.isEmpty()) << c.text;
        EXPECT_FALSE(form.canConfirm()) << c.text;
        EXPECT_EQ(form.confirm(), nullptr) << c.text;
    }
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    EXPECT_TRUE(allGoals().empty());

    CreateGoalViewModel form(goals.get(), nullptr);
    form.setTitle(QStringLiteral("Bike"));
    form.setNeedsMoney(true);
    form.setTargetAmountText(QString());
    EXPECT_TRUE(form.canConfirm()) << "a money goal may leave its target out";
    form.setTargetAmountText(QStringLiteral("50.000"));
    EXPECT_TRUE(form.canConfirm()) << "fifty, where a point never groups thousands";
    ASSERT_NE(form.confirm(), nullptr);
    EXPECT_EQ(storedGoal()->targetAmount(), 50.0);
}

// Every swatch of the palette has a colour name of its own, in any case of its hex code; a
// colour outside the palette is read as its code.
TEST(CreateGoalColors, EverySwatchIsNamedByItsColour) {
    QStringList names;
    for (const QString& hex : CreateGoalViewModel::colorPalette())
        names << CreateGoalViewModel::colorName(hex);
    EXPECT_EQ(names, (QStringList{QStringLiteral("Indigo"), QStringLiteral("Cyan"), QStringLiteral("Emerald"),
                                  QStringLiteral("Amber"), QStringLiteral("Orange"), QStringLiteral("Rose"),
                                  QStringLiteral("Violet"), QStringLiteral("Blue")}));
    EXPECT_EQ(CreateGoalViewModel::colorName(QStringLiteral("#4f46e5")), QStringLiteral("Indigo"));
    EXPECT_EQ(CreateGoalViewModel::colorName(QStringLiteral("#123456")), QStringLiteral("#123456"));
}
