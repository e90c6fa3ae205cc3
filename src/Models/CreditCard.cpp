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

std::shared_ptr<CreditCard> CreditCard::withID(const std::vector<std::shared_ptr<CreditCard>>& cards,
                                               const std::optional<QUuid>& id) {
    if (!id)
        return nullptr;
    for (const auto& card : cards)
        if (card && !card->isDeleted() && card->id() == id)
            return card;
    return nullptr;
}

QDateTime CreditCard::nextDueDate(const QDateTime& from) const {
    const QDate day = from.toLocalTime().date();
    const QDateTime candidate = Calendar::composeStartOfDay(day.year(), day.month(), paymentDueDay());
    if (from < candidate)
        return candidate;
    return Calendar::composeStartOfDay(day.year(), day.month() + 1, paymentDueDay());
}
