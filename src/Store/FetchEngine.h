#pragma once

#include "Store/FetchRequest.h"

#include <QString>

#include <memory>
#include <vector>

class CompiledPredicate;
class ManagedObject;
class StoreCore;

// Runs fetch requests: the saved rows come from SQL (filtered, sorted and limited there when
// the request allows it), the context's unsaved records are tested in memory, and both are
// merged in the request's order with the pk as the last key.
class FetchEngine {
public:
    explicit FetchEngine(StoreCore& core) : core_(core) {}

    // A read that meets damage part way (a page written over on disk) answers what it could read
    // and the records of the table still held in memory, in the request's order; once the store
    // met damage a count counts what a fetch hands back.
    std::vector<std::shared_ptr<ManagedObject>> fetch(const FetchRequest& request);
    int count(const FetchRequest& request);
    double sum(const FetchRequest& request, const QString& attribute);
    // The records whose to-one inverse of the to-many relationship names object, by pk.
    // Kept with the object until a link in the context changes; when the object came from a
    // fetch, the relationship is read for every record of that fetch in one query, since a
    // screen that asks one goal for its milestones asks the next one too.
    const std::vector<std::shared_ptr<ManagedObject>>& related(const ManagedObject& object, int relationship);

private:
    // The saved records of entity alive in memory that match: what a failed read can still show.
    std::vector<std::shared_ptr<ManagedObject>> heldMatches(int entity, const CompiledPredicate& predicate);
    void loadForBatch(const ManagedObject& object, int relationship);
    static void remember(const std::vector<std::shared_ptr<ManagedObject>>& objects);
    StoreCore& core_;
};
