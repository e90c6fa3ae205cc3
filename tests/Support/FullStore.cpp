#include "Support/FullStore.h"

#include "Store/EntityDescription.h"
#include "Store/ObjectContext.h"
#include "Store/ObjectStoreInternals.h"
#include "Store/StoreCore.h"
#include "Store/StoreSchema.h"

#include <SQLiteCpp/Database.h>

#include <string>

namespace qv::test {

namespace {

std::string triggerName(const QString& entity, const char* event) {
    return QStringLiteral("full_%1_%2").arg(entity, QLatin1String(event)).toStdString();
}

} // namespace

void fillStore(ObjectContext& context) {
    SQLite::Database& db = ObjectStoreInternals::core(context).db();
    db.exec("CREATE TABLE IF NOT EXISTS main.ballast (b BLOB)");
    const int pages = db.execAndGet("PRAGMA main.page_count").getInt();
    db.exec("PRAGMA main.max_page_count = " + std::to_string(pages));
    // A record written alone may fit in the free room of a page it already has; the ballast
    // written with it never does.
    for (const auto& entity : context.model().entities()) {
        for (const char* event : {"INSERT", "UPDATE", "DELETE"}) {
            db.exec("CREATE TEMP TRIGGER IF NOT EXISTS " + triggerName(entity->name, event) + " AFTER " +
                    event + " ON main." + StoreSchema::quote(entity->name).toStdString() +
                    " BEGIN INSERT INTO ballast VALUES (zeroblob(1048576)); END");
        }
    }
}

void freeStore(ObjectContext& context) {
    SQLite::Database& db = ObjectStoreInternals::core(context).db();
    for (const auto& entity : context.model().entities())
        for (const char* event : {"INSERT", "UPDATE", "DELETE"})
            db.exec("DROP TRIGGER IF EXISTS temp." + triggerName(entity->name, event));
    db.exec("PRAGMA main.max_page_count = 1073741823");
}

void meetDamage(ObjectContext& context) {
    ObjectStoreInternals::core(context).markDamaged(QStringLiteral("database disk image is malformed"));
}

} // namespace qv::test
