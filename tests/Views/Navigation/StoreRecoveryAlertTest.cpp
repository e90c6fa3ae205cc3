// The window's word on a damaged store: the check that runs once the window shows finds the
// damage, and one alert says how many records came back and where the original was kept.
#include "Views/ShellTestSupport.h"

#include "Components/AlertDialog.h"
#include "Components/SheetHost.h"
#include "Platform/Store/StoreFile.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>

#include <SQLiteCpp/Database.h>

namespace {

class StoreRecoveryAlert : public WindowTest {
protected:
    // A store of goals whose index of creation dates is damaged: opening never reads it.
    void damagedStoreWithGoals(int goals) {
        const QString path = PersistenceController::defaultStorePath();
        store_ = std::make_unique<PersistenceController>(false);
        for (int i = 0; i < goals; ++i)
            makeGoal(QStringLiteral("Goal %1").arg(i), i);
        store_.reset();
        int root = 0;
        {
            SQLite::Database db(path.toStdString(), SQLite::OPEN_READONLY);
            root = db.execAndGet("SELECT rootpage FROM sqlite_master WHERE name = 'Goal_createdAt'").getInt();
        }
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(qint64(root - 1) * 4096);
        file.write(QByteArray(4096, char(0x3C)));
        file.close();
        store_ = std::make_unique<PersistenceController>(false);
        ASSERT_TRUE(store_->isLoaded());
    }
};

} // namespace

TEST_F(StoreRecoveryAlert, OneAlertSaysHowManyRecordsCameBackAndWhereTheOriginalIs) {
    skipOverlays();
    damagedStoreWithGoals(12);
    openWindow();
    testing::internal::CaptureStderr();
    store_->watchStore([this](const QString& title, const QString& message) {
        AlertDialog::present(window_.get(), title, message);
    });
    const QDeadlineTimer deadline(30000);
    while (!SheetHost::topmost(window_.get()) && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    testing::internal::GetCapturedStderr();
    SheetHost* alert = SheetHost::topmost(window_.get());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->findChild<QLabel*>(QStringLiteral("alertTitle"))->text(),
              QStringLiteral("Store Recovered"));
    const QString message = alert->findChild<QLabel*>(QStringLiteral("alertMessage"))->text();
    EXPECT_TRUE(message.contains(QStringLiteral("recovered 12 records"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral(".corrupt-"))) << message.toStdString();
    qv::test::settle();
    EXPECT_EQ(context()->count(FetchRequest(Goal::entityName())), 12) << "the screens read the new store";
    qv::test::saveScreen(window_.get(), QStringLiteral("shell-store-recovered-alert"));
}
