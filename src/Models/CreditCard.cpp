#include "Models/CreditCard.h"

#include "Models/RecordDefaults.h"
#include "Platform/CalendarHelpers.h"
#include "Platform/Store/ObjectContext.h"

EntityDescription CreditCard::description() {
    EntityDescription e;
    e.name = entityName();
    e.attributes = {
        {QStringLiteral("id"), AttributeType::uuid},
        {QStringLiteral("name"), AttributeType::text},
        {QStringLiteral("statementCloseDay"), AttributeType::int16},
        {QStringLiteral("paymentDueDay"), AttributeType::int16},
        {QStringLiteral("createdAt"), AttributeType::date},
    };
    e.make = [] { return std::shared_ptr<ManagedObject>(new CreditCard); };
    return e;
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
