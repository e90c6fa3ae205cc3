#pragma once

#include "Store/QueryAccess.h"

#include <QString>
#include <QVariant>

#include <vector>

class ObjectContext;

namespace StoreQuery {

// Runs a read-only query (COUNT, SUM, GROUP BY) over the saved records, with ? bound to binds
// in order. It does not see unsaved changes: ask ObjectContext::hasChanges() first. Returns
// the rows (NULL as an invalid QVariant); an invalid query prints why and returns none.
std::vector<std::vector<QVariant>> aggregate(ObjectContext& context, const QString& sql,
                                             const QVariantList& binds = {});

} // namespace StoreQuery
