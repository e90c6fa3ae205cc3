#include "Store/PagedFetch.h"

#include <cstdlib>
#include <iterator>

namespace {

// Pages kept: enough for rows in view that straddle two pages while the list scrolls either way.
constexpr size_t kKeptPages = 3;

} // namespace

PagedFetch::PagedFetch(ObjectContext* context, FetchRequest request, QStringList derivedFrom, QObject* parent)
    : QObject(parent), context_(context), request_(std::move(request)), followed_(std::move(derivedFrom)) {
    if (!context_)
        return;
    connect(context_, &ObjectContext::objectsChanged, this, &PagedFetch::storeChanged);
    pages_[0] = {};
    reload();
}

void PagedFetch::setDerivedDigest(LiveFetch::Digest digest) {
    digest_ = std::move(digest);
    lastDigest_ = this->digest();
}

std::shared_ptr<ManagedObject> PagedFetch::at(int index) {
    if (index < 0 || index >= count_)
        return nullptr;
    const auto& records = page(index / kPageSize);
    const size_t at = size_t(index % kPageSize);
    return at < records.size() ? records[at] : nullptr;
}

const std::vector<std::shared_ptr<ManagedObject>>& PagedFetch::page(int number) {
    auto it = pages_.find(number);
    if (it != pages_.end())
        return it->second;
    while (pages_.size() >= kKeptPages) {
        // The page farthest from this one is the least likely to be read again.
        auto farthest = pages_.begin();
        if (std::abs(pages_.rbegin()->first - number) > std::abs(farthest->first - number))
            farthest = std::prev(pages_.end());
        pages_.erase(farthest);
    }
    return pages_[number] = fetchPage(number);
}

std::vector<std::shared_ptr<ManagedObject>> PagedFetch::fetchPage(int number) const {
    if (!context_)
        return {};
    FetchRequest request = request_;
    request.fetchOffset = number * kPageSize;
    request.fetchLimit = kPageSize;
    return context_->fetch(request);
}

void PagedFetch::reload() {
    count_ = context_ ? context_->count(request_) : 0;
    for (auto it = pages_.begin(); it != pages_.end();) {
        if (it->first > 0 && it->first * kPageSize >= count_) {
            it = pages_.erase(it);
            continue;
        }
        it->second = fetchPage(it->first);
        ++it;
    }
    lastDigest_ = digest();
}

size_t PagedFetch::digest() const {
    if (!digest_)
        return 0;
    std::vector<std::shared_ptr<ManagedObject>> kept;
    for (const auto& [number, records] : pages_)
        kept.insert(kept.end(), records.begin(), records.end());
    return digest_(kept);
}

void PagedFetch::storeChanged(const QSet<QString>& entityNames) {
    switch (LiveFetch::reach(entityNames, request_.entityName, followed_)) {
    case LiveFetch::Reach::none:
        return;
    case LiveFetch::Reach::records:
        reload();
        emit changed();
        return;
    case LiveFetch::Reach::derived:
        break;
    }
    // Which records match did not change; what their rows show may have.
    const size_t fresh = digest();
    const bool same = LiveFetch::sameDigest(fresh, lastDigest_);
    lastDigest_ = fresh;
    if (!same)
        emit changed();
}
