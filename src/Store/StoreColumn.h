#pragma once

#include "Store/StoreKey.h"

#include <QString>
#include <QStringView>

// A key as a column of SQL text ("isArchived", or m."goal" of a table named m): a query that is
// the twin of a C++ rule names its columns from the same constants as the rule, so renaming an
// attribute cannot leave the query reading the old column.
inline QString sqlColumn(StoreKey key, QStringView table = {}) {
    const QString quoted = u'"' + QString::fromLatin1(key.name) + u'"';
    return table.isEmpty() ? quoted : table.toString() + u'.' + quoted;
}
