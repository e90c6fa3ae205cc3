#include "Platform/Store/ObjectRegistry.h"

std::shared_ptr<ManagedObject> ObjectRegistry::find(qint64 pk) const {
    if (pk > 0 && pk < denseLimit)
        return pk < qint64(dense_.size()) ? dense_[std::size_t(pk)].lock() : nullptr;
    const auto it = sparse_.find(pk);
    return it == sparse_.end() ? nullptr : it->second.lock();
}

void ObjectRegistry::insert(qint64 pk, const std::shared_ptr<ManagedObject>& object) {
    if (pk > 0 && pk < denseLimit) {
        if (pk >= qint64(dense_.size()))
            dense_.resize(std::max<std::size_t>(std::size_t(pk) + 1, dense_.size() * 3 / 2));
        dense_[std::size_t(pk)] = object;
        return;
    }
    sparse_[pk] = object;
}

void ObjectRegistry::erase(qint64 pk) {
    if (pk > 0 && pk < denseLimit) {
        if (pk < qint64(dense_.size()))
            dense_[std::size_t(pk)].reset();
        return;
    }
    sparse_.erase(pk);
}

void ObjectRegistry::eraseIfExpired(qint64 pk) {
    if (pk > 0 && pk < denseLimit) {
        if (pk < qint64(dense_.size()) && dense_[std::size_t(pk)].expired())
            dense_[std::size_t(pk)].reset();
        return;
    }
    const auto it = sparse_.find(pk);
    if (it != sparse_.end() && it->second.expired())
        sparse_.erase(it);
}

std::vector<std::shared_ptr<ManagedObject>> ObjectRegistry::alive() const {
    std::vector<std::shared_ptr<ManagedObject>> out;
    for (const auto& weak : dense_)
        if (auto object = weak.lock())
            out.push_back(std::move(object));
    for (const auto& [pk, weak] : sparse_)
        if (auto object = weak.lock())
            out.push_back(std::move(object));
    return out;
}

void ObjectRegistry::clear() {
    dense_.clear();
    sparse_.clear();
}
