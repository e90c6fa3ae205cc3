#include "Store/StoreIntegrityCheck.h"

#include <QStringList>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <sqlite3.h>

#include <mutex>

struct StoreIntegrityCheck::Shared {
    std::mutex mutex;
    sqlite3* connection = nullptr; // while the check runs, so that it can be interrupted
    bool dropped = false;
};

StoreIntegrityCheck::Answer StoreIntegrityCheck::run(const QString& path) {
    return check(path, nullptr);
}

StoreIntegrityCheck::Answer StoreIntegrityCheck::check(const QString& path, Shared* shared) {
    Answer answer;
    try {
        SQLite::Database db(path.toStdString(), SQLite::OPEN_READONLY, 5000);
        if (shared) {
            const std::lock_guard lock(shared->mutex);
            if (shared->dropped)
                return answer;
            shared->connection = db.getHandle();
        }
        SQLite::Statement rows(db, "PRAGMA quick_check");
        while (rows.executeStep()) {
            const QString row = QString::fromUtf8(rows.getColumn(0).getText());
            if (row == QLatin1String("ok") || !answer.sound)
                continue;
            answer.sound = false;
            // One complaint, on one line: a row may list many, under a heading.
            for (const QString& line : row.split(u'\n', Qt::SkipEmptyParts))
                if (!line.startsWith(QLatin1String("***"))) {
                    answer.problem = line.trimmed();
                    break;
                }
        }
    } catch (const SQLite::Exception& error) {
        answer.sound = false;
        answer.problem = QString::fromUtf8(error.what());
    }
    if (shared) {
        const std::lock_guard lock(shared->mutex);
        shared->connection = nullptr;
    }
    return answer;
}

StoreIntegrityCheck::StoreIntegrityCheck(const QString& path, std::function<void(const Answer&)> answered)
    : shared_(std::make_shared<Shared>()) {
    auto promise = std::make_shared<std::promise<Answer>>();
    answer_ = promise->get_future().share();
    worker_ = std::thread([path, answered = std::move(answered), promise, shared = shared_] {
        const Answer answer = check(path, shared.get());
        promise->set_value(answer);
        const std::lock_guard lock(shared->mutex);
        if (!shared->dropped && answered)
            answered(answer);
    });
}

StoreIntegrityCheck::~StoreIntegrityCheck() {
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->dropped = true;
        if (shared_->connection)
            sqlite3_interrupt(shared_->connection);
    }
    if (worker_.joinable())
        worker_.join();
}
