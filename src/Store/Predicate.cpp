#include "Store/Predicate.h"

#include "Store/CompiledPredicate.h"
#include "Store/ManagedObject.h"
#include "Store/StoreCore.h"

namespace {

// A handle that left its context reads every value as absent.
bool evaluateAbsent(const Predicate& p) {
    using Kind = Predicate::Kind;
    switch (p.kind()) {
    case Kind::truePredicate:
    case Kind::isAbsent:
        return true;
    case Kind::isPresent:
        return false;
    case Kind::compare: {
        const int c = p.value().isValid() ? -1 : 0;
        switch (p.op()) {
        case Predicate::Op::eq:
            return c == 0;
        case Predicate::Op::ne:
            return c != 0;
        case Predicate::Op::lt:
            return c < 0;
        case Predicate::Op::le:
            return c <= 0;
        case Predicate::Op::gt:
            return c > 0;
        case Predicate::Op::ge:
            return c >= 0;
        }
        return false;
    }
    case Kind::conjunction:
        for (const auto& part : p.parts())
            if (!evaluateAbsent(part))
                return false;
        return true;
    case Kind::disjunction:
        for (const auto& part : p.parts())
            if (evaluateAbsent(part))
                return true;
        return false;
    case Kind::negation:
        return p.parts().empty() || !evaluateAbsent(p.parts().front());
    }
    return false;
}

} // namespace

Predicate Predicate::compare(QString keyPath, Op op, QVariant value) {
    Predicate p;
    p.kind_ = Kind::compare;
    p.op_ = op;
    p.keyPath_ = std::move(keyPath);
    p.value_ = std::move(value);
    return p;
}

Predicate Predicate::absent(QString keyPath) {
    Predicate p;
    p.kind_ = Kind::isAbsent;
    p.keyPath_ = std::move(keyPath);
    return p;
}

Predicate Predicate::present(QString keyPath) {
    Predicate p;
    p.kind_ = Kind::isPresent;
    p.keyPath_ = std::move(keyPath);
    return p;
}

Predicate Predicate::all(std::vector<Predicate> parts) {
    Predicate p;
    p.kind_ = Kind::conjunction;
    p.parts_ = std::move(parts);
    return p;
}

Predicate Predicate::any(std::vector<Predicate> parts) {
    Predicate p;
    p.kind_ = Kind::disjunction;
    p.parts_ = std::move(parts);
    return p;
}

Predicate Predicate::negate(Predicate inner) {
    Predicate p;
    p.kind_ = Kind::negation;
    p.parts_.push_back(std::move(inner));
    return p;
}

bool Predicate::evaluate(const ManagedObject& object) const {
    const auto& s = StoreCore::state(object);
    if (!s.live())
        return evaluateAbsent(*this);
    return CompiledPredicate(*s.core, s.entity, *this).matches(object);
}

Predicate operator&&(Predicate a, Predicate b) {
    return Predicate::all({std::move(a), std::move(b)});
}

Predicate operator||(Predicate a, Predicate b) {
    return Predicate::any({std::move(a), std::move(b)});
}

Predicate operator!(Predicate a) {
    return Predicate::negate(std::move(a));
}

Predicate Key::operator==(const std::shared_ptr<ManagedObject>& object) const {
    if (!object)
        return Predicate::compare(path_, Predicate::Op::eq, QVariant());
    return Predicate::compare(path_, Predicate::Op::eq,
                              QVariant::fromValue(ObjectRef{object->entityName(), object->objectID()}));
}

Predicate Key::operator!=(const std::shared_ptr<ManagedObject>& object) const {
    if (!object)
        return Predicate::compare(path_, Predicate::Op::ne, QVariant());
    return Predicate::compare(path_, Predicate::Op::ne,
                              QVariant::fromValue(ObjectRef{object->entityName(), object->objectID()}));
}
