// A store whose -wal or -shm the user cannot open (left by a run under another account) is
// refused with its reason, untouched, and opens with every committed change once it can be
// opened again. The suite runs as root, which opens everything, so the store is opened in a
// child process that has become an unprivileged user first.

#include "StoreTestModel.h"

#include "Store/FetchRequest.h"
#include "Store/StoreFile.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <string>

using namespace storetest;

namespace {

constexpr uid_t kNobody = 65534;

struct ChildOpen {
    bool opened = false;
    int projects = 0;
    QString line; // the failure line when not opened
};

class ForeignLog : public testing::Test {
protected:
    void SetUp() override {
        if (geteuid() != 0)
            GTEST_SKIP() << "needs root to open the store as another user";
        // The test home is private to root; this folder is the unprivileged user's own.
        QByteArray name = QFile::encodeName(QDir::tempPath() + QStringLiteral("/qv-foreign-XXXXXX"));
        ASSERT_NE(mkdtemp(name.data()), nullptr);
        root_ = QFile::decodeName(name);
        ASSERT_EQ(chmod(name.constData(), 0755), 0);
        folder_ = root_ + QStringLiteral("/data");
        ASSERT_TRUE(QDir().mkpath(folder_));
        giveAway(folder_);
        path_ = folder_ + QStringLiteral("/Quorvale.sqlite");
    }
    void TearDown() override {
        if (!root_.isEmpty())
            QDir(root_).removeRecursively();
    }

    static void giveAway(const QString& file) {
        ASSERT_EQ(chown(QFile::encodeName(file).constData(), kNobody, kNobody), 0);
    }
    // Owned by root, readable by nobody else: as a run under sudo leaves it.
    static void takeBack(const QString& file) {
        ASSERT_EQ(chown(QFile::encodeName(file).constData(), 0, 0), 0);
        ASSERT_EQ(chmod(QFile::encodeName(file).constData(), 0600), 0);
    }

    // A store of projects whose last saves are still only in its -wal: a copy of the files
    // of a store that is open, as a process killed before its checkpoint leaves them.
    void storeWithCommittedLog(int projects) {
        const QString scratch = root_ + QStringLiteral("/scratch.sqlite");
        auto context = openStore(*model_, scratch);
        ASSERT_TRUE(context);
        for (int i = 0; i < projects; ++i) {
            context->insert<Project>()->setName(QStringLiteral("project %1").arg(i));
            ASSERT_TRUE(context->save());
        }
        ASSERT_TRUE(QFile::copy(scratch, path_));
        ASSERT_TRUE(QFile::copy(scratch + QStringLiteral("-wal"), path_ + QStringLiteral("-wal")));
        giveAway(path_);
        giveAway(path_ + QStringLiteral("-wal"));
    }

    // Every file of the folder, with a digest of its bytes.
    std::map<std::string, std::string> files() const {
        std::map<std::string, std::string> all;
        for (const QString& name : QDir(folder_).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            QFile file(folder_ + u'/' + name);
            all[name.toStdString()] =
                file.open(QIODevice::ReadOnly)
                    ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex().toStdString()
                    : std::string("(unreadable)");
        }
        return all;
    }

    // StoreFile::open as the unprivileged user, in a child process; what it found comes back
    // over a pipe.
    ChildOpen openAsNobody() {
        int channel[2];
        EXPECT_EQ(pipe(channel), 0);
        const pid_t child = fork();
        if (child == 0) {
            close(channel[0]);
            QByteArray answer;
            if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) {
                answer = "0\ncould not become the unprivileged user";
            } else {
                StoreFile::Result result = StoreFile::open(*model_, path_);
                answer = result.context
                             ? "1\n" + QByteArray::number(result.context->count(FetchRequest("Project")))
                             : "0\n" + StoreFile::failureLine(result).toUtf8();
                result.context.reset();
            }
            const ssize_t written = write(channel[1], answer.constData(), answer.size());
            _exit(written == answer.size() ? 0 : 1);
        }
        close(channel[1]);
        QByteArray answer;
        char buffer[512];
        for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;)
            answer.append(buffer, n);
        close(channel[0]);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child ended abnormally";
        ChildOpen found;
        const qsizetype cut = answer.indexOf('\n');
        found.opened = answer.startsWith('1');
        if (found.opened)
            found.projects = answer.mid(cut + 1).toInt();
        else
            found.line = QString::fromUtf8(answer.mid(cut + 1));
        return found;
    }

    std::unique_ptr<ObjectModel> model_ = makeModel();
    QString root_;
    QString folder_;
    QString path_;
};

} // namespace

TEST_F(ForeignLog, ALogThatCannotBeOpenedRefusesTheStartUntilItCanAndLosesNothing) {
    ASSERT_NO_FATAL_FAILURE(storeWithCommittedLog(6));
    const QString wal = path_ + QStringLiteral("-wal");
    {
        // The file alone lacks the saves: they are only in the log.
        const QString alone = root_ + QStringLiteral("/alone.sqlite");
        ASSERT_TRUE(QFile::copy(path_, alone));
        auto context = openStore(*model_, alone);
        ASSERT_TRUE(context);
        ASSERT_LT(context->count(FetchRequest("Project")), 6);
    }
    ASSERT_NO_FATAL_FAILURE(takeBack(wal));
    const auto before = files();

    const ChildOpen refused = openAsNobody();
    EXPECT_FALSE(refused.opened);
    EXPECT_TRUE(refused.line.startsWith(QStringLiteral("CoreData load error: ")))
        << refused.line.toStdString();
    EXPECT_TRUE(refused.line.contains(wal)) << "names the log: " << refused.line.toStdString();
    EXPECT_TRUE(refused.line.contains(QStringLiteral("permission"), Qt::CaseInsensitive))
        << "says why: " << refused.line.toStdString();
    EXPECT_EQ(files(), before) << "nothing moved, made or changed";

    giveAway(wal);
    const ChildOpen mended = openAsNobody();
    ASSERT_TRUE(mended.opened) << mended.line.toStdString();
    EXPECT_EQ(mended.projects, 6) << "every committed change is there";
}

TEST_F(ForeignLog, ASharedMemoryFileThatCannotBeOpenedRefusesTheStartAndMakesNoLog) {
    {
        auto context = openStore(*model_, path_);
        ASSERT_TRUE(context);
        for (int i = 0; i < 3; ++i)
            context->insert<Project>();
        ASSERT_TRUE(context->save());
    }
    ASSERT_FALSE(QFile::exists(path_ + QStringLiteral("-wal"))) << "closing checkpoints the log";
    giveAway(path_);
    const QString shm = path_ + QStringLiteral("-shm");
    {
        QFile file(shm);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(32768, '\0'));
    }
    ASSERT_NO_FATAL_FAILURE(takeBack(shm));
    const auto before = files();

    const ChildOpen refused = openAsNobody();
    EXPECT_FALSE(refused.opened);
    EXPECT_TRUE(refused.line.contains(shm)) << refused.line.toStdString();
    EXPECT_EQ(files(), before) << "no new -wal, nothing changed";

    giveAway(shm);
    const ChildOpen mended = openAsNobody();
    ASSERT_TRUE(mended.opened) << mended.line.toStdString();
    EXPECT_EQ(mended.projects, 3);
}
