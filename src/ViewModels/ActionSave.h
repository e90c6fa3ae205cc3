#pragma once

#include <QObject>
#include <QString>

class ObjectContext;

// The one path by which a user action reaches the disk. An action starts with no pending
// changes (beginAction checks that in debug builds), makes its changes in the main context and
// then calls commitAction() once. When the save fails the whole action is rolled back in memory
// (no later save can write it), the store's error is printed as "CoreData save error: ", and
// SaveFailures announces a short reason that the window shows in an alert. The caller learns
// the outcome from the return value: a sheet whose save failed stays open with what was typed.
void beginAction(const ObjectContext& context);
bool commitAction(ObjectContext& context);

// A user action as an object: made at the action's start (beginAction), it is committed once
// with commit() (commitAction); leaving the scope without a commit, on any early return, rolls
// back whatever the action changed, so no half-made action waits for the next save.
class ActionGuard {
public:
    explicit ActionGuard(ObjectContext& context);
    // Without a context (a screen shown with no store) there is nothing to save: commit() is true.
    explicit ActionGuard(ObjectContext* context);
    ~ActionGuard();
    ActionGuard(const ActionGuard&) = delete;
    ActionGuard& operator=(const ActionGuard&) = delete;

    bool commit();

private:
    ObjectContext* context_;
    bool finished_ = false;
};

// Announces failed saves to whoever shows them (the window).
class SaveFailures : public QObject {
    Q_OBJECT
public:
    static SaveFailures& shared();

    // The alert text for a store error, such as "Couldn't save: the disk is full". The SQLite
    // result code decides when it is known; the text is the fallback.
    static QString messageFor(const QString& storeError, int resultCode = 0);

    void report(const QString& storeError, int resultCode = 0);

signals:
    void saveFailed(const QString& message);
};
