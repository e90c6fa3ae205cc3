#pragma once

class ObjectContext;
class QString;

namespace qv::test {

// Makes the file store behind context behave as a full disk: the file may not grow past the
// pages it has (PRAGMA max_page_count, under WAL as the real store runs), and every insert,
// update or delete of a record also asks for new pages, so each save fails with SQLite's own
// "database or disk is full". Nothing else about the file changes.
void fillStore(ObjectContext& context);
// Frees the space again: later saves go through.
void freeStore(ObjectContext& context);
// Has the store meet damage now, as a read of a damaged page would: it takes no more changes
// (each save fails as damaged), and whoever watches it (PersistenceController::watchStore) is told.
void meetDamage(ObjectContext& context);
// Writes over the last leaf page of the entity's table in the file behind context, as a page
// damaged on disk while the application runs: the next save of a record of it, and every read
// that reaches that page, meets SQLite's "database disk image is malformed". The store must be
// a file; what the context holds in memory stays.
void damageLastPage(ObjectContext& context, const QString& entity);

} // namespace qv::test
