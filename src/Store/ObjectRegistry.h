#pragma once

#include <QtGlobal>

#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

class ManagedObject;

// The identity map of one entity: pk -> the live object of that record, held weakly. The
// store hands out pks densely from 1, so most live in arrays indexed by pk; the rest (pks
// written by other tools) in a hash map. The arrays are pages made as pks land in them: a
// screen holding a few records of a big table (one day's tasks out of ten years) pays for
// their pages, not for a slot per record of the table.
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
    static constexpr int pageBits = 8;
    static constexpr qint64 pageSize = qint64(1) << pageBits;
    using Page = std::array<std::weak_ptr<ManagedObject>, std::size_t(pageSize)>;

    // The slot of pk, or none when its page was never made.
    std::weak_ptr<ManagedObject>* slot(qint64 pk) const;

    std::vector<std::unique_ptr<Page>> pages_;
    std::unordered_map<qint64, std::weak_ptr<ManagedObject>> sparse_;
};
