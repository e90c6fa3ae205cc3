#include "Models/PriceHistory.h"

#include "Models/Investment.h"
#include "Models/RecordDefaults.h"
#include "Platform/Store/ObjectContext.h"

EntityDescription PriceHistory::description() {
    EntityDescription e;
    e.name = entityName();
    e.attributes = {
        {QStringLiteral("id"), AttributeType::uuid},
        {QStringLiteral("price"), AttributeType::doubleValue},
        {QStringLiteral("recordedAt"), AttributeType::date},
    };
    e.relationships = {
        {QStringLiteral("investment"), QStringLiteral("Investment"), false, QStringLiteral("priceHistory"),
         DeleteRule::nullify},
    };
    e.make = [] { return std::shared_ptr<ManagedObject>(new PriceHistory); };
    return e;
}

std::shared_ptr<PriceHistory> PriceHistory::create(ObjectContext* context) {
    auto record = context->insert<PriceHistory>();
    RecordDefaults::apply(*record);
    return record;
}

std::shared_ptr<Investment> PriceHistory::investment() const {
    return toOne<Investment>(InvestmentRel);
}

void PriceHistory::setInvestment(const std::shared_ptr<Investment>& value) {
    setRelatedObject(InvestmentRel, value);
}
