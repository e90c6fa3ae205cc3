#include "StoreTestModel.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <sqlite3.h>

using namespace storetest;

namespace {

QString querySingle(sqlite3* db, const char* sql) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK)
        return QString::fromUtf8(sqlite3_errmsg(db));
    QString out;
    if (sqlite3_step(s) == SQLITE_ROW)
        out = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
    sqlite3_finalize(s);
    return out;
}

} // namespace

// SIGKILL at random moments, also in the middle of a commit: every edit whose save()
// returned true survives and the file stays sound.
TEST(StoreCrash, KilledWritersLoseNoAcknowledgedEdit) {
    const QString writer = QStringLiteral(QV_BINARY_DIR "/tests/qv_store_crash_writer");
    const QString path = tempPath("crash.sqlite");
    qint64 acknowledged = 0;
    int killedWhileWriting = 0;
    // The moments of the kills are random; a failure names the seed that drew them.
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE(testing::Message() << "kill moments drawn from seed " << seed);
    QRandomGenerator random(seed);
    for (int round = 0; round < 200; ++round) {
        QProcess process;
        process.start(writer, {path});
        ASSERT_TRUE(process.waitForStarted());
        // Mostly during the save loop, sometimes while opening.
        process.waitForReadyRead(round % 10 == 0 ? 1 : 2000);
        QThread::usleep(random.bounded(0, 25'000));
        process.kill();
        process.waitForFinished();
        ASSERT_EQ(process.exitStatus(), QProcess::CrashExit) << process.readAllStandardError().toStdString();
        const QList<QByteArray> lines = process.readAllStandardOutput().split('\n');
        for (const QByteArray& line : lines)
            if (!line.isEmpty()) {
                acknowledged = std::max(acknowledged, line.toLongLong());
                ++killedWhileWriting;
            }

        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
        EXPECT_EQ(querySingle(db, "PRAGMA integrity_check"), "ok") << "round " << round;
        const QString sql =
            QStringLiteral("SELECT count(DISTINCT seq) FROM Edit WHERE seq <= %1").arg(acknowledged);
        EXPECT_EQ(querySingle(db, sql.toUtf8().constData()).toLongLong(), acknowledged) << "round " << round;
        if (acknowledged > 0) {
            EXPECT_GE(querySingle(db, "SELECT value FROM Counter").toLongLong(), acknowledged)
                << "round " << round;
        }
        sqlite3_close(db);
        if (HasFailure())
            return;
    }
    EXPECT_GT(killedWhileWriting, 200);
}
