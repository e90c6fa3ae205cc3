#pragma once

#include <QString>

class StoreCore;

// Writes the context's unsaved changes to the file in one transaction: new rows whole,
// changed rows only in the columns that differ from the saved values, deleted rows by pk.
class ChangeWriter {
public:
    explicit ChangeWriter(StoreCore& core) : core_(core) {}
    bool save(QString* error);

private:
    StoreCore& core_;
};
