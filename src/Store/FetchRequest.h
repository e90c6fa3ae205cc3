#pragma once

#include "Store/Predicate.h"

#include <QString>

#include <vector>

struct SortDescriptor {
    SortDescriptor(StoreKey attribute, bool ascendingOrder = true)
        : key(attribute), ascending(ascendingOrder) {}
    QString key; // attribute name, or a to-one key path ending in an attribute
    bool ascending = true;
};

// A query as data. Records with equal sort keys come back in insertion order.
struct FetchRequest {
    QString entityName;
    Predicate predicate;
    std::vector<SortDescriptor> sortDescriptors;
    int fetchLimit = 0;  // 0: no limit
    int fetchOffset = 0; // records skipped before the first one returned (a page of a long list)

    FetchRequest() = default;
    explicit FetchRequest(QString entity, Predicate p = {}, std::vector<SortDescriptor> sort = {},
                          int limit = 0)
        : entityName(std::move(entity)), predicate(std::move(p)), sortDescriptors(std::move(sort)),
          fetchLimit(limit) {}
};
