#pragma once

// What SQLite's result code of a failed save says about the store, so that the layers above
// the model name the reason without reaching SQLite itself.
enum class StoreFailure { Unknown, DiskFull, ReadOnly, Damaged, Busy, DiskError };

// From a primary or an extended result code (ObjectContext::lastErrorCode()); Unknown for a
// code that says no more than the error's text.
StoreFailure storeFailure(int resultCode);
