#pragma once

#include "Store/EntityDescription.h"

#include <QDateTime>
#include <QUuid>
#include <QVariant>

#include <memory>
#include <optional>
#include <vector>

class ObjectContext;

// One record of the store, owned by its context's identity map and handed out as
// std::shared_ptr. A handle kept after its record's deletion was saved, after a batch
// delete or after the context was reset or closed reads as deleted: values read absent or
// zero, writes are ignored, nothing crashes. Until a deletion is saved the record reads
// its last values (isDeleted() is already true) and rollback() brings it back.
class ManagedObject : public std::enable_shared_from_this<ManagedObject> {
public:
    virtual ~ManagedObject();
    ManagedObject(const ManagedObject&) = delete;
    ManagedObject& operator=(const ManagedObject&) = delete;

    const EntityDescription& entity() const { return *entity_; }
    const QString& entityName() const { return entity_->name; }
    qint64 objectID() const { return pk_; } // the store's identity, stable from insertion on
    ObjectContext* context() const;

    bool isDeleted() const;  // deleted in the context, or gone from it
    bool isInserted() const; // inserted and not yet saved
    bool isUpdated() const;  // changed and not yet saved

    // Generic access by attribute or relationship name (used by predicates and sorting).
    QVariant value(QStringView key) const;
    void setValue(QStringView key, const QVariant& value);
    // So that value("title") means the key, not an attribute index.
    QVariant value(const QString& key) const { return value(QStringView(key)); }
    void setValue(const QString& key, const QVariant& v) { setValue(QStringView(key), v); }

    QVariant value(int attribute) const;
    void setValue(int attribute, const QVariant& value);

    std::shared_ptr<ManagedObject> relatedObject(int relationship) const;
    void setRelatedObject(int relationship, const std::shared_ptr<ManagedObject>& target);
    // The to-many side, kept in step with the to-one side at once; in insertion order.
    std::vector<std::shared_ptr<ManagedObject>> relatedObjects(int relationship) const;

protected:
    ManagedObject();

    std::optional<QUuid> uuidValue(int attribute) const;
    std::optional<QString> textValue(int attribute) const;
    std::optional<QDateTime> dateValue(int attribute) const;
    qint64 integerValue(int attribute) const;
    double doubleValue(int attribute) const;
    bool flagValue(int attribute) const;

    template <typename T> void setOptional(int attribute, const std::optional<T>& v) {
        setValue(attribute, v ? QVariant::fromValue(*v) : QVariant());
    }

    template <typename T> std::shared_ptr<T> toOne(int relationship) const {
        return std::dynamic_pointer_cast<T>(relatedObject(relationship));
    }
    template <typename T> std::vector<std::shared_ptr<T>> toMany(int relationship) const {
        std::vector<std::shared_ptr<T>> out;
        for (auto& o : relatedObjects(relationship))
            if (auto t = std::dynamic_pointer_cast<T>(o))
                out.push_back(std::move(t));
        return out;
    }

private:
    friend class ObjectContext;
    friend class ObjectStoreInternals;
    friend class StoreCore;

    const EntityDescription* entity_ = nullptr;
    qint64 pk_ = 0;
    struct State;
    std::unique_ptr<State> state_; // values, relationship links, flags; owned by the context
};
