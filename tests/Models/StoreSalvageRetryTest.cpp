// Damage found while running, on a disk without room for the salvage: the alert says what
// failed and that the next start tries again, nothing more is written to the damaged store,
// and the next start, with room, salvages it. The disk is a small tmpfs (root only).

#include "Models/Goal.h"
#include "Models/Persistence/PersistenceController.h"
#include "Platform/Clock.h"
#include "Store/FetchRequest.h"
#include "Store/ObjectContext.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <sys/mount.h>
#include <unistd.h>

#include <string>

namespace {

constexpr int kGoals = 2000;

class SalvageRetry : public testing::Test {
protected:
    void SetUp() override {
        if (geteuid() != 0)
            GTEST_SKIP() << "needs root to mount a small disk";
        Clock::setFake(QDateTime(QDate(2026, 3, 10), QTime(9, 0), Qt::UTC));
        path_ = PersistenceController::defaultStorePath();
        folder_ = QFileInfo(path_).absolutePath();
        if (!remount(0, 64 * 1024 * 1024))
            GTEST_SKIP() << "no tmpfs can be mounted here";
        mounted_ = true;
    }
    void TearDown() override {
        if (mounted_)
            umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
        Clock::useSystem();
    }

    bool remount(unsigned long flags, qint64 bytes) {
        const std::string options = "size=" + std::to_string(bytes);
        return mount("tmpfs", QFile::encodeName(folder_).constData(), "tmpfs", flags, options.c_str()) == 0;
    }
    void leaveRoom(qint64 room) {
        qint64 used = 0;
        for (const QFileInfo& file : QDir(folder_).entryInfoList(QDir::Files | QDir::Hidden))
            used += (file.size() + 4095) / 4096 * 4096;
        ASSERT_TRUE(remount(MS_REMOUNT, used + room));
    }

    QString path_;
    QString folder_;
    bool mounted_ = false;
};

} // namespace

TEST_F(SalvageRetry, ASalvageWithoutRoomKeepsTheStoreSaysSoAndTheNextStartSalvagesIt) {
    {
        PersistenceController store(false);
        ASSERT_TRUE(store.isLoaded()) << store.loadError().toStdString();
        for (int g = 0; g < kGoals; ++g) {
            auto goal = Goal::create(store.viewContext());
            goal->setTitle(QStringLiteral("Goal number %1").arg(g));
            goal->setNotes(
                QStringLiteral("a line about the reason, the plan and the first week. ").repeated(8));
        }
        ASSERT_TRUE(store.save());
    }
    ASSERT_GT(QFileInfo(path_).size(), 1024 * 1024);
    {
        PersistenceController store(false);
        ASSERT_TRUE(store.isLoaded());
        EXPECT_FALSE(store.waitsForSalvage());
        QStringList notices;
        store.watchStore(
            [&](const QString& title, const QString& message) { notices << title + u'|' + message; });
        ASSERT_NO_FATAL_FAILURE(leaveRoom(512 * 1024));
        testing::internal::CaptureStderr();
        store.recoverDamagedStore(QStringLiteral("database disk image is malformed"));
        testing::internal::GetCapturedStderr();
        ASSERT_EQ(notices.size(), 1);
        const QString& notice = notices[0];
        EXPECT_TRUE(notice.startsWith(QStringLiteral("Store Damaged|"))) << notice.toStdString();
        EXPECT_TRUE(notice.contains(QStringLiteral("the disk is full: there is no room in %1 ").arg(folder_)))
            << "what helps, and where: " << notice.toStdString();
        EXPECT_TRUE(notice.contains(QStringLiteral("try again the next time it starts")))
            << notice.toStdString();
        EXPECT_FALSE(notice.contains(QStringLiteral("none of its records")));
        EXPECT_TRUE(store.waitsForSalvage()) << "the window is told to show no empty planner";
        EXPECT_TRUE(store.waitsForRoom());
        EXPECT_EQ(QDir(folder_).entryList({QStringLiteral("*.corrupt-*")}, QDir::Files).size(), 0)
            << "the store stays where it is";

        // Nothing more goes into the damaged store.
        testing::internal::CaptureStdout();
        Goal::create(store.viewContext())->setTitle(QStringLiteral("typed after the alert"));
        EXPECT_FALSE(store.save());
        testing::internal::GetCapturedStdout();
    }

    ASSERT_NO_FATAL_FAILURE(leaveRoom(64 * 1024 * 1024));
    testing::internal::CaptureStderr();
    PersistenceController next(false);
    testing::internal::GetCapturedStderr();
    ASSERT_TRUE(next.isLoaded()) << next.loadError().toStdString();
    QStringList notices;
    next.watchStore([&](const QString& title, const QString&) { notices << title; });
    EXPECT_EQ(notices, QStringList{QStringLiteral("Store Recovered")});
    EXPECT_FALSE(next.waitsForSalvage());
    EXPECT_EQ(next.viewContext()->count(FetchRequest(Goal::entityName())), kGoals);
    EXPECT_EQ(QDir(folder_).entryList({QStringLiteral("*.corrupt-*")}, QDir::Files).size(), 1);
}
