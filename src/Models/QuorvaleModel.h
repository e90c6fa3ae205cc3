#pragma once

class ObjectModel;

// The 22 entities of the store with their relationships and delete rules.
class QuorvaleModel {
public:
    static const ObjectModel& objectModel();
};
