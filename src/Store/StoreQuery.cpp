#include "Store/StoreQuery.h"

#include "Store/ObjectContext.h"
#include "Store/ObjectStoreInternals.h"
#include "Store/StoreCore.h"

namespace StoreQuery {

std::vector<std::vector<QVariant>> aggregate(ObjectContext& context, const QString& sql,
                                             const QVariantList& binds) {
    std::vector<std::vector<QVariant>> rows;
    try {
        auto statement = ObjectStoreInternals::core(context).statements().get(sql);
        statement->reset();
        statement->clearBindings();
        for (int i = 0; i < binds.size(); ++i) {
            const QVariant& v = binds[i];
            switch (v.typeId()) {
            case QMetaType::Double:
                statement->bind(i + 1, v.toDouble());
                break;
            case QMetaType::Int:
            case QMetaType::LongLong:
            case QMetaType::Bool:
                statement->bind(i + 1, static_cast<int64_t>(v.toLongLong()));
                break;
            default:
                if (v.isNull())
                    statement->bind(i + 1);
                else
                    statement->bind(i + 1, v.toString().toStdString());
            }
        }
        while (statement->executeStep()) {
            std::vector<QVariant> row;
            for (int c = 0; c < statement->getColumnCount(); ++c) {
                const SQLite::Column column = statement->getColumn(c);
                if (column.isNull())
                    row.emplace_back();
                else if (column.isInteger())
                    row.emplace_back(static_cast<qlonglong>(column.getInt64()));
                else if (column.isFloat())
                    row.emplace_back(column.getDouble());
                else
                    row.emplace_back(QString::fromStdString(column.getString()));
            }
            rows.push_back(std::move(row));
        }
        statement->reset();
    } catch (const SQLite::Exception& failure) {
        qWarning("store: aggregate query failed: %s", failure.what());
        rows.clear();
    }
    return rows;
}

} // namespace StoreQuery
