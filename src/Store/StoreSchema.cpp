#include "Store/StoreSchema.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <QSet>
#include <QStringList>

namespace {

std::string utf8(const QString& s) {
    return s.toStdString();
}

QString relationshipColumn(const RelationshipDescription& rel, const ObjectModel& model) {
    QString sql = StoreSchema::quote(rel.name) + QStringLiteral(" INTEGER");
    if (model.entity(rel.destination))
        sql += QStringLiteral(" REFERENCES %1(\"pk\") ON DELETE SET NULL DEFERRABLE INITIALLY DEFERRED")
                   .arg(StoreSchema::quote(rel.destination));
    return sql;
}

QString attributeColumn(const AttributeDescription& attr) {
    QString sql = StoreSchema::quote(attr.name) + u' ' + StoreSchema::columnType(attr.type);
    switch (attr.type) {
    case AttributeType::uuid:
    case AttributeType::text:
    case AttributeType::date:
        break;
    default:
        sql += QStringLiteral(" NOT NULL DEFAULT 0"); // numbers and flags always hold a value
    }
    return sql;
}

void createIndex(SQLite::Database& db, const QString& table, const std::vector<QString>& columns) {
    QStringList quoted;
    for (const QString& column : columns)
        quoted << StoreSchema::quote(column);
    const QString name = table + u'_' + QStringList(columns.begin(), columns.end()).join(u'_');
    db.exec(utf8(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2(%3)")
                     .arg(StoreSchema::quote(name), StoreSchema::quote(table), quoted.join(u", "))));
}

void createIndex(SQLite::Database& db, const QString& table, const QString& column) {
    createIndex(db, table, std::vector<QString>{column});
}

QSet<QString> existingColumns(SQLite::Database& db, const QString& table) {
    QSet<QString> names;
    SQLite::Statement info(db, utf8(QStringLiteral("PRAGMA table_info(%1)").arg(StoreSchema::quote(table))));
    while (info.executeStep())
        names.insert(QString::fromUtf8(info.getColumn(1).getText()));
    return names;
}

} // namespace

QString StoreSchema::quote(QStringView identifier) {
    QString out = identifier.toString();
    out.replace(u'"', QStringLiteral("\"\""));
    return u'"' + out + u'"';
}

QString StoreSchema::columnType(AttributeType type) {
    switch (type) {
    case AttributeType::uuid:
    case AttributeType::text:
        return QStringLiteral("TEXT");
    case AttributeType::date:
    case AttributeType::doubleValue:
        return QStringLiteral("REAL");
    default:
        return QStringLiteral("INTEGER");
    }
}

void StoreSchema::apply(SQLite::Database& db, const ObjectModel& model) {
    for (const auto& entity : model.entities()) {
        const QString& table = entity->name;
        if (!db.tableExists(utf8(table))) {
            QStringList columns{QStringLiteral("\"pk\" INTEGER PRIMARY KEY AUTOINCREMENT")};
            for (const auto& attr : entity->attributes)
                columns << attributeColumn(attr);
            for (const auto& rel : entity->relationships)
                if (!rel.toMany)
                    columns << relationshipColumn(rel, model);
            db.exec(utf8(QStringLiteral("CREATE TABLE %1 (%2)").arg(quote(table), columns.join(u", "))));
        } else {
            const QSet<QString> present = existingColumns(db, table);
            for (const auto& attr : entity->attributes)
                if (!present.contains(attr.name))
                    db.exec(utf8(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                                     .arg(quote(table), attributeColumn(attr))));
            for (const auto& rel : entity->relationships)
                if (!rel.toMany && !present.contains(rel.name))
                    db.exec(utf8(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                                     .arg(quote(table), relationshipColumn(rel, model))));
        }
        for (const auto& attr : entity->attributes)
            if (attr.indexed || attr.type == AttributeType::uuid || attr.type == AttributeType::date)
                createIndex(db, table, attr.name);
        for (const auto& rel : entity->relationships)
            if (!rel.toMany)
                createIndex(db, table, rel.name);
        for (const auto& columns : entity->compoundIndexes)
            createIndex(db, table, columns);
    }
}

qint64 StoreSchema::nextPk(SQLite::Database& db, const EntityDescription& entity) {
    SQLite::Statement maxPk(db, utf8(QStringLiteral("SELECT max(\"pk\") FROM %1").arg(quote(entity.name))));
    qint64 next = maxPk.executeStep() ? maxPk.getColumn(0).getInt64() : 0;
    if (!db.tableExists("sqlite_sequence"))
        return next + 1;
    SQLite::Statement seq(db, "SELECT seq FROM sqlite_sequence WHERE name = ?");
    seq.bind(1, utf8(entity.name));
    if (seq.executeStep())
        next = std::max<qint64>(next, seq.getColumn(0).getInt64());
    return next + 1;
}
