#include "Store/StoreFailure.h"

#include <sqlite3.h>

StoreFailure storeFailure(int resultCode) {
    switch (resultCode & 0xff) {
    case SQLITE_FULL:
        return StoreFailure::DiskFull;
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return StoreFailure::ReadOnly;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return StoreFailure::Damaged;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return StoreFailure::Busy;
    case SQLITE_IOERR:
        return StoreFailure::DiskError;
    default:
        return StoreFailure::Unknown;
    }
}
