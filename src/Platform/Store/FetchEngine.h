#pragma once

#include "Platform/Store/FetchRequest.h"

#include <QString>

#include <memory>
#include <vector>

class ManagedObject;
class StoreCore;

// Runs fetch requests: the saved rows come from SQL (filtered, sorted and limited there when
// the request allows it), the context's unsaved records are tested in memory, and both are
// merged in the request's order with the pk as the last key.
class FetchEngine {
public:
    explicit FetchEngine(StoreCore& core) : core_(core) {}

    std::vector<std::shared_ptr<ManagedObject>> fetch(const FetchRequest& request);
    int count(const FetchRequest& request);
    // The records whose to-one inverse of the to-many relationship names object, by pk.
    std::vector<std::shared_ptr<ManagedObject>> related(const ManagedObject& object, int relationship);

private:
    StoreCore& core_;
};
