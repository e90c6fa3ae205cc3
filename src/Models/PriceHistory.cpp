#include "Models/PriceHistory.h"

#include "Models/Investment.h"
#include "Models/RecordDefaults.h"
#include "Store/ObjectContext.h"

EntityDescription PriceHistory::description() {
    return {entityName(), storedAttributes(), storedRelationships(),
            [] { return std::shared_ptr<ManagedObject>(new PriceHistory); }};
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
