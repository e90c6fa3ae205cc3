#include "Core/Persistence/PersistenceController.h"

#include "Models/QuorvaleModel.h"
#include "Platform/Store/ObjectContext.h"
#include "Platform/Store/StoreFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

std::unique_ptr<PersistenceController>& sharedInstance() {
    static std::unique_ptr<PersistenceController> instance;
    return instance;
}

// Nothing can run without the store: the process ends, leaving the file as it is.
[[noreturn]] void fail(const char* message, const QString& error) {
    std::fprintf(stderr, "%s%s\n", message, error.toLocal8Bit().constData());
    std::fflush(stderr);
    std::exit(EXIT_FAILURE);
}

} // namespace

PersistenceController& PersistenceController::shared() {
    auto& instance = sharedInstance();
    if (!instance)
        instance = std::make_unique<PersistenceController>(false);
    return *instance;
}

void PersistenceController::setShared(std::unique_ptr<PersistenceController> controller) {
    sharedInstance() = std::move(controller);
}

void PersistenceController::resetShared() {
    sharedInstance().reset();
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
            fail("CoreData load error: ", error);
        return;
    }
    const QString path = defaultStorePath();
    const bool existed = QFileInfo::exists(path);
    StoreFile::Result result = StoreFile::open(model, path);
    if (!result.context)
        fail(result.recoveryFailed ? "CoreData recovery failed: " : "CoreData load error: ", result.error);
    context_ = std::move(result.context);
    createdNewStore_ = !existed || !result.movedTo.isEmpty();
}

PersistenceController::~PersistenceController() = default;

bool PersistenceController::save() {
    if (!context_->hasChanges())
        return true;
    QString error;
    if (context_->save(&error))
        return true;
    std::printf("CoreData save error: %s\n", error.toLocal8Bit().constData());
    std::fflush(stdout);
    return false;
}

void PersistenceController::deleteAllData() {
    static const std::array<const char*, 10> entities{"Step",       "Milestone",  "DailyLog", "Goal",
                                                      "CreditCard", "Expense",    "Income",   "Subscription",
                                                      "Investment", "CashReserve"};
    for (const char* entity : entities)
        context_->batchDelete(QString::fromLatin1(entity));
    context_->reset();
    save();
}
