#pragma once

#include "Store/EntityDescription.h"

#include <QString>
#include <QStringView>

namespace SQLite {
class Database;
}

// The file's tables: one per entity, named as the entity, with "pk" as the record identity,
// one column per attribute and one per to-one relationship, each named as declared.
class StoreSchema {
public:
    static QString quote(QStringView identifier);
    static QString columnType(AttributeType type);

    // Creates missing tables, columns and indexes; existing rows are kept. Runs inside the
    // caller's transaction. The format's version is StoreMigrations' business.
    static void apply(SQLite::Database& db, const ObjectModel& model);
    // The first pk a new record of the entity may take: past every pk the table ever held.
    static qint64 nextPk(SQLite::Database& db, const EntityDescription& entity);
};
