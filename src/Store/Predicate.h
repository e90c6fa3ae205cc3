#pragma once

#include "Store/StoreKey.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <vector>

class ManagedObject;

// A reference to a stored record inside a predicate value ("goal == %@").
struct ObjectRef {
    QString entity;
    qint64 pk = 0;
    bool operator==(const ObjectRef&) const = default;
};
Q_DECLARE_METATYPE(ObjectRef)

// A filter as data: comparisons of a key path with a value, absent / present tests, and
// AND, OR, NOT with nesting. Key paths are an attribute ("isArchived") or a chain of to-one
// relationships ending in an attribute or a relationship ("milestone.goal"). Absent compares
// as smallest, text by code point, dates exactly; evaluating in memory and in SQL agree.
class Predicate {
public:
    enum class Kind { truePredicate, compare, isAbsent, isPresent, conjunction, disjunction, negation };
    enum class Op { eq, ne, lt, le, gt, ge };

    Predicate() = default; // matches everything

    static Predicate compare(QString keyPath, Op op, QVariant value);
    static Predicate absent(QString keyPath);
    static Predicate present(QString keyPath);
    static Predicate all(std::vector<Predicate> parts);
    static Predicate any(std::vector<Predicate> parts);
    static Predicate negate(Predicate inner);

    Kind kind() const { return kind_; }
    Op op() const { return op_; }
    const QString& keyPath() const { return keyPath_; }
    const QVariant& value() const { return value_; }
    const std::vector<Predicate>& parts() const { return parts_; }
    bool isTrue() const { return kind_ == Kind::truePredicate; }

    bool evaluate(const ManagedObject& object) const;

private:
    Kind kind_ = Kind::truePredicate;
    Op op_ = Op::eq;
    QString keyPath_;
    QVariant value_;
    std::vector<Predicate> parts_;
};

Predicate operator&&(Predicate a, Predicate b);
Predicate operator||(Predicate a, Predicate b);
Predicate operator!(Predicate a);

// Builder: Key(Goal::Keys::isArchived) == false, Key(Step::Keys::milestone, Milestone::Keys::goal)
// == goal, Key(Goal::Keys::deadline).absent(). A name the entity lacks is reported when the
// predicate runs (StoreMisuse).
class Key {
public:
    explicit Key(StoreKey key) : path_(key) {}
    // A to-one key path, one key per hop.
    template <typename... More>
    Key(StoreKey first, StoreKey second, More... more)
        : path_(QStringList{first, second, QString(more)...}.join(u'.')) {}
    Predicate operator==(const QVariant& v) const { return Predicate::compare(path_, Predicate::Op::eq, v); }
    Predicate operator!=(const QVariant& v) const { return Predicate::compare(path_, Predicate::Op::ne, v); }
    Predicate operator<(const QVariant& v) const { return Predicate::compare(path_, Predicate::Op::lt, v); }
    Predicate operator<=(const QVariant& v) const { return Predicate::compare(path_, Predicate::Op::le, v); }
    Predicate operator>(const QVariant& v) const { return Predicate::compare(path_, Predicate::Op::gt, v); }
    Predicate operator>=(const QVariant& v) const { return Predicate::compare(path_, Predicate::Op::ge, v); }
    Predicate operator==(const std::shared_ptr<ManagedObject>& object) const;
    Predicate operator!=(const std::shared_ptr<ManagedObject>& object) const;
    Predicate absent() const { return Predicate::absent(path_); }
    Predicate present() const { return Predicate::present(path_); }

private:
    QString path_;
};
