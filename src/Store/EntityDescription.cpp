#include "Store/EntityDescription.h"

int EntityDescription::attributeIndex(QStringView attribute) const {
    for (std::size_t i = 0; i < attributes.size(); ++i)
        if (attributes[i].name == attribute)
            return static_cast<int>(i);
    return -1;
}

int EntityDescription::relationshipIndex(QStringView relationship) const {
    for (std::size_t i = 0; i < relationships.size(); ++i)
        if (relationships[i].name == relationship)
            return static_cast<int>(i);
    return -1;
}

void ObjectModel::add(EntityDescription entity) {
    entities_.push_back(std::make_unique<EntityDescription>(std::move(entity)));
}

const EntityDescription* ObjectModel::entity(QStringView name) const {
    for (const auto& e : entities_)
        if (e->name == name)
            return e.get();
    return nullptr;
}
