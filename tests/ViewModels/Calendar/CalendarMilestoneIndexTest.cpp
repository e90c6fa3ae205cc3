#include "ViewModels/Calendar/CalendarTestSupport.h"

#include "Models/GoalQueries.h"
#include "ViewModels/CalendarMilestoneIndex.h"
#include "ViewModels/CalendarMilestoneSchedule.h"

#include <QCoreApplication>
#include <QTimeZone>

#include <cstdlib>
#include <ctime>

namespace {

using CalendarMilestoneIndexTest = CalendarTest;

// Runs the rest of a test in another local zone, and puts the first one back after.
class LocalZone {
public:
    explicit LocalZone(const char* zone) : before_(qgetenv("TZ")) {
        qputenv("TZ", zone);
        tzset();
    }
    ~LocalZone() {
        qputenv("TZ", before_);
        tzset();
    }

private:
    QByteArray before_;
};

TEST(CalendarLocalDays, ReadTheDayAsLocalTimeDoesAcrossOffsetChanges) {
    for (const char* zone : {"America/New_York", "Australia/Lord_Howe", "Europe/Berlin", "Asia/Kolkata"}) {
        LocalZone local(zone);
        CalendarMilestoneSchedule::LocalDays days;
        // Every quarter hour around the spring and autumn changes, then a stride over decades
        // back and forth, so that stretches are found out of order too.
        std::vector<qint64> instants;
        for (const QDate& change : {QDate(2025, 3, 9), QDate(2025, 11, 2), QDate(2025, 4, 6),
                                    QDate(2025, 10, 5), QDate(2025, 3, 30), QDate(2025, 10, 26)}) {
            const qint64 from =
                QDateTime(change.addDays(-1), QTime(0, 0), QTimeZone::utc()).toMSecsSinceEpoch();
            for (qint64 step = 0; step < 3 * 24 * 4; ++step)
                instants.push_back(from + step * 15 * 60 * 1000);
        }
        for (qint64 at = -20LL * 365 * 86400000; at < 60LL * 365 * 86400000; at += 7919LL * 3600 * 1000)
            instants.push_back(at);
        for (qint64 at = 60LL * 365 * 86400000; at > -20LL * 365 * 86400000; at -= 7717LL * 3600 * 1000)
            instants.push_back(at);
        for (qint64 at : instants)
            ASSERT_EQ(days.dayOf(at), QDateTime::fromMSecsSinceEpoch(at, Qt::LocalTime).date())
                << zone << " at " << at;
        EXPECT_EQ(days.today(), Clock::today());
    }
}

TEST_F(CalendarMilestoneIndexTest, StoredInstantsScheduleAsTheRecordsDo) {
    // Created late in the evening: in New York that is still the 31st, in UTC already the 1st.
    LocalZone local("America/New_York");
    const QDateTime created(QDate(2026, 1, 1), QTime(3, 30), QTimeZone::utc());
    const QDateTime deadline(QDate(2027, 2, 1), QTime(2, 0), QTimeZone::utc());
    const QDateTime due(QDate(2026, 6, 10), QTime(1, 0), QTimeZone::utc());
    CalendarMilestoneSchedule::LocalDays days;
    for (MilestoneFrequency frequency : MilestoneFrequencies::allCases) {
        for (bool dated : {true, false}) {
            const auto raw = MilestoneFrequencies::rawValue(frequency);
            const CalendarMilestoneSchedule fromRecords(
                raw, due, dated ? std::optional(created) : std::nullopt, deadline);
            const CalendarMilestoneSchedule fromStore(frequency, due.toMSecsSinceEpoch(),
                                                      dated ? std::optional(created.toMSecsSinceEpoch())
                                                            : std::nullopt,
                                                      deadline.toMSecsSinceEpoch(), days);
            for (QDate day(2025, 12, 1); day <= QDate(2027, 3, 1); day = day.addDays(1))
                ASSERT_EQ(fromStore.fallsOn(day), fromRecords.fallsOn(day))
                    << qPrintable(raw) << " " << qPrintable(day.toString());
        }
    }
}

TEST(CalendarMilestoneScheduleCount, CountsARunOfDaysAsAskingEachDayDoes) {
    const auto at = [](int y, int m, int d, int h = 12) {
        return QDateTime(QDate(y, m, d), QTime(h, 0)).toMSecsSinceEpoch();
    };
    CalendarMilestoneSchedule::LocalDays localDays;
    // Anchors before, inside and after the run; deadlines inside and before it; a 31st.
    const std::vector<std::pair<std::optional<qint64>, std::optional<qint64>>> spans{
        {at(2025, 12, 31), std::nullopt},  {at(2026, 1, 20), std::nullopt},
        {at(2026, 3, 31), std::nullopt},   {at(2025, 11, 9), at(2026, 1, 27)},
        {at(2025, 1, 31), at(2025, 6, 1)}, {std::nullopt, std::nullopt}};
    for (MilestoneFrequency frequency : MilestoneFrequencies::allCases) {
        for (const auto& [created, deadline] : spans) {
            const CalendarMilestoneSchedule schedule(frequency, at(2026, 1, 25), created, deadline,
                                                     localDays);
            for (const QDate& first : {QDate(2026, 1, 1), QDate(2026, 2, 1), QDate(2026, 1, 25)}) {
                std::vector<CalendarMilestoneSchedule::Day> days;
                for (int i = 0; i < first.daysInMonth(); ++i)
                    days.emplace_back(first.addDays(i));
                std::vector<int> counts(days.size(), 0);
                schedule.countOn(days, counts);
                for (std::size_t i = 0; i < days.size(); ++i)
                    ASSERT_EQ(counts[i], schedule.fallsOn(first.addDays(qint64(i))) ? 1 : 0)
                        << qPrintable(MilestoneFrequencies::rawValue(frequency)) << " "
                        << qPrintable(first.addDays(qint64(i)).toString());
            }
        }
    }
}

TEST_F(CalendarMilestoneIndexTest, KeptWithTheStoreAndReadAgainOnlyAfterGoalsOrMilestonesChange) {
    auto g = goal(local(2026, 3, 7, 9)); // a Saturday, as the 14th
    milestone(g, QStringLiteral("Daily"));
    auto& index = CalendarMilestoneIndex::of(*context);
    EXPECT_EQ(&CalendarMilestoneIndex::of(*context), &index);
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 14)), QStringList{"Daily"});
    const quint64 reads = index.reads();

    // Another visit finds it ready, and so do tasks and bills saved meanwhile.
    vm.reset();
    task(QStringLiteral("Call"), local(2026, 3, 14));
    bill(QStringLiteral("Rent"), 14);
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 14)), QStringList{"Daily"});
    EXPECT_EQ(index.reads(), reads);

    // A saved milestone is in at once, with no turn of the event loop between.
    milestone(g, QStringLiteral("Weekly"));
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 14)), (QStringList{"Daily", "Weekly"}));
    EXPECT_EQ(index.reads(), reads + 1);

    // Unsaved edits are read from the records; rolled back, they are gone again.
    auto pending = Milestone::create(context);
    pending->setTitle(QStringLiteral("Pending"));
    pending->setFrequency(QStringLiteral("Daily"));
    pending->setOrder(2);
    pending->setGoal(g);
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 14)), (QStringList{"Daily", "Weekly", "Pending"}));
    context->rollback();
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 14)), (QStringList{"Daily", "Weekly"}));

    // A moved deadline moves the days.
    g->setDeadline(local(2026, 3, 13, 12));
    context->save();
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 14)), QStringList());
}

TEST_F(CalendarMilestoneIndexTest, ReadAgainWhenTheZoneChangesWhileTheAppRuns) {
    LocalZone utc("UTC");
    // Made early on Saturday the 7th in UTC: in New York still Friday evening.
    auto g = goal(QDateTime(QDate(2026, 3, 7), QTime(3, 30), QTimeZone::utc()));
    milestone(g, QStringLiteral("Weekly"));
    auto& index = CalendarMilestoneIndex::of(*context);
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 14)), QStringList{"Weekly"});
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 13)), QStringList());
    const quint64 reads = index.reads();

    LocalZone newYork("America/New_York");
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 13)), QStringList{"Weekly"});
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 14)), QStringList());
    EXPECT_EQ(index.reads(), reads + 1);
}

TEST_F(CalendarMilestoneIndexTest, EachUnsavedEditIsReadNotOnlyTheFirst) {
    auto g = goal(local(2026, 3, 7, 9));
    milestone(g, QStringLiteral("Daily"));
    auto unsaved = [&](const QString& title, const QString& frequency) {
        auto m = Milestone::create(context);
        m->setTitle(title);
        m->setFrequency(frequency);
        m->setOrder(static_cast<qint16>(g->milestones().size()));
        m->setGoal(g);
        return m;
    };
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 14)), QStringList{"Daily"});
    auto first = unsaved(QStringLiteral("First"), QStringLiteral("Daily"));
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 14)), (QStringList{"Daily", "First"}));
    // A second edit while the first still waits, with and without a turn of the event loop.
    unsaved(QStringLiteral("Second"), QStringLiteral("Daily"));
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 14)), (QStringList{"Daily", "First", "Second"}));
    QCoreApplication::processEvents();
    first->setFrequency(QStringLiteral("Monthly")); // the 7th of each month
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 14)), (QStringList{"Daily", "Second"}));
}

TEST_F(CalendarMilestoneIndexTest, AGoalWithoutACreationDayCountsFromTheNewDay) {
    auto g = Goal::create(context);
    g->setTitle(QStringLiteral("Undated"));
    g->setCreatedAt(std::nullopt);
    context->save();
    milestone(g, QStringLiteral("Weekly"));
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 14)), QStringList{"Weekly"}); // today, a Saturday
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 15)), QStringList());
    vm.reset();
    Clock::setFake(local(2026, 3, 15, 8));
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 15)), QStringList{"Weekly"});
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 21)), QStringList());
}

TEST_F(CalendarMilestoneIndexTest, TheDaysMilestonesAreCountedAndReadAPageAtATime) {
    const int total = CalendarViewModel::kMilestonePage + 8;
    auto g = goal(local(2026, 3, 1));
    std::vector<std::shared_ptr<Milestone>> made;
    for (int i = 0; i < total; ++i)
        made.push_back(milestone(g, QStringLiteral("Habit %1").arg(i)));
    for (const auto& m : made)
        m->setFrequency(QStringLiteral("Daily"));
    auto other = goal(local(2026, 3, 2));
    milestone(other, QStringLiteral("Weekly")); // Mondays: not today
    context->save();

    auto& vm = model();
    ASSERT_EQ(vm.milestoneCount(), total);
    const auto last = vm.milestoneAt(total - 1);
    ASSERT_TRUE(last.milestone);
    EXPECT_EQ(last.milestone->title(), QStringLiteral("Habit %1").arg(total - 1));
    EXPECT_EQ(last.goal, g);
    EXPECT_EQ(vm.milestoneAt(CalendarViewModel::kMilestonePage).id,
              made[CalendarViewModel::kMilestonePage]->objectID());
    EXPECT_FALSE(vm.milestoneAt(total).milestone);
    EXPECT_FALSE(vm.milestoneAt(-1).milestone);

    // A record gone since the count reads as nothing; the whole list leaves it out.
    context->deleteObject(made[3]);
    context->save();
    EXPECT_EQ(vm.milestoneCount(), total);
    EXPECT_FALSE(vm.milestoneAt(3).milestone);
    ASSERT_EQ(vm.milestonesForSelectedDate().size(), std::size_t(total - 1));
    EXPECT_EQ(vm.milestonesForSelectedDate()[3].milestone, made[4]);
    vm.selectDate(vm.selectedDate());
    EXPECT_EQ(vm.milestoneCount(), total - 1);
}

TEST_F(CalendarMilestoneIndexTest, StoredRowsComeByGoalCreationUndatedFirstAndUnknownFrequenciesNever) {
    auto late = goal(local(2026, 3, 5));
    auto early = goal(local(2026, 3, 1), local(2026, 6, 1));
    auto undated = goal(local(2026, 3, 9));
    undated->setCreatedAt(std::nullopt);
    context->save();
    milestone(late, QStringLiteral("daily"));
    milestone(late, QStringLiteral("Fortnightly"));
    auto lateMonthly = milestone(late, QStringLiteral("Monthly"));
    auto earlyWeekly = milestone(early, QStringLiteral("Weekly"));
    auto earlyFirst = milestone(early, QStringLiteral("Daily"), local(2026, 3, 20));
    earlyFirst->setOrder(-1);
    auto undatedDaily = milestone(undated, QStringLiteral("Daily"));
    context->save();

    const auto rows = GoalQueries::milestonesWithFrequency(*context);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].milestoneID, undatedDaily->objectID());
    EXPECT_FALSE(rows[0].goalCreatedAt);
    EXPECT_EQ(rows[1].milestoneID, earlyFirst->objectID());
    EXPECT_EQ(rows[1].dueDate, local(2026, 3, 20).toMSecsSinceEpoch());
    EXPECT_EQ(rows[1].goalDeadline, local(2026, 6, 1).toMSecsSinceEpoch());
    EXPECT_EQ(rows[2].milestoneID, earlyWeekly->objectID());
    EXPECT_EQ(rows[3].milestoneID, lateMonthly->objectID());
    EXPECT_EQ(rows[3].goalID, late->objectID());
    EXPECT_EQ(rows[3].frequency, MilestoneFrequency::monthly);
    EXPECT_EQ(rows[3].goalCreatedAt, local(2026, 3, 5).toMSecsSinceEpoch());
    EXPECT_FALSE(rows[3].goalDeadline);
    EXPECT_FALSE(rows[3].dueDate);
}

} // namespace
