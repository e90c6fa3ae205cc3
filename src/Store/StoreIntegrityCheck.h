#pragma once

#include <QString>

#include <functional>
#include <future>
#include <memory>
#include <thread>

struct sqlite3;

// PRAGMA quick_check of a store file on a worker thread, through a read-only connection of its
// own, so that nobody waits for it unless they ask for its answer. An error raised by the check
// itself counts as damage: a file the check cannot read is not one to keep writing to.
class StoreIntegrityCheck {
public:
    struct Answer {
        bool sound = true;
        QString problem; // the check's first complaint, or its error
    };

    // The check itself, on the calling thread.
    static Answer run(const QString& path);

    // Starts the check; answered is called on the worker thread once it has its answer, unless
    // the check is dropped first.
    StoreIntegrityCheck(const QString& path, std::function<void(const Answer&)> answered);
    // Interrupts a check still running and waits for the worker; answered is not called then.
    ~StoreIntegrityCheck();
    StoreIntegrityCheck(const StoreIntegrityCheck&) = delete;
    StoreIntegrityCheck& operator=(const StoreIntegrityCheck&) = delete;

    // The answer, once known; get() blocks until then. Valid after the check is dropped.
    std::shared_future<Answer> answer() const { return answer_; }

private:
    struct Shared;
    static Answer check(const QString& path, Shared* shared);

    std::shared_ptr<Shared> shared_;
    std::shared_future<Answer> answer_;
    std::thread worker_;
};
