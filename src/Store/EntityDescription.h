#pragma once

#include <QString>
#include <QStringView>

#include <functional>
#include <memory>
#include <vector>

class ManagedObject;

// Types of stored attributes. Values travel as QVariant: QUuid, QString, QDateTime (UTC),
// qint64 for every integer width, double, bool. An invalid QVariant is an absent value.
enum class AttributeType { uuid, text, date, int16, int32, int64, doubleValue, flag };

struct AttributeDescription {
    QString name;
    AttributeType type;
    // Kept in an index of the file, for attributes that screens filter or sort large tables
    // by. UUID and date attributes and to-one relationships are always indexed.
    bool indexed = false;
};

// What deleting the owner does to the records on the to-many side.
enum class DeleteRule { nullify, cascade };

struct RelationshipDescription {
    QString name;
    QString destination; // entity name
    bool toMany = false;
    QString inverse; // name of the relationship on the destination
    DeleteRule deleteRule = DeleteRule::nullify;
};

// One stored entity: its name, attributes in declaration order, relationships, and the
// factory that makes the typed record class.
struct EntityDescription {
    QString name;
    std::vector<AttributeDescription> attributes;
    std::vector<RelationshipDescription> relationships;
    std::function<std::shared_ptr<ManagedObject>()> make;
    // Indexes over several attributes, in order, kept besides those above: a total over a
    // range of the first attribute, filtered by the next, reads the last from the index alone.
    std::vector<std::vector<QString>> compoundIndexes = {};

    int attributeIndex(QStringView attribute) const;       // -1 when unknown
    int relationshipIndex(QStringView relationship) const; // -1 when unknown
};

// The set of entities a store holds.
class ObjectModel {
public:
    void add(EntityDescription entity);
    const EntityDescription* entity(QStringView name) const; // nullptr when unknown
    const std::vector<std::unique_ptr<EntityDescription>>& entities() const { return entities_; }

private:
    std::vector<std::unique_ptr<EntityDescription>> entities_;
};
