#include "Store/StatementCache.h"

namespace {
// Ad-hoc predicate shapes must not grow the cache without bound.
constexpr std::size_t maxStatements = 512;
} // namespace

StatementCache::Use::Use(StatementCache* cache, SQLite::Statement* s, bool* busy,
                         std::unique_ptr<SQLite::Statement> own)
    : cache_(cache), s_(s), busy_(busy), own_(std::move(own)) {
    ++cache_->inUse_;
    if (busy_)
        *busy_ = true;
}

StatementCache::Use::Use(Use&& other) noexcept
    : cache_(other.cache_), s_(other.s_), busy_(other.busy_), own_(std::move(other.own_)) {
    other.cache_ = nullptr;
    other.busy_ = nullptr;
    other.s_ = nullptr;
}

StatementCache::Use::~Use() {
    if (!cache_)
        return;
    --cache_->inUse_;
    if (busy_)
        *busy_ = false;
    try {
        s_->reset();
        s_->clearBindings();
    } catch (const SQLite::Exception&) {
        // The step's error already reached the caller; reset only repeats it.
    }
}

StatementCache::Use StatementCache::get(const QString& sql) {
    auto it = statements_.find(sql);
    if (it == statements_.end()) {
        if (statements_.size() >= maxStatements && inUse_ == 0)
            statements_.clear();
        auto entry = std::make_unique<Entry>();
        entry->statement = std::make_unique<SQLite::Statement>(db_, sql.toStdString());
        it = statements_.emplace(sql, std::move(entry)).first;
    }
    Entry& entry = *it->second;
    if (entry.busy) {
        auto twin = std::make_unique<SQLite::Statement>(db_, sql.toStdString());
        SQLite::Statement* raw = twin.get();
        return Use(this, raw, nullptr, std::move(twin));
    }
    return Use(this, entry.statement.get(), &entry.busy, nullptr);
}

void StatementCache::clear() {
    if (inUse_ == 0)
        statements_.clear();
}
