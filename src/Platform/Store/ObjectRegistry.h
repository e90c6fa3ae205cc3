#pragma once

#include <QtGlobal>

#include <memory>
#include <unordered_map>
#include <vector>

class ManagedObject;

// The identity map of one entity: pk -> the live object of that record, held weakly. The
// store hands out pks densely from 1, so most live in a plain array indexed by pk; the rest
// (pks written by other tools) in a hash map.
class ObjectRegistry {
public:
    std::shared_ptr<ManagedObject> find(qint64 pk) const;
    void insert(qint64 pk, const std::shared_ptr<ManagedObject>& object);
    void erase(qint64 pk);
    void eraseIfExpired(qint64 pk);
    std::vector<std::shared_ptr<ManagedObject>> alive() const;
    void clear();

private:
    static constexpr qint64 denseLimit = qint64(1) << 22;
    std::vector<std::weak_ptr<ManagedObject>> dense_;
    std::unordered_map<qint64, std::weak_ptr<ManagedObject>> sparse_;
};
