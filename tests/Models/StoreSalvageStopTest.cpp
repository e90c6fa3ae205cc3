// A salvage stopped at any of its steps, as a power cut stops it (the process killed there), or
// one whose step fails: the next start finishes the salvage or does it again, keeps the damaged
// original byte for byte with its log, and never shows an empty store in its place.

#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/Persistence/PersistenceController.h"
#include "Models/QuorvaleModel.h"
#include "Models/Step.h"
#include "Platform/Clock.h"
#include "Store/FetchRequest.h"
#include "Store/ObjectContext.h"
#include "Store/StoreCore.h"
#include "Store/StoreFile.h"
#include "Store/StoreSalvage.h"
#include "Support/FileBytes.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using qv::test::bigEndian;
using qv::test::readAll;
using qv::test::writeAll;

constexpr int kGoals = 2000;
constexpr int kMilestonesPerGoal = 2;
constexpr int kStepsPerMilestone = 3;
constexpr int kGoalsInLog = 40; // saved after the last checkpoint: only the -wal holds them
// The goals, milestones and steps the store held before the damage.
constexpr int kRecords = kGoals * (1 + kMilestonesPerGoal * (1 + kStepsPerMilestone)) + kGoalsInLog;

using SalvageStep = StoreSalvage::Step;
const QStringList kTables{QStringLiteral("Goal"), QStringLiteral("Milestone"), QStringLiteral("Step")};

class StoppedSalvage : public testing::Test {
protected:
    void SetUp() override {
        Clock::setFake(QDateTime(QDate(2026, 3, 10), QTime(9, 0), Qt::UTC));
        path_ = PersistenceController::defaultStorePath();
        folder_ = QFileInfo(path_).absolutePath();
    }
    void TearDown() override {
        StoreSalvage::setStepHook({});
        PersistenceController::resetShared();
        Clock::useSystem();
    }

    // The damaged files, as a run that met damage left them: a store of goals with their
    // milestones and steps, one leaf of the goals' table overwritten, the last saves only in its
    // -wal, and the damage marker.
    void buildDamagedStore() {
        {
            PersistenceController store(false);
            ObjectContext* context = store.viewContext();
            for (int g = 0; g < kGoals; ++g) {
                auto goal = Goal::create(context);
                goal->setTitle(QStringLiteral("Goal number %1").arg(g));
                goal->setNotes(
                    QStringLiteral("a line about the reason, the plan and the first week. ").repeated(4));
                for (int m = 0; m < kMilestonesPerGoal; ++m) {
                    auto milestone = Milestone::create(context);
                    milestone->setGoal(goal);
                    for (int s = 0; s < kStepsPerMilestone; ++s)
                        Step::create(context)->setMilestone(milestone);
                }
            }
            ASSERT_TRUE(context->save());
        }
        // One leaf in the middle of the goals' tree; later saves add to its end, not to it.
        QByteArray bytes = readAll(path_);
        int root = 0;
        {
            SQLite::Database db(path_.toStdString(), SQLite::OPEN_READONLY);
            root = db.execAndGet("SELECT rootpage FROM sqlite_master WHERE name = 'Goal'").getInt();
        }
        const qint64 at = qint64(root - 1) * 4096;
        ASSERT_EQ(static_cast<unsigned char>(bytes[at]), 0x05) << "an interior page over leaves";
        const int cells = bigEndian(bytes, at + 3, 2);
        const int leaf = bigEndian(bytes, at + bigEndian(bytes, at + 12 + 2 * (cells / 2), 2), 4);

        {
            PersistenceController store(false);
            ObjectContext* context = store.viewContext();
            for (int g = 0; g < kGoalsInLog; ++g)
                Goal::create(context)->setTitle(QStringLiteral("Goal saved into the log %1").arg(g));
            ASSERT_TRUE(context->save());
            // The files as a process killed now leaves them: closing would checkpoint the log.
            for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
                damaged_[suffix] = readAll(path_ + suffix);
        }
        ASSERT_FALSE(damaged_[QStringLiteral("-wal")].isEmpty());
        sound_ = damaged_[QString()];
        for (int i = 0; i < 4096; ++i)
            damaged_[QString()][qint64(leaf - 1) * 4096 + i] = static_cast<char>(0xA5);
        restoreDamagedStore();
        readable_ = readableByPk();
    }

    // Every file of the folder removed, then the damaged files and their marker put back.
    void restoreDamagedStore() {
        QDir dir(folder_);
        for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
            ASSERT_TRUE(dir.remove(name)) << name.toStdString();
        for (const auto& [suffix, bytes] : damaged_)
            ASSERT_NO_FATAL_FAILURE(writeAll(path_ + suffix, bytes));
        StoreCore::leaveDamageMarker(path_, QStringLiteral("database disk image is malformed"));
    }

    // The rows of the three tables a lookup by pk reads in a copy of the damaged files.
    int readableByPk() {
        const QString probe = QDir::tempPath() + QStringLiteral("/qv-stop-probe-%1.sqlite").arg(::getpid());
        for (const QString& suffix : {QString(), QStringLiteral("-wal")}) {
            QFile::remove(probe + suffix);
            writeAll(probe + suffix, damaged_[suffix]);
        }
        int rows = 0;
        {
            SQLite::Database db(probe.toStdString(), SQLite::OPEN_READWRITE);
            db.exec("PRAGMA writable_schema = ON");
            const std::map<QString, int> highest{
                {QStringLiteral("Goal"), kGoals + kGoalsInLog},
                {QStringLiteral("Milestone"), kGoals * kMilestonesPerGoal},
                {QStringLiteral("Step"), kGoals * kMilestonesPerGoal * kStepsPerMilestone}};
            for (const auto& [table, most] : highest) {
                SQLite::Statement read(
                    db, QStringLiteral("SELECT pk FROM %1 WHERE pk = ?").arg(table).toStdString());
                for (int pk = 1; pk <= most; ++pk) {
                    try {
                        read.tryReset();
                        read.bind(1, pk);
                        rows += read.executeStep() ? 1 : 0;
                    } catch (const SQLite::Exception&) {
                    }
                }
            }
        }
        for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
            QFile::remove(probe + suffix);
        return rows;
    }

    // StoreFile::open in a child process that is killed before the given step, as a power cut
    // would stop it; false when the salvage ended without reaching that step.
    bool startKilledAt(SalvageStep step) {
        const pid_t child = fork();
        if (child == 0) {
            StoreSalvage::setStepHook([step](SalvageStep now) {
                if (now == step)
                    ::kill(::getpid(), SIGKILL);
                return true;
            });
            std::fclose(stderr); // the child's lines are not this test's
            StoreFile::open(QuorvaleModel::objectModel(), path_);
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    }

    // The damaged originals kept aside, without their logs and shared memory.
    QStringList originals() const {
        QStringList kept;
        for (const QString& name : QDir(folder_).entryList({QStringLiteral("Quorvale.sqlite.corrupt-*")}))
            if (!name.endsWith(QStringLiteral("-wal")) && !name.endsWith(QStringLiteral("-shm")))
                kept << name;
        return kept;
    }

    // The next start: the salvaged store, with what the alert says (its titles in notices, its
    // messages in messages); fails the test when the start is refused. Returns the records of the
    // three tables it shows.
    int nextStart(QStringList* notices, QStringList* messages = nullptr) {
        testing::internal::CaptureStderr();
        PersistenceController store(false);
        testing::internal::GetCapturedStderr();
        EXPECT_TRUE(store.isLoaded()) << store.loadError().toStdString();
        if (!store.isLoaded())
            return -1;
        store.watchStore([&](const QString& title, const QString& message) {
            *notices << title;
            if (messages)
                *messages << message;
        });
        int records = 0;
        for (const QString& table : kTables)
            records += store.viewContext()->count(FetchRequest(table));
        return records;
    }

    // After a salvage that was stopped or failed, the next start has the salvaged store, says
    // so, and keeps the original byte for byte with its log; the one after it is quiet.
    void expectNextStartsSalvaged(const char* what) {
        SCOPED_TRACE(what);
        QStringList notices;
        const int kept = nextStart(&notices);
        std::printf("%s: the next start shows %d records; a lookup by pk reads %d in the damaged file "
                    "(%.2f %%)\n",
                    what, kept, readable_, 100.0 * kept / readable_);
        EXPECT_GE(kept, readable_ * 99 / 100) << "never an empty store";
        EXPECT_EQ(notices, QStringList{QStringLiteral("Store Recovered")});
        const QStringList kept_ = originals();
        ASSERT_EQ(kept_.size(), 1) << kept_.join(u' ').toStdString();
        const QString original = folder_ + u'/' + kept_[0];
        EXPECT_TRUE(readAll(original) == damaged_[QString()]) << "the original is kept as it was";
        EXPECT_TRUE(readAll(original + QStringLiteral("-wal")) == damaged_[QStringLiteral("-wal")])
            << "with its own log";
        EXPECT_EQ(QDir(folder_).entryList({QStringLiteral("*.salvage-*"), QStringLiteral("*.damaged")}),
                  QStringList());

        notices.clear();
        EXPECT_EQ(nextStart(&notices), kept) << "the start after that opens the same store";
        EXPECT_TRUE(notices.isEmpty()) << notices.join(u',').toStdString();
        EXPECT_EQ(originals().size(), 1);
    }

    // The files of the folder whose names match.
    QStringList named(const QString& pattern) const {
        return QDir(folder_).entryList({pattern},
                                       QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    // A salvage killed as it was about to put its copy in place: every damaged file moved aside,
    // the plan and the whole copy beside the empty store's path.
    void killBeforePlace() {
        ASSERT_NO_FATAL_FAILURE(restoreDamagedStore());
        ASSERT_TRUE(startKilledAt(SalvageStep::place));
        ASSERT_FALSE(QFile::exists(path_));
        ASSERT_TRUE(QFile::exists(copy()));
    }
    QString copy() const { return path_ + QStringLiteral(".salvage-new"); }
    QString plan() const { return path_ + QStringLiteral(".salvage-plan"); }

    QString path_;
    QString folder_;
    std::map<QString, QByteArray> damaged_;
    QByteArray sound_; // the store before its leaf was damaged, as a backup holds it
    int readable_ = 0;
};

// Ends the test program, saying why, when a start is still running after 2 minutes: it is
// waiting on a file, and would wait for ever. (A salvage of these records takes seconds, several
// on a busy machine: the bound only tells a start that never ends from a slow one.)
class HangGuard {
public:
    HangGuard()
        : watch_([this] {
              std::unique_lock lock(mutex_);
              if (!done_.wait_for(lock, std::chrono::minutes(2), [this] { return ended_; })) {
                  std::printf("the start is still running after 2 minutes: it waits on a file\n");
                  std::fflush(stdout);
                  std::_Exit(1);
              }
          }) {}
    ~HangGuard() {
        {
            const std::lock_guard lock(mutex_);
            ended_ = true;
        }
        done_.notify_one();
        watch_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool ended_ = false;
    std::thread watch_;
};

} // namespace

TEST_F(StoppedSalvage, KilledAtAnyStepTheNextStartFinishesOrRedoesTheSalvage) {
    ASSERT_NO_FATAL_FAILURE(buildDamagedStore());
    ASSERT_GT(readable_, 17000) << "one leaf of goals lost, the rest readable";
    for (int index = 0; index < StoreSalvage::kSteps; ++index) {
        const SalvageStep step = SalvageStep(index);
        ASSERT_NO_FATAL_FAILURE(restoreDamagedStore());
        ASSERT_TRUE(startKilledAt(step)) << "the salvage reaches " << StoreSalvage::stepName(step);
        const std::string what = std::string("killed before ") + StoreSalvage::stepName(step);
        ASSERT_NO_FATAL_FAILURE(expectNextStartsSalvaged(what.c_str()));
    }
    // An older build that wrote no plan, stopped where it left an empty store behind: the
    // store moved aside, its log not, the salvaged copy beside them.
    ASSERT_NO_FATAL_FAILURE(restoreDamagedStore());
    ASSERT_TRUE(startKilledAt(SalvageStep::moveLog));
    ASSERT_TRUE(QFile::remove(path_ + QStringLiteral(".salvage-plan")));
    ASSERT_FALSE(QFile::exists(path_));
    ASSERT_TRUE(QFile::exists(path_ + QStringLiteral("-wal")));
    expectNextStartsSalvaged("killed before moveLog, with no plan");
}

TEST_F(StoppedSalvage, AStepThatFailsLeavesTheDamagedFilesAsTheyWereAndTheNextStartSalvages) {
    ASSERT_NO_FATAL_FAILURE(buildDamagedStore());
    const QByteArray marker = readAll(StoreCore::damageMarkerPath(path_));
    // The copy of the log failing (the salvage must not be built from a part of the store),
    // the move aside stopping half-way (what moved is put back), and the new store not going in.
    for (const SalvageStep failing : {SalvageStep::copyLog, SalvageStep::moveLog, SalvageStep::place}) {
        SCOPED_TRACE(StoreSalvage::stepName(failing));
        ASSERT_NO_FATAL_FAILURE(restoreDamagedStore());
        StoreSalvage::setStepHook([failing](SalvageStep now) { return now != failing; });
        testing::internal::CaptureStderr();
        StoreFile::Result result = StoreFile::open(QuorvaleModel::objectModel(), path_);
        const std::string said = testing::internal::GetCapturedStderr();
        StoreSalvage::setStepHook({});
        EXPECT_FALSE(result.context) << "no store, empty or part-built, takes its place";
        EXPECT_TRUE(result.salvage.retryLater);
        EXPECT_TRUE(StoreFile::failureLine(result).contains(QStringLiteral("the next start will try again")))
            << StoreFile::failureLine(result).toStdString();
        EXPECT_NE(said.find("left where it is"), std::string::npos) << said;
        std::map<QString, QByteArray> now;
        for (const QString& name : QDir(folder_).entryList(QDir::Files | QDir::Hidden | QDir::System))
            now[name] = readAll(folder_ + u'/' + name);
        std::map<QString, QByteArray> before;
        for (const auto& [suffix, bytes] : damaged_)
            before[QStringLiteral("Quorvale.sqlite") + suffix] = bytes;
        before[QStringLiteral("Quorvale.sqlite.damaged")] = marker;
        EXPECT_TRUE(now == before) << "the damaged files and their marker, as they were, and nothing else";
        ASSERT_NO_FATAL_FAILURE(expectNextStartsSalvaged(StoreSalvage::stepName(failing)));
    }
}

TEST_F(StoppedSalvage, ACopyCutShortOrNotAFileIsSetAsideAndTheSalvageDoneAgainFromTheOriginal) {
    ASSERT_NO_FATAL_FAILURE(buildDamagedStore());
    const auto cutShort = [this] {
        QFile file(copy());
        return file.resize(file.size() / 2);
    };
    const auto pipe = [this] {
        return QFile::remove(copy()) && ::mkfifo(QFile::encodeName(copy()), 0600) == 0;
    };
    const auto folder = [this] { return QFile::remove(copy()) && QDir().mkdir(copy()); };
    const auto socket = [this] {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, QFile::encodeName(copy()).constData(), sizeof address.sun_path - 1);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool bound = QFile::remove(copy()) &&
                           ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        ::close(fd);
        return bound;
    };
    const std::vector<std::pair<const char*, std::function<bool()>>> faults{
        {"a copy cut short", cutShort}, {"a pipe", pipe}, {"a folder", folder}, {"a socket", socket}};
    for (const auto& [what, makeFault] : faults) {
        SCOPED_TRACE(what);
        ASSERT_NO_FATAL_FAILURE(killBeforePlace());
        ASSERT_TRUE(makeFault());
        QStringList notices;
        QStringList messages;
        QElapsedTimer started;
        started.start();
        int kept = 0;
        {
            const HangGuard guard;
            kept = nextStart(&notices, &messages);
        }
        std::printf(
            "%s as the salvaged copy: the start took %lld ms and shows %d of the %d records the store "
            "held before the damage (%.2f %%)\n",
            what, started.elapsed(), kept, kRecords, 100.0 * kept / kRecords);
        EXPECT_GE(kept, kRecords * 97 / 100);
        struct stat info {};
        ASSERT_EQ(::lstat(QFile::encodeName(path_).constData(), &info), 0);
        EXPECT_TRUE(S_ISREG(info.st_mode)) << "nothing but a store goes to the store's path";
        const QStringList setAside = named(QStringLiteral("Quorvale.sqlite.salvage-new.set-aside-*"));
        ASSERT_EQ(setAside.size(), 1) << "the copy is kept, not deleted";
        ASSERT_EQ(notices, QStringList{QStringLiteral("Store Recovered")});
        ASSERT_EQ(originals().size(), 1);
        const QString original = folder_ + u'/' + originals()[0];
        EXPECT_TRUE(readAll(original) == damaged_[QString()]) << "the original is kept as it was";
        // Each file named for what it is.
        EXPECT_TRUE(messages[0].contains(QStringLiteral("The original was kept at %1.").arg(original)))
            << messages[0].toStdString();
        EXPECT_TRUE(messages[0].contains(QStringLiteral("The salvaged copy %1 was not used").arg(copy())));
        EXPECT_TRUE(messages[0].contains(QStringLiteral("set aside at %1/%2.").arg(folder_, setAside[0])))
            << messages[0].toStdString();

        notices.clear();
        EXPECT_EQ(nextStart(&notices), kept) << "the start after that opens the same store";
        EXPECT_TRUE(notices.isEmpty()) << notices.join(u',').toStdString();
        for (const QString& name : setAside)
            QDir(folder_ + u'/' + name).removeRecursively();
    }
}

TEST_F(StoppedSalvage, ASoundStorePutAtThePathSinceKeepsItsRecordsAndTheLeftoversAreSetAside) {
    ASSERT_NO_FATAL_FAILURE(buildDamagedStore());
    // A store made since (by an older build that knew nothing of the plan), and worked in: its
    // goals, or a single record in the table made last, which any row of any table makes one to keep.
    struct Case {
        const char* what;
        int goals;
    };
    for (const Case& c : {Case{"goals", 5}, Case{"one record, in the last table", 0}}) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(killBeforePlace());
        const QString made = folder_ + QStringLiteral("/made-since.sqlite");
        {
            QString error;
            auto context = ObjectContext::open(QuorvaleModel::objectModel(), made, &error);
            ASSERT_TRUE(context) << error.toStdString();
            for (int g = 0; g < c.goals; ++g)
                Goal::create(context.get())->setTitle(QStringLiteral("Goal made since %1").arg(g));
            ASSERT_TRUE(context->save());
        }
        std::string last;
        {
            SQLite::Database db(made.toStdString(), SQLite::OPEN_READWRITE);
            last = db.execAndGet("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
                                 "'sqlite_%' ORDER BY rowid DESC LIMIT 1")
                       .getString();
            if (c.goals == 0)
                db.exec("INSERT INTO \"" + last + "\" DEFAULT VALUES");
        }
        ASSERT_TRUE(QFile::rename(made, path_));
        for (int start = 0; start < 2; ++start) {
            SCOPED_TRACE(start);
            QStringList notices;
            QStringList messages;
            EXPECT_EQ(nextStart(&notices, &messages), c.goals) << "the store's own goals";
            {
                SQLite::Database db(path_.toStdString(), SQLite::OPEN_READONLY);
                EXPECT_EQ(db.execAndGet("SELECT COUNT(*) FROM \"" + last + "\"").getInt(),
                          c.goals == 0 ? 1 : 0)
                    << "the store's own record";
            }
            const QStringList copies = named(QStringLiteral("Quorvale.sqlite.salvage-new.set-aside-*"));
            const QStringList plans = named(QStringLiteral("Quorvale.sqlite.salvage-plan.set-aside-*"));
            ASSERT_EQ(copies.size(), 1);
            ASSERT_EQ(plans.size(), 1);
            if (start == 0) {
                // No salvage to tell of, but what was set aside is named where it is.
                ASSERT_EQ(notices, QStringList{QStringLiteral("Files Set Aside")});
                for (const QString& name : {copies[0], plans[0]})
                    EXPECT_TRUE(
                        messages[0].contains(QStringLiteral("set aside at %1/%2.").arg(folder_, name)))
                        << messages[0].toStdString();
            } else {
                EXPECT_TRUE(notices.isEmpty()) << notices.join(u',').toStdString();
            }
            ASSERT_EQ(originals().size(), 1) << "only the damaged original is kept as damaged";
            EXPECT_TRUE(readAll(folder_ + u'/' + originals()[0]) == damaged_[QString()]);
        }
    }
}

TEST_F(StoppedSalvage, APlanIsReadOnlyAsWrittenAndOneThatCannotBeReadIsSetAside) {
    ASSERT_NO_FATAL_FAILURE(buildDamagedStore());
    struct Case {
        const char* what;
        QByteArray from;
        QByteArray to;
        bool readable; // followed, its copy put in place
    };
    const std::vector<Case> cases{
        {"an aside name leading out of the folder", "aside\tQuorvale", "aside\t../Quorvale", false},
        {"a count that is no number", "recovered\tGoal\t", "recovered\tGoal\tmany", false},
        {"a count the damaged store could not tell", "held\tGoal\t", "held\tGoal\t-", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(killBeforePlace());
        QByteArray text = readAll(plan());
        ASSERT_TRUE(text.contains(c.from));
        const qsizetype line = text.indexOf(c.from);
        text.replace(line, text.indexOf('\n', line) - line, c.to);
        ASSERT_NO_FATAL_FAILURE(writeAll(plan(), text));
        QStringList notices;
        QStringList messages;
        EXPECT_GE(nextStart(&notices, &messages), readable_ * 99 / 100);
        ASSERT_EQ(notices, QStringList{QStringLiteral("Store Recovered")});
        EXPECT_EQ(named(QStringLiteral("Quorvale.sqlite.salvage-plan.set-aside-*")).size(),
                  c.readable ? 0 : 1)
            << "a plan that cannot be read is kept aside, not followed";
        EXPECT_EQ(named(QStringLiteral("Quorvale.sqlite.salvage-new.set-aside-*")).size(), 0);
        EXPECT_EQ(originals().size(), 1);
        if (c.readable) {
            EXPECT_TRUE(messages[0].contains(QStringLiteral("\n\u2022 Goals: ")) &&
                        messages[0].contains(QStringLiteral(" saved; count unreadable")))
                << messages[0].toStdString();
        }
        for (const QString& name : named(QStringLiteral("Quorvale.sqlite.salvage-plan.set-aside-*")))
            QFile::remove(folder_ + u'/' + name);
    }
}

TEST_F(StoppedSalvage, WithoutAStoreTheNewestOriginalIsSalvagedNeverALogKeptAsideAlone) {
    ASSERT_NO_FATAL_FAILURE(buildDamagedStore());
    const QString base = path_ + QStringLiteral(".corrupt-");
    // The newest: the tenth made in its second, which sorts before the second one as text.
    for (const QString& suffix : {QString(), QStringLiteral("-wal")})
        ASSERT_TRUE(QFile::rename(path_ + suffix, base + QStringLiteral("20260309-120000-10") + suffix));
    QFile::remove(path_ + QStringLiteral("-shm"));
    for (const char* older : {"20260309-120000-2", "20260309-120000", "20260308-235959-3"})
        ASSERT_NO_FATAL_FAILURE(
            writeAll(base + QLatin1String(older), "an older store, not the one to salvage"));
    ASSERT_NO_FATAL_FAILURE(
        writeAll(base + QStringLiteral("20260310-080000-wal"), damaged_[QStringLiteral("-wal")]));
    QStringList notices;
    QStringList messages;
    EXPECT_GE(nextStart(&notices, &messages), readable_ * 99 / 100);
    ASSERT_EQ(notices, QStringList{QStringLiteral("Store Recovered")});
    EXPECT_TRUE(
        messages[0].contains(QStringLiteral("The original was kept at %1.").arg(base + "20260309-120000-10")))
        << messages[0].toStdString();
}

TEST_F(StoppedSalvage, AStopBeforeTheMovesLeavesTheCheckToSayWhatIsAtThePathAndNamesWhereTheOriginalWent) {
    ASSERT_NO_FATAL_FAILURE(buildDamagedStore());
    const auto asideInPlan = [this] {
        const QByteArray text = readAll(plan());
        const qsizetype at = text.indexOf("aside\t") + 6;
        return folder_ + u'/' + QString::fromUtf8(text.mid(at, text.indexOf('\n', at) - at));
    };
    struct Case {
        const char* what;
        std::function<void()> change; // made after the stop, before the next start
        bool backup;                  // the store at the path is a sound backup, to be kept whole
        // The start that meets the change stopped in turn there, and the one after it checked.
        std::optional<SalvageStep> stopAt = std::nullopt;
    };
    const std::vector<Case> cases{
        // Copied back with `cp -a`: the same inode, the backup's bytes and times, the same size.
        {"a backup copied back over the damaged store, keeping its identity",
         [this] {
             struct stat before {};
             ASSERT_EQ(::stat(QFile::encodeName(path_).constData(), &before), 0);
             ASSERT_NO_FATAL_FAILURE(writeAll(path_, sound_));
             const timespec times[2] = {before.st_atim, before.st_mtim};
             ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path_).constData(), times, 0), 0);
         },
         true},
        {"a file already at the name the plan keeps the original under",
         [&] { ASSERT_NO_FATAL_FAILURE(writeAll(asideInPlan(), "someone else's file")); }, false},
        // The original moved under a name of its own: the plan names it before it goes.
        {"a file at the plan's name for the original, the start meeting it stopped before it puts the copy "
         "in place",
         [&] { ASSERT_NO_FATAL_FAILURE(writeAll(asideInPlan(), "someone else's file")); }, false,
         SalvageStep::place},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(restoreDamagedStore());
        ASSERT_TRUE(startKilledAt(SalvageStep::moveStore));
        ASSERT_TRUE(QFile::exists(plan()));
        const QString planned = asideInPlan();
        ASSERT_NO_FATAL_FAILURE(c.change());
        if (c.stopAt) {
            ASSERT_TRUE(startKilledAt(*c.stopAt));
        }
        QStringList notices;
        QStringList messages;
        const int kept = nextStart(&notices, &messages);
        ASSERT_EQ(notices.size(), 1);
        if (c.backup) {
            EXPECT_EQ(kept, kRecords) << "every record of the backup, none set aside as damaged";
            EXPECT_TRUE(originals().isEmpty()) << originals().join(u' ').toStdString();
            EXPECT_EQ(notices[0], QStringLiteral("Files Set Aside"));
            EXPECT_EQ(named(QStringLiteral("Quorvale.sqlite.salvage-new.set-aside-*")).size(), 1);
        } else {
            EXPECT_GE(kept, readable_ * 99 / 100);
            EXPECT_EQ(notices[0], QStringLiteral("Store Recovered"));
            EXPECT_EQ(readAll(planned), "someone else's file");
            const QStringList kept_ = originals();
            ASSERT_EQ(kept_.size(), 2) << kept_.join(u' ').toStdString();
            const QString original =
                folder_ + u'/' + kept_[kept_[0] == QFileInfo(planned).fileName() ? 1 : 0];
            EXPECT_TRUE(readAll(original) == damaged_[QString()]);
            EXPECT_TRUE(readAll(original + QStringLiteral("-wal")) == damaged_[QStringLiteral("-wal")])
                << "with its own log";
            EXPECT_TRUE(messages[0].contains(QStringLiteral("The original was kept at %1.").arg(original)))
                << messages[0].toStdString();
            QFile::remove(planned);
        }
        notices.clear();
        EXPECT_EQ(nextStart(&notices), kept) << "the start after that opens the same store";
        EXPECT_TRUE(notices.isEmpty()) << notices.join(u',').toStdString();
    }
}

TEST_F(StoppedSalvage, WithoutAPlanTheCopyIsCheckedEveryMoveMustGoAndAnEmptyStoreNeverWins) {
    ASSERT_NO_FATAL_FAILURE(buildDamagedStore());
    const QString foreignLog = QStringLiteral("a log that is none of the copy's");
    const auto dropOriginals = [this] {
        for (const QString& name : named(QStringLiteral("Quorvale.sqlite.corrupt-*")))
            ASSERT_TRUE(QFile::remove(folder_ + u'/' + name));
    };
    struct Case {
        const char* what;
        std::function<void()> change; // after the stop, with the plan gone
        std::function<void()> check;  // after the next start; the records are checked by all
    };
    QStringList notices;
    QStringList messages;
    const std::vector<Case> cases{
        {"a copy cut short, with no original left to salvage again",
         [&] {
             ASSERT_NO_FATAL_FAILURE(dropOriginals());
             QFile file(copy());
             ASSERT_TRUE(file.resize(file.size() / 2));
         },
         [&] {
             const QStringList setAside = named(QStringLiteral("Quorvale.sqlite.salvage-new.set-aside-*"));
             ASSERT_EQ(setAside.size(), 1) << "the cut copy is kept, and its records salvaged from it";
             EXPECT_TRUE(
                 messages[0].contains(QStringLiteral("set aside at %1/%2.").arg(folder_, setAside[0])))
                 << messages[0].toStdString();
         }},
        {"a log at the path that cannot be moved aside",
         [&] {
             ASSERT_NO_FATAL_FAILURE(dropOriginals());
             ASSERT_NO_FATAL_FAILURE(writeAll(path_ + QStringLiteral("-wal"), foreignLog.toUtf8()));
             StoreSalvage::setStepHook([](SalvageStep now) { return now != SalvageStep::moveLog; });
             testing::internal::CaptureStderr();
             const StoreFile::Result refused = StoreFile::open(QuorvaleModel::objectModel(), path_);
             testing::internal::GetCapturedStderr();
             StoreSalvage::setStepHook({});
             EXPECT_FALSE(refused.context) << "never a store opened beside a log not its own";
             EXPECT_TRUE(refused.salvage.retryLater);
             EXPECT_FALSE(QFile::exists(path_));
             EXPECT_EQ(readAll(path_ + QStringLiteral("-wal")), foreignLog.toUtf8());
             EXPECT_TRUE(QFile::exists(copy()));
         },
         [&] {
             const QStringList moved = named(QStringLiteral("Quorvale.sqlite.corrupt-*-wal"));
             ASSERT_EQ(moved.size(), 1);
             EXPECT_EQ(readAll(folder_ + u'/' + moved[0]), foreignLog.toUtf8());
             EXPECT_TRUE(messages[0].contains(QStringLiteral("was moved to %1/%2.").arg(folder_, moved[0])))
                 << messages[0].toStdString();
         }},
        {"a shared memory and a journal at the path, none of the copy's",
         [&] {
             ASSERT_NO_FATAL_FAILURE(dropOriginals());
             for (const QString& suffix : {QStringLiteral("-shm"), QStringLiteral("-journal")})
                 ASSERT_NO_FATAL_FAILURE(writeAll(path_ + suffix, (foreignLog + suffix).toUtf8()));
         },
         [&] {
             for (const QString& suffix : {QStringLiteral("-shm"), QStringLiteral("-journal")}) {
                 SCOPED_TRACE(suffix.toStdString());
                 const QStringList moved = named(QStringLiteral("Quorvale.sqlite.corrupt-*") + suffix);
                 ASSERT_EQ(moved.size(), 1) << "moved aside before the copy went in place";
                 EXPECT_EQ(readAll(folder_ + u'/' + moved[0]), (foreignLog + suffix).toUtf8());
             }
         }},
        {"an empty store made at the path since",
         [&] {
             QString error;
             ASSERT_TRUE(ObjectContext::open(QuorvaleModel::objectModel(), path_, &error))
                 << error.toStdString();
         },
         [&] {
             const QStringList setAside = named(QStringLiteral("Quorvale.sqlite.set-aside-*"))
                                              .filter(QRegularExpression(QStringLiteral("\\d$")));
             ASSERT_EQ(setAside.size(), 1) << "the store, with its log and shared memory if any";
             EXPECT_TRUE(
                 messages[0].contains(QStringLiteral("An empty store found at %1 was set aside at %2/%3.")
                                          .arg(path_, folder_, setAside[0])))
                 << messages[0].toStdString();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(killBeforePlace());
        ASSERT_TRUE(QFile::remove(plan()));
        ASSERT_NO_FATAL_FAILURE(c.change());
        notices.clear();
        messages.clear();
        const int kept = nextStart(&notices, &messages);
        std::printf("%s: the next start shows %d of the %d records a lookup by pk reads (%.2f %%)\n", c.what,
                    kept, readable_, 100.0 * kept / readable_);
        ASSERT_EQ(notices, QStringList{QStringLiteral("Store Recovered")});
        EXPECT_GE(kept, readable_ / 10) << "never an empty store in place of salvaged records";
        ASSERT_NO_FATAL_FAILURE(c.check());
        notices.clear();
        EXPECT_EQ(nextStart(&notices), kept) << "the start after that opens the same store";
        EXPECT_TRUE(notices.isEmpty()) << notices.join(u',').toStdString();
    }
}

// A start that finishes a stopped salvage, itself stopped at any of its steps: the start after it
// opens the salvaged store, never taking it for a damaged one. Nothing but the marker tells them
// apart when there is no plan, so it goes before the copy is put in place; with a plan, before the
// plan.
TEST_F(StoppedSalvage, AStartFinishingASalvageStoppedInTurnNeverSalvagesTheSalvagedStoreAgain) {
    ASSERT_NO_FATAL_FAILURE(buildDamagedStore());
    const QString marker = StoreCore::damageMarkerPath(path_);
    for (const bool withPlan : {true, false}) {
        for (const SalvageStep step : {SalvageStep::place, SalvageStep::finish, SalvageStep::dropPlan}) {
            const std::string what =
                std::string(withPlan ? "with its plan" : "an older build's, without one") +
                ", stopped before " + StoreSalvage::stepName(step);
            SCOPED_TRACE(what);
            ASSERT_NO_FATAL_FAILURE(killBeforePlace());
            if (!withPlan) {
                // Its original gone since: the copy is all there is.
                ASSERT_TRUE(QFile::remove(plan()));
                for (const QString& name : named(QStringLiteral("Quorvale.sqlite.corrupt-*")))
                    ASSERT_TRUE(QFile::remove(folder_ + u'/' + name));
            }
            const QStringList kept = originals();
            if (startKilledAt(step)) {
                if (step == SalvageStep::place && !withPlan) {
                    EXPECT_FALSE(QFile::exists(marker))
                        << "the marker is still there as the copy goes in place";
                }
                if (step == SalvageStep::dropPlan) {
                    EXPECT_FALSE(QFile::exists(marker)) << "the plan goes before the marker";
                    EXPECT_TRUE(QFile::exists(plan()));
                }
            }
            QStringList notices;
            EXPECT_GE(nextStart(&notices), readable_ * 99 / 100);
            EXPECT_EQ(originals().join(u' ').toStdString(), kept.join(u' ').toStdString())
                << "the salvaged store was salvaged again, as a damaged one";
            EXPECT_EQ(named(QStringLiteral("Quorvale.sqlite.damaged")) +
                          named(QStringLiteral("Quorvale.sqlite.salvage-*")),
                      QStringList());
        }
    }
}

// What a start set aside of a stopped salvage is told with the salvage the same start then makes:
// of the damaged store at the path (its marker), or of the newest original when none is there.
TEST_F(StoppedSalvage, WhatAStartSetAsideIsToldWithTheSalvageItMakesNext) {
    ASSERT_NO_FATAL_FAILURE(buildDamagedStore());
    for (const bool storeAtPath : {true, false}) {
        SCOPED_TRACE(storeAtPath ? "the damaged store at the path" : "its original kept aside");
        ASSERT_NO_FATAL_FAILURE(restoreDamagedStore());
        if (!storeAtPath) {
            const QString original = path_ + QStringLiteral(".corrupt-20260309-120000");
            for (const QString& suffix : {QString(), QStringLiteral("-wal")})
                ASSERT_TRUE(QFile::rename(path_ + suffix, original + suffix));
            ASSERT_TRUE(QFile::remove(path_ + QStringLiteral("-shm")));
        }
        // A salvaged copy that is no file, left by a salvage long gone.
        ASSERT_TRUE(QDir().mkdir(copy()));
        QStringList notices;
        QStringList messages;
        EXPECT_GE(nextStart(&notices, &messages), readable_ * 99 / 100);
        ASSERT_EQ(notices, QStringList{QStringLiteral("Store Recovered")});
        const QStringList setAside = named(QStringLiteral("Quorvale.sqlite.salvage-new.set-aside-*"));
        ASSERT_EQ(setAside.size(), 1);
        EXPECT_TRUE(messages[0].contains(QStringLiteral("The salvaged copy %1 was not used").arg(copy())) &&
                    messages[0].contains(QStringLiteral("set aside at %1/%2.").arg(folder_, setAside[0])))
            << messages[0].toStdString();
        QDir(folder_ + u'/' + setAside[0]).removeRecursively();
    }
}
