#include "StoreTestModel.h"

#include "Store/FetchRequest.h"
#include "Store/StoreFile.h"
#include "Support/FileBytes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <sqlite3.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>

#include <grp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace storetest;

namespace {

using qv::test::readAll;
using qv::test::writeAll;

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

constexpr uid_t kNobody = 65534;

// A folder of the system's temporary folder that the unprivileged user can reach, with a name
// short enough for a socket in it; removed with the test.
class ScratchFolder {
public:
    ScratchFolder() {
        QByteArray name = QFile::encodeName(QDir::tempPath() + QStringLiteral("/qv-files-XXXXXX"));
        if (mkdtemp(name.data()) != nullptr && chmod(name.constData(), 0755) == 0)
            path_ = QFile::decodeName(name);
    }
    ~ScratchFolder() {
        if (path_.isEmpty())
            return;
        // Folders a test made unwritable first become removable again.
        std::system(qPrintable(QStringLiteral("chmod -R u+w '%1'").arg(path_)));
        QDir(path_).removeRecursively();
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const QString& path() const { return path_; }
    QString folder(const QString& name) const {
        QDir().mkpath(path_ + u'/' + name);
        return path_ + u'/' + name;
    }

private:
    QString path_;
};

// Every name in a folder with what it is (and a link's target, a file's bytes' size), to see
// that a refused start made, moved or changed nothing.
std::map<std::string, std::string> listing(const QString& folder) {
    std::map<std::string, std::string> all;
    for (const QString& name :
         QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const QString file = folder + u'/' + name;
        struct stat info {};
        lstat(QFile::encodeName(file).constData(), &info);
        std::string what = std::to_string(info.st_mode);
        if (S_ISLNK(info.st_mode))
            what += " -> " + QFileInfo(file).symLinkTarget().toStdString();
        else if (S_ISREG(info.st_mode))
            what += " " + readAll(file).toHex().left(64).toStdString() + " " + std::to_string(info.st_size);
        all[name.toStdString()] = what;
    }
    return all;
}

struct ChildStart {
    bool answered = false; // false: still waiting when given up on
    QString said;          // "opened", or the line the start was refused with
    double seconds = 0;
};

// StoreFile::open in a child process, so that a start that waits on a file fails the test
// rather than hang it; as the unprivileged user when asked and the tests run as root (root
// reads and writes every file).
ChildStart startInChild(const ObjectModel& model, const QString& path, bool unprivileged = false) {
    int channel[2];
    ChildStart found;
    if (pipe(channel) != 0)
        return found;
    QElapsedTimer clock;
    clock.start();
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        std::fclose(stderr); // the start's own lines are not the test's
        QByteArray answer;
        if (unprivileged && geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
            answer = "could not become the unprivileged user";
        } else {
            StoreFile::Result result = StoreFile::open(model, path);
            answer = result.context ? QByteArray("opened") : StoreFile::failureLine(result).toUtf8();
        }
        const ssize_t written = write(channel[1], answer.constData(), size_t(answer.size()));
        _exit(written == answer.size() ? 0 : 1);
    }
    close(channel[1]);
    QByteArray answer;
    pollfd wait{channel[0], POLLIN, 0};
    for (char buffer[512]; poll(&wait, 1, 60000) > 0;) {
        const ssize_t n = read(channel[0], buffer, sizeof buffer);
        if (n <= 0) {
            found.answered = true;
            break;
        }
        answer.append(buffer, n);
    }
    found.seconds = clock.elapsed() / 1000.0;
    close(channel[0]);
    if (!found.answered)
        kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    found.said = QString::fromUtf8(answer);
    return found;
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

    // Without permission: opened by an unprivileged user, as root reads and writes every file.
    ScratchFolder root;
    ASSERT_FALSE(root.path().isEmpty());
    const QString locked = root.folder(QStringLiteral("cannot")) + QStringLiteral("/Locked.sqlite");
    ASSERT_NO_FATAL_FAILURE(fillStore(*model, locked, 3));
    if (geteuid() == 0) {
        ASSERT_EQ(chown(QFile::encodeName(locked).constData(), kNobody, kNobody), 0);
    }
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::ReadOwner));
    const ChildStart start = startInChild(*model, locked, true);
    ASSERT_TRUE(start.answered);
    EXPECT_EQ(start.said,
              QStringLiteral("CoreData load error: unable to open database file: no permission to read and "
                             "write %1")
                  .arg(locked));
}

TEST(StoreFile, WhatIsNotAFileAndALinkAsLogOrSharedMemoryAreRefusedAtOnceByNameAndNothingIsMade) {
    auto model = makeModel();
    ScratchFolder root;
    ASSERT_FALSE(root.path().isEmpty());
    const QString elsewhere = root.folder(QStringLiteral("elsewhere"));
    writeAll(elsewhere + QStringLiteral("/Other.sqlite-wal"), QByteArray(4096, 'w'));
    int socket = -1;
    const auto makeSocket = [&socket](const QString& file) {
        socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(file);
        ASSERT_LT(name.size(), qsizetype(sizeof address.sun_path));
        std::copy(name.begin(), name.end(), address.sun_path);
        ASSERT_EQ(bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    };
    const auto makePipe = [](const QString& file) {
        ASSERT_EQ(mkfifo(QFile::encodeName(file).constData(), 0644), 0);
    };
    const auto linkTo = [](const QString& target) {
        return [target](const QString& file) { ASSERT_TRUE(QFile::link(target, file)); };
    };
    struct Case {
        const char* what;
        QString suffix; // of the odd file; the store itself when empty
        std::function<void(const QString&)> make;
        QString says;
    };
    const std::vector<Case> cases{
        {"a named pipe as the store", {}, makePipe, QStringLiteral("is a named pipe")},
        {"a named pipe as the log", QStringLiteral("-wal"), makePipe, QStringLiteral("is a named pipe")},
        {"a named pipe as the shared memory", QStringLiteral("-shm"), makePipe,
         QStringLiteral("is a named pipe")},
        {"a socket as the log", QStringLiteral("-wal"), makeSocket, QStringLiteral("is a socket")},
        {"a link to a device as the store",
         {},
         linkTo(QStringLiteral("/dev/null")),
         QStringLiteral("(a link to /dev/null) is a device")},
        {"a link to a log elsewhere", QStringLiteral("-wal"),
         linkTo(elsewhere + QStringLiteral("/Other.sqlite-wal")), QStringLiteral("is a symbolic link")},
        {"a link to nothing as the log", QStringLiteral("-wal"),
         linkTo(elsewhere + QStringLiteral("/Gone.sqlite-wal")), QStringLiteral("is a symbolic link")},
        {"a link as the shared memory", QStringLiteral("-shm"),
         linkTo(elsewhere + QStringLiteral("/Other.sqlite-wal")), QStringLiteral("is a symbolic link")},
        // Beside a healthy store: it is neither salvaged for it nor set aside, start after start.
        {"a folder as the damage marker", QStringLiteral(".damaged"),
         [](const QString& file) { ASSERT_TRUE(QDir().mkdir(file)); }, QStringLiteral("is a folder")},
        {"a named pipe as the damage marker", QStringLiteral(".damaged"), makePipe,
         QStringLiteral("is a named pipe")},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.what);
        const QString folder = root.folder(QStringLiteral("case-%1").arg(i));
        const QString store = folder + QStringLiteral("/Quorvale.sqlite");
        if (!c.suffix.isEmpty()) {
            ASSERT_NO_FATAL_FAILURE(fillStore(*model, store, 3));
        }
        ASSERT_NO_FATAL_FAILURE(c.make(store + c.suffix));
        const auto before = listing(folder);

        for (int attempt = 0; attempt < 2; ++attempt) {
            const ChildStart start = startInChild(*model, store);
            ASSERT_TRUE(start.answered) << "the start still waited after " << start.seconds << " s";
            std::printf("%s: refused in %.3f s\n", c.what, start.seconds);
            EXPECT_TRUE(
                start.said.startsWith(QStringLiteral("CoreData load error: unable to open database file: ")))
                << start.said.toStdString();
            EXPECT_TRUE(start.said.contains(store + c.suffix + u' ' + c.says))
                << "names it: " << start.said.toStdString();
            EXPECT_EQ(listing(folder), before) << "nothing made, moved or changed";
        }
    }
    if (socket >= 0)
        close(socket);
}

TEST(StoreFile, ALinkedStoreIsSalvagedWhereItPointsAndTheLinkStaysOrItIsRefusedSayingWhere) {
    auto model = makeModel();
    ScratchFolder root;
    ASSERT_FALSE(root.path().isEmpty());
    // A store kept on another disk, linked from the data folder, and cut short.
    const QString data = root.folder(QStringLiteral("data"));
    const QString target = root.folder(QStringLiteral("synced")) + QStringLiteral("/Quorvale.sqlite");
    const QString link = data + QStringLiteral("/Quorvale.sqlite");
    ASSERT_NO_FATAL_FAILURE(fillStore(*model, target, 2000));
    const QByteArray half = readAll(target).left(readAll(target).size() / 2);
    writeAll(target, half);
    ASSERT_TRUE(QFile::link(target, link));

    testing::internal::CaptureStderr();
    StoreFile::Result result = StoreFile::open(*model, link);
    testing::internal::GetCapturedStderr();
    ASSERT_TRUE(result.context) << result.error.toStdString();
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), target) << "the link stays as it was";
    EXPECT_EQ(QDir(data).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("Quorvale.sqlite")})
        << "nothing made in the data folder";
    EXPECT_TRUE(result.movedTo.startsWith(target + QStringLiteral(".corrupt-")))
        << result.movedTo.toStdString();
    EXPECT_EQ(readAll(result.movedTo), half) << "the original kept beside the target";
    const int salvaged = result.salvage.recovered["Project"];
    EXPECT_GT(salvaged, 0);
    EXPECT_EQ(result.context->count(FetchRequest("Project")), salvaged);
    result.context->insert<Project>();
    ASSERT_TRUE(result.context->save());
    result.context.reset();
    StoreFile::Result again = StoreFile::open(*model, target);
    ASSERT_TRUE(again.context) << again.error.toStdString();
    EXPECT_EQ(again.context->count(FetchRequest("Project")), salvaged + 1)
        << "saves go where the link points";
    again.context.reset();

    // A target whose folder takes no new file (another user's, here): refused, saying where the
    // store is, with everything as it was. Only the unprivileged user meets the folder's rights.
    const QString locked = root.folder(QStringLiteral("locked"));
    const QString lockedStore = locked + QStringLiteral("/Quorvale.sqlite");
    const QString lockedData = root.folder(QStringLiteral("data-locked"));
    const QString lockedLink = lockedData + QStringLiteral("/Quorvale.sqlite");
    ASSERT_NO_FATAL_FAILURE(fillStore(*model, lockedStore, 3));
    for (const QString& suffix : {QStringLiteral("-wal"), QStringLiteral("-shm")})
        writeAll(lockedStore + suffix, {});
    writeAll(lockedStore + QStringLiteral(".damaged"), "database disk image is malformed\n");
    ASSERT_TRUE(QFile::link(lockedStore, lockedLink));
    for (const QString& file : {lockedStore, lockedStore + QStringLiteral("-wal"),
                                lockedStore + QStringLiteral("-shm"), lockedData}) {
        if (geteuid() == 0) {
            ASSERT_EQ(chown(QFile::encodeName(file).constData(), kNobody, kNobody), 0);
        }
    }
    ASSERT_EQ(chmod(QFile::encodeName(locked).constData(), 0555), 0);
    const auto before = listing(locked);
    const ChildStart start = startInChild(*model, lockedLink, true);
    ASSERT_TRUE(start.answered);
    EXPECT_TRUE(
        start.said.startsWith(QStringLiteral("CoreData recovery failed: the store %1 (the store %2 is a "
                                             "link to it)")
                                  .arg(lockedStore, lockedLink)))
        << start.said.toStdString();
    EXPECT_TRUE(
        start.said.contains(QStringLiteral("no new store can be written in its folder %1").arg(locked)))
        << start.said.toStdString();
    EXPECT_EQ(listing(locked), before);
    EXPECT_EQ(QDir(lockedData).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("Quorvale.sqlite")});
}
