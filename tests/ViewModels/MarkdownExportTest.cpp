#include "ViewModels/MarkdownExport.h"

#include "Models/Achievement.h"
#include "Models/BankAccount.h"
#include "Models/DailyLog.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/MockData/MockDataSeeder.h"
#include "Models/ModelTestSupport.h"
#include "Models/Step.h"
#include "Store/LiveFetch.h"
#include "Support/TestSupport.h"
#include "ViewModels/SettingsViewModel.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

class MarkdownExportTest : public FrozenClockStoreTest {
protected:
    MarkdownExportTest() : FrozenClockStoreTest(QDateTime(QDate(2026, 3, 10), QTime(8, 5))) {}

    QString desktop() const { return qv::test::tempHome() + "/Desktop"; }
    QString exported() const {
        QFile file(desktop() + "/Tallowmere-Export.md");
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    QString header() const {
        return "# Velmora Export\n\nGenerated: " + QLocale().toString(now, QLocale::ShortFormat) + "\n\n";
    }
    std::shared_ptr<Step> step(const std::shared_ptr<Milestone>& m, const QString& title, bool done,
                               int minute) {
        auto s = Step::create(context);
        s->setMilestone(m);
        s->setTitle(title);
        s->setIsCompleted(done);
        s->setCreatedAt(now.addSecs(60 * minute));
        return s;
    }
};

} // namespace

TEST_F(MarkdownExportTest, WritesEachGoalWithItsMilestonesAndStepsAndReplacesTheLastExport) {
    ASSERT_TRUE(QDir().mkpath(desktop()));
    ASSERT_TRUE(MarkdownExport::write(*context));
    EXPECT_EQ(exported(), header()) << "no goals: the heading and the generated line only";

    auto bare = Goal::create(context); // no title, category or milestones
    auto read = Goal::create(context);
    read->setTitle(QString("Read *12* books"));
    read->setCategory(QString("Learning"));
    read->setStreak(1);
    read->setIsArchived(true);
    auto first = Milestone::create(context);
    first->setGoal(read);
    first->setTitle(QString("Winter"));
    first->setOrder(0);
    first->setIsCompleted(true);
    step(first, "Second", true, 5);
    step(first, "First", false, 1);
    auto later = Milestone::create(context);
    later->setGoal(read);
    later->setOrder(1);
    step(later, "Third", false, 9);
    ASSERT_TRUE(context->save());

    ASSERT_TRUE(MarkdownExport::write(*context));
    EXPECT_EQ(exported(), header() +
                              "## Untitled Goal\nCategory: Personal\nProgress: 0%\nStreak: 0 days\n\n"
                              "## Read \\*12\\* books\nCategory: Learning\nProgress: 33%\nStreak: 1 day\n\n"
                              "### Winter [\u2713]\n- [ ] First\n- [x] Second\n\n"
                              "### Untitled Milestone [\u25CB]\n- [ ] Third\n\n");
    EXPECT_EQ(QDir(desktop()).entryList(QDir::Files), QStringList({"Tallowmere-Export.md"}))
        << "replaced whole, no temporary file left";
}

// Texts pasted before one-line fields were kept to one line are in the store as typed; the
// export still takes no structure from them.
TEST_F(MarkdownExportTest, HostileTitlesOpenNoHeadingListItemOrTagAndNoNulIsWritten) {
    const QString hostile = QStringLiteral("Line one\n# Injected heading\n- [x] fake step") + QChar(0);
    const auto stored = [](const std::shared_ptr<ManagedObject>& record, const char* key,
                           const QString& text) {
        record->setValue(QString::fromLatin1(key), text); // past the setters, as an old store holds it
    };
    auto goal = Goal::create(context);
    stored(goal, "title", hostile);
    stored(goal, "category", QStringLiteral("Work\r\n## Category heading\n<img src=x>"));
    auto milestone = Milestone::create(context);
    milestone->setGoal(goal);
    stored(milestone, "title", QStringLiteral("Milestone\n\n### Fake milestone [\u2713]"));
    auto s = step(milestone, QString(), false, 1);
    stored(s, "title", QStringLiteral("<script>x</script>\n- [ ] another fake\n    indented"));
    auto closing = Goal::create(context);
    stored(closing, "title", QStringLiteral("Learn C# ##"));
    ASSERT_TRUE(context->save());
    ASSERT_TRUE(goal->title()->contains(QLatin1Char('\n'))) << "the store keeps what it was given";

    ASSERT_TRUE(QDir().mkpath(desktop()));
    ASSERT_TRUE(MarkdownExport::write(*context));
    QFile file(desktop() + "/Tallowmere-Export.md");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_FALSE(bytes.contains('\0'));
    QStringList headings;
    QStringList items;
    for (const QString& line : QString::fromUtf8(bytes).split(QLatin1Char('\n'))) {
        if (line.trimmed().startsWith(QLatin1Char('#')))
            headings << line;
        else if (line.trimmed().startsWith(QLatin1String("- ")) || line.startsWith(QLatin1Char(' ')))
            items << line;
        EXPECT_FALSE(line.contains(QRegularExpression(QStringLiteral("(^|[^\\\\])<")))) << line.toStdString();
    }
    EXPECT_EQ(headings,
              QStringList({"# Velmora Export", "## Line one # Injected heading - \\[x\\] fake step",
                           "### Milestone  ### Fake milestone \\[\u2713\\] [\u25CB]", "## Learn C# \\##"}));
    EXPECT_EQ(items, QStringList({"- [ ] \\<script>x\\</script> - \\[ \\] another fake     indented"}));
    EXPECT_TRUE(bytes.contains("Category: Work ## Category heading \\<img src=x>\n"));
}

// A viewer of the report shows each title exactly as typed: every character that could start a
// link, image, emphasis, code span, table cell, strikethrough, tag or entity is escaped, and
// nothing else is.
TEST_F(MarkdownExportTest, EveryInlineMarkerInATitleIsEscapedAndNothingElse) {
    const QString markers = QStringLiteral("![x](/etc/passwd) [click](javascript:alert(1)) *b* _i_ `c` ~~s~~ "
                                           "a|b <i> &amp; back\\slash");
    auto goal = Goal::create(context);
    goal->setTitle(markers);
    goal->setCategory(markers);
    goal->setStreak(2);
    auto milestone = Milestone::create(context);
    milestone->setGoal(goal);
    milestone->setTitle(markers);
    step(milestone, markers, false, 1);
    step(milestone, QStringLiteral("Plain words, digits 12.5 and #tag stay: as typed."), false, 2);
    ASSERT_TRUE(context->save());

    const QString escaped =
        QStringLiteral("\\!\\[x\\]\\(/etc/passwd\\) \\[click\\]\\(javascript:alert\\(1\\)\\) "
                       "\\*b\\* \\_i\\_ \\`c\\` \\~\\~s\\~\\~ a\\|b \\<i> \\&amp; "
                       "back\\\\slash");
    EXPECT_EQ(MarkdownExport::build({goal}, now),
              header() + "## " + escaped + "\nCategory: " + escaped + "\nProgress: 0%\nStreak: 2 days\n\n" +
                  "### " + escaped + " [\u25CB]\n- [ ] " + escaped +
                  "\n- [ ] Plain words, digits 12.5 and #tag stay: as typed.\n\n");
}

TEST_F(MarkdownExportTest, TwoThirdsIsSixtySixAndNoDesktopFolderWritesNothing) {
    auto goal = Goal::create(context);
    goal->setTitle(QString("Thirds"));
    auto m = Milestone::create(context);
    m->setGoal(goal);
    step(m, "a", true, 1);
    step(m, "b", true, 2);
    step(m, "c", false, 3);
    context->save();
    EXPECT_TRUE(MarkdownExport::build({goal}, now).contains("Progress: 66%\n"));

    QString error;
    EXPECT_FALSE(MarkdownExport::write(*context, nullptr, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(desktop()));
    EXPECT_FALSE(QFile::exists(qv::test::tempHome() + "/Tallowmere-Export.md"));
}

TEST_F(MarkdownExportTest, ResetEmptiesGoalsAndTheirRecordsAndKeepsEverythingElse) {
    MockDataSeeder::seedIfNeeded(context);
    auto win = Achievement::create(context);
    win->setTitle(QString("Kept"));
    auto account = BankAccount::create(context);
    account->setBalance(100);
    ASSERT_TRUE(context->save());
    LiveFetch goals(context, FetchRequest(Goal::entityName()));
    ASSERT_GT(goals.results().size(), 0u);
    auto held = goals.typedResults<Goal>().front();

    SettingsViewModel vm(context, nullptr);
    ASSERT_TRUE(vm.resetAllData());
    qv::test::settle();
    EXPECT_TRUE(goals.results().empty()) << "live lists empty at once";
    for (const char* entity : {"Goal", "Milestone", "Step", "DailyLog"})
        EXPECT_EQ(context->count(FetchRequest(entity)), 0) << entity;
    EXPECT_EQ(context->count(FetchRequest(Achievement::entityName())), 1);
    EXPECT_EQ(context->count(FetchRequest(BankAccount::entityName())), 1);

    // A handle kept from before cannot bring its goal back.
    held->setTitle(QString("Zombie"));
    context->save();
    EXPECT_EQ(context->count(FetchRequest(Goal::entityName())), 0);

    vm.reloadSampleData();
    const int seeded = context->count(FetchRequest(Goal::entityName()));
    EXPECT_GT(seeded, 0);
    vm.reloadSampleData();
    EXPECT_EQ(context->count(FetchRequest(Goal::entityName())), seeded)
        << "samples only go into an empty store";
}
