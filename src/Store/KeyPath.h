#pragma once

#include "Store/EntityDescription.h"
#include "Store/StoreValue.h"

#include <QString>
#include <QStringView>

#include <vector>

class ManagedObject;
class StoreCore;

// A key path resolved against the model: the to-one relationships it follows, then the
// attribute or to-one relationship it ends in. A path that names nothing is reported as a
// misuse of the store and reads as absent.
class KeyPath {
public:
    static KeyPath resolve(const StoreCore& core, int rootEntity, QStringView path);

    bool isValid() const { return valid_; }
    // The type operands are converted to; a relationship compares by pk.
    AttributeType type() const { return type_; }
    bool endsInRelationship() const { return relationship_ >= 0; }
    // The entity the final to-one relationship leads to; -1 for a path ending in an attribute.
    int destination() const { return destination_; }
    // Entities whose records the path reads through, after the root.
    const std::vector<int>& crossedEntities() const { return crossed_; }

    StoreValue valueOf(const ManagedObject& object) const;
    // A scalar SQL expression of the path for the row aliased t.
    QString sqlExpression(const StoreCore& core) const;
    // "t.link IN (SELECT pk FROM ... WHERE <condition on the last record>)": the indexed
    // form of a test that absent values never pass. last is written for alias t as well.
    QString sqlMembership(const StoreCore& core, const QString& lastCondition) const;
    QString lastColumn(const StoreCore& core) const;

private:
    bool valid_ = false;
    struct Hop {
        int entity;
        int relationship;
    };
    std::vector<Hop> hops_;
    std::vector<int> crossed_;
    int lastEntity_ = -1;
    int attribute_ = -1;
    int relationship_ = -1;
    int destination_ = -1;
    AttributeType type_ = AttributeType::int64;
};
