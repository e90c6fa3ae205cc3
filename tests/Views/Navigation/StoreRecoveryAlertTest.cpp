// The window's word on a damaged store: the check that runs once the window shows finds the
// damage, and one alert says how many records came back, which kinds lost some, and where the
// original was kept.
#include "Views/ShellTestSupport.h"

#include "Components/AlertDialog.h"
#include "Components/SheetHost.h"
#include "Models/BankAccount.h"
#include "Models/QuorvaleModel.h"
#include "Store/StoreFile.h"
#include "Store/StoreSalvage.h"
#include "ViewModels/AchievementsViewModel.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>

#include <SQLiteCpp/Database.h>

namespace {

class StoreRecoveryAlert : public WindowTest {
protected:
    // The alert the store's word opens over the window, once the check has had its say.
    SheetHost* waitForAlert() {
        testing::internal::CaptureStderr();
        store_->watchStore([this](const QString& title, const QString& message) {
            AlertDialog::present(window_.get(), title, message);
        });
        const QDeadlineTimer deadline(30000);
        while (!SheetHost::topmost(window_.get()) && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        testing::internal::GetCapturedStderr();
        return SheetHost::topmost(window_.get());
    }

    // A store of goals whose index of creation dates is damaged: opening never reads it.
    // With bankAccounts accounts too, when lostPage names their table rather than the index.
    void damagedStoreWithGoals(int goals, int bankAccounts = 0,
                               const std::string& lostPage = "Goal_createdAt") {
        const QString path = PersistenceController::defaultStorePath();
        store_ = std::make_unique<PersistenceController>(false);
        for (int i = 0; i < goals; ++i)
            makeGoal(QStringLiteral("Goal %1").arg(i), i);
        for (int i = 0; i < bankAccounts; ++i)
            BankAccount::create(context())->setName(QStringLiteral("Account %1").arg(i));
        ASSERT_TRUE(context()->save());
        // As every start leaves a store: with the built-in achievement categories, so that
        // opening the window writes nothing to the damaged store.
        AchievementsViewModel::seedDefaultCategoriesIfNeeded(context());
        store_.reset();
        int root = 0;
        {
            SQLite::Database db(path.toStdString(), SQLite::OPEN_READONLY);
            SQLite::Statement page(db, "SELECT rootpage FROM sqlite_master WHERE name = ?");
            page.bind(1, lostPage);
            ASSERT_TRUE(page.executeStep());
            root = page.getColumn(0).getInt();
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
    SheetHost* alert = waitForAlert();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->findChild<QLabel*>(QStringLiteral("alertTitle"))->text(),
              QStringLiteral("Store Recovered"));
    const QString message = alert->findChild<QLabel*>(QStringLiteral("alertMessage"))->text();
    const int records = 12 + int(AchievementsViewModel::builtInCategoryNames().size());
    EXPECT_TRUE(message.contains(QStringLiteral("recovered %1 records").arg(records)))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral(".corrupt-"))) << message.toStdString();
    qv::test::settle();
    EXPECT_EQ(context()->count(FetchRequest(Goal::entityName())), 12) << "the screens read the new store";
    qv::test::saveScreen(window_.get(), QStringLiteral("shell-store-recovered-alert"));
}

TEST_F(StoreRecoveryAlert, AKindOfRecordLostWholeIsNamedWithItsCount) {
    skipOverlays();
    // The bank accounts fit one page; losing it loses them all, however many records come back.
    damagedStoreWithGoals(12, 23, "BankAccount");
    openWindow();
    SheetHost* alert = waitForAlert();
    ASSERT_NE(alert, nullptr);
    const QString message = alert->findChild<QLabel*>(QStringLiteral("alertMessage"))->text();
    EXPECT_TRUE(message.contains(QStringLiteral("\n\u2022 Bank accounts: 0 of 23 saved\n\n")))
        << message.toStdString();
    EXPECT_FALSE(message.contains(QStringLiteral("Goals"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral(".corrupt-"))) << message.toStdString();
    qv::test::settle();
    qv::test::saveScreen(window_.get(), QStringLiteral("shell-store-recovered-lost-kind-alert"));
}

TEST_F(StoreRecoveryAlert, ALongListOfKindsFitsTheSmallestWindow) {
    skipOverlays();
    store_ = std::make_unique<PersistenceController>(true);
    openWindow();
    window_->resize(900, 600);
    qv::test::settle();
    StoreSalvage::Report report;
    report.movedTo = PersistenceController::defaultStorePath() + QStringLiteral(".corrupt-20260310-090000");
    for (const auto& entity : QuorvaleModel::objectModel().entities()) {
        report.recovered[entity->name] = 1000;
        report.held[entity->name] = std::nullopt;
    }
    SheetHost* alert = AlertDialog::present(window_.get(), QStringLiteral("Store Recovered"),
                                            PersistenceController::recoveredMessage(report));
    qv::test::settle();
    auto* ok = alert->findChild<QAbstractButton*>();
    ASSERT_NE(ok, nullptr);
    const QRect button(ok->mapTo(window_.get(), QPoint(0, 0)), ok->size());
    EXPECT_TRUE(window_->rect().contains(button));
    const auto* message = alert->findChild<QLabel*>(QStringLiteral("alertMessage"));
    EXPECT_GE(message->height(), message->heightForWidth(message->width())) << "no line is cut off";
    qv::test::saveScreen(window_.get(), QStringLiteral("shell-store-recovered-many-kinds-alert"));
}
