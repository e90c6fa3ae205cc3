#include "Support/FullStore.h"

#include "Store/EntityDescription.h"
#include "Store/ObjectContext.h"
#include "Store/ObjectStoreInternals.h"
#include "Store/StoreCore.h"
#include "Store/StoreSchema.h"

#include <QFile>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <sqlite3.h>

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

void damageLastPage(ObjectContext& context, const QString& entity) {
    SQLite::Database& db = ObjectStoreInternals::core(context).db();
    // Every page in the file itself, none waiting in the log.
    db.exec("PRAGMA wal_checkpoint(TRUNCATE)");
    const int pageSize = db.execAndGet("PRAGMA page_size").getInt();
    SQLite::Statement root(db, "SELECT rootpage FROM sqlite_master WHERE type = 'table' AND name = ?");
    root.bind(1, entity.toStdString());
    if (!root.executeStep())
        return;
    qint64 page = root.getColumn(0).getInt64();
    QFile file(context.path());
    if (!file.open(QIODevice::ReadWrite))
        return;
    // Down the right edge of the table's tree: an interior page (0x05) names its right-most
    // child in the four bytes after its first eight, a leaf (0x0D) ends the walk.
    for (;;) {
        file.seek((page - 1) * pageSize + (page == 1 ? 100 : 0));
        const QByteArray header = file.read(12);
        if (header.size() < 12 || quint8(header[0]) != 0x05)
            break;
        page = qint64(quint8(header[8])) << 24 | qint64(quint8(header[9])) << 16 |
               qint64(quint8(header[10])) << 8 | qint64(quint8(header[11]));
    }
    file.seek((page - 1) * pageSize);
    file.write(QByteArray(pageSize, char(0xA5)));
    file.close();
    // The connection's copies of its pages go: the next read takes the page from the file.
    sqlite3_db_release_memory(db.getHandle());
}

} // namespace qv::test
