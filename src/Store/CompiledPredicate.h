#pragma once

#include "Store/KeyPath.h"
#include "Store/Predicate.h"
#include "Store/StoreValue.h"

#include <QString>

#include <vector>

class ManagedObject;
class StoreCore;

// A predicate resolved against the model once per fetch: key paths looked up, operands
// converted to stored form. It tests objects in memory and writes the same test as SQL.
// Key paths that read through records with unsaved changes cannot be trusted to SQL; then
// the SQL selects a superset and every candidate is tested in memory as well.
class CompiledPredicate {
public:
    CompiledPredicate(const StoreCore& core, int rootEntity, const Predicate& predicate);

    bool matches(const ManagedObject& object) const;
    bool matchesEverything() const { return root_.kind == Predicate::Kind::truePredicate; }

    const QString& sql() const { return sql_; } // for the row aliased t; "1" when no filter
    const std::vector<StoreValue>& binds() const { return binds_; }
    bool sqlIsExact() const { return exact_; }

private:
    struct Node {
        Predicate::Kind kind = Predicate::Kind::truePredicate;
        Predicate::Op op = Predicate::Op::eq;
        KeyPath path;
        QString key;
        StoreValue operand;
        std::vector<Node> parts;
    };
    Node build(const StoreCore& core, int rootEntity, const Predicate& p);
    bool matches(const Node& node, const ManagedObject& object) const;
    bool trusted(const StoreCore& core, const Node& node) const;
    QString toSql(const StoreCore& core, const Node& node, std::vector<StoreValue>& binds) const;
    QString compareSql(const StoreCore& core, const Node& node, std::vector<StoreValue>& binds,
                       bool knownPresent = false) const;

    Node root_;
    QString sql_;
    std::vector<StoreValue> binds_;
    bool exact_ = true;
};
