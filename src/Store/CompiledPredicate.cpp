#include "Store/CompiledPredicate.h"

#include "Store/StoreCore.h"
#include "Store/StoreMisuse.h"

#include <QSet>

using Kind = Predicate::Kind;
using Op = Predicate::Op;

CompiledPredicate::CompiledPredicate(const StoreCore& core, int rootEntity, const Predicate& predicate)
    : root_(build(core, rootEntity, predicate)) {
    if (trusted(core, root_)) {
        sql_ = toSql(core, root_, binds_);
        return;
    }
    exact_ = false;
    QStringList parts;
    if (root_.kind == Kind::conjunction) {
        for (const Node& part : root_.parts)
            if (trusted(core, part))
                parts << toSql(core, part, binds_);
    }
    sql_ = parts.isEmpty() ? QStringLiteral("1") : parts.join(QStringLiteral(" AND "));
}

namespace {

// A record compared with an attribute, or a relationship compared with anything but a record
// of its destination, matches nothing whatever the store holds.
void checkOperand(const StoreCore& core, int rootEntity, const KeyPath& path, const Predicate& p) {
    if (!path.isValid() || !p.value().isValid())
        return;
    const bool isRecord = p.value().metaType() == QMetaType::fromType<ObjectRef>();
    QString fault;
    if (!path.endsInRelationship() && isRecord)
        fault = QStringLiteral("an attribute compared with a record");
    else if (path.endsInRelationship() && !isRecord)
        fault = QStringLiteral("a relationship compared with a value that is not a record");
    else if (path.endsInRelationship() && path.destination() >= 0 &&
             p.value().value<ObjectRef>().entity != core.entity(path.destination()).desc->name)
        fault = QStringLiteral("a relationship to %1 compared with a record of %2")
                    .arg(core.entity(path.destination()).desc->name, p.value().value<ObjectRef>().entity);
    if (!fault.isEmpty())
        StoreMisuse::report(QStringLiteral("key path \"%1\" of %2: %3")
                                .arg(p.keyPath(), core.entity(rootEntity).desc->name, fault));
}

} // namespace

CompiledPredicate::Node CompiledPredicate::build(const StoreCore& core, int rootEntity, const Predicate& p) {
    Node node;
    node.kind = p.kind();
    node.op = p.op();
    switch (p.kind()) {
    case Kind::compare:
    case Kind::isAbsent:
    case Kind::isPresent:
        node.path = KeyPath::resolve(core, rootEntity, p.keyPath());
        node.key = p.keyPath();
        if (p.kind() == Kind::compare) {
            checkOperand(core, rootEntity, node.path, p);
            node.operand = StoreValue::operand(p.value(), node.path.type());
        }
        break;
    case Kind::conjunction:
    case Kind::disjunction:
    case Kind::negation:
        for (const Predicate& part : p.parts())
            node.parts.push_back(build(core, rootEntity, part));
        break;
    case Kind::truePredicate:
        break;
    }
    return node;
}

bool CompiledPredicate::matches(const ManagedObject& object) const {
    return matches(root_, object);
}

bool CompiledPredicate::matches(const Node& node, const ManagedObject& object) const {
    switch (node.kind) {
    case Kind::truePredicate:
        return true;
    case Kind::isAbsent:
        return node.path.valueOf(object).isNull();
    case Kind::isPresent:
        return !node.path.valueOf(object).isNull();
    case Kind::compare: {
        const int c = StoreValue::compare(node.path.valueOf(object), node.operand);
        switch (node.op) {
        case Op::eq:
            return c == 0;
        case Op::ne:
            return c != 0;
        case Op::lt:
            return c < 0;
        case Op::le:
            return c <= 0;
        case Op::gt:
            return c > 0;
        case Op::ge:
            return c >= 0;
        }
        return false;
    }
    case Kind::conjunction:
        for (const Node& part : node.parts)
            if (!matches(part, object))
                return false;
        return true;
    case Kind::disjunction:
        for (const Node& part : node.parts)
            if (matches(part, object))
                return true;
        return false;
    case Kind::negation:
        return node.parts.empty() || !matches(node.parts.front(), object);
    }
    return false;
}

bool CompiledPredicate::trusted(const StoreCore& core, const Node& node) const {
    for (int e : node.path.crossedEntities())
        if (core.hasPending(e))
            return false;
    for (const Node& part : node.parts)
        if (!trusted(core, part))
            return false;
    return true;
}

QString CompiledPredicate::toSql(const StoreCore& core, const Node& node,
                                 std::vector<StoreValue>& binds) const {
    switch (node.kind) {
    case Kind::truePredicate:
        return QStringLiteral("1");
    case Kind::isAbsent:
        return node.path.isValid() ? QStringLiteral("(%1 IS NULL)").arg(node.path.sqlExpression(core))
                                   : QStringLiteral("1");
    case Kind::isPresent:
        if (!node.path.isValid())
            return QStringLiteral("0");
        if (!node.path.crossedEntities().empty())
            return u'(' +
                   node.path.sqlMembership(
                       core, QStringLiteral("t.%1 IS NOT NULL").arg(node.path.lastColumn(core))) +
                   u')';
        return QStringLiteral("(%1 IS NOT NULL)").arg(node.path.sqlExpression(core));
    case Kind::compare:
        return compareSql(core, node, binds);
    case Kind::conjunction:
    case Kind::disjunction: {
        if (node.parts.empty())
            return node.kind == Kind::conjunction ? QStringLiteral("1") : QStringLiteral("0");
        // In "date >= a AND date < b" the first test already fails for an absent date, so
        // the second can be written as a plain range bound the index can use.
        QSet<QString> present;
        if (node.kind == Kind::conjunction)
            for (const Node& part : node.parts)
                if (part.kind == Kind::isPresent ||
                    (part.kind == Kind::compare && !part.operand.isNull() &&
                     (part.op == Op::eq || part.op == Op::gt || part.op == Op::ge)))
                    present.insert(part.key);
        QStringList parts;
        for (const Node& part : node.parts)
            parts << (part.kind == Kind::compare ? compareSql(core, part, binds, present.contains(part.key))
                                                 : toSql(core, part, binds));
        return u'(' +
               parts.join(node.kind == Kind::conjunction ? QStringLiteral(" AND ") : QStringLiteral(" OR ")) +
               u')';
    }
    case Kind::negation:
        if (node.parts.empty())
            return QStringLiteral("0");
        return QStringLiteral("(NOT %1)").arg(toSql(core, node.parts.front(), binds));
    }
    return QStringLiteral("0");
}

// Every test comes out as 0 or 1, never NULL, so NOT and OR give what evaluating in memory
// gives: an absent value is smaller than everything and equal only to absent.
QString CompiledPredicate::compareSql(const StoreCore& core, const Node& node, std::vector<StoreValue>& binds,
                                      bool knownPresent) const {
    const KeyPath& path = node.path;
    const QString x = path.isValid() ? path.sqlExpression(core) : QStringLiteral("NULL");
    if (node.operand.isNull()) {
        switch (node.op) {
        case Op::eq:
        case Op::le:
            return QStringLiteral("(%1 IS NULL)").arg(x);
        case Op::ne:
        case Op::gt:
            return QStringLiteral("(%1 IS NOT NULL)").arg(x);
        case Op::lt:
            return QStringLiteral("0");
        case Op::ge:
            return QStringLiteral("1");
        }
    }
    if (!path.isValid()) // absent, smaller than any operand
        return (node.op == Op::ne || node.op == Op::lt || node.op == Op::le) ? QStringLiteral("1")
                                                                             : QStringLiteral("0");
    binds.push_back(node.operand);
    const bool viaLinks = !path.crossedEntities().empty();
    const auto membership = [&](const char* op) {
        return u'(' +
               path.sqlMembership(core,
                                  QStringLiteral("t.%1 %2 ?").arg(path.lastColumn(core), QLatin1String(op))) +
               u')';
    };
    switch (node.op) {
    case Op::eq:
        return viaLinks ? membership("=") : QStringLiteral("(%1 IS ?)").arg(x);
    case Op::ne:
        return QStringLiteral("(%1 IS NOT ?)").arg(x);
    case Op::lt:
        return QString::fromLatin1(knownPresent ? "(%1 < ?)" : "(%1 IS NULL OR %1 < ?)").arg(x);
    case Op::le:
        return QString::fromLatin1(knownPresent ? "(%1 <= ?)" : "(%1 IS NULL OR %1 <= ?)").arg(x);
    case Op::gt:
        return viaLinks ? membership(">") : QStringLiteral("(%1 IS NOT NULL AND %1 > ?)").arg(x);
    case Op::ge:
        return viaLinks ? membership(">=") : QStringLiteral("(%1 IS NOT NULL AND %1 >= ?)").arg(x);
    }
    return QStringLiteral("0");
}
