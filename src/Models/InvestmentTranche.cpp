#include "Models/InvestmentTranche.h"

#include "Models/Investment.h"
#include "Models/RecordDefaults.h"
#include "Store/ObjectContext.h"

EntityDescription InvestmentTranche::description() {
    return {entityName(), storedAttributes(), storedRelationships(),
            [] { return std::shared_ptr<ManagedObject>(new InvestmentTranche); }};
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
