#pragma once

#include <QString>

#include <memory>

class ObjectContext;
class ObjectModel;
class StoreCore;

// Reaches inside the store's public classes for the store's own helpers (opening with the
// SQLite result code, tests of the file format).
class ObjectStoreInternals {
public:
    // Like ObjectContext::open, and also gives SQLite's primary result code of a failure.
    static std::unique_ptr<ObjectContext> open(const ObjectModel& model, const QString& path, QString* error,
                                               int* resultCode);
    static StoreCore& core(ObjectContext& context);
};
