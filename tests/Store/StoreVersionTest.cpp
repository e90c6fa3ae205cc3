// The file's format version: steps run in order and once, each whole or not at all, and a file
// of a newer build is never changed.
#include "StoreTestModel.h"

#include "Store/StoreFile.h"
#include "Store/StoreMigrations.h"
#include "Support/FileBytes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <SQLiteCpp/Database.h>

#include <stdexcept>

using namespace storetest;

namespace {

using qv::test::readAll;

int userVersion(SQLite::Database& db) {
    return db.execAndGet("PRAGMA user_version").getInt();
}

} // namespace

TEST(StoreVersion, StepsRunInOrderOnceEachInItsOwnTransaction) {
    auto model = makeModel();
    SQLite::Database db(tempPath("steps.sqlite").toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    std::vector<int> ran;
    auto step = [&ran](int n) {
        return [&ran, n](SQLite::Database& d, const ObjectModel&) {
            ran.push_back(n);
            d.exec("CREATE TABLE t" + std::to_string(n) + " (x)");
        };
    };
    const std::vector<StoreMigrations::Step> steps{step(1), step(2), step(3)};
    StoreMigrations::migrate(db, *model, 0, steps);
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(userVersion(db), 3);
    StoreMigrations::migrate(db, *model, userVersion(db), steps);
    EXPECT_EQ(ran.size(), 3u) << "a second open runs nothing";

    // A step that fails leaves the file at the version before it, with none of its changes.
    const std::vector<StoreMigrations::Step> failing{step(1), step(2), step(3),
                                                     [](SQLite::Database& d, const ObjectModel&) {
                                                         d.exec("CREATE TABLE t4 (x)");
                                                         throw std::runtime_error("step 4 failed");
                                                     }};
    EXPECT_THROW(StoreMigrations::migrate(db, *model, 3, failing), std::runtime_error);
    EXPECT_EQ(userVersion(db), 3);
    EXPECT_FALSE(db.tableExists("t4"));
}

TEST(StoreVersion, ANewStoreIsAtTheLatestVersionAndAnOlderOneIsBroughtUp) {
    auto model = makeModel();
    const QString path = tempPath("Quorvale.sqlite");
    {
        SQLite::Database old(path.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        old.exec("CREATE TABLE \"Project\" (\"pk\" INTEGER PRIMARY KEY AUTOINCREMENT, \"title\" TEXT)");
        old.exec("INSERT INTO \"Project\" (\"title\") VALUES ('kept')");
    }
    EXPECT_EQ(StoreMigrations::readVersion(path), 0);
    auto context = openStore(*model, path);
    EXPECT_EQ(context->count(FetchRequest(QStringLiteral("Project"))), 1);
    context.reset();
    EXPECT_EQ(StoreMigrations::readVersion(path), StoreMigrations::latestVersion());
    EXPECT_EQ(StoreMigrations::readVersion(tempPath("none.sqlite")), std::nullopt);
}

TEST(StoreVersion, AStoreOfANewerBuildIsLeftByteForByte) {
    auto model = makeModel();
    const QString live = tempPath("live/Quorvale.sqlite");
    QDir().mkpath(QFileInfo(live).absolutePath());
    const QString path = tempPath("Quorvale.sqlite");
    {
        // A newer build's store as it is while that build runs: records still in the log.
        SQLite::Database db(live.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        db.exec("PRAGMA journal_mode = WAL");
        db.exec("PRAGMA wal_autocheckpoint = 0");
        db.exec(
            "CREATE TABLE \"Project\" (\"pk\" INTEGER PRIMARY KEY, \"title\" TEXT, \"shiny\" TEXT NOT NULL)");
        db.exec("INSERT INTO \"Project\" VALUES (1, 'from the future', 'x')");
        db.exec("PRAGMA user_version = " + std::to_string(StoreMigrations::latestVersion() + 5));
        ASSERT_GT(QFileInfo(live + "-wal").size(), 0);
        ASSERT_TRUE(QFile::copy(live, path));
        ASSERT_TRUE(QFile::copy(live + "-wal", path + "-wal"));
    }
    const QByteArray file = readAll(path);
    const QByteArray wal = readAll(path + "-wal");

    StoreFile::Result result = StoreFile::open(*model, path);
    EXPECT_FALSE(result.context);
    EXPECT_TRUE(result.newerStore);
    EXPECT_TRUE(result.movedTo.isEmpty());
    EXPECT_TRUE(result.error.contains(QStringLiteral("newer Quorvale"))) << result.error.toStdString();
    EXPECT_EQ(StoreFile::failureLine(result), result.error);
    EXPECT_EQ(readAll(path), file);
    EXPECT_EQ(readAll(path + "-wal"), wal);
    EXPECT_EQ(QDir(QFileInfo(path).absolutePath()).entryList({"Quorvale.sqlite.*"}, QDir::Files).size(), 0);

    QString error;
    EXPECT_FALSE(ObjectContext::open(*model, path, &error));
    EXPECT_EQ(readAll(path), file);
    EXPECT_EQ(readAll(path + "-wal"), wal);
    // Both ways of opening refuse it in the same words, naming the file and both formats.
    const QString expected = QStringLiteral("Quorvale: the store %1 was written by a newer Quorvale (format "
                                            "%2; this one knows up to %3); it was left as it is")
                                 .arg(path)
                                 .arg(StoreMigrations::latestVersion() + 5)
                                 .arg(StoreMigrations::latestVersion());
    EXPECT_EQ(error, expected);
    EXPECT_EQ(result.error, expected);
    EXPECT_EQ(StoreMigrations::newerStoreRefusal(path), expected);
    // A store this build wrote, or no file at all, is no newer store.
    EXPECT_EQ(StoreMigrations::newerStoreRefusal(live + QStringLiteral(".none")), std::nullopt);
    const QString current = tempPath("current/Quorvale.sqlite");
    QDir().mkpath(QFileInfo(current).absolutePath());
    openStore(*model, current).reset();
    EXPECT_EQ(StoreMigrations::newerStoreRefusal(current), std::nullopt);
}

TEST(StoreVersion, AStoreOneFormatAheadIsRefusedAndOneOfThisFormatOpens) {
    auto model = makeModel();
    const QString path = tempPath("ahead/Quorvale.sqlite");
    QDir().mkpath(QFileInfo(path).absolutePath());
    openStore(*model, path).reset();
    {
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE);
        ASSERT_EQ(userVersion(db), StoreMigrations::latestVersion());
    }
    EXPECT_EQ(StoreMigrations::newerStoreRefusal(path), std::nullopt);
    ASSERT_TRUE(StoreFile::open(*model, path).context) << "a store of this very format opens";

    {
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE);
        db.exec("PRAGMA user_version = " + std::to_string(StoreMigrations::latestVersion() + 1));
    }
    const QByteArray file = readAll(path);
    StoreFile::Result result = StoreFile::open(*model, path);
    EXPECT_FALSE(result.context);
    EXPECT_TRUE(result.newerStore);
    EXPECT_NE(StoreMigrations::newerStoreRefusal(path), std::nullopt);
    QString error;
    EXPECT_FALSE(ObjectContext::open(*model, path, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("newer Quorvale"))) << error.toStdString();
    EXPECT_EQ(readAll(path), file);
}

TEST(StoreVersion, TheVersionOfANewerStoreIsReadWithoutMakingAnythingBesideIt) {
    auto model = makeModel();
    const QString path = tempPath("probe/Quorvale.sqlite");
    const QString folder = QFileInfo(path).absolutePath();
    QDir().mkpath(folder);
    const int newer = StoreMigrations::latestVersion() + 3;
    {
        // Closed as a newer build leaves it: in write-ahead mode, with no -wal or -shm.
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        db.exec("PRAGMA journal_mode = WAL");
        db.exec("CREATE TABLE \"Project\" (\"pk\" INTEGER PRIMARY KEY, \"title\" TEXT)");
        db.exec("PRAGMA user_version = " + std::to_string(newer));
    }
    const auto files = [&folder] {
        return QDir(folder).entryList(QDir::Files, QDir::Name).join(u' ').toStdString();
    };
    const std::string alone = "Quorvale.sqlite";
    ASSERT_EQ(files(), alone);
    EXPECT_EQ(StoreMigrations::readVersion(path), newer);
    StoreFile::Result result = StoreFile::open(*model, path);
    EXPECT_TRUE(result.newerStore);
    EXPECT_EQ(files(), alone) << "no -wal or -shm made beside it";

    // A log without its -shm (copied, or left by a crash): the version it committed counts,
    // though the file's own header still says 0, and still nothing is made.
    const QString live = tempPath("probe-live/Quorvale.sqlite");
    QDir().mkpath(QFileInfo(live).absolutePath());
    QFile::remove(path);
    {
        SQLite::Database db(live.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        db.exec("PRAGMA journal_mode = WAL");
        db.exec("PRAGMA wal_autocheckpoint = 0");
        db.exec("CREATE TABLE \"Project\" (\"pk\" INTEGER PRIMARY KEY, \"title\" TEXT)");
        db.exec("PRAGMA wal_checkpoint(TRUNCATE)");
        db.exec("PRAGMA user_version = " + std::to_string(newer)); // in the log only
        ASSERT_TRUE(QFile::copy(live, path));
        ASSERT_TRUE(QFile::copy(live + "-wal", path + "-wal"));
    }
    const std::string withLog = "Quorvale.sqlite Quorvale.sqlite-wal";
    ASSERT_EQ(files(), withLog);
    EXPECT_EQ(StoreMigrations::readVersion(path), newer);
    EXPECT_TRUE(StoreFile::open(*model, path).newerStore);
    EXPECT_EQ(files(), withLog);
}
