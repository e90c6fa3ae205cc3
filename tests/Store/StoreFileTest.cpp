#include "StoreTestModel.h"

#include "Store/FetchRequest.h"
#include "Store/StoreFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <sqlite3.h>

#include <unistd.h>

using namespace storetest;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Random bytes drawn from seed; the calling test names the seed, so a failure can be replayed.
QByteArray randomBytes(int size, quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (auto& b : bytes)
        b = static_cast<char>(random.bounded(256));
    return bytes;
}

quint32 freshSeed() {
    return QRandomGenerator::global()->generate();
}

void fillStore(const ObjectModel& model, const QString& path, int projects) {
    auto context = openStore(model, path);
    ASSERT_TRUE(context);
    for (int i = 0; i < projects; ++i) {
        auto p = context->insert<Project>();
        p->setName(QStringLiteral("project %1 ").arg(i).repeated(8));
    }
    ASSERT_TRUE(context->save());
}

// Files beside the store whose name starts with the moved-aside prefix.
QStringList asideFiles(const QString& path) {
    const QFileInfo info(path);
    return QDir(info.absolutePath())
        .entryList({info.fileName() + QStringLiteral(".corrupt-*")}, QDir::Files, QDir::Name);
}

} // namespace

TEST(StoreFile, AFileOfRandomBytesIsMovedAsideByteForByteAndANewStoreMade) {
    auto model = makeModel();
    const QString path = tempPath("Quorvale.sqlite");
    const quint32 seed = freshSeed();
    SCOPED_TRACE(testing::Message() << "random bytes from seed " << seed);
    const QByteArray garbage = randomBytes(8192, seed);
    writeAll(path, garbage);
    writeAll(path + "-shm", "shm bytes");

    testing::internal::CaptureStderr();
    StoreFile::Result result = StoreFile::open(*model, path);
    const std::string said = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(result.context) << result.error.toStdString();
    EXPECT_EQ(result.context->count(FetchRequest("Project")), 0);
    ASSERT_FALSE(result.movedTo.isEmpty());
    EXPECT_EQ(readAll(result.movedTo), garbage);
    EXPECT_EQ(readAll(result.movedTo + "-shm"), QByteArray("shm bytes"));
    EXPECT_NE(said.find(result.movedTo.toStdString()), std::string::npos);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
}

TEST(StoreFile, ATruncatedStoreIsMovedAsideByteForByte) {
    auto model = makeModel();
    const QString path = tempPath("Quorvale.sqlite");
    fillStore(*model, path, 2000);
    ASSERT_FALSE(QFile::exists(path + "-wal")) << "closing checkpoints the log";
    const QByteArray whole = readAll(path);
    ASSERT_GT(whole.size(), 100000);
    const QByteArray half = whole.left(whole.size() / 2);
    writeAll(path, half);

    testing::internal::CaptureStderr();
    StoreFile::Result result = StoreFile::open(*model, path);
    testing::internal::GetCapturedStderr();
    ASSERT_TRUE(result.context) << result.error.toStdString();
    EXPECT_EQ(readAll(result.movedTo), half);
    // What the first half still holds is salvaged; nothing is made up.
    EXPECT_EQ(result.context->count(FetchRequest("Project")), result.salvage.recovered["Project"]);
    EXPECT_LT(result.salvage.recovered["Project"], 2000);
    auto p = result.context->insert<Project>();
    EXPECT_TRUE(result.context->save());
}

TEST(StoreFile, ASoundStoreWithAGarbageLogOpensWithAllItsRecords) {
    auto model = makeModel();
    const QString path = tempPath("Quorvale.sqlite");
    fillStore(*model, path, 300);
    const quint32 seed = freshSeed();
    SCOPED_TRACE(testing::Message() << "random bytes from seed " << seed);
    const QByteArray garbage = randomBytes(4096 * 3, seed);
    writeAll(path + "-wal", garbage);

    testing::internal::CaptureStderr();
    StoreFile::Result result = StoreFile::open(*model, path);
    testing::internal::GetCapturedStderr();
    ASSERT_TRUE(result.context) << result.error.toStdString();
    EXPECT_TRUE(result.movedTo.isEmpty());
    EXPECT_EQ(result.context->count(FetchRequest("Project")), 300);
    const QStringList aside = asideFiles(path);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_TRUE(aside[0].endsWith("-wal"));
    EXPECT_EQ(readAll(QFileInfo(path).absolutePath() + '/' + aside[0]), garbage);

    // A log SQLite wrote itself is left in place, and what it holds is kept.
    result.context->insert<Project>();
    ASSERT_TRUE(result.context->save());
    EXPECT_TRUE(StoreFile::hasValidWalHeader(path + "-wal"));
    auto second = StoreFile::open(*model, path);
    ASSERT_TRUE(second.context) << second.error.toStdString();
    EXPECT_EQ(second.context->count(FetchRequest("Project")), 301);
}

TEST(StoreFile, ALockedStoreIsAnErrorAndStaysWhereItIs) {
    auto model = makeModel();
    const QString path = tempPath("Quorvale.sqlite");
    fillStore(*model, path, 3);
    const QByteArray before = readAll(path);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(other, "PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE", nullptr, nullptr, nullptr),
        SQLITE_OK);

    StoreFile::Result result = StoreFile::open(*model, path);
    EXPECT_FALSE(result.context);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_TRUE(asideFiles(path).isEmpty());
    EXPECT_EQ(StoreFile::failureLine(result), QStringLiteral("CoreData load error: database is locked"));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(readAll(path), before);
}

TEST(StoreFile, AMissingFolderAndFileGiveANewStore) {
    auto model = makeModel();
    const QString path = tempPath("deeper/still/Quorvale.sqlite");
    StoreFile::Result result = StoreFile::open(*model, path);
    ASSERT_TRUE(result.context) << result.error.toStdString();
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_TRUE(asideFiles(path).isEmpty());
}

TEST(StoreFile, AFileThatCannotBeOpenedIsNamedWithTheReason) {
    auto model = makeModel();
    // A folder where the store should be.
    const QString folder = tempPath("cannot/Quorvale.sqlite");
    ASSERT_TRUE(QDir().mkpath(folder));
    StoreFile::Result result = StoreFile::open(*model, folder);
    ASSERT_FALSE(result.context);
    EXPECT_EQ(
        StoreFile::failureLine(result),
        QStringLiteral("CoreData load error: unable to open database file: %1 is a folder").arg(folder));
    EXPECT_TRUE(QFileInfo(folder).isDir()) << "left as it is";

    // A link to a file in a folder that is not there.
    const QString gone = tempPath("cannot/gone/Quorvale.sqlite");
    const QString link = tempPath("cannot/Linked.sqlite");
    ASSERT_TRUE(QFile::link(gone, link));
    result = StoreFile::open(*model, link);
    ASSERT_FALSE(result.context);
    EXPECT_EQ(result.error,
              QStringLiteral("unable to open database file: %1 is missing and so is the folder %2 "
                             "it would be made in")
                  .arg(link, QFileInfo(gone).absolutePath()));

    // A log that is a folder names the log.
    const QString store = tempPath("cannot/Store.sqlite");
    fillStore(*model, store, 3);
    ASSERT_TRUE(QDir().mkpath(store + "-shm"));
    result = StoreFile::open(*model, store);
    ASSERT_FALSE(result.context);
    EXPECT_TRUE(result.error.endsWith(QStringLiteral("%1-shm is a folder").arg(store)))
        << result.error.toStdString();

    // Without permission (root reads and writes every file, so only as another user).
    if (geteuid() != 0) {
        const QString locked = tempPath("cannot/Locked.sqlite");
        fillStore(*model, locked, 3);
        ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::ReadOwner));
        result = StoreFile::open(*model, locked);
        ASSERT_FALSE(result.context);
        EXPECT_TRUE(result.error.endsWith(QStringLiteral("no permission to read and write %1").arg(locked)))
            << result.error.toStdString();
    }
}
