#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

// Keeps one running instance per data folder. The first start holds a lock file in the
// folder and listens on a local socket named after the folder; a later start finds the lock
// taken and asks the running instance, over that socket, to raise its window. Whether a lock
// is taken is decided by its owner's process alone: a lock whose owner is gone, or that names
// no owner at all (a write cut short), is taken over. The lock goes with the guard, so every
// way out of main that unwinds releases it.
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

    Outcome acquire();
    // From a later start: delivers the raise request; false when no instance answered.
    bool requestRaise(int timeoutMs = 5000);

    QString lockFilePath() const;
    QString errorString() const { return error_; }
    qint64 ownerPid() const { return ownerPid_; } // of a live instance found by acquire()
    // The local socket name of a data folder.
    static QString serverName(const QString& dataFolder);

signals:
    void raiseRequested();

private:
    void listen();
    void serveConnection();
    bool ownerIsAlive();

    QString folder_;
    QString error_;
    qint64 ownerPid_ = 0;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};
