#include "Store/ObjectRegistry.h"

std::weak_ptr<ManagedObject>* ObjectRegistry::slot(qint64 pk) const {
    const auto page = std::size_t(pk >> pageBits);
    if (page >= pages_.size() || !pages_[page])
        return nullptr;
    return &(*pages_[page])[std::size_t(pk & (pageSize - 1))];
}

std::shared_ptr<ManagedObject> ObjectRegistry::find(qint64 pk) const {
    if (pk > 0 && pk < denseLimit) {
        const auto* weak = slot(pk);
        return weak ? weak->lock() : nullptr;
    }
    const auto it = sparse_.find(pk);
    return it == sparse_.end() ? nullptr : it->second.lock();
}

void ObjectRegistry::insert(qint64 pk, const std::shared_ptr<ManagedObject>& object) {
    if (pk > 0 && pk < denseLimit) {
        const auto page = std::size_t(pk >> pageBits);
        if (page >= pages_.size())
            pages_.resize(std::max(page + 1, pages_.size() * 3 / 2));
        if (!pages_[page])
            pages_[page] = std::make_unique<Page>();
        (*pages_[page])[std::size_t(pk & (pageSize - 1))] = object;
        return;
    }
    sparse_[pk] = object;
}

void ObjectRegistry::erase(qint64 pk) {
    if (pk > 0 && pk < denseLimit) {
        if (auto* weak = slot(pk))
            weak->reset();
        return;
    }
    sparse_.erase(pk);
}

void ObjectRegistry::eraseIfExpired(qint64 pk) {
    if (pk > 0 && pk < denseLimit) {
        if (auto* weak = slot(pk); weak && weak->expired())
            weak->reset();
        return;
    }
    const auto it = sparse_.find(pk);
    if (it != sparse_.end() && it->second.expired())
        sparse_.erase(it);
}

std::vector<std::shared_ptr<ManagedObject>> ObjectRegistry::alive() const {
    std::vector<std::shared_ptr<ManagedObject>> out;
    for (const auto& page : pages_)
        if (page)
            for (const auto& weak : *page)
                if (auto object = weak.lock())
                    out.push_back(std::move(object));
    for (const auto& [pk, weak] : sparse_)
        if (auto object = weak.lock())
            out.push_back(std::move(object));
    return out;
}

void ObjectRegistry::clear() {
    pages_.clear();
    sparse_.clear();
}
