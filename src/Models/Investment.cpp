#include "Models/Investment.h"

#include "Models/InvestmentTranche.h"
#include "Models/PriceHistory.h"
#include "Models/RecordDefaults.h"
#include "Platform/Store/ObjectContext.h"

EntityDescription Investment::description() {
    EntityDescription e;
    e.name = entityName();
    e.attributes = {
        {QStringLiteral("id"), AttributeType::uuid},
        {QStringLiteral("name"), AttributeType::text},
        {QStringLiteral("symbol"), AttributeType::text},
        {QStringLiteral("type"), AttributeType::text},
        {QStringLiteral("units"), AttributeType::doubleValue},
        {QStringLiteral("buyPrice"), AttributeType::doubleValue},
        {QStringLiteral("currentPrice"), AttributeType::doubleValue},
        {QStringLiteral("buyDate"), AttributeType::date},
        {QStringLiteral("notes"), AttributeType::text},
        {QStringLiteral("createdAt"), AttributeType::date},
        {QStringLiteral("status"), AttributeType::text},
        {QStringLiteral("sellPrice"), AttributeType::doubleValue},
        {QStringLiteral("sellDate"), AttributeType::date},
        {QStringLiteral("interestRate"), AttributeType::doubleValue},
        {QStringLiteral("maturityDate"), AttributeType::date},
        {QStringLiteral("investedAmount"), AttributeType::doubleValue},
        {QStringLiteral("investmentType"), AttributeType::text},
    };
    e.relationships = {
        {QStringLiteral("tranches"), QStringLiteral("InvestmentTranche"), true, QStringLiteral("investment"),
         DeleteRule::cascade},
        {QStringLiteral("priceHistory"), QStringLiteral("PriceHistory"), true, QStringLiteral("investment"),
         DeleteRule::cascade},
    };
    e.make = [] { return std::shared_ptr<ManagedObject>(new Investment); };
    return e;
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
