#pragma once

#include "Store/QueryAccess.h"

#include <QString>

#include <functional>
#include <memory>

class ObjectContext;
class ObjectModel;
class StoreCore;

// Reaches inside the store's public classes for the store's own helpers (opening with the
// SQLite result code, tests of the file format).
class ObjectStoreInternals {
public:
    // The result code of a file written by a newer build, which is never opened for writing.
    static constexpr int newerStore = -2;
    // Like ObjectContext::open, and also gives SQLite's primary result code of a failure.
    static std::unique_ptr<ObjectContext> open(const ObjectModel& model, const QString& path, QString* error,
                                               int* resultCode);
    static StoreCore& core(ObjectContext& context);
    // Puts the file at path behind the context in place of the one it had, as after a salvage:
    // every record handed out so far reads as deleted and every list reads again. When the
    // file cannot be opened the context keeps working in memory and refuses every save.
    // whileClosed runs between letting the old file go and opening the new one.
    static bool reopen(ObjectContext& context, const QString& path, const std::function<void()>& whileClosed,
                       QString* error);
};
