#include "Models/Investment.h"

#include "Models/InvestmentTranche.h"
#include "Models/PriceHistory.h"
#include "Models/RecordDefaults.h"
#include "Platform/Store/ObjectContext.h"

EntityDescription Investment::description() {
    return {entityName(), storedAttributes(), storedRelationships(),
            [] { return std::shared_ptr<ManagedObject>(new Investment); }};
}

std::shared_ptr<Investment> Investment::create(ObjectContext* context) {
    auto record = context->insert<Investment>();
    RecordDefaults::apply(*record);
    return record;
}

std::vector<std::shared_ptr<InvestmentTranche>> Investment::tranches() const {
    return toMany<InvestmentTranche>(Tranches);
}

std::vector<std::shared_ptr<PriceHistory>> Investment::priceHistory() const {
    return toMany<PriceHistory>(PriceHistoryRel);
}
