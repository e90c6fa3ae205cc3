#include "Models/Persistence/PersistenceController.h"

#include "Models/QuorvaleModel.h"
#include "Store/ObjectContext.h"
#include "Store/ObjectStoreInternals.h"
#include "Store/StoreCore.h"
#include "Store/StoreFile.h"
#include "Store/StoreIntegrityCheck.h"
#include "Store/StoreSalvage.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QObject>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

// Owned here, but never destroyed by exit(): the store closes when main resets it, before any
// static object goes. A process that ends some other way (the display lost) leaves the file
// as SQLite leaves it after every commit.
PersistenceController*& sharedInstance() {
    static PersistenceController* instance = nullptr;
    return instance;
}

} // namespace

PersistenceController& PersistenceController::shared() {
    auto& instance = sharedInstance();
    if (!instance)
        instance = new PersistenceController(false);
    return *instance;
}

void PersistenceController::setShared(std::unique_ptr<PersistenceController> controller) {
    delete std::exchange(sharedInstance(), controller.release());
}

void PersistenceController::resetShared() {
    delete std::exchange(sharedInstance(), nullptr);
}

QString PersistenceController::defaultStorePath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return folder + QStringLiteral("/Quorvale.sqlite");
}

PersistenceController::PersistenceController(bool inMemory) {
    const ObjectModel& model = QuorvaleModel::objectModel();
    if (inMemory) {
        QString error;
        context_ = ObjectContext::open(model, QStringLiteral(":memory:"), &error);
        if (!context_)
            loadError_ = QStringLiteral("CoreData load error: ") + error;
        return;
    }
    const QString path = defaultStorePath();
    const bool existed = QFileInfo::exists(path);
    StoreFile::Result result = StoreFile::open(model, path);
    if (!result.context) {
        loadError_ = StoreFile::failureLine(result);
        return;
    }
    context_ = std::move(result.context);
    checkedAtOpen_ = result.salvage.checked;
    // Records salvaged from a damaged store are the user's own, not a new store's, even when no
    // store was at the path (a salvage stopped part-way, finished now).
    createdNewStore_ = result.salvage.complete ? result.salvage.total() == 0 : !existed;
    if (result.salvage.complete)
        salvagedAtOpen_ = result.salvage;
    else
        setAsideAtOpen_ = result.salvage.notes.join(u' ');
}

PersistenceController::~PersistenceController() {
    // The worker goes first: it reads the file the context is about to let go of.
    check_.reset();
}

// A share of all records would hide a kind that is gone whole.
QString PersistenceController::recoveredMessage(const StoreSalvage::Report& report) {
    const QLocale locale;
    const int records = report.total();
    const std::vector<QString> lost = report.lostFrom();
    const bool nothingRead =
        records == 0 && !lost.empty() &&
        std::all_of(report.held.begin(), report.held.end(), [](const auto& held) { return !held.second; });
    QString message =
        nothingRead
            ? QStringLiteral(
                  "Quorvale found damage in its store and could read none of its records; it started a "
                  "new, empty one.")
            : QStringLiteral("Quorvale found damage in its store and recovered %1 %2 into a new one.")
                  .arg(locale.toString(records),
                       records == 1 ? QStringLiteral("record") : QStringLiteral("records"));
    if (!nothingRead && !lost.empty()) {
        message += QStringLiteral(" Some records could not be recovered:");
        // In the model's order (goals first), and no more lines than the smallest window shows.
        constexpr int kMostLines = 8;
        int listed = 0;
        for (const auto& description : QuorvaleModel::objectModel().entities()) {
            const QString& entity = description->name;
            if (std::find(lost.begin(), lost.end(), entity) == lost.end())
                continue;
            if (++listed == kMostLines && lost.size() > std::size_t(kMostLines)) {
                message += QStringLiteral("\n\u2022 %1 other kinds of record lost some too")
                               .arg(lost.size() - listed + 1);
                break;
            }
            const int saved = report.recovered.count(entity) ? report.recovered.at(entity) : 0;
            const std::optional<int> held = report.held.at(entity);
            message +=
                QStringLiteral("\n\u2022 %1: %2")
                    .arg(QuorvaleModel::kindName(entity),
                         held ? QStringLiteral("%1 of %2 saved")
                                    .arg(locale.toString(saved), locale.toString(*held))
                              : QStringLiteral("%1 saved; count unreadable").arg(locale.toString(saved)));
        }
        message += QStringLiteral("\n\n");
    } else {
        message += u' ';
    }
    if (!report.movedTo.isEmpty())
        message += QStringLiteral("The original was kept at %1. ").arg(report.movedTo);
    return (message + report.notes.join(u' ')).trimmed();
}

void PersistenceController::watchStore(Notice tell) {
    tell_ = std::move(tell);
    if (!context_)
        return;
    mainThread_ = std::make_unique<QObject>();
    if (salvagedAtOpen_)
        notify(QStringLiteral("Store Recovered"), recoveredMessage(*salvagedAtOpen_));
    else if (!setAsideAtOpen_.isEmpty())
        notify(QStringLiteral("Files Set Aside"), setAsideAtOpen_);
    listenForDamage();
    if (context_->path() == QStringLiteral(":memory:") || checkedAtOpen_)
        return;
    QObject* receiver = mainThread_.get();
    check_ = std::make_unique<StoreIntegrityCheck>(
        context_->path(), [this, receiver](const StoreIntegrityCheck::Answer& answer) {
            QMetaObject::invokeMethod(
                receiver, [this, answer] { checkAnswered(answer.sound, answer.problem); },
                Qt::QueuedConnection);
        });
    ObjectStoreInternals::core(*context_).integrityGate = [answer = check_->answer()](QString* reason) {
        const StoreIntegrityCheck::Answer known = answer.get();
        *reason = known.problem;
        return known.sound;
    };
}

void PersistenceController::listenForDamage() {
    QObject* receiver = mainThread_.get();
    ObjectStoreInternals::core(*context_).onDamage = [this, receiver](const QString&) {
        // Told from inside whatever read met the damage; the window hears of it afterwards.
        QMetaObject::invokeMethod(
            receiver,
            [this] {
                notify(QStringLiteral("Store Damaged"),
                       QStringLiteral(
                           "Quorvale met damage in its store and stopped saving changes to it. It will be "
                           "repaired the next time Quorvale starts."));
            },
            Qt::QueuedConnection);
    };
}

bool PersistenceController::waitsForSalvage() const {
    return context_ && ObjectStoreInternals::core(*context_).isDamaged();
}

void PersistenceController::checkAnswered(bool sound, const QString& problem) {
    if (!sound)
        recoverDamagedStore(problem);
}

void PersistenceController::recoverDamagedStore(const QString& reason) {
    if (!context_ || context_->path() == QStringLiteral(":memory:"))
        return;
    const QString path = context_->path();
    StoreSalvage::Report report;
    QString error;
    const bool reopened = ObjectStoreInternals::reopen(
        *context_, path, [&] { report = StoreSalvage::recover(QuorvaleModel::objectModel(), path, reason); },
        &error);
    if (mainThread_)
        listenForDamage();
    if (report.retryLater) {
        waitsForRoom_ = report.waitsForRoom();
        // Still the damaged file, or none: nothing more goes into it, and its marker makes the
        // next start salvage it.
        if (reopened)
            ObjectStoreInternals::core(*context_).markDamaged(reason, false);
        notify(
            QStringLiteral("Store Damaged"),
            QStringLiteral("Quorvale found damage in its store and could not recover it now: %1. The store "
                           "was left as it is and no more changes are saved to it; Quorvale will try again "
                           "the next time it starts.")
                .arg(report.error));
        return;
    }
    if (!reopened) {
        // The context now refuses every save rather than keep changes nowhere.
        notify(QStringLiteral("Store Damaged"),
               QStringLiteral("Quorvale found damage in its store and could not open a new one (%1); changes "
                              "can no longer be saved.%2")
                   .arg(error, report.movedTo.isEmpty()
                                   ? QString()
                                   : QStringLiteral(" The original was kept at %1.").arg(report.movedTo)));
        return;
    }
    if (!report.complete) {
        notify(
            QStringLiteral("Store Damaged"),
            QStringLiteral("Quorvale found damage in its store and could not recover its records (%1). The "
                           "original was kept at %2.")
                .arg(report.error, report.movedTo));
        return;
    }
    notify(QStringLiteral("Store Recovered"), recoveredMessage(report));
}

void PersistenceController::notify(const QString& title, const QString& message) {
    if (tell_)
        tell_(title, message);
}

bool PersistenceController::save() {
    return context_ && (!context_->hasChanges() || context_->commit());
}

bool PersistenceController::deleteAllData() {
    static const QStringList entities{QStringLiteral("Step"),       QStringLiteral("Milestone"),
                                      QStringLiteral("DailyLog"),   QStringLiteral("Goal"),
                                      QStringLiteral("CreditCard"), QStringLiteral("Expense"),
                                      QStringLiteral("Income"),     QStringLiteral("Subscription"),
                                      QStringLiteral("Investment"), QStringLiteral("CashReserve")};
    if (!context_)
        return false;
    // Either everything goes or nothing does; pending changes go with the reset either way.
    QString error;
    const bool deleted = context_->batchDelete(entities, &error);
    if (!deleted) {
        std::printf("CoreData save error: %s\n", error.toLocal8Bit().constData());
        std::fflush(stdout);
    }
    context_->reset();
    return deleted;
}
