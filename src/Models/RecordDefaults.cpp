#include "Models/RecordDefaults.h"

#include "Platform/Clock.h"
#include "Store/ManagedObject.h"

#include <QUuid>

void RecordDefaults::apply(ManagedObject& record) {
    const auto& attributes = record.entity().attributes;
    for (std::size_t i = 0; i < attributes.size(); ++i) {
        const int index = static_cast<int>(i);
        const AttributeDescription& attribute = attributes[i];
        switch (attribute.type) {
        case AttributeType::int16:
        case AttributeType::int32:
        case AttributeType::int64:
            record.setValue(index, QVariant::fromValue(qint64(0)));
            break;
        case AttributeType::doubleValue:
            record.setValue(index, QVariant(0.0));
            break;
        case AttributeType::flag:
            record.setValue(index, QVariant(false));
            break;
        case AttributeType::uuid:
            if (attribute.name == QLatin1String("id"))
                record.setValue(index, QVariant::fromValue(QUuid::createUuid()));
            break;
        case AttributeType::date:
            if (attribute.name == QLatin1String("createdAt"))
                record.setValue(index, QVariant::fromValue(Clock::now()));
            break;
        case AttributeType::text:
            break;
        }
    }
}
