#pragma once

#include "Store/LiveFetch.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <map>
#include <memory>
#include <vector>

// A list that follows the store as LiveFetch does but never holds it all, for long lists that
// show only the rows in view: it counts the records its request matches and fetches them a
// page at a time as rows ask for them, keeping the last few pages read. A change to its own
// entity counts again and reads the kept pages again; a change to an entity its rows derive
// from is announced only when the digest of the kept rows changed (without a digest, always).
class PagedFetch : public QObject {
    Q_OBJECT
public:
    static constexpr int kPageSize = 32;

    // The first page is read at once: the first rows show right away.
    PagedFetch(ObjectContext* context, FetchRequest request, QStringList derivedFrom = {},
               QObject* parent = nullptr);

    int count() const { return count_; }
    // The record at index; null out of range.
    std::shared_ptr<ManagedObject> at(int index);
    template <typename T> std::shared_ptr<T> typedAt(int index) {
        return std::static_pointer_cast<T>(at(index));
    }

    void setDerivedDigest(LiveFetch::Digest digest);

signals:
    void changed();

private:
    void storeChanged(const QSet<QString>& entityNames);
    void reload();
    const std::vector<std::shared_ptr<ManagedObject>>& page(int number);
    std::vector<std::shared_ptr<ManagedObject>> fetchPage(int number) const;
    size_t digest() const;

    QPointer<ObjectContext> context_; // a list may outlive the store it followed
    FetchRequest request_;
    QStringList followed_;
    LiveFetch::Digest digest_;
    int count_ = 0;
    std::map<int, std::vector<std::shared_ptr<ManagedObject>>> pages_;
    size_t lastDigest_ = 0;
};
