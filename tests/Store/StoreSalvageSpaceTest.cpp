// A damaged store salvaged on a disk without room for the salvage: the store stays where it
// is, byte for byte, the start is refused saying the disk is full and where, and once there is
// room the next start salvages it. The disk is a small tmpfs mounted for the test (root only).

#include "StoreTestModel.h"

#include "Store/FetchRequest.h"
#include "Store/StoreCore.h"
#include "Store/StoreFile.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/mount.h>
#include <unistd.h>

#include <map>
#include <string>

using namespace storetest;

namespace {

constexpr int kProjects = 3000;

class SalvageWithoutRoom : public testing::Test {
protected:
    void SetUp() override {
        if (geteuid() != 0)
            GTEST_SKIP() << "needs root to mount a small disk";
        disk_ = tempPath(QStringLiteral("small-disk"));
        ASSERT_TRUE(QDir().mkpath(disk_));
        if (!mountDisk(0, 64 * 1024 * 1024))
            GTEST_SKIP() << "no tmpfs can be mounted here";
        mounted_ = true;
    }
    void TearDown() override {
        if (mounted_)
            umount2(QFile::encodeName(disk_).constData(), MNT_DETACH);
    }

    bool mountDisk(unsigned long flags, qint64 bytes) {
        const std::string options = "size=" + std::to_string(bytes);
        return mount("tmpfs", QFile::encodeName(disk_).constData(), "tmpfs", flags, options.c_str()) == 0;
    }
    // Shrinks or grows the disk so that `room` bytes are free beside what it holds.
    void leaveRoom(qint64 room) {
        qint64 used = 0;
        for (const QFileInfo& file : QDir(disk_).entryInfoList(QDir::Files))
            used += (file.size() + 4095) / 4096 * 4096;
        ASSERT_TRUE(mountDisk(MS_REMOUNT, used + room)) << "remount to " << used + room;
    }

    // Every file of the folder, with a digest of its bytes.
    std::map<std::string, std::string> files() const {
        std::map<std::string, std::string> all;
        for (const QString& name : QDir(disk_).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            QFile file(disk_ + u'/' + name);
            all[name.toStdString()] =
                file.open(QIODevice::ReadOnly)
                    ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex().toStdString()
                    : std::string("(unreadable)");
        }
        return all;
    }

    QString disk_;
    bool mounted_ = false;
};

} // namespace

TEST_F(SalvageWithoutRoom, TheDamagedStoreStaysUntilThereIsRoomAndIsThenSalvaged) {
    auto model = makeModel();
    const QString path = disk_ + QStringLiteral("/Quorvale.sqlite");
    {
        const QString built = tempPath(QStringLiteral("salvage-room.sqlite"));
        auto context = openStore(*model, built);
        ASSERT_TRUE(context);
        for (int i = 0; i < kProjects; ++i)
            context->insert<Project>()->setName(QStringLiteral("project %1 ").arg(i).repeated(40));
        ASSERT_TRUE(context->save());
        context.reset();
        ASSERT_TRUE(QFile::copy(built, path));
    }
    // Damage met while the store was in use sends the next start to the salvage.
    StoreCore::leaveDamageMarker(path, QStringLiteral("database disk image is malformed"));
    const qint64 storeSize = QFileInfo(path).size();
    ASSERT_GT(storeSize, 1024 * 1024);
    const auto before = files();

    // No room for a copy of the store; room for the copy but not for the new store.
    for (const qint64 room : {qint64(512 * 1024), storeSize + 256 * 1024}) {
        SCOPED_TRACE(testing::Message() << room << " bytes free");
        ASSERT_NO_FATAL_FAILURE(leaveRoom(room));
        testing::internal::CaptureStderr();
        StoreFile::Result result = StoreFile::open(*model, path);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(result.context) << "no empty store takes its place";
        EXPECT_TRUE(result.movedTo.isEmpty());
        EXPECT_TRUE(result.salvage.retryLater);
        const QString line = StoreFile::failureLine(result);
        EXPECT_TRUE(line.contains(QStringLiteral("next start will try again"))) << line.toStdString();
        EXPECT_TRUE(line.contains(QStringLiteral("the disk is full: there is no room in %1 ").arg(disk_)))
            << "says what helps, and where: " << line.toStdString();
        EXPECT_FALSE(line.contains(QStringLiteral("none of its records")));
        EXPECT_NE(said.find("left where it is"), std::string::npos) << said;
        EXPECT_EQ(files(), before) << "the store and its marker, as they were, and nothing else";
    }

    ASSERT_NO_FATAL_FAILURE(leaveRoom(4 * storeSize));
    testing::internal::CaptureStderr();
    StoreFile::Result result = StoreFile::open(*model, path);
    testing::internal::GetCapturedStderr();
    ASSERT_TRUE(result.context) << result.error.toStdString();
    EXPECT_FALSE(result.movedTo.isEmpty()) << "salvaged as any damaged store is";
    EXPECT_TRUE(result.salvage.complete);
    EXPECT_EQ(result.context->count(FetchRequest("Project")), kProjects);
    QFile kept(result.movedTo);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(QCryptographicHash::hash(kept.readAll(), QCryptographicHash::Sha1).toHex().toStdString(),
              before.at("Quorvale.sqlite"))
        << "the original is kept";
    EXPECT_FALSE(QFile::exists(StoreCore::damageMarkerPath(path)));
}
