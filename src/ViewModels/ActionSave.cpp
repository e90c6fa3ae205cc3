#include "ViewModels/ActionSave.h"

#include "Store/ObjectContext.h"
#include "Store/StoreFailure.h"

void beginAction(const ObjectContext& context) {
    // Changes left over from elsewhere would be written, or rolled back, with this action.
    Q_ASSERT_X(!context.hasChanges(), "beginAction", "a user action must start with no pending changes");
    Q_UNUSED(context);
}

bool commitAction(ObjectContext& context) {
    if (!context.hasChanges())
        return true;
    QString error;
    if (context.commit(&error))
        return true;
    SaveFailures::shared().report(error, context.lastErrorCode());
    return false;
}

ActionGuard::ActionGuard(ObjectContext& context) : ActionGuard(&context) {}

ActionGuard::ActionGuard(ObjectContext* context) : context_(context) {
    if (context_)
        beginAction(*context_);
}

ActionGuard::~ActionGuard() {
    if (!finished_ && context_ && context_->hasChanges())
        context_->rollback();
}

bool ActionGuard::commit() {
    Q_ASSERT_X(!finished_, "ActionGuard::commit", "an action is committed once");
    finished_ = true;
    return !context_ || commitAction(*context_);
}

SaveFailures& SaveFailures::shared() {
    // Never destroyed: windows connected to it outlive every static object at exit().
    static auto* instance = new SaveFailures;
    return *instance;
}

namespace {

QString reasonForCode(int resultCode) {
    switch (storeFailure(resultCode)) {
    case StoreFailure::DiskFull:
        return QStringLiteral("the disk is full");
    case StoreFailure::ReadOnly:
        return QStringLiteral("the store is read-only");
    case StoreFailure::Damaged:
        return QStringLiteral("the store is damaged");
    case StoreFailure::Busy:
        return QStringLiteral("the store is busy");
    case StoreFailure::DiskError:
        return QStringLiteral("the disk could not be written");
    case StoreFailure::Unknown:
        break;
    }
    return {};
}

QString reasonForText(const QString& storeError) {
    const QString lower = storeError.toLower();
    if (lower.contains(QLatin1String("full")))
        return QStringLiteral("the disk is full");
    if (lower.contains(QLatin1String("readonly")) || lower.contains(QLatin1String("read-only")))
        return QStringLiteral("the store is read-only");
    if (lower.contains(QLatin1String("malformed")) || lower.contains(QLatin1String("corrupt")) ||
        lower.contains(QLatin1String("damaged")))
        return QStringLiteral("the store is damaged");
    if (lower.contains(QLatin1String("locked")) || lower.contains(QLatin1String("busy")))
        return QStringLiteral("the store is busy");
    return storeError.isEmpty() ? QStringLiteral("an unknown error") : storeError;
}

} // namespace

QString SaveFailures::messageFor(const QString& storeError, int resultCode) {
    QString reason = reasonForCode(resultCode);
    if (reason.isEmpty())
        reason = reasonForText(storeError);
    return QStringLiteral("Couldn't save: ") + reason;
}

void SaveFailures::report(const QString& storeError, int resultCode) {
    emit saveFailed(messageFor(storeError, resultCode));
}
