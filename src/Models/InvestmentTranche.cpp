#include "Models/InvestmentTranche.h"

#include "Models/Investment.h"
#include "Models/RecordDefaults.h"
#include "Platform/Store/ObjectContext.h"

EntityDescription InvestmentTranche::description() {
    EntityDescription e;
    e.name = entityName();
    e.attributes = {
        {QStringLiteral("id"), AttributeType::uuid},
        {QStringLiteral("units"), AttributeType::doubleValue},
        {QStringLiteral("buyPrice"), AttributeType::doubleValue},
        {QStringLiteral("buyDate"), AttributeType::date},
        {QStringLiteral("createdAt"), AttributeType::date},
    };
    e.relationships = {
        {QStringLiteral("investment"), QStringLiteral("Investment"), false, QStringLiteral("tranches"),
         DeleteRule::nullify},
    };
    e.make = [] { return std::shared_ptr<ManagedObject>(new InvestmentTranche); };
    return e;
}

std::shared_ptr<InvestmentTranche> InvestmentTranche::create(ObjectContext* context) {
    auto record = context->insert<InvestmentTranche>();
    RecordDefaults::apply(*record);
    return record;
}

std::shared_ptr<Investment> InvestmentTranche::investment() const {
    return toOne<Investment>(InvestmentRel);
}

void InvestmentTranche::setInvestment(const std::shared_ptr<Investment>& value) {
    setRelatedObject(InvestmentRel, value);
}
