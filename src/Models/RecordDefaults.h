#pragma once

class ManagedObject;

// What every creator puts into a new record: a fresh random id, createdAt set to now where
// the entity has one, and every number and flag written as 0 / false, so that a query on a
// number or flag finds records whose creator never set it.
class RecordDefaults {
public:
    static void apply(ManagedObject& record);
};
