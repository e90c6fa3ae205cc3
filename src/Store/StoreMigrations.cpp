#include "Store/StoreMigrations.h"

#include "Store/StoreFile.h"
#include "Store/StoreSchema.h"

#include <QFileInfo>
#include <QtEndian>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Transaction.h>

#include <string>

const std::vector<StoreMigrations::Step>& StoreMigrations::steps() {
    static const std::vector<Step> all{
        // 1: one table per entity, one column per attribute and to-one relationship.
        [](SQLite::Database& db, const ObjectModel& model) { StoreSchema::apply(db, model); },
    };
    return all;
}

std::optional<int> StoreMigrations::readVersion(const QString& path) {
    if (path == QStringLiteral(":memory:") || !QFileInfo(path).isFile())
        return std::nullopt;
    // Opening even a read-only connection would make -wal and -shm files beside a store in
    // write-ahead mode; the header is read as bytes instead (user_version at offset 60).
    const std::optional<QByteArray> header = StoreFile::currentHeader(path);
    if (!header)
        return std::nullopt;
    return qFromBigEndian<qint32>(header->constData() + 60);
}

void StoreMigrations::migrate(SQLite::Database& db, const ObjectModel& model, int from) {
    migrate(db, model, from, steps());
}

void StoreMigrations::migrate(SQLite::Database& db, const ObjectModel& model, int from,
                              const std::vector<Step>& steps) {
    for (int version = from + 1; version <= static_cast<int>(steps.size()); ++version) {
        SQLite::Transaction transaction(db, SQLite::TransactionBehavior::IMMEDIATE);
        steps[static_cast<std::size_t>(version - 1)](db, model);
        db.exec("PRAGMA user_version = " + std::to_string(version));
        transaction.commit();
    }
}

std::optional<QString> StoreMigrations::newerStoreRefusal(const QString& path) {
    const std::optional<int> version = readVersion(path);
    if (!version || *version <= latestVersion())
        return std::nullopt;
    return QStringLiteral(
               "Quorvale: the store %1 was written by a newer Quorvale (format %2; this one knows up to "
               "%3); it was left as it is")
        .arg(path)
        .arg(*version)
        .arg(latestVersion());
}
