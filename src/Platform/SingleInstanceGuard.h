#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QLockFile;
class QThread;

// Keeps one running instance per data folder. The first start holds a lock file in the
// folder and listens on a local socket named after the folder, in the user's runtime folder
// (where no clean-up of old temporary files reaches, and which does not move with TMPDIR); a
// later start finds the lock taken and asks the running instance, over that socket, to raise
// its window. Whether a lock
// is taken is decided by its owner's process alone: a lock file another start holds locked
// is a live owner's however new, one written on another machine (a shared folder) is that
// machine's, and one whose owner is gone (or whose process number now belongs to another
// program), or that has named no owner for a while (a write cut short), is taken over. A lock
// file held by another program is not taken, and the failure names that program. The lock goes
// with the guard, so every way out of main that unwinds releases it.
//
// The socket is answered on a thread of its own from the moment the lock is taken, so a later
// start that comes while this one is still starting (opening or salvaging the store, building
// its window: its main thread busy) hears so, and waits for it however long that takes. Once
// the window is up (setStarted()) a request is answered only after the main thread has raised
// the window, so an instance that is up but does not answer is refused. So is one that holds
// the lock but nobody answers for at all (its socket removed): within seconds, never waited for.
// One that could not start and is saying why (setRefusing()) tells a later start its line.
class SingleInstanceGuard : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        Acquired,       // this process is the running instance
        AlreadyRunning, // another live process holds the folder
        Failed          // the lock file could not be used (permissions, disk); errorString says why
    };

    explicit SingleInstanceGuard(const QString& dataFolder, QObject* parent = nullptr);
    ~SingleInstanceGuard() override;

    // What asking the running instance to raise its window came to.
    enum class Raise {
        Raised,   // it raised its window
        NoAnswer, // its window is up and it did not answer within the time given, or nobody
                  // answers for it (its socket is gone)
        Refused,  // it could not start and is showing why: refusal() holds its line
        OwnerGone // it ended before it was up (or nobody holds the folder): acquire again
    };

    Outcome acquire();
    // By the running instance once its window is up: until then a later start is told to wait.
    void setStarted();
    // By an instance that holds the lock but cannot start, while it shows why: a later start is
    // told the line (and raiseRequested asks for the message to come to the front) rather than
    // wait for a window that will never come.
    void setRefusing(const QString& line);
    // From a later start: delivers the raise request, waiting while the instance is still
    // starting; timeoutMs bounds the wait for an answer, and for anyone to answer at all.
    Raise requestRaise(int timeoutMs = 5000);
    // The line of an instance that could not start (Raise::Refused).
    QString refusal() const { return refusal_; }

    QString lockFilePath() const;
    QString errorString() const { return error_; }
    qint64 ownerPid() const { return ownerPid_; } // of a live instance found by acquire(); 0: unknown
    // The machine a live instance found by acquire() runs on, when it is not this one.
    QString ownerHost() const { return ownerHost_; }
    // The live instance found by acquire(), for a line a person reads: "process 4242", "process
    // 4242 on the machine study-pc", or a start that has not yet said which process it is.
    QString ownerDescription() const;
    // The line a start refused by an instance on another machine (ownerHost() set) ends with.
    // A lock file nobody holds names how to go on: the file, and that it may be removed once
    // Quorvale no longer runs on that machine.
    QString elsewhereRefusal() const;
    // Where the instance of a data folder listens: a socket in the runtime folder
    // (XDG_RUNTIME_DIR), or, without one, in the data folder itself beside the lock, so two
    // starts that agree on the lock agree on the socket whatever their TMPDIR.
    static QString serverName(const QString& dataFolder);
    // Every place a later start looks for it: where serverName() says, then where a start with
    // another environment (one without XDG_RUNTIME_DIR, or with it) would have listened.
    static QStringList serverNames(const QString& dataFolder);

signals:
    void raiseRequested();

private:
    // How long a start waits for a lock file that names no owner yet to be claimed, and how old
    // such a file must be before it counts as left over.
    static constexpr int kSettleMs = 5000;
    static constexpr qint64 kFreshLockSecs = 2;

    enum class Found {
        liveOwner, // held by a live start, however new: hand over to it
        removed,   // left over by a dead one, and now gone
        unsettled, // being made or taken over by another start at this moment: look again
        stuck,     // not a file that can be taken over
        otherOwner // held by a program that is not this one: error_ names it
    };
    // What the lock file in the way says about its owner; one left over is removed.
    Found inspectLock();
    void listen();
    class Answerer;

    QString folder_;
    QString error_;
    QString refusal_;
    qint64 ownerPid_ = 0;
    QString ownerHost_;
    bool ownerHoldsLock_ = false; // the live instance found holds the lock file locked
    std::unique_ptr<QLockFile> lock_;
    QThread* answering_ = nullptr;
    Answerer* answerer_ = nullptr;
};
