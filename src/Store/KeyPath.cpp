#include "Store/KeyPath.h"

#include "Store/StoreCore.h"
#include "Store/StoreMisuse.h"
#include "Store/StoreSchema.h"

namespace {

// A path that names nothing is reported and then reads as absent, as it always has.
KeyPath misuse(KeyPath invalid, const StoreCore& core, int rootEntity, QStringView path,
               const QString& fault) {
    StoreMisuse::report(QStringLiteral("key path \"%1\" of %2: %3")
                            .arg(path.toString(), core.entity(rootEntity).desc->name, fault));
    return invalid;
}

} // namespace

KeyPath KeyPath::resolve(const StoreCore& core, int rootEntity, QStringView path) {
    KeyPath kp;
    int current = rootEntity;
    const auto parts = path.split(u'.');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const EntityInfo& info = core.entity(current);
        const QStringView key = parts[i];
        const bool last = i == parts.size() - 1;
        const int rel = info.desc->relationshipIndex(key);
        if (last) {
            kp.lastEntity_ = current;
            kp.attribute_ = info.desc->attributeIndex(key);
            if (kp.attribute_ >= 0) {
                kp.type_ = info.desc->attributes[static_cast<std::size_t>(kp.attribute_)].type;
                kp.valid_ = true;
            } else if (rel >= 0 && !info.relations[static_cast<std::size_t>(rel)].toMany) {
                kp.relationship_ = rel;
                kp.destination_ = info.relations[static_cast<std::size_t>(rel)].destination;
                kp.type_ = AttributeType::int64;
                kp.valid_ = true;
            } else if (rel >= 0) {
                return misuse(
                    std::move(kp), core, rootEntity, path,
                    QStringLiteral("\"%1\" is a to-many relationship of %2, which a key path cannot end in")
                        .arg(key.toString(), info.desc->name));
            } else {
                return misuse(std::move(kp), core, rootEntity, path,
                              QStringLiteral("%1 has no attribute or relationship \"%2\"")
                                  .arg(info.desc->name, key.toString()));
            }
            return kp;
        }
        if (rel < 0)
            return misuse(
                std::move(kp), core, rootEntity, path,
                QStringLiteral("%1 has no relationship \"%2\"").arg(info.desc->name, key.toString()));
        const RelationInfo& ri = info.relations[static_cast<std::size_t>(rel)];
        if (ri.toMany)
            return misuse(
                std::move(kp), core, rootEntity, path,
                QStringLiteral("\"%1\" is a to-many relationship of %2, which a key path cannot cross")
                    .arg(key.toString(), info.desc->name));
        if (ri.destination < 0)
            return kp; // the model's own fault, reported when the store was built
        kp.hops_.push_back({current, rel});
        current = ri.destination;
        kp.crossed_.push_back(current);
    }
    return kp;
}

StoreValue KeyPath::valueOf(const ManagedObject& object) const {
    if (!valid_)
        return {};
    const ManagedObject* current = &object;
    std::shared_ptr<ManagedObject> hold;
    for (const Hop& hop : hops_) {
        const auto& s = StoreCore::state(*current);
        if (!s.live())
            return {};
        hold = s.core->object(
            s.core->entity(hop.entity).relations[static_cast<std::size_t>(hop.relationship)].destination,
            s.links[static_cast<std::size_t>(hop.relationship)]);
        if (!hold)
            return {};
        current = hold.get();
    }
    const auto& s = StoreCore::state(*current);
    if (!s.live())
        return {};
    if (attribute_ >= 0)
        return s.values[static_cast<std::size_t>(attribute_)];
    const qint64 pk = s.links[static_cast<std::size_t>(relationship_)];
    return pk ? StoreValue(pk) : StoreValue();
}

QString KeyPath::lastColumn(const StoreCore& core) const {
    const EntityDescription& e = *core.entity(lastEntity_).desc;
    return StoreSchema::quote(attribute_ >= 0
                                  ? e.attributes[static_cast<std::size_t>(attribute_)].name
                                  : e.relationships[static_cast<std::size_t>(relationship_)].name);
}

QString KeyPath::sqlExpression(const StoreCore& core) const {
    if (hops_.empty())
        return QStringLiteral("t.") + lastColumn(core);
    // Innermost first: the link column of the root row, then one lookup per hop.
    QString link =
        QStringLiteral("t.") +
        StoreSchema::quote(core.entity(hops_[0].entity)
                               .desc->relationships[static_cast<std::size_t>(hops_[0].relationship)]
                               .name);
    for (std::size_t i = 1; i < hops_.size(); ++i) {
        const EntityInfo& at = core.entity(hops_[i].entity);
        link = QStringLiteral("(SELECT %1 FROM %2 WHERE \"pk\" = %3)")
                   .arg(StoreSchema::quote(
                            at.desc->relationships[static_cast<std::size_t>(hops_[i].relationship)].name),
                        at.table, link);
    }
    return QStringLiteral("(SELECT %1 FROM %2 WHERE \"pk\" = %3)")
        .arg(lastColumn(core), core.entity(lastEntity_).table, link);
}

QString KeyPath::sqlMembership(const StoreCore& core, const QString& lastCondition) const {
    // Built from the last record back to the root, each level selecting the pks of the level
    // before that lead to a match.
    QString inner = QStringLiteral("SELECT t.\"pk\" FROM %1 t WHERE %2")
                        .arg(core.entity(lastEntity_).table, lastCondition);
    for (std::size_t i = hops_.size(); i-- > 1;) {
        const EntityInfo& at = core.entity(hops_[i].entity);
        inner = QStringLiteral("SELECT t.\"pk\" FROM %1 t WHERE t.%2 IN (%3)")
                    .arg(at.table,
                         StoreSchema::quote(
                             at.desc->relationships[static_cast<std::size_t>(hops_[i].relationship)].name),
                         inner);
    }
    const EntityInfo& root = core.entity(hops_[0].entity);
    // The NULL test keeps the result 0 or 1 when the root has no link, so it can be negated.
    return QStringLiteral("t.%1 IS NOT NULL AND t.%1 IN (%2)")
        .arg(StoreSchema::quote(
                 root.desc->relationships[static_cast<std::size_t>(hops_[0].relationship)].name),
             inner);
}
