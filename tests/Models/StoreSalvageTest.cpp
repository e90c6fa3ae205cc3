// Damaged stores: found by the check after start, moved aside byte for byte, their readable
// records salvaged into a new store; damage met while running stops writes until the next start.
#include "Store/StoreSalvage.h"
#include "Models/Achievement.h"
#include "Models/AchievementCategory.h"
#include "Models/BankAccount.h"
#include "Models/Bill.h"
#include "Models/CreditCard.h"
#include "Models/DailyLog.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/Persistence/PersistenceController.h"
#include "Models/QuorvaleModel.h"
#include "Models/Step.h"
#include "Models/TaskCategory.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"
#include "Store/StoreCore.h"
#include "Store/StoreFile.h"
#include "Store/StoreIntegrityCheck.h"
#include "Support/FileBytes.h"
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <cstdio>
#include <map>
#include <set>

namespace {

using qv::test::bigEndian;
using qv::test::readAll;

constexpr int kGoals = 2000;
constexpr int kMilestonesPerGoal = 2;
constexpr int kStepsPerMilestone = 3;

// The rows of a table that a lookup by pk reads in a copy of a damaged file, once SQLite is let
// past a header that counts more pages than the file holds: pk and the row's link to its owner.
std::map<qint64, qint64> readableByPk(const QString& damaged, const QString& table, const QString& owner,
                                      qint64 highestPk) {
    const QString copy = damaged + QStringLiteral(".probe");
    QFile::remove(copy);
    QFile::copy(damaged, copy);
    std::map<qint64, qint64> rows;
    {
        SQLite::Database db(copy.toStdString(), SQLite::OPEN_READWRITE);
        db.exec("PRAGMA writable_schema = ON");
        SQLite::Statement read(
            db, QStringLiteral("SELECT * , %1 FROM \"%2\" WHERE pk = ?").arg(owner, table).toStdString());
        for (qint64 pk = 1; pk <= highestPk; ++pk) {
            try {
                read.tryReset(); // after a failed step, reset() would throw that failure again
                read.bind(1, static_cast<int64_t>(pk));
                if (read.executeStep())
                    rows[pk] = read.getColumn(read.getColumnCount() - 1).getInt64();
            } catch (const SQLite::Exception&) {
            }
        }
    }
    QFile::remove(copy);
    return rows;
}

int rootPage(const QString& path, const QString& name) {
    SQLite::Database db(path.toStdString(), SQLite::OPEN_READONLY);
    SQLite::Statement q(db, "SELECT rootpage FROM sqlite_master WHERE name = ?");
    q.bind(1, name.toStdString());
    return q.executeStep() ? q.getColumn(0).getInt() : 0;
}

class DamagedStore : public testing::Test {
protected:
    void SetUp() override {
        Clock::setFake(QDateTime(QDate(2026, 3, 10), QTime(9, 0), Qt::UTC));
        path = PersistenceController::defaultStorePath();
    }
    void TearDown() override {
        PersistenceController::resetShared();
        Clock::useSystem();
    }

    // A store of kGoals goals, each with its milestones and steps, closed and checkpointed;
    // saved every goalsPerSave goals, so that the tables' pages lie among each other as in a
    // store that grew over time.
    void buildStore(int goalsPerSave = kGoals) {
        PersistenceController store(false);
        ObjectContext* context = store.viewContext();
        for (int g = 0; g < kGoals; ++g) {
            auto goal = Goal::create(context);
            goal->setTitle(QStringLiteral("Goal number %1 with a title of everyday length").arg(g));
            // Notes as people write them: a few lines on why the goal matters.
            goal->setNotes(
                QStringLiteral("Why this goal matters, number %1: ").arg(g) +
                QStringLiteral("a line about the reason, the plan and the first week. ").repeated(4));
            for (int m = 0; m < kMilestonesPerGoal; ++m) {
                auto milestone = Milestone::create(context);
                milestone->setTitle(QStringLiteral("Milestone %1.%2").arg(g).arg(m));
                milestone->setGoal(goal);
                for (int s = 0; s < kStepsPerMilestone; ++s) {
                    auto step = Step::create(context);
                    step->setTitle(QStringLiteral("Step %1.%2.%3").arg(g).arg(m).arg(s));
                    step->setMilestone(milestone);
                }
            }
            if ((g + 1) % goalsPerSave == 0) {
                ASSERT_TRUE(context->save());
            }
        }
        ASSERT_TRUE(context->save());
    }

    // Overwrites one page (not the header's) with random bytes, chosen by seed among the pages
    // whose damage the check sees and a start does not meet; returns the damaged file's bytes.
    // Which page holds what varies from one built store to the next (random ids in its indexes
    // split pages differently), and damage on a page that opening reads (on the way to a table's
    // highest pk, say) is met and salvaged at the start, before any check runs.
    QByteArray damageOnePage(quint32 seed) {
        const QByteArray sound = readAll(path);
        const int pages = static_cast<int>(sound.size() / 4096);
        QRandomGenerator random(seed);
        for (int attempt = 0; attempt < 50; ++attempt) {
            const int page = 2 + random.bounded(pages - 1);
            QByteArray damaged = sound;
            for (int i = 0; i < 4096; ++i)
                damaged[(page - 1) * 4096 + i] = static_cast<char>(random.bounded(256));
            write(damaged);
            if (!StoreIntegrityCheck::run(path).sound && opensAsIs()) {
                damagedPage = page;
                return damaged;
            }
        }
        write(sound);
        ADD_FAILURE() << "no page whose damage the check sees";
        return sound;
    }
    // Whether a start opens the file without meeting its damage; tried on a copy, as opening
    // writes.
    bool opensAsIs() {
        const QString probe = path + QStringLiteral(".open-probe");
        const auto removeProbe = [&] {
            for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
                QFile::remove(probe + suffix);
            QFile::remove(StoreCore::damageMarkerPath(probe));
        };
        removeProbe();
        if (!QFile::copy(path, probe))
            return false;
        QString error;
        const bool opened = ObjectContext::open(QuorvaleModel::objectModel(), probe, &error) != nullptr;
        removeProbe();
        return opened;
    }
    // Overwrites the first page of the table's or index's tree, which every read of it passes.
    void damageRootOf(const QString& name) {
        const int root = rootPage(path, name);
        ASSERT_GT(root, 1);
        damagePages({root});
    }
    void damagePages(const std::vector<int>& pages) {
        QByteArray bytes = readAll(path);
        for (int page : pages)
            for (int i = 0; i < 4096; ++i)
                bytes[(page - 1) * 4096 + i] = static_cast<char>(0xA5);
        write(bytes);
    }
    void write(const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QStringList asideFiles() {
        return QDir(QFileInfo(path).absolutePath())
            .entryList({QStringLiteral("Quorvale.sqlite.corrupt-*")}, QDir::Files, QDir::Name);
    }
    static void waitFor(const std::function<bool()>& done) {
        const QDeadlineTimer deadline(60000);
        while (!done() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }

    QString path;
    int damagedPage = 0;
};

TEST_F(DamagedStore, TheCheckAfterStartMovesItAsideAndSalvagesNearlyEveryRecord) {
    buildStore();
    const QByteArray damaged = damageOnePage(12);
    auto store = std::make_unique<PersistenceController>(false);
    ASSERT_TRUE(store->isLoaded());
    QStringList notices;
    store->watchStore(
        [&](const QString& title, const QString& message) { notices << title + u'|' + message; });

    // The first save waits for the check and does not go into the damaged file.
    testing::internal::CaptureStdout();
    auto early = Goal::create(store->viewContext());
    early->setTitle(QStringLiteral("typed while the check ran"));
    EXPECT_FALSE(store->save());
    testing::internal::GetCapturedStdout();

    testing::internal::CaptureStderr();
    waitFor([&] { return !notices.isEmpty(); });
    const std::string said = testing::internal::GetCapturedStderr();
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].startsWith(QStringLiteral("Store Recovered|"))) << notices[0].toStdString();
    ASSERT_EQ(asideFiles().size(), 1);
    const QString aside = QFileInfo(path).absolutePath() + u'/' + asideFiles()[0];
    EXPECT_EQ(readAll(aside), damaged) << "moved aside byte for byte";
    EXPECT_TRUE(notices[0].contains(aside));
    EXPECT_NE(said.find(aside.toStdString()), std::string::npos);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
    EXPECT_TRUE(StoreIntegrityCheck::run(path).sound);

    ObjectContext* context = store->viewContext();
    const int goals = context->count(FetchRequest(Goal::entityName()));
    const int milestones = context->count(FetchRequest(Milestone::entityName()));
    const int steps = context->count(FetchRequest(Step::entityName()));
    const double share =
        double(goals + milestones + steps) / (kGoals * (1 + kMilestonesPerGoal * (1 + kStepsPerMilestone)));
    std::printf("salvaged after damage to page %d: %d goals, %d milestones, %d steps (%.2f %%)\n",
                damagedPage, goals, milestones, steps, share * 100);
    EXPECT_GE(goals, kGoals * 99 / 100);
    EXPECT_GE(milestones, kGoals * kMilestonesPerGoal * 99 / 100);
    EXPECT_GE(steps, kGoals * kMilestonesPerGoal * kStepsPerMilestone * 99 / 100);

    // Nothing of a lost owner stays behind, and no pk is given out twice.
    SQLite::Database db(path.toStdString(), SQLite::OPEN_READONLY);
    EXPECT_EQ(db.execAndGet("SELECT count(*) FROM Step WHERE milestone IS NULL OR milestone NOT IN "
                            "(SELECT pk FROM Milestone)")
                  .getInt(),
              0);
    EXPECT_EQ(
        db.execAndGet("SELECT count(*) FROM Milestone WHERE goal NOT IN (SELECT pk FROM Goal)").getInt(), 0);
    Goal::create(context);
    ASSERT_TRUE(store->save());
    EXPECT_EQ(db.execAndGet("SELECT max(pk) FROM Goal").getInt64(), kGoals + 1);
}

TEST_F(DamagedStore, OwnersLostTakeTheirCascadeAndClearTheirLinks) {
    {
        PersistenceController store(false);
        ObjectContext* context = store.viewContext();
        auto goal = Goal::create(context);
        auto kept = Goal::create(context);
        auto milestone = Milestone::create(context);
        milestone->setGoal(goal);
        Step::create(context)->setMilestone(milestone);
        DailyLog::create(context)->setGoal(goal);
        auto category = AchievementCategory::create(context);
        auto achievement = Achievement::create(context);
        achievement->setCategory(category);
        Milestone::create(context)->setGoal(kept);
        ASSERT_TRUE(context->save());
    }
    {
        // Rows lost to damage, as a salvage meets them: gone without their delete rules.
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE);
        db.exec("PRAGMA foreign_keys = OFF");
        db.exec("DELETE FROM Goal WHERE pk = 1");
        db.exec("DELETE FROM AchievementCategory");
    }
    const QString target = path + QStringLiteral(".new");
    const StoreSalvage::Report report = StoreSalvage::salvageInto(QuorvaleModel::objectModel(), path, target);
    ASSERT_TRUE(report.complete) << report.error.toStdString();
    SQLite::Database db(target.toStdString(), SQLite::OPEN_READONLY);
    EXPECT_EQ(db.execAndGet("SELECT count(*) FROM Milestone").getInt(), 1)
        << "the kept goal's milestone stays";
    EXPECT_EQ(db.execAndGet("SELECT count(*) FROM Step").getInt(), 0);
    EXPECT_EQ(db.execAndGet("SELECT count(*) FROM DailyLog").getInt(), 0);
    EXPECT_EQ(db.execAndGet("SELECT count(*) FROM Achievement WHERE category IS NULL").getInt(), 1);
    EXPECT_EQ(report.recovered.at(QStringLiteral("Goal")), 1);
    EXPECT_EQ(db.execAndGet("SELECT seq FROM sqlite_sequence WHERE name = 'Goal'").getInt(), 2);
}

TEST_F(DamagedStore, DamageMetWhileRunningStopsWritesUntilTheNextStartRepairsIt) {
    buildStore();
    // The index the steps of a milestone are found by: opening never reads it.
    damageRootOf(QStringLiteral("Step_milestone"));
    {
        PersistenceController store(false);
        ASSERT_TRUE(store.isLoaded());
        QStringList notices;
        store.watchStore([&](const QString& title, const QString&) { notices << title; });
        // Read everything the way the screens would, before the check has its say.
        ObjectContext* context = store.viewContext();
        const auto goals = context->fetch<Goal>(FetchRequest(Goal::entityName()));
        ASSERT_EQ(goals.size(), std::size_t(kGoals));
        for (const auto& milestone : goals.front()->milestonesArray())
            milestone->stepsArray();
        ASSERT_TRUE(QFile::exists(StoreCore::damageMarkerPath(path)));
        testing::internal::CaptureStdout();
        Goal::create(context);
        EXPECT_FALSE(store.save());
        testing::internal::GetCapturedStdout();
        waitFor([&] { return notices.contains(QStringLiteral("Store Damaged")); });
        EXPECT_TRUE(notices.contains(QStringLiteral("Store Damaged")));
    }
    testing::internal::CaptureStderr();
    PersistenceController next(false);
    testing::internal::GetCapturedStderr();
    ASSERT_TRUE(next.isLoaded());
    EXPECT_EQ(asideFiles().size(), 1);
    EXPECT_FALSE(QFile::exists(StoreCore::damageMarkerPath(path)));
    EXPECT_FALSE(next.createdNewStore()) << "salvaged records are the user's own";
    EXPECT_GE(next.viewContext()->count(FetchRequest(Goal::entityName())), kGoals * 99 / 100);
}

TEST_F(DamagedStore, AFileCutShortGivesBackEveryRowThatIsStillThere) {
    buildStore(20);
    const QByteArray whole = readAll(path);
    const QByteArray cut = whole.left(whole.size() / 2);
    write(cut);
    // What a lookup by pk reads in the cut file, and of that what keeps its owner.
    const auto goals = readableByPk(path, QStringLiteral("Goal"), QStringLiteral("pk"), kGoals);
    const auto milestones =
        readableByPk(path, QStringLiteral("Milestone"), QStringLiteral("goal"), kGoals * kMilestonesPerGoal);
    const auto steps = readableByPk(path, QStringLiteral("Step"), QStringLiteral("milestone"),
                                    kGoals * kMilestonesPerGoal * kStepsPerMilestone);
    int keptMilestones = 0;
    std::set<qint64> milestonesKept;
    for (const auto& [pk, goal] : milestones)
        if (goals.count(goal)) {
            ++keptMilestones;
            milestonesKept.insert(pk);
        }
    int keptSteps = 0;
    for (const auto& [pk, milestone] : steps)
        keptSteps += milestonesKept.count(milestone) ? 1 : 0;
    ASSERT_GT(goals.size(), 0u);

    testing::internal::CaptureStderr();
    PersistenceController store(false);
    testing::internal::GetCapturedStderr();
    ASSERT_TRUE(store.isLoaded()) << store.loadError().toStdString();
    QStringList notices;
    store.watchStore(
        [&](const QString& title, const QString& message) { notices << title + u'|' + message; });
    ObjectContext* context = store.viewContext();
    const int salvagedGoals = context->count(FetchRequest(Goal::entityName()));
    const int salvagedMilestones = context->count(FetchRequest(Milestone::entityName()));
    const int salvagedSteps = context->count(FetchRequest(Step::entityName()));
    const int all = kGoals * (1 + kMilestonesPerGoal * (1 + kStepsPerMilestone));
    const int readable = int(goals.size() + milestones.size() + steps.size());
    const int kept = int(goals.size()) + keptMilestones + keptSteps;
    const int salvaged = salvagedGoals + salvagedMilestones + salvagedSteps;
    std::printf("salvaged from a file cut to half: %d of %d goals, %d of %d milestones, %d of %d steps: "
                "%.2f %% of all records; a lookup by pk reads %d, of which %d keep their owner\n",
                salvagedGoals, kGoals, salvagedMilestones, kGoals * kMilestonesPerGoal, salvagedSteps,
                kGoals * kMilestonesPerGoal * kStepsPerMilestone, 100.0 * salvaged / all, readable, kept);
    EXPECT_EQ(salvagedGoals, int(goals.size()));
    EXPECT_EQ(salvagedMilestones, keptMilestones);
    EXPECT_EQ(salvagedSteps, keptSteps);
    EXPECT_FALSE(store.createdNewStore());

    ASSERT_EQ(asideFiles().size(), 1);
    EXPECT_EQ(readAll(QFileInfo(path).absolutePath() + u'/' + asideFiles()[0]), cut)
        << "the original is kept as it was";
    ASSERT_EQ(notices.size(), 1);
    for (const auto& [said, salvaged] : {std::pair(QStringLiteral("Goals"), salvagedGoals),
                                         std::pair(QStringLiteral("Milestones"), salvagedMilestones),
                                         std::pair(QStringLiteral("Steps"), salvagedSteps)})
        EXPECT_TRUE(
            notices[0].contains(QStringLiteral("\n\u2022 %1: %2").arg(said, QLocale().toString(salvaged))))
            << notices[0].toStdString();
}

TEST_F(DamagedStore, RowsPastALostPageAreFoundThroughTheIndexesWhenNothingElseSaysHowFarPksGo) {
    buildStore();
    // The goals' tree: a root over leaves. One leaf in the middle and the last one are lost, and
    // so is the record of how far each table's pks have gone: only the indexes know of the
    // goals between the two lost leaves.
    const QByteArray sound = readAll(path);
    const int root = rootPage(path, QStringLiteral("Goal"));
    const qint64 at = qint64(root - 1) * 4096;
    ASSERT_EQ(static_cast<unsigned char>(sound[at]), 0x05) << "an interior page over leaves";
    const int cells = bigEndian(sound, at + 3, 2);
    ASSERT_GT(cells, 20);
    const int middle = bigEndian(sound, at + bigEndian(sound, at + 12 + 2 * (cells / 2), 2), 4);
    const int last = bigEndian(sound, at + 8, 4);
    ASSERT_EQ(static_cast<unsigned char>(sound[qint64(middle - 1) * 4096]), 0x0D);
    damagePages({middle, last, rootPage(path, QStringLiteral("sqlite_sequence"))});
    const auto readable = readableByPk(path, QStringLiteral("Goal"), QStringLiteral("pk"), kGoals);
    ASSERT_LT(readable.size(), std::size_t(kGoals));

    const QString target = path + QStringLiteral(".new");
    const StoreSalvage::Report report = StoreSalvage::salvageInto(QuorvaleModel::objectModel(), path, target);
    ASSERT_TRUE(report.complete) << report.error.toStdString();
    EXPECT_EQ(report.recovered.at(QStringLiteral("Goal")), int(readable.size()));
    EXPECT_EQ(report.held.at(QStringLiteral("Goal")), kGoals) << "counted by a whole index";
    SQLite::Database db(target.toStdString(), SQLite::OPEN_READONLY);
    EXPECT_EQ(db.execAndGet("SELECT seq FROM sqlite_sequence WHERE name = 'Goal'").getInt(), kGoals)
        << "no pk is given out twice";
}

TEST_F(DamagedStore, ALostPageOfASmallTableIsNamedWithHowManyOfHowManyCameBack) {
    struct Kind {
        QString entity;
        QString said;
        int count;
    };
    const std::vector<Kind> kinds{{BankAccount::entityName(), QStringLiteral("Bank accounts"), 23},
                                  {CreditCard::entityName(), QStringLiteral("Credit cards"), 10},
                                  {Bill::entityName(), QStringLiteral("Bills"), 60},
                                  {TaskCategory::entityName(), QStringLiteral("Task categories"), 8}};
    {
        PersistenceController store(false);
        ObjectContext* context = store.viewContext();
        for (int g = 0; g < 300; ++g)
            Goal::create(context)->setTitle(QStringLiteral("Goal %1").arg(g));
        for (int i = 0; i < 23; ++i)
            BankAccount::create(context)->setName(QStringLiteral("Account %1").arg(i));
        for (int i = 0; i < 10; ++i)
            CreditCard::create(context)->setName(QStringLiteral("Card %1").arg(i));
        for (int i = 0; i < 60; ++i)
            Bill::create(context)->setName(QStringLiteral("Bill %1").arg(i));
        for (int i = 0; i < 8; ++i)
            TaskCategory::create(context)->setName(QStringLiteral("Category %1").arg(i));
        ASSERT_TRUE(context->save());
    }
    const QByteArray sound = readAll(path);
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.entity.toStdString());
        write(sound);
        const int root = rootPage(path, kind.entity);
        ASSERT_EQ(static_cast<unsigned char>(sound[qint64(root - 1) * 4096]), 0x0D)
            << "the table fits one page";
        damagePages({root});
        QStringList notices;
        {
            testing::internal::CaptureStderr();
            PersistenceController store(false);
            testing::internal::GetCapturedStderr();
            ASSERT_TRUE(store.isLoaded());
            store.watchStore([&](const QString&, const QString& message) { notices << message; });
            EXPECT_EQ(store.viewContext()->count(FetchRequest(kind.entity)), 0);
            EXPECT_EQ(store.viewContext()->count(FetchRequest(Goal::entityName())), 300);
        }
        ASSERT_EQ(notices.size(), 1);
        const QString message = notices[0];
        EXPECT_TRUE(message.contains(QStringLiteral("\n\u2022 ") + kind.said +
                                     QStringLiteral(": 0 of %1 saved").arg(kind.count)))
            << message.toStdString();
        EXPECT_FALSE(message.contains(QStringLiteral("Goals:"))) << "only kinds that lost records are named";
        EXPECT_TRUE(message.contains(QStringLiteral("The original was kept at %1.corrupt-").arg(path)))
            << message.toStdString();
        PersistenceController::resetShared();
        for (const QString& aside : asideFiles())
            QFile::remove(QFileInfo(path).absolutePath() + u'/' + aside);
    }
}

} // namespace
