#pragma once

#include "Models/BankAccount.h"
#include "Models/Bill.h"
#include "Models/CreditCard.h"

#include <QString>

#include <optional>

// How the money screens name a record that has no name of its own: one fallback per kind.
namespace FinanceNames {
inline QString card(const CreditCard& card) {
    return card.name().value_or(QStringLiteral("Card"));
}
inline QString account(const BankAccount& account) {
    return account.name().value_or(QStringLiteral("Unnamed Account"));
}
inline QString bill(const Bill& bill) {
    return bill.name().value_or(QStringLiteral("Untitled Bill"));
}
// A bill's category, "Other" while it has none.
inline QString billCategory(const Bill& bill) {
    return bill.category().value_or(QStringLiteral("Other"));
}
// An income's, an expense's, a holding's or a subscription's own title, "Untitled" without one.
inline QString untitled(const std::optional<QString>& title) {
    return title.value_or(QStringLiteral("Untitled"));
}
// Each word with its first letter in capitals and the rest in small letters ("credit card" reads
// "Credit Card"): a stored method or cycle as a row shows it.
QString capitalised(const QString& text);
} // namespace FinanceNames
