#pragma once

#include "Platform/Store/ManagedObject.h"
#include "Platform/Store/StoreValue.h"

#include <vector>

class StoreCore;

// What the context keeps about one record object. Values are in stored form; links hold the
// pk of each to-one target (0: none). The saved copy exists while the record has unsaved
// changes, so rollback can restore it and save can write only what differs.
struct ManagedObject::State {
    StoreCore* core = nullptr; // null once the object left its context
    int entity = -1;
    bool inserted = false;
    bool updated = false;
    bool deleted = false;
    bool gone = false;
    bool snapshot = false;
    std::vector<StoreValue> values;
    std::vector<qint64> links;
    std::vector<StoreValue> savedValues;
    std::vector<qint64> savedLinks;

    bool pending() const { return inserted || updated || deleted; }
    bool live() const { return core != nullptr && !gone; }
};
