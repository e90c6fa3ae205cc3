#pragma once

#include "Store/QueryAccess.h"

#include <QHashFunctions>
#include <QString>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <memory>
#include <unordered_map>

// Prepared statements kept by their SQL text, so a screen's repeated queries are compiled
// once. A statement is handed out reset and unbound; the Use guard resets it again when the
// caller is done, so no statement keeps a read snapshot of the file open. A statement that
// is still being stepped when the same text is asked for again gets a private twin.
class StatementCache {
public:
    explicit StatementCache(SQLite::Database& db) : db_(db) {}

    class Use {
    public:
        Use(Use&& other) noexcept;
        ~Use();
        Use(const Use&) = delete;
        Use& operator=(const Use&) = delete;
        Use& operator=(Use&&) = delete;
        SQLite::Statement& operator*() const { return *s_; }
        SQLite::Statement* operator->() const { return s_; }

    private:
        friend class StatementCache;
        Use(StatementCache* cache, SQLite::Statement* s, bool* busy, std::unique_ptr<SQLite::Statement> own);
        StatementCache* cache_;
        SQLite::Statement* s_;
        bool* busy_;
        std::unique_ptr<SQLite::Statement> own_;
    };

    Use get(const QString& sql);
    void clear();

private:
    struct Entry {
        std::unique_ptr<SQLite::Statement> statement;
        bool busy = false;
    };
    struct TextHash {
        std::size_t operator()(const QString& s) const noexcept { return qHash(s); }
    };
    SQLite::Database& db_;
    std::unordered_map<QString, std::unique_ptr<Entry>, TextHash> statements_;
    int inUse_ = 0;
};
