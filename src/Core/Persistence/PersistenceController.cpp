#include "Core/Persistence/PersistenceController.h"

#include "Models/QuorvaleModel.h"
#include "Platform/Store/ObjectContext.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <array>
#include <cstdio>

namespace {

std::unique_ptr<PersistenceController>& sharedInstance() {
    static std::unique_ptr<PersistenceController> instance;
    return instance;
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
    const QString path = inMemory ? QStringLiteral(":memory:") : defaultStorePath();
    createdNewStore_ = !inMemory && !QFileInfo::exists(path);
    QString error;
    context_ = ObjectContext::open(QuorvaleModel::objectModel(), path, &error);
    if (!context_)
        qFatal("CoreData load error: %s", qPrintable(error));
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
