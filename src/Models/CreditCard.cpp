#include "Models/CreditCard.h"

#include "Models/RecordDefaults.h"
#include "Platform/CalendarHelpers.h"
#include "Store/ObjectContext.h"

EntityDescription CreditCard::description() {
    return {entityName(), storedAttributes(), storedRelationships(),
            [] { return std::shared_ptr<ManagedObject>(new CreditCard); }};
}

std::shared_ptr<CreditCard> CreditCard::create(ObjectContext* context) {
    auto record = context->insert<CreditCard>();
    RecordDefaults::apply(*record);
    return record;
}

QDateTime CreditCard::nextDueDate(const QDateTime& from) const {
    const QDate day = from.toLocalTime().date();
    const QDateTime candidate = Calendar::composeStartOfDay(day.year(), day.month(), paymentDueDay());
    if (from < candidate)
        return candidate;
    return Calendar::composeStartOfDay(day.year(), day.month() + 1, paymentDueDay());
}
