#include "ViewModels/ActionSave.h"

#include "Platform/Store/ObjectContext.h"

#include <cstdio>

bool commitAction(ObjectContext& context) {
    if (!context.hasChanges())
        return true;
    QString error;
    if (context.save(&error))
        return true;
    std::printf("CoreData save error: %s\n", error.toLocal8Bit().constData());
    std::fflush(stdout);
    context.rollback();
    SaveFailures::shared().report(error);
    return false;
}

SaveFailures& SaveFailures::shared() {
    static SaveFailures instance;
    return instance;
}

QString SaveFailures::messageFor(const QString& storeError) {
    const QString lower = storeError.toLower();
    QString reason;
    if (lower.contains(QLatin1String("full")))
        reason = QStringLiteral("the disk is full");
    else if (lower.contains(QLatin1String("readonly")) || lower.contains(QLatin1String("read-only")))
        reason = QStringLiteral("the store is read-only");
    else if (lower.contains(QLatin1String("malformed")) || lower.contains(QLatin1String("corrupt")))
        reason = QStringLiteral("the store is damaged");
    else if (lower.contains(QLatin1String("locked")) || lower.contains(QLatin1String("busy")))
        reason = QStringLiteral("the store is busy");
    else
        reason = storeError.isEmpty() ? QStringLiteral("an unknown error") : storeError;
    return QStringLiteral("Couldn't save: ") + reason;
}

void SaveFailures::report(const QString& storeError) {
    emit saveFailed(messageFor(storeError));
}
