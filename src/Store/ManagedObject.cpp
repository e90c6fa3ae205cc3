#include "Store/ManagedObject.h"

#include "Store/FetchEngine.h"
#include "Store/ObjectContext.h"
#include "Store/Predicate.h"
#include "Store/StoreCore.h"
#include "Store/StoreMisuse.h"

#include <QTimeZone>

namespace {

const StoreValue& absentValue() {
    static const StoreValue none;
    return none;
}

void unknownKey(const EntityDescription& entity, QStringView key, const char* what) {
    StoreMisuse::report(
        QStringLiteral("%1 has no %2 \"%3\"").arg(entity.name, QLatin1String(what), key.toString()));
}

} // namespace

ManagedObject::ManagedObject() = default;

ManagedObject::~ManagedObject() {
    if (state_ && state_->core)
        state_->core->forget(state_->entity, pk_);
}

ObjectContext* ManagedObject::context() const {
    return state_ && state_->core ? state_->core->owner() : nullptr;
}

bool ManagedObject::isDeleted() const {
    return !state_ || !state_->live() || state_->deleted;
}

bool ManagedObject::isInserted() const {
    return state_ && state_->live() && state_->inserted && !state_->deleted;
}

bool ManagedObject::isUpdated() const {
    return state_ && state_->live() && state_->updated && !state_->deleted;
}

QVariant ManagedObject::value(QStringView key) const {
    const qsizetype dot = key.indexOf(u'.');
    if (dot >= 0) {
        const int rel = entity_->relationshipIndex(key.left(dot));
        if (rel < 0 || entity_->relationships[static_cast<std::size_t>(rel)].toMany) {
            unknownKey(*entity_, key.left(dot), "to-one relationship");
            return {};
        }
        const auto next = relatedObject(rel);
        return next ? next->value(key.mid(dot + 1)) : QVariant();
    }
    const int attribute = entity_->attributeIndex(key);
    if (attribute >= 0)
        return value(attribute);
    const int rel = entity_->relationshipIndex(key);
    if (rel < 0 || entity_->relationships[static_cast<std::size_t>(rel)].toMany) {
        unknownKey(*entity_, key, "attribute or to-one relationship");
        return {};
    }
    const auto target = relatedObject(rel);
    return target ? QVariant::fromValue(ObjectRef{target->entityName(), target->objectID()}) : QVariant();
}

void ManagedObject::setValue(QStringView key, const QVariant& value) {
    const int attribute = entity_->attributeIndex(key);
    if (attribute >= 0) {
        setValue(attribute, value);
        return;
    }
    const int rel = entity_->relationshipIndex(key);
    if (rel < 0 || entity_->relationships[static_cast<std::size_t>(rel)].toMany) {
        unknownKey(*entity_, key, "attribute or to-one relationship");
        return;
    }
    if (!state_->live())
        return;
    std::shared_ptr<ManagedObject> target;
    if (value.isValid() && value.metaType() != QMetaType::fromType<ObjectRef>()) {
        StoreMisuse::report(
            QStringLiteral("%1.%2 set to a value that is not a record").arg(entity_->name, key.toString()));
        return;
    }
    if (value.metaType() == QMetaType::fromType<ObjectRef>()) {
        const ObjectRef ref = value.value<ObjectRef>();
        target = state_->core->object(state_->core->entityIndex(ref.entity), ref.pk);
    }
    setRelatedObject(rel, target);
}

QVariant ManagedObject::value(int attribute) const {
    if (attribute < 0 || attribute >= static_cast<int>(entity_->attributes.size()))
        return {};
    const AttributeType type = entity_->attributes[static_cast<std::size_t>(attribute)].type;
    if (!state_->live())
        return absentValue().toVariant(type);
    return state_->values[static_cast<std::size_t>(attribute)].toVariant(type);
}

void ManagedObject::setValue(int attribute, const QVariant& value) {
    if (attribute < 0 || attribute >= static_cast<int>(entity_->attributes.size())) {
        StoreMisuse::report(
            QStringLiteral("%1 has no attribute number %2").arg(entity_->name).arg(attribute));
        return;
    }
    if (!state_->live() || state_->deleted)
        return;
    StoreValue stored =
        StoreValue::fromVariant(value, entity_->attributes[static_cast<std::size_t>(attribute)].type);
    StoreValue& current = state_->values[static_cast<std::size_t>(attribute)];
    if (stored.isNull() == current.isNull() && stored == current)
        return;
    state_->core->willChange(*this);
    current = std::move(stored);
}

std::shared_ptr<ManagedObject> ManagedObject::relatedObject(int relationship) const {
    if (!state_->live() || relationship < 0 || relationship >= static_cast<int>(state_->links.size()))
        return nullptr;
    const RelationInfo& ri =
        state_->core->entity(state_->entity).relations[static_cast<std::size_t>(relationship)];
    if (ri.toMany)
        return nullptr;
    return state_->core->object(ri.destination, state_->links[static_cast<std::size_t>(relationship)]);
}

void ManagedObject::setRelatedObject(int relationship, const std::shared_ptr<ManagedObject>& target) {
    if (!state_->live() || state_->deleted || relationship < 0 ||
        relationship >= static_cast<int>(state_->links.size()))
        return;
    StoreCore* core = state_->core;
    const RelationInfo& ri = core->entity(state_->entity).relations[static_cast<std::size_t>(relationship)];
    if (ri.toMany)
        return;
    qint64 pk = 0;
    if (target) {
        const auto& ts = *target->state_;
        if (ts.core == core && ts.entity != ri.destination) {
            StoreMisuse::report(QStringLiteral("%1.%2 cannot hold a record of %3")
                                    .arg(entityName(),
                                         entity_->relationships[static_cast<std::size_t>(relationship)].name,
                                         target->entityName()));
            return;
        }
        if (ts.core != core || !ts.live() || ts.deleted) {
            qWarning("store: %s.%s cannot link to that record", qPrintable(entityName()),
                     qPrintable(entity_->relationships[static_cast<std::size_t>(relationship)].name));
            return;
        }
        pk = target->pk_;
    }
    qint64& link = state_->links[static_cast<std::size_t>(relationship)];
    if (link == pk)
        return;
    core->willChange(*this);
    link = pk;
    core->linksChanged(state_->entity);
    if (ri.destination >= 0)
        core->touch(ri.destination);
}

std::vector<std::shared_ptr<ManagedObject>> ManagedObject::relatedObjects(int relationship) const {
    if (!state_->live() || relationship < 0 || relationship >= static_cast<int>(state_->links.size()))
        return {};
    return FetchEngine(*state_->core).related(*this, relationship);
}

std::optional<QUuid> ManagedObject::uuidValue(int attribute) const {
    if (!state_->live())
        return std::nullopt;
    const StoreValue& v = state_->values[static_cast<std::size_t>(attribute)];
    if (v.isNull())
        return std::nullopt;
    return QUuid::fromString(v.text());
}

std::optional<QString> ManagedObject::textValue(int attribute) const {
    if (!state_->live())
        return std::nullopt;
    const StoreValue& v = state_->values[static_cast<std::size_t>(attribute)];
    if (v.isNull())
        return std::nullopt;
    return v.isText() ? v.text() : v.toVariant(AttributeType::text).toString();
}

std::optional<QDateTime> ManagedObject::dateValue(int attribute) const {
    if (!state_->live())
        return std::nullopt;
    const StoreValue& v = state_->values[static_cast<std::size_t>(attribute)];
    if (v.isNull() || v.isText())
        return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(StoreValue::dateToMsecs(v.toReal()), QTimeZone::utc());
}

qint64 ManagedObject::integerValue(int attribute) const {
    return state_->live() ? state_->values[static_cast<std::size_t>(attribute)].toInteger() : 0;
}

double ManagedObject::doubleValue(int attribute) const {
    return state_->live() ? state_->values[static_cast<std::size_t>(attribute)].toReal() : 0.0;
}

bool ManagedObject::flagValue(int attribute) const {
    return state_->live() && state_->values[static_cast<std::size_t>(attribute)].toInteger() != 0;
}
