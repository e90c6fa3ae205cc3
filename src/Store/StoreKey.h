#pragma once

#include "Store/EntityDescription.h"

#include <QString>

#include <vector>

// The name of an attribute or relationship, as a constant of its record class
// (Goal::Keys::isArchived), so that a misspelt name does not compile. Key paths, sort
// descriptors and setValue take it where they take a name.
struct StoreKey {
    const char* name;
    operator QString() const { return QString::fromLatin1(name); }
};

// Whether an attribute is kept in an index of the file (see AttributeDescription).
namespace StoreIndexing {
inline constexpr bool indexed = true;
}

enum class StoreCardinality { toOne, toMany };

// Each entity lists its stored attributes and relationships once, as two lists in its header:
//   attributes:    X(Index, name, type) or X(Index, name, type, indexed), in column order
//   relationships: X(Index, name, Destination, toOne | toMany, inverse, nullify | cascade)
// QV_STORED_ENTITY expands them, inside the record class, into the indexes its accessors use
// (enum Attribute, enum Relationship), the key constants (struct Keys) and the lists its
// description is made of (storedAttributes(), storedRelationships()).
#define QV_STORE_INDEX(index, ...) index,
#define QV_STORE_KEY(index, key, ...) static constexpr StoreKey key{#key};
#define QV_STORE_ATTRIBUTE(index, key, type, ...)                                                            \
    AttributeDescription{QStringLiteral(#key), AttributeType::type __VA_OPT__(, StoreIndexing::__VA_ARGS__)},
#define QV_STORE_RELATIONSHIP(index, key, destination, cardinality, inverse, rule)                           \
    RelationshipDescription{QStringLiteral(#key), QStringLiteral(#destination),                              \
                            StoreCardinality::cardinality == StoreCardinality::toMany,                       \
                            QStringLiteral(#inverse), DeleteRule::rule},
#define QV_NO_RELATIONSHIPS(X)

#define QV_STORED_ENTITY(ATTRIBUTES, RELATIONSHIPS)                                                          \
    enum Attribute { ATTRIBUTES(QV_STORE_INDEX) };                                                           \
    enum Relationship { RELATIONSHIPS(QV_STORE_INDEX) };                                                     \
    struct Keys {                                                                                            \
        ATTRIBUTES(QV_STORE_KEY)                                                                             \
        RELATIONSHIPS(QV_STORE_KEY)                                                                          \
    };                                                                                                       \
    static std::vector<AttributeDescription> storedAttributes() {                                            \
        return {ATTRIBUTES(QV_STORE_ATTRIBUTE)};                                                             \
    }                                                                                                        \
    static std::vector<RelationshipDescription> storedRelationships() {                                      \
        return {RELATIONSHIPS(QV_STORE_RELATIONSHIP)};                                                       \
    }
