#pragma once

#include <QString>

class ObjectModel;

// The 22 entities of the store with their relationships and delete rules.
class QuorvaleModel {
public:
    static const ObjectModel& objectModel();
    // What a person calls the records of an entity, in the plural and capitalised ("Bank
    // accounts"); the entity's own name for one this model does not hold.
    static QString kindName(const QString& entityName);
};
